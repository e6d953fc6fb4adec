# The help pages, English and Hebrew, copied into the program folder's help/.
file(GLOB_RECURSE nuvel_help_pages CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/help/*.html)
set(nuvel_help_outputs)
foreach(page IN LISTS nuvel_help_pages)
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/data/help ${page})
  set(out ${NUVEL_PROGRAM_DIR}/help/${rel})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E copy ${page} ${out}
    DEPENDS ${page}
    VERBATIM)
  list(APPEND nuvel_help_outputs ${out})
endforeach()
add_custom_target(nuvel_help_pages DEPENDS ${nuvel_help_outputs})
add_dependencies(nuvel_data nuvel_help_pages)
