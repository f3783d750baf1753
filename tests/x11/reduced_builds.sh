#!/usr/bin/env bash
# quellwire where a display system's libraries are missing, each hidden from CMake: configuring
# says what is missing, and the program asked for that display system says so and ends with 1.
# The Wayland-only build is also the one without libdecor (the window then decorated only by
# compositors that draw decorations).
set -euo pipefail
: "${QW_SOURCE_DIR:?the source folder}" "${QW_BUILD_DIR:?the build folder}"
nothing=$(mktemp -d)
trap 'rm -rf "$nothing"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# check <name> <what configuring says> <option> <what the program says> <cmake arguments...>;
# without an option, quellwire must not be built.
check() {
  local name=$1 configured=$2 option=$3 refusal=$4 dir="$QW_BUILD_DIR/reduced/$1" status=0
  shift 4
  cmake -S "$QW_SOURCE_DIR" -B "$dir" -G Ninja -DBUILD_TESTING=OFF "$@" >"$dir.log" 2>&1 &&
    grep -q -- "$configured" "$dir.log" || fail "$name: configuring: $(cat "$dir.log")"
  if [ -z "$option" ]; then
    ! grep -q "program/quellwire:" "$dir/build.ninja" || fail "$name: quellwire is built"
    return
  fi
  cmake --build "$dir" --target quellwire >"$dir.log" 2>&1 || fail "$name: $(tail "$dir.log")"
  "$dir/program/quellwire" "$option" -frames 1 2>"$dir.err" || status=$?
  [ "$status" -eq 1 ] && grep -q "$refusal" "$dir.err" || fail "$name: $status, $(cat "$dir.err")"
  echo "$name: $(cat "$dir.err")"
}

mkdir -p "$QW_BUILD_DIR/reduced"
# The Wayland-only build is made without libdecor too: pkg-config sees every package but it.
no_libdecor="$nothing/no-libdecor"
mkdir "$no_libdecor"
for folder in $(pkg-config --variable pc_path pkg-config | tr : ' '); do
  for pc in "$folder"/*.pc; do
    case $(basename "$pc") in
      libdecor* | '*.pc') ;;
      *) ln -sf "$pc" "$no_libdecor/" ;;
    esac
  done
done
PKG_CONFIG_LIBDIR=$no_libdecor check no-x11 "built for Wayland only: Xlib or GLX" -x11 \
  "cannot draw on X11 (built without Xlib" -DCMAKE_DISABLE_FIND_PACKAGE_X11=ON
PKG_CONFIG_LIBDIR=$nothing check no-wayland "Wayland saver not built: libwayland" -wayland \
  "cannot draw on Wayland"
check no-layer-shell "wlr-layer-shell-unstable-v1.xml not found" -wayland "cannot draw on Wayland" \
  -DQW_WLR_PROTOCOLS_DIR="$nothing"
PKG_CONFIG_LIBDIR=$nothing check neither "quellwire not built: neither X11" "" "" \
  -DCMAKE_DISABLE_FIND_PACKAGE_X11=ON
