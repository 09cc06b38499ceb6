# The man pages: scdoc sources in docs/man (NAME.SECTION.scd), turned into
# gzip-compressed roff pages in man/ of the build tree as part of the build.
# Included after the programs' folders, so that `if(TARGET ...)` sees them.
option(QLR_BUILD_MAN "Build and install the man pages (needs scdoc)" ON)
if(NOT QLR_BUILD_MAN)
  return()
endif()

find_program(QLR_SCDOC scdoc)
find_program(QLR_GZIP gzip)
if(NOT QLR_SCDOC OR NOT QLR_GZIP)
  message(FATAL_ERROR "The man pages need scdoc and gzip (Debian: scdoc gzip); "
                      "install them, or configure with -DQLR_BUILD_MAN=OFF")
endif()

file(GLOB _qlr_man_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/*.scd)
set(QLR_MAN_PAGES)  # the built pages, for the install test
foreach(_source IN LISTS _qlr_man_sources)
  get_filename_component(_page ${_source} NAME_WLE)  # qlr.1
  string(REGEX MATCH "[1-9]$" _section ${_page})
  set(_out ${PROJECT_BINARY_DIR}/man/${_page})
  # Written aside and moved into place, so that a failed run leaves no page
  # that looks up to date.
  add_custom_command(
    OUTPUT ${_out}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
    COMMAND sh -c "\"$0\" < \"$1\" > \"$2.tmp\" && mv \"$2.tmp\" \"$2\"" ${QLR_SCDOC} ${_source} ${_out}
    COMMAND ${QLR_GZIP} -9nf ${_out}
    DEPENDS ${_source}
    COMMENT "Building man page ${_page}"
    VERBATIM)
  list(APPEND QLR_MAN_PAGES ${_out}.gz)
  # A program's page comes with the program: QLRTovani(1) only once it is built.
  get_filename_component(_program ${_page} NAME_WLE)
  if(_section EQUAL 1 AND NOT TARGET ${_program})
    continue()
  endif()
  install(FILES ${_out}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man${_section})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${QLR_MAN_PAGES})
