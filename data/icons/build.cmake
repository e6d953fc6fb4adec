# The toolbar's glyphs, copied from Debian's breeze icon theme into the
# program folder's icons/ (see toolbar_icons.txt).
set(nuvel_icon_theme /usr/share/icons/breeze)
set(nuvel_icon_list ${CMAKE_SOURCE_DIR}/data/icons/toolbar_icons.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${nuvel_icon_list})
file(STRINGS ${nuvel_icon_list} nuvel_icon_lines REGEX "^[^#]")
set(nuvel_icon_outputs)
foreach(line IN LISTS nuvel_icon_lines)
  string(REGEX REPLACE "[ \t]+" ";" parts "${line}")
  list(GET parts 0 icon_name)
  list(GET parts 1 icon_source)
  if(NOT EXISTS ${nuvel_icon_theme}/${icon_source})
    message(FATAL_ERROR "Toolbar glyph ${nuvel_icon_theme}/${icon_source} is missing: run scripts/setup.sh")
  endif()
  set(out ${NUVEL_PROGRAM_DIR}/icons/${icon_name})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E copy ${nuvel_icon_theme}/${icon_source} ${out}
    DEPENDS ${nuvel_icon_theme}/${icon_source}
    VERBATIM)
  list(APPEND nuvel_icon_outputs ${out})
endforeach()
add_custom_target(nuvel_toolbar_icons DEPENDS ${nuvel_icon_outputs})
add_dependencies(nuvel_data nuvel_toolbar_icons)
