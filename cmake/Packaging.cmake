# The Debian package: `cpack -G DEB` in the build folder (or ./package.sh)
# writes lineara_VERSION_ARCH.deb from the install rules. The libraries it
# needs are found by dpkg-shlibdeps from the binaries themselves; only what
# no binary links to is named here by hand.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lineara)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Lineara developers")
set(CPACK_PACKAGE_CONTACT "The Lineara developers <maintainers@lineara.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/lineara/lineara")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "family-tree designer")
set(CPACK_PACKAGE_DESCRIPTION
  "Lineara draws family trees as boxes on a large, zoomable canvas. Each person\n"
  "is linked to a father, a mother and up to eight partners, with names, dates,\n"
  "places, pictures and notes, and the tree is saved in Lineara's own file\n"
  "(*.ln3). It reads and writes GEDCOM, arranges trees automatically, prints\n"
  "them over one or many pages, writes lists and checks for missing files.\n"
  "\n"
  "The package holds the desktop program lineara and the command-line tool\n"
  "lineara-tool, which does the same work on tree files without a window.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Box texts are measured in Liberation Serif and Sans so that trees look the
# same everywhere; fonts are not libraries, so dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
# The browser for the help is asked of xdg-utils; the others pick up the
# MIME type, the desktop entry and the icons (their triggers run on install);
# Qt's own translations make the file, colour, font and print dialogs speak
# the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
  "xdg-utils, shared-mime-info, desktop-file-utils, hicolor-icon-theme, qt6-translations-l10n")

include(CPack)
