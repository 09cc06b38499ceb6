# What `cmake --install` puts where, under the prefix (GNU layout):
#   bin/                          quillrun, qlr, QLRMail, QLRTovani
#   libexec/quillrun/             QLRDummy, started only by the scheduler
#   share/quillrun/help/          the windows' help pages
#   share/quillrun/examples/demo/ the demo schedule
#   share/man/man1, man5          the man pages (cmake/ManPages.cmake)
#   share/applications, share/icons/hicolor/scalable/apps   menu entry and icon
#   lib/systemd/system/           quillrun@.service
#   share/doc/quillrun/           LICENSE, CHANGELOG.md, README.md
# Included after the programs' folders, so that `if(TARGET ...)` sees them.

set(QLR_INSTALL_SYSTEMD_UNITDIR lib/systemd/system CACHE STRING
    "Folder of the systemd unit, relative to the prefix (or absolute)")

function(qlr_install_programs)
  foreach(_program quillrun qlr QLRMail QLRTovani)
    if(TARGET ${_program})
      install(TARGETS ${_program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
  endforeach()
  install(TARGETS QLRDummy RUNTIME DESTINATION ${QLR_INSTALL_LIBEXECDIR})
endfunction()

# The demo as it stands in the repository, less its generator and git files.
# Its INI file points HelpPath at the repository's pages; the installed copy
# drops that line so that the installed help pages are used. The folders a
# run writes into come empty, so that a copy of the folder runs at once,
# except for the list of standard triggers, which the job editor offers.
function(qlr_install_demo)
  set(_demo ${PROJECT_SOURCE_DIR}/examples/demo)
  set(_dest ${QLR_INSTALL_DATADIR}/examples/demo)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_demo}/demo.ini)
  file(READ ${_demo}/demo.ini _ini)
  string(REGEX REPLACE "\nHelpPath=[^\n]*\n" "\n" _ini "${_ini}")
  file(WRITE ${PROJECT_BINARY_DIR}/packaging/demo.ini "${_ini}")
  install(FILES ${PROJECT_BINARY_DIR}/packaging/demo.ini ${_demo}/demo.sch ${_demo}/holidays.txt
          DESTINATION ${_dest})
  install(DIRECTORY ${_demo}/addresses ${_demo}/docs DESTINATION ${_dest})
  foreach(_folder logs triggers trackers output mail/attachments)
    install(DIRECTORY DESTINATION ${_dest}/${_folder})
  endforeach()
  install(FILES ${_demo}/triggers/Triggers.Lst DESTINATION ${_dest}/triggers)
endfunction()

function(qlr_install_desktop_files)
  set(QLR_INSTALLED_QLR ${CMAKE_INSTALL_FULL_BINDIR}/qlr)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/quillrun@.service.in
                 ${PROJECT_BINARY_DIR}/packaging/quillrun@.service @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/packaging/quillrun@.service
          DESTINATION ${QLR_INSTALL_SYSTEMD_UNITDIR})
  if(TARGET quillrun)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/quillrun.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/quillrun.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  endif()
endfunction()

qlr_install_programs()
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/help/ DESTINATION ${QLR_INSTALL_HELPDIR})
qlr_install_demo()
qlr_install_desktop_files()
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/CHANGELOG.md
              ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${QLR_INSTALL_DOCDIR})
