# The folder of the text collection. The texts themselves are the user's own
# copies (see the README); the program ships the folder empty, with a note
# on where each text goes.
set(NUVEL_TEXTS_DIR ${NUVEL_PROGRAM_DIR}/Texts)
add_custom_command(OUTPUT ${NUVEL_TEXTS_DIR}/README.txt
  COMMAND ${CMAKE_COMMAND} -E make_directory ${NUVEL_TEXTS_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/README.txt ${NUVEL_TEXTS_DIR}/README.txt
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/README.txt)
add_custom_target(nuvel_texts_folder DEPENDS ${NUVEL_TEXTS_DIR}/README.txt)
add_dependencies(nuvel_data nuvel_texts_folder)
