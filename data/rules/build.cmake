# The rule files the program ships, copied into the program folder as they
# stand: Super Find starts on DIDOD.Rle.
file(GLOB nuvel_rule_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/rules/*.Rle)
set(nuvel_rule_outputs)
foreach(rules IN LISTS nuvel_rule_files)
  get_filename_component(name ${rules} NAME)
  set(out ${NUVEL_PROGRAM_DIR}/${name})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E copy ${rules} ${out}
    DEPENDS ${rules}
    VERBATIM)
  list(APPEND nuvel_rule_outputs ${out})
endforeach()
add_custom_target(nuvel_rule_files DEPENDS ${nuvel_rule_outputs})
add_dependencies(nuvel_data nuvel_rule_files)
