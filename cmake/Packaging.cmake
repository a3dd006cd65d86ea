# SPDX-License-Identifier: BSD-2-Clause
# Install rules and the Debian package: the three programs, the desktop entry and the icon
# in their freedesktop places. `cmake --install build` installs them; `cmake --build build
# --target package` (or scripts/check-package) makes the .deb.
install(TARGETS sattrail sattrail-sim sattrail-replay RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/sattrail.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/sattrail.png
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/32x32/apps)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sattrail)
set(CPACK_PACKAGE_VENDOR "Sattrail developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop monitor for an NMEA 0183 GPS receiver")
set(CPACK_PACKAGE_DESCRIPTION
    "Sattrail shows what a GPS receiver on a serial port reports: position, speed, height, \
local time and date, fix mode, PDOP, a sky plot, a signal chart, the sentence types \
received and a time-to-fix counter. It can send the receiver hot, warm and cold starts \
and other command lines. The package also holds sattrail-sim, a simulated receiver on a \
pseudo-terminal, and sattrail-replay, which prints what the monitor would show for a \
recorded capture.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Sattrail developers <sattrail@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The shared-library dependencies (Qt 6, the C and C++ runtimes) come from dpkg-shlibdeps;
# the window font is named by hand, since no library pulls it in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xdg-utils")
include(CPack)
