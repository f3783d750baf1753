#!/usr/bin/env bash
# Installs, from Debian's packages, everything needed to build Quellwire and run its tests:
# the native toolchain and test libraries, Xlib and GLX for the X11 back end, the MinGW-w64 cross
# compilers for the Windows build (and wixl for its Windows Installer packages, msitools to read
# them), Wine (64- and 32-bit, with 32-bit Mesa for the 32-bit saver's
# OpenGL) with a virtual X display for running the real saver (and wrestool, from icoutils, to
# read resources out of it), clang with libFuzzer for the fuzz targets, clang-format for the
# layout check, Debian's xscreensaver daemon (and its GL hacks, which bring the daemon's GL visual
# chooser and the peers scripts/bench measures) and lintian for the Debian package, the X11
# lockers and idle tools the saver is tested and documented with (xsecurelock, xss-lock,
# xautolock; xsetroot and xrdb from x11-xserver-utils). For the
# Wayland saver: libwayland and EGL, wayland-scanner and the protocol descriptions (the
# layer-shell and virtual-pointer ones come in the Rust crate package, the only Debian package
# holding them), libdecor (and its plugin) for the window's own decorations, sd-bus (libsystemd)
# for quellwire-idle, and for its tests headless sway and weston, swayidle, swaylock, grim and
# wtype, KWin (with its Breeze decorations, the lock screen's Qt Wayland plugin and
# plasma-wayland-protocols for its fake input) and Mutter with PipeWire,
# GStreamer and GObject's Python bindings for its remote-desktop input and screenshots. For the
# web page: emscripten, ImageMagick (its icons and preview), and Debian's Chromium with
# puppeteer-core and Lighthouse (from npm, the versions tests/web/package-lock.json names; they
# download no browser) for its tests and benchmark. Quick when
# everything is there: it asks apt only for what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev googletest libbenchmark-dev
  libosmesa6-dev libglu1-mesa-dev libgl1-mesa-dri libpng-dev
  libx11-dev libgl-dev libglx-dev libglx-mesa0 python3
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 binutils-mingw-w64-x86-64
  wixl msitools
  wine wine64 xvfb xauth x11-utils xdotool imagemagick icoutils
  clang libclang-rt-14-dev clang-format
  xscreensaver xscreensaver-data xscreensaver-gl lintian
  xsecurelock xss-lock xautolock x11-xserver-utils
  libwayland-dev libwayland-bin wayland-protocols librust-wayland-protocols-dev
  libegl-dev libegl-mesa0 sway swayidle swaylock grim wtype weston
  libdecor-0-dev libdecor-0-plugin-1-cairo libsystemd-dev
  kwin-wayland kwin-style-breeze qtwayland5 plasma-wayland-protocols dbus wayland-utils
  mutter pipewire wireplumber gstreamer1.0-tools gstreamer1.0-pipewire gstreamer1.0-plugins-good
  python3-gi gir1.2-glib-2.0
  emscripten chromium
  wine32:i386 libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  # The 32-bit Wine and Mesa packages come from the i386 architecture.
  if [ "$(dpkg --print-architecture)" != i386 ] &&
      ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# npm comes with the machine's Node.js; Debian's when there is none.
if ! command -v npm >/dev/null; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends npm
fi
if [ ! -f tests/web/node_modules/puppeteer-core/package.json ] ||
   [ ! -f tests/web/node_modules/lighthouse/package.json ]; then
  npm ci --prefix tests/web --no-audit --no-fund --loglevel=error
fi
