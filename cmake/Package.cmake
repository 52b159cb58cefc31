# The Debian package: `cpack -G DEB` in a build folder (scripts/package does
# the whole build). Installs under /usr; the library dependencies are found
# by dpkg-shlibdeps (from dpkg-dev).
set(CPACK_PACKAGE_NAME quillmark)
set(CPACK_PACKAGE_VENDOR "Fernwise")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "personal list keeper with check boxes, prices and dates")
set(CPACK_PACKAGE_CONTACT "Fernwise <quillmark@fernwise.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The view asks for DejaVu Sans first; the help page opens in the browser;
# Qt's translations put the standard dialog buttons in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, xdg-utils, qt6-translations-l10n")
# The extended description under the summary line; CPack indents it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Quillmark keeps any number of named lists, each with its own icon. Every
list holds items with a name, a description, a price, an optional date and
time, an icon and a done mark. One small window shows all lists as a tree
with check boxes, one list as a table with the total of its prices, or one
item's details.

Lists can be exported to and imported from comma-separated files, and items
handed over to a calendar or task list as iCalendar events or to-dos.")

include(CPack)
