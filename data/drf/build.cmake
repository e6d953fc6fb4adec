# The data file DIDOD.drf: the conversion tables of modes 1, 2/9, 4 and 5,
# built from the readable tables in data/drf/.
set(drf_dir ${CMAKE_CURRENT_LIST_DIR})
file(GLOB drf_tables CONFIGURE_DEPENDS ${drf_dir}/*.tbl)
add_custom_command(
  OUTPUT ${NUVEL_PROGRAM_DIR}/DIDOD.drf
  COMMAND /usr/bin/python3 ${drf_dir}/make_drf.py ${drf_dir} ${NUVEL_PROGRAM_DIR}/DIDOD.drf
  DEPENDS ${drf_dir}/make_drf.py ${drf_tables}
  COMMENT "Building DIDOD.drf"
  VERBATIM)
add_custom_target(nuvel_drf DEPENDS ${NUVEL_PROGRAM_DIR}/DIDOD.drf)
add_dependencies(nuvel_data nuvel_drf)
