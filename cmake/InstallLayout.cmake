# Where an installation keeps its parts, and the same places seen from bin/,
# which installed programs use to find them wherever the prefix is.
include_guard(DIRECTORY)
include(GNUInstallDirs)

set(AMPORA_INSTALL_LIBDIR "lib/ampora")
set(AMPORA_INSTALL_PLUGINDIR "${AMPORA_INSTALL_LIBDIR}/plugins")
set(AMPORA_INSTALL_BUNDLEDIR "${AMPORA_INSTALL_LIBDIR}/amporasettings.bundle")
set(AMPORA_INSTALL_THEMESDIR "${CMAKE_INSTALL_DATADIR}/ampora/themes")

file(RELATIVE_PATH AMPORA_PLUGINS_FROM_BIN "/p/${CMAKE_INSTALL_BINDIR}" "/p/${AMPORA_INSTALL_PLUGINDIR}")
file(RELATIVE_PATH AMPORA_THEMES_FROM_BIN "/p/${CMAKE_INSTALL_BINDIR}" "/p/${AMPORA_INSTALL_THEMESDIR}")
file(RELATIVE_PATH AMPORA_LIBDIR_FROM_BIN "/p/${CMAKE_INSTALL_BINDIR}" "/p/${AMPORA_INSTALL_LIBDIR}")
