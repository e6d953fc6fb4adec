# Main spell dictionaries, made at build time from Debian's word lists:
# English from wamerican, Hebrew from hunspell-he (words turned into the DOS
# Hebrew code the dictionary is stored in).
set(NUVEL_ENGLISH_WORDS /usr/share/dict/american-english CACHE FILEPATH "English word list for NUVHSPE.DIC")
set(NUVEL_HEBREW_WORDS /usr/share/hunspell/he_IL.dic CACHE FILEPATH "Hebrew Hunspell word list for NUVHSPH.DIC")

add_executable(build_spell_dictionary ${CMAKE_CURRENT_LIST_DIR}/build_spell_dictionary.cpp)
target_link_libraries(build_spell_dictionary PRIVATE nuvel_engine)

add_custom_command(
  OUTPUT ${NUVEL_PROGRAM_DIR}/NUVHSPE.DIC
  COMMAND build_spell_dictionary english ${NUVEL_ENGLISH_WORDS} ${NUVEL_PROGRAM_DIR}/NUVHSPE.DIC
  DEPENDS build_spell_dictionary ${NUVEL_ENGLISH_WORDS}
  COMMENT "Building the English spell dictionary NUVHSPE.DIC"
  VERBATIM)
add_custom_command(
  OUTPUT ${NUVEL_PROGRAM_DIR}/NUVHSPH.DIC
  COMMAND build_spell_dictionary hebrew ${NUVEL_HEBREW_WORDS} ${NUVEL_PROGRAM_DIR}/NUVHSPH.DIC
  DEPENDS build_spell_dictionary ${NUVEL_HEBREW_WORDS}
  COMMENT "Building the Hebrew spell dictionary NUVHSPH.DIC"
  VERBATIM)
add_custom_target(nuvel_spell_dictionaries
  DEPENDS ${NUVEL_PROGRAM_DIR}/NUVHSPE.DIC ${NUVEL_PROGRAM_DIR}/NUVHSPH.DIC)
add_dependencies(nuvel_data nuvel_spell_dictionaries)
