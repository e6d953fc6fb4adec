# `cmake --install build --prefix PREFIX` (PREFIX /usr/local unless given):
# the program folder under PREFIX/lib/nuvel, read-only to its users, whose
# runs keep what they write in their own folders; a `nuvel` launcher in
# PREFIX/bin; the desktop entry, the icon and the MIME types of the editor's
# own documents under PREFIX/share, so the program is in the desktop's menu
# and opens files from the file manager.
set(nuvel_desktop_dir ${CMAKE_SOURCE_DIR}/data/desktop)

# The program folder as the build made it, readable by everyone. Files a
# user's run of an older version may have left in the build's program folder
# are not the program's and stay behind.
install(DIRECTORY ${NUVEL_PROGRAM_DIR}/ DESTINATION lib/nuvel
  REGEX "/nuvel$" EXCLUDE
  PATTERN "NuvelW.INI" EXCLUDE
  PATTERN "docreader.ini" EXCLUDE
  PATTERN "*.MCR" EXCLUDE
  PATTERN "*.mcr" EXCLUDE
  PATTERN "*.KEY" EXCLUDE
  PATTERN "*.key" EXCLUDE
  PATTERN "NewRLE.Rle" EXCLUDE
  PATTERN "*.tmp" EXCLUDE
  PATTERN "*.BAK" EXCLUDE
  PATTERN "*.bak" EXCLUDE)
install(PROGRAMS ${NUVEL_PROGRAM_DIR}/nuvel DESTINATION lib/nuvel)

# The launcher: a link to the executable, which finds its program folder
# through the link.
install(CODE "
  set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
  file(MAKE_DIRECTORY \"\${bin}\")
  file(REMOVE \"\${bin}/nuvel\")
  file(CREATE_LINK ../lib/nuvel/nuvel \"\${bin}/nuvel\" SYMBOLIC)
  message(STATUS \"Installing: \${bin}/nuvel -> ../lib/nuvel/nuvel\")
")

install(FILES ${nuvel_desktop_dir}/nuvel.desktop DESTINATION share/applications)
install(FILES ${nuvel_desktop_dir}/nuvel.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${nuvel_desktop_dir}/nuvel-mime.xml DESTINATION share/mime/packages RENAME nuvel.xml)

# The desktop's caches of MIME types and of the programs that open them, when
# installing into a prefix in place (not a packaging DESTDIR).
install(CODE "
  if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
    find_program(nuvel_update_mime update-mime-database)
    if(nuvel_update_mime)
      execute_process(COMMAND \${nuvel_update_mime} \"\${CMAKE_INSTALL_PREFIX}/share/mime\")
    endif()
    find_program(nuvel_update_desktop update-desktop-database)
    if(nuvel_update_desktop)
      execute_process(COMMAND \${nuvel_update_desktop} \"\${CMAKE_INSTALL_PREFIX}/share/applications\")
    endif()
  endif()
")
