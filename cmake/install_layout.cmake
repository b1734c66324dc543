# `cmake --install`: the programs and everything they find beside themselves
# go to <prefix>/lib/kestrin; <prefix>/bin holds links to the two programs,
# and <prefix>/share the launcher, icons and the game file type.
include(GNUInstallDirs)
set(KESTRIN_INSTALL_HOME ${CMAKE_INSTALL_LIBDIR}/kestrin)

set(KESTRIN_INSTALLED_PROGRAMS kestrin-cli)
if(KESTRIN_GUI)
    list(PREPEND KESTRIN_INSTALLED_PROGRAMS kestrin)
endif()
install(TARGETS ${KESTRIN_INSTALLED_PROGRAMS} RUNTIME DESTINATION ${KESTRIN_INSTALL_HOME})
install(FILES ${KESTRIN_OUTPUT_DIR}/rundata ${KESTRIN_OUTPUT_DIR}/fnames DESTINATION ${KESTRIN_INSTALL_HOME})
install(DIRECTORY ${KESTRIN_OUTPUT_DIR}/lib ${KESTRIN_OUTPUT_DIR}/manual DESTINATION ${KESTRIN_INSTALL_HOME})

# Links rather than copies: the programs find lib/, rundata and the manual
# beside their real file.
foreach(program ${KESTRIN_INSTALLED_PROGRAMS})
    install(CODE "
        set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\")
        file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
        file(REMOVE \"\${link}\")
        file(CREATE_LINK \"../${KESTRIN_INSTALL_HOME}/${program}\" \"\${link}\" SYMBOLIC)
        message(STATUS \"Linking: \${link}\")")
endforeach()

if(KESTRIN_GUI)
    set(desktop ${PROJECT_SOURCE_DIR}/data/desktop)
    install(FILES ${desktop}/kestrin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${desktop}/kestrin-game.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
    install(FILES ${desktop}/kestrin.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(DIRECTORY ${KESTRIN_OUTPUT_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor
            FILES_MATCHING PATTERN "kestrin.png")
    # The desktop reads the new type, launcher and icons only after its
    # caches are refreshed; a staged install (DESTDIR) leaves that to the
    # package.
    install(CODE "
      if(\"\$ENV{DESTDIR}\" STREQUAL \"\")
        set(share \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}\")
        find_program(update_mime update-mime-database)
        find_program(update_desktop update-desktop-database)
        find_program(update_icons gtk-update-icon-cache)
        if(update_mime)
            execute_process(COMMAND \${update_mime} \"\${share}/mime\")
        endif()
        if(update_desktop)
            execute_process(COMMAND \${update_desktop} \"\${share}/applications\")
        endif()
        if(update_icons)
            execute_process(COMMAND \${update_icons} -q -t \"\${share}/icons/hicolor\")
        endif()
      endif()")
endif()
