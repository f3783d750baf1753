#!/usr/bin/env bash
# quellwire builds where one display system's libraries are missing, each hidden from CMake as a
# machine without it would have it: without X11 (Xlib) it is the Wayland saver, without Wayland
# (no pkg-config files, or no layer-shell description) the X11 one, and without either it is
# not built. Configuring says what is missing; the program says what it cannot draw on.
set -euo pipefail
: "${QW_SOURCE_DIR:?the source folder}" "${QW_BUILD_DIR:?the build folder}"
nothing=$(mktemp -d)
trap 'rm -rf "$nothing"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# configure <name> <expected message> <cmake arguments...>: a build folder of its own.
configure() {
  local name=$1 expected=$2
  shift 2
  dir="$QW_BUILD_DIR/reduced/$name"
  cmake -S "$QW_SOURCE_DIR" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=OFF "$@" >"$dir.log" 2>&1 || fail "$name: configuring failed: $(cat "$dir.log")"
  grep -q -- "$expected" "$dir.log" || fail "$name: configuring did not say \"$expected\""
}
# refuses <name> <message> <option>: built, asked for what it lacks, ends with 1 and says so.
refuses() {
  local name=$1 message=$2 option=$3 status=0
  cmake --build "$dir" --target quellwire >"$dir.build.log" 2>&1 ||
    fail "$name: building failed: $(tail -20 "$dir.build.log")"
  "$dir/x11/quellwire" "$option" -frames 1 2>"$dir.err" || status=$?
  [ "$status" -eq 1 ] && grep -q "$message" "$dir.err" ||
    fail "$name: ended with $status: $(cat "$dir.err")"
  echo "$name: $(cat "$dir.err")"
}
links() { readelf -d "$dir/x11/quellwire" | grep -q "NEEDED.*$1"; }

mkdir -p "$QW_BUILD_DIR/reduced"
configure no-x11 "built for Wayland only: Xlib or GLX" -DCMAKE_DISABLE_FIND_PACKAGE_X11=ON
refuses no-x11 "cannot draw on X11 (built without Xlib and GLX)" -x11
links libwayland-client && ! links libX11 || fail "no-x11: wrong libraries"

PKG_CONFIG_LIBDIR=$nothing configure no-wayland "Wayland saver not built: libwayland"
refuses no-wayland "cannot draw on Wayland" -wayland
links libX11 && ! links libwayland-client || fail "no-wayland: wrong libraries"

configure no-layer-shell "wlr-layer-shell-unstable-v1.xml not found" \
  -DQW_WLR_PROTOCOLS_DIR="$nothing"
refuses no-layer-shell "cannot draw on Wayland" -wayland

PKG_CONFIG_LIBDIR=$nothing configure neither "quellwire not built: neither X11" \
  -DCMAKE_DISABLE_FIND_PACKAGE_X11=ON
[ ! -e "$dir/build.ninja" ] || ! grep -q "x11/quellwire:" "$dir/build.ninja" ||
  fail "neither: quellwire is built"
