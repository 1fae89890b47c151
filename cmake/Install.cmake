# cmake --install: one program folder, <prefix>/lib/qxed, holds the programs and every data file they read
# from beside themselves (the program folder is the directory of the running executable, so the links in
# <prefix>/bin lead the programs to it); <prefix>/share gets the desktop entry, the icon and the file types.
# Nothing is written into the program folder at run time: it may well be read-only.
set(QXED_INSTALL_PROGRAM_DIR lib/qxed)

# The editor is left out of a tree that does not build it.
set(qxed_installed_programs)
foreach(program IN ITEMS qxed qxed-cli qxed-panelsim)
  if(TARGET ${program})
    list(APPEND qxed_installed_programs ${program})
  endif()
endforeach()
install(TARGETS ${qxed_installed_programs} RUNTIME DESTINATION ${QXED_INSTALL_PROGRAM_DIR})

# The data the build puts beside the programs: the glyph files, the element pictures and PLC driver files
# when there are any, the Chinese language file as the program folder's own and every shipped language.
install(FILES ${QXED_GLYPH_FILES} DESTINATION ${QXED_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/element ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/fsc
        DESTINATION ${QXED_INSTALL_PROGRAM_DIR} OPTIONAL)
install(FILES ${QXED_PROGRAM_LANGUAGE_FILE} DESTINATION ${QXED_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/languages/ DESTINATION ${QXED_INSTALL_PROGRAM_DIR}/languages
        FILES_MATCHING PATTERN Language.Ini)

# Relative links, so that the installed tree can be moved as a whole.
foreach(program IN LISTS qxed_installed_programs)
  install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(MAKE_DIRECTORY \"\${bin}\")
    file(REMOVE \"\${bin}/${program}\")
    file(CREATE_LINK ../${QXED_INSTALL_PROGRAM_DIR}/${program} \"\${bin}/${program}\" SYMBOLIC)
    message(STATUS \"Installing: \${bin}/${program} -> ../${QXED_INSTALL_PROGRAM_DIR}/${program}\")
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${CMAKE_INSTALL_PREFIX}/bin/${program}\")")
endforeach()

# A file manager opens project and data files in the editor.
install(FILES ${PROJECT_SOURCE_DIR}/desktop/qxed.desktop DESTINATION share/applications)
install(FILES ${PROJECT_SOURCE_DIR}/desktop/qxed.xml DESTINATION share/mime/packages)
install(FILES ${PROJECT_SOURCE_DIR}/src/ui/icons/qxed.svg DESTINATION share/icons/hicolor/scalable/apps
        OPTIONAL)
