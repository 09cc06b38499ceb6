# The core is standard C++: only src/ui may include Qt. Checked at configure
# time so that a stray include fails the build before anything compiles.
file(GLOB_RECURSE _qlr_core_sources CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/*.h ${PROJECT_SOURCE_DIR}/src/*.cc)
foreach(_file IN LISTS _qlr_core_sources)
  if(_file MATCHES "/src/ui/")
    continue()
  endif()
  file(STRINGS ${_file} _qt_includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"](Q[A-Za-z]+|Qt[A-Za-z]*/)")
  if(_qt_includes)
    message(FATAL_ERROR "${_file} includes a Qt header; only src/ui may use Qt")
  endif()
endforeach()
