# The Debian package of the saver for X11 and Wayland (`cpack -G DEB` in a native build folder):
# the program in xscreensaver's folder of programs, its settings description beside the other
# savers' ones, a link to it on the PATH and its manual page (both installed by program/) and, as
# Debian requires, a copyright file and a changelog. The version is the project's; the
# libraries it needs are worked out by dpkg-shlibdeps.
if(NOT TARGET quellwire)
  return()
endif()

include(GNUInstallDirs)
set(QW_DEB_DOC "${CMAKE_INSTALL_DATADIR}/doc/quellwire")
set(QW_DEB_MAINTAINER "Orvane Quellwire team <quellwire@orvane.example>")
string(TIMESTAMP QW_DEB_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${PROJECT_SOURCE_DIR}/resources/debian/changelog.in
               ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
execute_process(COMMAND gzip -9 -n -c ${PROJECT_BINARY_DIR}/debian/changelog
                OUTPUT_FILE ${PROJECT_BINARY_DIR}/debian/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${PROJECT_SOURCE_DIR}/resources/debian/copyright
              ${PROJECT_BINARY_DIR}/debian/changelog.gz
        DESTINATION ${QW_DEB_DOC})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quellwire)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${QW_DEB_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "OpenGL screen saver: a flock of glowing wires")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A flock of a few dozen to a few hundred glowing wires flies in and around
a slowly tumbling cube: each wire steers by its neighbours and leaves a fading
trail, and a soft coloured halo, made by blurring a small copy of the picture,
surrounds them all. The program runs under xscreensaver, which lists it with
its settings, or on its own in a window. On Wayland it covers every output as
a saver that an idle daemon such as swayidle starts, or draws a live wallpaper
on every output; on GNOME, quellwire-idle starts it after the session's idle
time.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QW_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_ENHANCES xscreensaver)
# libdecor draws the window's title bar (on GNOME) with its plugin.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS libdecor-0-plugin-1-cairo)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
