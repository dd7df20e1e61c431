# `cpack -G DEB` in the build folder makes a Debian package of the installed
# files; the libraries it needs are found by dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME quil)
set(CPACK_PACKAGE_VENDOR "The QUIL developers")
set(CPACK_PACKAGE_CONTACT "The QUIL developers <quil@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "small file manager with a folder tree and a second panel")
# Lines of at most 80 characters, as Debian's control files want them.
set(CPACK_PACKAGE_DESCRIPTION
    "QUIL shows a folder tree beside a report list of a folder's entries, with a\nsecond panel as the target of copy and move, marks by hand, by mask and by\ncomparison, a text, hex and picture viewer and a file search. Its user\ninterface is in Russian.")
# The home page only when the build names one (QUIL_HOMEPAGE_URL).
if(QUIL_HOMEPAGE_URL)
  set(CPACK_PACKAGE_HOMEPAGE_URL "${QUIL_HOMEPAGE_URL}")
endif()
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows need a platform plugin; the MIME database names the file
# types; the theme holds the icon folders.
# Qt's own texts (buttons, the file dialog) in the user's language.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, shared-mime-info, hicolor-icon-theme")
# The program without its debug information (a RelWithDebInfo build carries
# some 40 MB of it).
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "adwaita-icon-theme, fonts-liberation")
include(GNUInstallDirs)
# Debian wants a changelog beside the copyright; the release date is the
# metainfo's.
configure_file(${CMAKE_SOURCE_DIR}/resources/changelog.in ${CMAKE_BINARY_DIR}/changelog @ONLY)
add_custom_command(
  OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND ${QUIL_GZIP} -9nc changelog > changelog.gz
  DEPENDS ${CMAKE_BINARY_DIR}/changelog
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
add_custom_target(quil_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quil)
set(CPACK_GENERATOR DEB)
include(CPack)
