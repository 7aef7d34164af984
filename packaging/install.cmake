# The program folder: the program and, beside it, the password store. The
# store, the archive and the attachment folder belong to the user once laid
# down: a reinstall never overwrites them.
install(TARGETS valmora RUNTIME DESTINATION .)
install(CODE "
  set(_cartella \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  if(NOT EXISTS \"\${_cartella}/unins000.dll\")
    message(STATUS \"Installing: \${_cartella}/unins000.dll\")
    file(COPY \"${CMAKE_CURRENT_SOURCE_DIR}/packaging/unins000.dll\" DESTINATION \"\${_cartella}\"
         FILE_PERMISSIONS OWNER_READ OWNER_WRITE)
  else()
    message(STATUS \"Kept: \${_cartella}/unins000.dll\")
  endif()
")
# The user guide, written at build time from the program's help topics.
install(FILES ${VALMORA_GUIDA_PDF} DESTINATION .)
# Desktop integration: the icon and a desktop entry that points at this very
# folder (the folder can live anywhere, so the entry is written at install time).
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/packaging/valmora.svg DESTINATION .)
install(CODE "
  set(_cartella \"\${CMAKE_INSTALL_PREFIX}\")
  file(READ \"${CMAKE_CURRENT_SOURCE_DIR}/packaging/valmora.desktop.in\" _voce)
  string(REPLACE \"@CARTELLA@\" \"\${_cartella}\" _voce \"\${_voce}\")
  message(STATUS \"Installing: \$ENV{DESTDIR}\${_cartella}/valmora.desktop\")
  file(WRITE \"\$ENV{DESTDIR}\${_cartella}/valmora.desktop\" \"\${_voce}\")
  file(CHMOD \"\$ENV{DESTDIR}\${_cartella}/valmora.desktop\"
       PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
")
