# Where `cmake --install` puts each kind of file (GNU layout: bin/, libexec/,
# share/ under the prefix). The programs look for QLRDummy, QLRTovani and the
# help pages relative to their own folder, so these must be set before src/.
include(GNUInstallDirs)

set(QLR_INSTALL_LIBEXECDIR ${CMAKE_INSTALL_LIBEXECDIR}/quillrun)
set(QLR_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/quillrun)
set(QLR_INSTALL_HELPDIR ${QLR_INSTALL_DATADIR}/help)
# Under the package's name, not the project's capitalised one.
set(QLR_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/quillrun)
foreach(_dir LIBEXECDIR HELPDIR)
  if(IS_ABSOLUTE ${QLR_INSTALL_${_dir}})
    set(QLR_INSTALL_FULL_${_dir} ${QLR_INSTALL_${_dir}})
  else()
    set(QLR_INSTALL_FULL_${_dir} ${CMAKE_INSTALL_PREFIX}/${QLR_INSTALL_${_dir}})
  endif()
endforeach()
