# "cpack -G DEB" in the build folder: one Debian package of the designer,
# the host layers and the package, installed under /usr. The program goes
# to /usr/bin, the layers and the package to its private folder
# /usr/lib/dvdesigner (they find each other through $ORIGIN), the desktop
# entry, icon and MIME type under /usr/share, where Debian's triggers of
# desktop-file-utils and shared-mime-info pick them up, and the changelog
# and copyright that Debian policy asks for under /usr/share/doc/dvdesigner.
# Dependencies are found with dpkg-shlibdeps. The test package_lint
# (tests/install) runs desktop-file-validate and lintian on the package.
set(DV_PACKAGE_CONTACT "Dralvo developers <dralvo@example.org>" CACHE STRING
  "Maintainer of the Debian package (name <address>)")
set(CPACK_PACKAGE_NAME dvdesigner)
set(CPACK_PACKAGE_VENDOR "Dralvo")
set(CPACK_PACKAGE_CONTACT "${DV_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Designer and design-time package for the Dralvo data-access components")
# The extended description (CPack puts the summary above it and indents it).
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "dvdesigner opens data modules of the Dralvo data-access components and
works with the design-time package DclDralvo160: its component and
property editors, the UpdateSQL editor and the Structure view, in a window
or from the command line. It reaches SQLite files and PostgreSQL and
MariaDB servers, and checks stored update statements against them.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The layers are this package's own libraries, not packages of the system.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
set(CPACK_GENERATOR DEB)

# A native package's changelog, compressed without a time stamp (gzip -n) so
# that the same source gives the same file; dated by SOURCE_DATE_EPOCH when
# it is set.
string(TIMESTAMP DV_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in ${CMAKE_BINARY_DIR}/debian/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/debian/changelog.gz
  COMMAND gzip -9nkf ${CMAKE_BINARY_DIR}/debian/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog)
add_custom_target(debian_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/debian/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/debian/changelog.gz ${CMAKE_CURRENT_LIST_DIR}/debian/copyright
  DESTINATION share/doc/dvdesigner)
include(CPack)
