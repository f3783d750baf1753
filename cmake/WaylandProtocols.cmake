# The Wayland protocols the saver and its test helpers speak, as C code generated at build time
# by wayland-scanner from the protocols' XML descriptions. xdg-shell, viewporter, fractional-scale,
# xdg-output and xdg-decoration come with Debian's wayland-protocols; the wlroots protocols (layer-shell, virtual
# pointer) are in no package meant for C, so they are taken from the one Debian package that
# ships them, the Rust crate package librust-wayland-protocols-dev (or from QW_WLR_PROTOCOLS_DIR).
#
# Sets QW_WAYLAND_FOUND when libwayland, wayland-egl, EGL, wayland-scanner and the saver's
# descriptions are there, and defines qw_wayland_protocols(<target> <protocol names...>); when
# something is missing, says what and leaves the Wayland saver out (quellwire then says so when
# asked to draw on Wayland).
set(QW_WAYLAND_FOUND OFF)
find_package(PkgConfig)
if(NOT PKG_CONFIG_FOUND)
  message(STATUS "Wayland saver not built: pkg-config missing")
  return()
endif()
pkg_check_modules(QW_WAYLAND IMPORTED_TARGET wayland-client wayland-egl egl)
pkg_check_modules(QW_WAYLAND_PROTOCOLS wayland-protocols)
find_program(QW_WAYLAND_SCANNER wayland-scanner)
if(NOT QW_WAYLAND_FOUND OR NOT QW_WAYLAND_PROTOCOLS_FOUND OR NOT QW_WAYLAND_SCANNER)
  set(QW_WAYLAND_FOUND OFF)
  message(STATUS "Wayland saver not built: libwayland, wayland-egl, EGL, wayland-protocols or "
                 "wayland-scanner missing (scripts/install-deps.sh installs them)")
  return()
endif()
pkg_get_variable(QW_WAYLAND_PROTOCOLS_DIR wayland-protocols pkgdatadir)

# The wlroots descriptions: the newest copy of the crate package's folder, unless one is named.
set(QW_WLR_PROTOCOLS_DIR "" CACHE PATH
    "Folder holding wlr-layer-shell-unstable-v1.xml and wlr-virtual-pointer-unstable-v1.xml")
set(wlr_dir "${QW_WLR_PROTOCOLS_DIR}")
if(NOT wlr_dir)
  file(GLOB wlr_candidates LIST_DIRECTORIES true
       /usr/share/cargo/registry/wayland-protocols-*/wlr-protocols/unstable)
  if(wlr_candidates)
    list(SORT wlr_candidates COMPARE NATURAL ORDER DESCENDING)
    list(GET wlr_candidates 0 wlr_dir)
  endif()
endif()
# Each protocol by the name its generated files take, and where its description is.
set(QW_PROTOCOL_xdg-shell "${QW_WAYLAND_PROTOCOLS_DIR}/stable/xdg-shell/xdg-shell.xml")
set(QW_PROTOCOL_viewporter "${QW_WAYLAND_PROTOCOLS_DIR}/stable/viewporter/viewporter.xml")
set(QW_PROTOCOL_fractional-scale-v1
    "${QW_WAYLAND_PROTOCOLS_DIR}/staging/fractional-scale/fractional-scale-v1.xml")
set(QW_PROTOCOL_xdg-output-unstable-v1
    "${QW_WAYLAND_PROTOCOLS_DIR}/unstable/xdg-output/xdg-output-unstable-v1.xml")
set(QW_PROTOCOL_xdg-decoration-unstable-v1
    "${QW_WAYLAND_PROTOCOLS_DIR}/unstable/xdg-decoration/xdg-decoration-unstable-v1.xml")
set(QW_PROTOCOL_wlr-layer-shell-unstable-v1 "${wlr_dir}/wlr-layer-shell-unstable-v1.xml")
foreach(name xdg-shell viewporter fractional-scale-v1 xdg-output-unstable-v1
             xdg-decoration-unstable-v1)
  if(NOT EXISTS "${QW_PROTOCOL_${name}}")
    message(STATUS "Wayland saver not built: ${QW_PROTOCOL_${name}} not found "
                   "(wayland-protocols too old?)")
    set(QW_WAYLAND_FOUND OFF)
    return()
  endif()
endforeach()
if(NOT EXISTS "${QW_PROTOCOL_wlr-layer-shell-unstable-v1}")
  message(STATUS
    "Wayland saver not built: wlr-layer-shell-unstable-v1.xml not found (looked in "
    "\"${wlr_dir}\"). It comes with Debian's package librust-wayland-protocols-dev "
    "(scripts/install-deps.sh installs it); or set QW_WLR_PROTOCOLS_DIR to a folder holding it.")
  set(QW_WAYLAND_FOUND OFF)
  return()
endif()
# Only the Wayland tests' pointer helper speaks virtual-pointer: without it they are left out.
if(EXISTS "${wlr_dir}/wlr-virtual-pointer-unstable-v1.xml")
  set(QW_PROTOCOL_wlr-virtual-pointer-unstable-v1
      "${wlr_dir}/wlr-virtual-pointer-unstable-v1.xml")
else()
  message(STATUS "Wayland tests on sway left out: wlr-virtual-pointer-unstable-v1.xml not found "
                 "in \"${wlr_dir}\"")
endif()
# KWin's fake-input protocol, for the tests' keys on KWin, comes with plasma-wayland-protocols.
find_file(QW_FAKE_INPUT_XML fake-input.xml PATHS /usr/share/plasma-wayland-protocols
          NO_DEFAULT_PATH)
if(QW_FAKE_INPUT_XML)
  set(QW_PROTOCOL_fake-input "${QW_FAKE_INPUT_XML}")
endif()
set(QW_WAYLAND_FOUND ON)

# qw_wayland_protocols(<target> <names...>): generates the client header (<name>-client.h, in
# the target's include path) and the interface code of each named protocol into the build tree
# and adds the code to the target.
function(qw_wayland_protocols target)
  set(out "${CMAKE_BINARY_DIR}/wayland-protocols")
  foreach(name ${ARGN})
    set(xml "${QW_PROTOCOL_${name}}")
    if(NOT xml)
      message(FATAL_ERROR "no Wayland protocol named ${name}")
    endif()
    if(NOT TARGET qw_protocol_${name})
      add_custom_command(
        OUTPUT ${out}/${name}-client.h ${out}/${name}-protocol.c
        COMMAND ${CMAKE_COMMAND} -E make_directory ${out}
        COMMAND ${QW_WAYLAND_SCANNER} client-header ${xml} ${out}/${name}-client.h
        COMMAND ${QW_WAYLAND_SCANNER} private-code ${xml} ${out}/${name}-protocol.c
        DEPENDS ${xml}
        COMMENT "wayland-scanner: ${name}"
        VERBATIM)
      add_library(qw_protocol_${name} STATIC ${out}/${name}-protocol.c ${out}/${name}-client.h)
      target_include_directories(qw_protocol_${name} PUBLIC ${out})
      target_link_libraries(qw_protocol_${name} PUBLIC PkgConfig::QW_WAYLAND)
      # Layer-shell's popups are xdg popups: its code names xdg-shell's interfaces.
      if(name STREQUAL "wlr-layer-shell-unstable-v1")
        qw_wayland_protocols(qw_protocol_${name} xdg-shell)
      endif()
    endif()
    target_link_libraries(${target} PRIVATE qw_protocol_${name})
  endforeach()
endfunction()
