# Qt's own Hebrew texts (buttons of message boxes, file dialogs), from
# Debian's qt6-translations-l10n, copied into the program folder so the
# program finds them wherever it runs from.
set(nuvel_qt_he /usr/share/qt6/translations/qtbase_he.qm)
if(NOT EXISTS ${nuvel_qt_he})
  message(FATAL_ERROR "${nuvel_qt_he} is missing: run scripts/setup.sh")
endif()
add_custom_command(OUTPUT ${NUVEL_PROGRAM_DIR}/translations/qtbase_he.qm
  COMMAND ${CMAKE_COMMAND} -E copy ${nuvel_qt_he} ${NUVEL_PROGRAM_DIR}/translations/qtbase_he.qm
  DEPENDS ${nuvel_qt_he}
  VERBATIM)
add_custom_target(nuvel_qt_translations DEPENDS ${NUVEL_PROGRAM_DIR}/translations/qtbase_he.qm)
add_dependencies(nuvel_data nuvel_qt_translations)
