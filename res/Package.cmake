# The Debian package, built from the install rules with `cpack -G DEB`.
set(CPACK_PACKAGE_NAME lumera)
set(CPACK_PACKAGE_VERSION ${LUMERA_FILE_VERSION})
set(CPACK_PACKAGE_VENDOR "${LUMERA_COMPANY_NAME}")
set(CPACK_PACKAGE_CONTACT "Lumera developers <lumera@orvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "shows a Bible verse at random each time it starts")
set(CPACK_PACKAGE_DESCRIPTION [=[
Lumera greets you with one Bible verse, chosen at random: a title, the
reference and the verse text, and a button that picks another. Its verse
editor lets you browse, change, add and delete verses.

Chosen from the menu, Lumera keeps its settings and verses in
~/.local/share/Lumera, which it fills with the bundled sample of
well-known verses on first use.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.orvane.example/)
# Library dependencies are read from the binary by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
# Qt's Wayland plugin, so that the program runs natively in a Wayland session
# (without it Qt falls back to X11 through Xwayland).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)

include(CPack)
