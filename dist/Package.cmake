# The Debian package (cpack -G DEB in the build folder, or `make package`):
# kestova_<version>_<arch>.deb holding the installed tree under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestova)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Kestova)
set(CPACK_PACKAGE_CONTACT "Kestova developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "player for internet TV and radio stations")
set(CPACK_PACKAGE_DESCRIPTION [[
Kestova plays internet television and radio stations in one skinned window:
a search bar, a tree of stations, the player, five presets and the player
controls. Streams play inside the window; stations that are web pages show
in an embedded browser.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries the program and its web view module link come from
# dpkg-shlibdeps, and with the web engine's library its page process
# (libqt6webenginecore6-bin). Added by hand is what runs without being linked:
# the OpenGL drivers for video and pages, the desktop's browser opener, and the
# fonts the skin names.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1-mesa-dri, xdg-utils, fonts-liberation, fonts-dejavu-core")
include(CPack)
