# The program is built in floors, one library per subsystem folder, each
# linking only the floors below it (NUVEL_FLOORS lists them bottom first):
# every engine floor is a library without Qt, and every folder with Qt code
# has a second library of its own above its engine floor and the Qt floor
# below it.
#
# A floor compiles against an include folder of its own that holds links to
# its own folder and those below it and to nothing else, so an include that
# runs up the floors fails to compile. Each floor library also compiles one
# file that includes every header of the floor, so a header that no source
# of its floor includes is held to the same order.

# Makes build/floors/<floor>/ with a link to each folder up to `floor`.
function(nuvel_floor_include_dir floor out_var)
  set(dir ${CMAKE_BINARY_DIR}/floors/${floor})
  file(MAKE_DIRECTORY ${dir})
  foreach(seen IN LISTS NUVEL_FLOORS)
    file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${seen} ${dir}/${seen} SYMBOLIC)
    if(seen STREQUAL floor)
      break()
    endif()
  endforeach()
  set(${out_var} ${dir} PARENT_SCOPE)
endfunction()

# Writes a source file that includes each of `headers` (full paths), and
# names it in `out_var`. The file is rewritten only when its text changes.
function(nuvel_floor_header_check name headers out_var)
  set(text "// Every header of this floor, compiled against the floor's include folder.\n")
  foreach(h IN LISTS headers)
    file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${h})
    string(APPEND text "#include \"${rel}\"\n")
  endforeach()
  set(file ${CMAKE_BINARY_DIR}/floors/${name}_headers.cpp)
  file(CONFIGURE OUTPUT ${file} CONTENT "${text}")
  set(${out_var} ${file} PARENT_SCOPE)
endfunction()

# Splits a folder's headers into engine and GUI lists, as its sources are.
function(nuvel_collect_headers engine_var gui_var dir)
  file(GLOB_RECURSE found CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${dir}/*.h)
  set(engine)
  set(gui)
  foreach(f IN LISTS found)
    if(f MATCHES "_qt\\.h$" OR f MATCHES "/qt/")
      list(APPEND gui ${f})
    else()
      list(APPEND engine ${f})
    endif()
  endforeach()
  set(${engine_var} ${engine} PARENT_SCOPE)
  set(${gui_var} ${gui} PARENT_SCOPE)
endfunction()

# Adds nuvel_<floor> for every engine floor. `extra_<floor>` names further
# sources of a floor (generated ones). NUVEL_ENGINE_FLOORS receives the
# library names, bottom first.
function(nuvel_add_engine_floors)
  set(below)
  set(libs)
  foreach(floor IN LISTS NUVEL_FLOORS)
    nuvel_collect_sources(sources gui_unused ${floor})
    nuvel_collect_headers(headers gui_headers_unused ${floor})
    nuvel_floor_include_dir(${floor} include_dir)
    nuvel_floor_header_check(${floor} "${headers}" header_check)
    add_library(nuvel_${floor} STATIC ${sources} ${NUVEL_FLOOR_EXTRA_${floor}} ${header_check})
    target_include_directories(nuvel_${floor} PRIVATE ${include_dir})
    if(below)
      target_link_libraries(nuvel_${floor} PUBLIC ${below})
    endif()
    set(below nuvel_${floor})
    list(APPEND libs nuvel_${floor})
  endforeach()
  set(NUVEL_ENGINE_FLOORS ${libs} PARENT_SCOPE)
endfunction()

# Adds nuvel_<floor>_qt for every folder that has Qt code, each above its
# engine floor and the Qt floor below it. Sources in `exclude` stay out (the
# program's main). NUVEL_TOP_QT_FLOOR receives the topmost library.
function(nuvel_add_qt_floors exclude)
  set(below)
  foreach(floor IN LISTS NUVEL_FLOORS)
    nuvel_collect_sources(engine_unused sources ${floor})
    list(REMOVE_ITEM sources ${exclude})
    if(NOT sources)
      continue()
    endif()
    nuvel_collect_headers(engine_headers_unused headers ${floor})
    nuvel_floor_include_dir(${floor} include_dir)
    nuvel_floor_header_check(${floor}_qt "${headers}" header_check)
    add_library(nuvel_${floor}_qt STATIC ${sources} ${header_check})
    target_include_directories(nuvel_${floor}_qt PRIVATE ${include_dir})
    target_link_libraries(nuvel_${floor}_qt PUBLIC nuvel_${floor} ${below} Qt6::Widgets Qt6::PrintSupport)
    set(below nuvel_${floor}_qt)
  endforeach()
  set(NUVEL_TOP_QT_FLOOR ${below} PARENT_SCOPE)
endfunction()
