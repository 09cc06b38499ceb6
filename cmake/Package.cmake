# The Debian package, made by CPack from the install rules (scripts/package
# runs it on a Release tree): quillrun_VERSION_ARCH.deb, its dependencies
# computed from the binaries by dpkg-shlibdeps.

set(QLR_PACKAGE_MAINTAINER "Quillrun developers <quillrun@example.org>" CACHE STRING
    "Maintainer field of the Debian package")

set(CPACK_PACKAGE_NAME quillrun)
set(CPACK_PACKAGE_VENDOR "The Quillrun developers")
set(CPACK_PACKAGE_CONTACT ${QLR_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "batch job scheduler and launcher for one computer")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION admin)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# adduser: the maintainer script creates the service's user.
set(CPACK_DEBIAN_PACKAGE_DEPENDS adduser)
# xdg-utils: xdg-open is the default TextEditor.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
# The extended description; the synopsis line is the summary above.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[Quillrun runs one computer's daily batch schedule. Each job is a command
line with a group, a run frequency, an optional earliest start, dependencies
on other jobs, an optional file to wait for, exclusivity keywords, date
variables and end-of-job trigger files and messages. For each run date it
decides which jobs are due, starts each one when its conditions hold, logs
every event and rolls over to the next day by itself.
.
The package holds the desktop program quillrun, the command-line tool qlr
(with a systemd unit that runs a schedule as a service), the mail sender
QLRMail and the schedule creator QLRTovani.]=])
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/packaging/deb/postinst ${PROJECT_SOURCE_DIR}/packaging/deb/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

# Debian's own documentation files: the licence in the machine-readable
# copyright format, and a Debian-format changelog. Only the package gets them
# (component "debian", left out of a plain `cmake --install`).
string(TIMESTAMP QLR_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${PROJECT_SOURCE_DIR}/packaging/deb/copyright.in
               ${PROJECT_BINARY_DIR}/packaging/copyright @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/deb/changelog.in
               ${PROJECT_BINARY_DIR}/packaging/changelog @ONLY)
add_custom_command(
  OUTPUT ${PROJECT_BINARY_DIR}/packaging/changelog.gz
  COMMAND gzip -9nkf ${PROJECT_BINARY_DIR}/packaging/changelog
  DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog
  VERBATIM)
add_custom_target(debian_changelog ALL DEPENDS ${PROJECT_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${PROJECT_BINARY_DIR}/packaging/copyright ${PROJECT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${QLR_INSTALL_DOCDIR} COMPONENT debian EXCLUDE_FROM_ALL)

# One package holding the default component and "debian".
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_COMPONENTS_ALL Unspecified debian)

include(CPack)
