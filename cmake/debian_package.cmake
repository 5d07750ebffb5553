# The Debian package: `cmake --build build --target package` has CPack's DEB generator make
# tarvoconfig_<version>_<arch>.deb in the build folder, with everything `cmake --install` lays
# out, under /usr. dpkg's own triggers refresh the menu, the file types and the icon cache, so
# the package has no maintainer scripts.

set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/tarvoconfig)
set(debian_dir ${PROJECT_SOURCE_DIR}/packaging/debian)
install(FILES ${debian_dir}/copyright DESTINATION ${doc_dir})
# Debian names a package's maintainer with a mail address; the maker's own goes here.
set(TARVO_PACKAGE_MAINTAINER "TARVO Applications <support@tarvo.example>" CACHE STRING
    "Maintainer of the Debian package: name <mail address>")
configure_file(${debian_dir}/changelog ${CMAKE_BINARY_DIR}/changelog @ONLY)
# Debian wants the changelog gzip'd without a name or time in it, as the man pages.
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND gzip -9nkf changelog
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  DEPENDS ${CMAKE_BINARY_DIR}/changelog
  COMMENT "Compressing the changelog")
add_custom_target(debian_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvoconfig)
set(CPACK_PACKAGE_VENDOR "TARVO Applications")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${TARVO_PACKAGE_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries come from dpkg-shlibdeps; what the window loads at run time is named here: Qt's
# platform plugins, its Russian texts for the standard buttons and dialogs, and a font with
# Cyrillic letters. The help opens in the desktop's viewer; the SVG icon needs Qt's plugin.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, libqt6svg6")
file(READ ${debian_dir}/description CPACK_DEBIAN_PACKAGE_DESCRIPTION)
include(CPack)
