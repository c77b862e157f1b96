# The Debian package: what `cmake --install` lays out, under /usr. Its
# Depends come from dpkg-shlibdeps over the installed programs and libraries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ampora)
set(CPACK_PACKAGE_VENDOR "The Ampora developers")
set(CPACK_PACKAGE_CONTACT "Ampora developers <maintainers@users.noreply.c-seed-6266c244.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "battery icon drawn by a theme of your choice")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Ampora shows the battery level as an image drawn by a theme: a short
JavaScript function that paints on a 2D canvas. It puts the icon in any
tray that speaks StatusNotifierItem, writes it as a PNG for bars that show
an image, and comes with a settings window to pick themes, colors, levels,
mirroring and profiles, with previews drawn by the same themes.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# The revision of the packaging, as in changelog.Debian.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The platform library lives in the package's own folder; dpkg-shlibdeps
# finds it there instead of asking for a package that provides it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "usr/lib/ampora")
# Fonts are no library, so dpkg-shlibdeps cannot see them: themes name
# Helvetica, which our font configuration maps onto Liberation Sans.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_STRIP_FILES TRUE)
# Only what a person installs: no test or benchmark programs.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};Ampora;ALL;/")
# The one file in /etc is the autostart entry, which a person may edit.
file(WRITE ${CMAKE_BINARY_DIR}/debian-control/conffiles "/etc/xdg/autostart/ampora-statusbar.desktop\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian-control/conffiles)
include(CPack)
