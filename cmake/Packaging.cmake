# SPDX-License-Identifier: BSD-2-Clause
# Install rules and the Debian package: the three programs with their manual pages, the
# desktop entry, the AppStream metadata and the icons in their freedesktop places, and the
# copyright and changelog where Debian keeps them. `cmake --install build` installs them;
# `cmake --build build --target package` (or scripts/check-package, which also checks the
# package) makes the .deb in build/package.
set(SATTRAIL_APP_ID io.github.sattrail.sattrail)
set(SATTRAIL_MAINTAINER "Sattrail developers <developers@sattrail.org>")
set(SATTRAIL_HOMEPAGE https://github.com/sattrail/sattrail)
set(doc_dir ${CMAKE_INSTALL_DATAROOTDIR}/doc/${PROJECT_NAME})
set(made ${CMAKE_BINARY_DIR}/package-files)

install(TARGETS sattrail sattrail-sim sattrail-replay RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The package's programs are stripped as Debian strips them: debugging symbols and the
# compiler's comment and note sections out (CPack's own strip leaves the sections in).
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    foreach(program sattrail sattrail-sim sattrail-replay)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                              --strip-unneeded
                              \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\"
                      COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
  endif()")
install(FILES ${PROJECT_SOURCE_DIR}/data/${SATTRAIL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/${SATTRAIL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)

# Icons: a scalable one and PNGs from 16 to 256 pixels, all drawn by one script.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(icon_sizes 16 32 48 64 128 256)
set(icons ${made}/icons/hicolor/scalable/apps/sattrail.svg)
foreach(size IN LISTS icon_sizes)
  list(APPEND icons ${made}/icons/hicolor/${size}x${size}/apps/sattrail.png)
endforeach()
add_custom_command(OUTPUT ${icons}
                   COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/data/make-icon.py ${made}/icons
                   DEPENDS ${PROJECT_SOURCE_DIR}/data/make-icon.py
                   COMMENT "Drawing the icons")
install(DIRECTORY ${made}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons)

# Manual pages, written in scdoc's markup and compressed as Debian installs them.
find_program(SCDOC scdoc REQUIRED)
set(manual_pages)
foreach(program sattrail sattrail-sim sattrail-replay)
  set(source ${made}/man/${program}.1.scd)
  set(page ${made}/man/${program}.1.gz)
  configure_file(${PROJECT_SOURCE_DIR}/docs/man/${program}.1.scd ${source} @ONLY)
  add_custom_command(OUTPUT ${page}
                     COMMAND ${SCDOC} < ${source} | gzip -9n > ${page}
                     DEPENDS ${source}
                     COMMENT "Writing the manual page ${program}(1)")
  list(APPEND manual_pages ${page})
endforeach()
install(FILES ${manual_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The copyright in Debian's machine-readable format, with the licence of LICENSE, and the
# changelog made from CHANGELOG.md (a native package keeps it as changelog.gz).
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
string(REGEX REPLACE "^.*\n(Redistribution)" "\\1" licence "${licence}")
string(STRIP "${licence}" licence)
string(REPLACE "\n\n" "\n.\n" licence "${licence}")
string(REPLACE "\n" "\n " LICENCE_TEXT " ${licence}")
configure_file(${PROJECT_SOURCE_DIR}/data/copyright.in ${made}/copyright @ONLY)
install(FILES ${made}/copyright DESTINATION ${doc_dir})
add_custom_command(OUTPUT ${made}/changelog.gz
                   COMMAND sh ${PROJECT_SOURCE_DIR}/cmake/debian-changelog.sh
                           ${PROJECT_SOURCE_DIR}/CHANGELOG.md ${PROJECT_NAME} "${SATTRAIL_MAINTAINER}"
                           ${made}/changelog.gz
                   DEPENDS ${PROJECT_SOURCE_DIR}/CHANGELOG.md
                           ${PROJECT_SOURCE_DIR}/cmake/debian-changelog.sh
                   COMMENT "Writing the Debian changelog"
                   VERBATIM)
install(FILES ${made}/changelog.gz DESTINATION ${doc_dir})

add_custom_target(package_files ALL DEPENDS ${icons} ${manual_pages} ${made}/changelog.gz)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "Sattrail developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "monitor for an NMEA 0183 GPS receiver on a serial port")
# Debian's extended description: lines of at most 80 columns, kept as written here. CPack
# puts the summary above it as the synopsis.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Sattrail shows what a GPS receiver on a serial port reports: position, speed,
height, local time and date, fix mode, PDOP, a sky plot, a signal chart, the
sentence types received and a time-to-fix counter. It can send the receiver
hot, warm and cold starts and other command lines.
.
The package also holds sattrail-sim, a simulated receiver on a
pseudo-terminal, and sattrail-replay, which prints what the monitor would show
for a recorded capture.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${SATTRAIL_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${SATTRAIL_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
# The shared-library dependencies (Qt 6, the C and C++ runtimes) come from dpkg-shlibdeps;
# the window font is named by hand, since no library pulls it in.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "xdg-utils")
include(CPack)
