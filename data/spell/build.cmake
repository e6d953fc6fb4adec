# Main spell dictionaries, made at build time from Debian's Hunspell data:
# English from hunspell-en-us with its affixes expanded (unmunch, from
# hunspell-tools), Hebrew from hunspell-he: one dictionary per class of
# words, with the prefix rules of its affix file (NUVHSPH.AFF).
set(NUVEL_ENGLISH_HUNSPELL /usr/share/hunspell/en_US CACHE FILEPATH "Hunspell English dictionary (.dic/.aff) for NUVHSPE.DIC")
set(NUVEL_HEBREW_HUNSPELL /usr/share/hunspell/he_IL CACHE FILEPATH "Hunspell Hebrew dictionary (.dic/.aff) for NUVHSPH.DIC")
find_program(NUVEL_UNMUNCH unmunch REQUIRED)

add_executable(build_spell_dictionary ${CMAKE_CURRENT_LIST_DIR}/build_spell_dictionary.cpp)
target_link_libraries(build_spell_dictionary PRIVATE nuvel_engine)

set(english_forms ${CMAKE_CURRENT_BINARY_DIR}/en_US.forms)
add_custom_command(
  OUTPUT ${english_forms}
  COMMAND sh -c "\"$0\" \"$1\" \"$2\" > \"$3.part\" 2>/dev/null && mv \"$3.part\" \"$3\""
          ${NUVEL_UNMUNCH} ${NUVEL_ENGLISH_HUNSPELL}.dic ${NUVEL_ENGLISH_HUNSPELL}.aff ${english_forms}
  DEPENDS ${NUVEL_ENGLISH_HUNSPELL}.dic ${NUVEL_ENGLISH_HUNSPELL}.aff
  COMMENT "Expanding the affixes of the English Hunspell dictionary"
  VERBATIM)
add_custom_command(
  OUTPUT ${NUVEL_PROGRAM_DIR}/NUVHSPE.DIC
  COMMAND build_spell_dictionary english ${english_forms} ${NUVEL_PROGRAM_DIR}/NUVHSPE.DIC
  DEPENDS build_spell_dictionary ${english_forms}
  COMMENT "Building the English spell dictionary NUVHSPE.DIC"
  VERBATIM)
add_custom_command(
  OUTPUT ${NUVEL_PROGRAM_DIR}/NUVHSPH.DIC ${NUVEL_PROGRAM_DIR}/NUVHSPH.AFF
  COMMAND build_spell_dictionary hebrew ${NUVEL_HEBREW_HUNSPELL}.dic ${NUVEL_HEBREW_HUNSPELL}.aff
          ${NUVEL_PROGRAM_DIR}/NUVHSPH.DIC
  DEPENDS build_spell_dictionary ${NUVEL_HEBREW_HUNSPELL}.dic ${NUVEL_HEBREW_HUNSPELL}.aff
  COMMENT "Building the Hebrew spell dictionaries NUVHSPH*.DIC and their prefix rules NUVHSPH.AFF"
  VERBATIM)
add_custom_target(nuvel_spell_dictionaries
  DEPENDS ${NUVEL_PROGRAM_DIR}/NUVHSPE.DIC ${NUVEL_PROGRAM_DIR}/NUVHSPH.DIC ${NUVEL_PROGRAM_DIR}/NUVHSPH.AFF)
add_dependencies(nuvel_data nuvel_spell_dictionaries)
