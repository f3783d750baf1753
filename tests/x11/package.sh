#!/usr/bin/env bash
# The Debian package: cpack builds quellwire_<version>_amd64.deb with the project's version and
# the libraries dpkg-shlibdeps found (Xlib and GLX, libwayland and EGL); lintian finds neither
# error nor warning in it; dpkg -i puts the program and its description where xscreensaver
# looks, the program on the PATH and its manual page where man finds it; the xscreensaver daemon
# test passes with the installed program, named as users name it; dpkg -r leaves none of its
# files behind.
#
# It installs into this system, so it runs only as root, refuses to start when quellwire is
# already installed (as a package or otherwise), and removes its package whatever happens.
source "$(dirname "$0")/lib.sh"
: "${QW_BUILD_DIR:?the build folder}" "${QW_VERSION:?the version}"
[ "$(id -u)" -eq 0 ] || { qw_log "skipped: installing a package needs root"; exit 77; }
program=/usr/libexec/xscreensaver/quellwire
description=/usr/share/xscreensaver/config/quellwire.xml
on_path=/usr/bin/quellwire
manual=/usr/share/man/man6/quellwire.6.gz

if dpkg-query -W -f='${db:Status-Status}' quellwire 2>/dev/null | grep -qv '^not-installed$'; then
  qw_fail "a quellwire package is already installed; this test will not replace it (dpkg -r quellwire)"
fi
for path in "$program" "$description" "$on_path" "$manual"; do
  [ ! -e "$path" ] || qw_fail "$path exists; this test will not replace it"
done

installed=no
remove_package() {
  if [ "$installed" = yes ]; then
    dpkg --purge quellwire >/dev/null 2>&1 || echo "could not remove the quellwire package" >&2
  fi
}
trap 'status=$?; remove_package; (exit "$status"); qw_cleanup' EXIT

out="$qw_tmp/package"
cpack -G DEB --config "$QW_BUILD_DIR/CPackConfig.cmake" -B "$out" >"$qw_tmp/cpack.log" 2>&1 ||
  qw_fail "cpack failed: $(cat "$qw_tmp/cpack.log")"
deb="$out/quellwire_${QW_VERSION}_amd64.deb"
[ -f "$deb" ] || qw_fail "no $deb; cpack made: $(ls "$out")"
[ "$(dpkg-deb -f "$deb" Version)" = "$QW_VERSION" ] || qw_fail "wrong version: $(dpkg-deb -f "$deb" Version)"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libx11-6 libglx0 libwayland-client0 libwayland-egl1 libegl1; do
  grep -q "\b$library\b" <<<"$depends" || qw_fail "Depends lacks $library: $depends"
done
qw_log "$(basename "$deb"), Depends: $depends"

lintian --fail-on error,warning --display-info "$deb" >"$qw_tmp/lintian" 2>&1 ||
  qw_fail "lintian: $(cat "$qw_tmp/lintian")"
qw_log "lintian: $(grep -v 'running with root privileges' "$qw_tmp/lintian" || echo clean)"

installed=yes
dpkg -i "$deb" >"$qw_tmp/dpkg.log" 2>&1 || qw_fail "dpkg -i failed: $(cat "$qw_tmp/dpkg.log")"
for path in "$program" "$description" "$on_path" "$manual"; do
  dpkg -S "$path" 2>/dev/null | grep -q '^quellwire:' || qw_fail "the package did not install $path"
done
[ "$(command -v quellwire)" = "$on_path" ] && [ "$(man -w quellwire)" = "$manual" ] ||
  qw_fail "quellwire is $(command -v quellwire), its manual $(man -w quellwire 2>&1)"

QW_QUELLWIRE=$program QW_HACK=quellwire QW_TEST_NAME=package_daemon \
  bash "$(dirname "$0")/xscreensaver_daemon.sh" ||
  qw_fail "the daemon test failed with the installed program"

dpkg -r quellwire >"$qw_tmp/dpkg.log" 2>&1 || qw_fail "dpkg -r failed: $(cat "$qw_tmp/dpkg.log")"
installed=no
status=$(dpkg-query -W -f='${db:Status-Status}' quellwire 2>/dev/null || true)
[ -z "$status" ] || [ "$status" = not-installed ] || qw_fail "dpkg -r left it $status"
# Every path of the package is gone, except folders that other packages also own.
while read -r path; do
  path=${path#.}
  [ -n "$path" ] && [ "$path" != / ] || continue
  [ -e "$path" ] || continue
  [ -d "$path" ] && dpkg -S "$path" >/dev/null 2>&1 || qw_fail "left behind: $path"
done < <(dpkg-deb --fsys-tarfile "$deb" | tar -t)
qw_log "removed; nothing left behind"
