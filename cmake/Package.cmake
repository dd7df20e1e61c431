# `cpack -G DEB` in the build folder makes a Debian package of the installed
# files; the libraries it needs are found by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME quil)
set(CPACK_PACKAGE_VENDOR "The QUIL developers")
set(CPACK_PACKAGE_CONTACT "The QUIL developers <quil@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small file manager with a folder tree and a second panel")
set(CPACK_PACKAGE_DESCRIPTION
    "QUIL shows a folder tree beside a report list of a folder's entries, with a second panel as the target of copy and move, marks by hand, by mask and by comparison, a text, hex and picture viewer and a file search. Its user interface is in Russian.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/quil/quil")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows need a platform plugin; the MIME database names the file
# types; the theme holds the icon folders.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, shared-mime-info, hicolor-icon-theme")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "adwaita-icon-theme, fonts-liberation")
set(CPACK_GENERATOR DEB)
include(CPack)
