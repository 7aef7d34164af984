# The program folder: the program and, beside it, the password store. The
# store, the archive and the attachment folder belong to the user once laid
# down: a reinstall never overwrites them.
install(TARGETS valmora RUNTIME DESTINATION .)
install(CODE "
  set(_cartella \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  if(NOT EXISTS \"\${_cartella}/unins000.dll\")
    message(STATUS \"Installing: \${_cartella}/unins000.dll\")
    file(COPY \"${CMAKE_CURRENT_SOURCE_DIR}/packaging/unins000.dll\" DESTINATION \"\${_cartella}\")
  else()
    message(STATUS \"Kept: \${_cartella}/unins000.dll\")
  endif()
")
# The user guide, written at build time from the program's help topics.
install(FILES ${VALMORA_GUIDA_PDF} DESTINATION .)
