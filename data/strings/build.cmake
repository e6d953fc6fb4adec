# The string library "NuvStr.DLL" in the program folder, made from every
# data/strings/*.txt (UTF-8, "<id><TAB><text>" a line). Add texts to an
# existing file or put a new .txt file beside them; an id may be used once.
set(nuvel_strings_dir ${CMAKE_SOURCE_DIR}/data/strings)
file(GLOB nuvel_strings_sources CONFIGURE_DEPENDS ${nuvel_strings_dir}/*.txt)
list(SORT nuvel_strings_sources)
add_custom_command(
  OUTPUT ${NUVEL_PROGRAM_DIR}/NuvStr.DLL
  COMMAND /usr/bin/python3 ${nuvel_strings_dir}/make_string_library.py ${NUVEL_PROGRAM_DIR}/NuvStr.DLL
          ${nuvel_strings_sources}
  DEPENDS ${nuvel_strings_dir}/make_string_library.py ${CMAKE_SOURCE_DIR}/data/text_source.py
          ${nuvel_strings_sources}
  COMMENT "Building the string library NuvStr.DLL"
  VERBATIM)
add_custom_target(nuvel_string_library DEPENDS ${NUVEL_PROGRAM_DIR}/NuvStr.DLL)
add_dependencies(nuvel_data nuvel_string_library)
