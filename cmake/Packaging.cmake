# "cpack -G DEB" in the build folder: one Debian package of the designer,
# the host layers and the package, installed under /usr. The layers sit
# beside the program (they find each other through $ORIGIN), the desktop
# entry, icon and MIME type under /usr/share, where Debian's triggers of
# desktop-file-utils and shared-mime-info pick them up. Dependencies are
# found with dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME dvdesigner)
set(CPACK_PACKAGE_VENDOR "Dralvo")
set(CPACK_PACKAGE_CONTACT "Dralvo developers <dralvo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Designer and design-time package for the Dralvo data-access components")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The layers are this package's own libraries, not packages of the system.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CMAKE_BINARY_DIR}/bin)
set(CPACK_GENERATOR DEB)
include(CPack)
