# Sourced by the Windows Installer package's end-to-end tests, after lib.sh and qw_start: the
# build's package, where it must put the saver and its uninstall entry, and helpers to install,
# read the registry's two views and read the package's tables (msiinfo, from msitools).
command -v msiinfo >/dev/null || qw_fail "msiinfo (msitools) is not installed"

QW_VERSION=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$QW_WIN_BUILD/CMakeCache.txt")
[ -n "$QW_VERSION" ] || qw_fail "no project version in $QW_WIN_BUILD/CMakeCache.txt"
QW_SOURCE_DIR="${QW_SOURCE_DIR:-$(cd "$(dirname "$0")/../.." && pwd)}"
QW_MAKE_MSI="$QW_SOURCE_DIR/cmake/make-msi.cmake"
# Both packages have this code, for good: it is how a newer package finds an installed one.
QW_UPGRADE_CODE="{AA981977-3E00-472A-ADE2-1173F91D7E57}"
QW_UNINSTALL_KEY='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

# The 64-bit package puts the saver into the 64-bit system folder and its entry into the 64-bit
# registry view; the 32-bit one into the 32-bit folder (syswow64 on 64-bit Windows) and view.
# Each installed saver is run by the path it has on 64-bit Windows, as an administrator names it
# there, with its own loader. (Wine's 32-bit loader does not follow the system folder's
# redirection when it is given a program's path: given system32 it cannot find the saver,
# c0000135.)
if [ "$QW_WIN_BITS" = 64 ]; then
  QW_MSI_ARCH=x64 QW_OTHER_MSI_ARCH=x86
  QW_SYSTEM_DIR="$WINEPREFIX/drive_c/windows/system32"
  QW_OTHER_SYSTEM_DIR="$WINEPREFIX/drive_c/windows/syswow64"
  QW_INSTALLED_WINE=$QW_WINE64
  QW_INSTALLED_SCR='C:\windows\system32\QuellwireGL.scr'
else
  QW_MSI_ARCH=x86 QW_OTHER_MSI_ARCH=x64
  QW_SYSTEM_DIR="$WINEPREFIX/drive_c/windows/syswow64"
  QW_OTHER_SYSTEM_DIR="$WINEPREFIX/drive_c/windows/system32"
  QW_INSTALLED_WINE=$QW_WINE32
  QW_INSTALLED_SCR='C:\windows\syswow64\QuellwireGL.scr'
fi
QW_MSI="$QW_WIN_BUILD/QuellwireGL-$QW_VERSION-$QW_MSI_ARCH.msi"
[ -f "$QW_MSI" ] || qw_fail "the package is not built ($QW_MSI)"
# The other architecture's package of the same version, from the other Windows build.
QW_OTHER_MSI="${QW_OTHER_WIN_BUILD:-}/QuellwireGL-$QW_VERSION-$QW_OTHER_MSI_ARCH.msi"

# qw_msiexec <args...>: runs msiexec to its end; prints its exit code as the shell sees it (1603,
# a failed installation, shows as 67).
qw_msiexec() {
  qw_run 180 msiexec "$@"
}

# qw_msi_rows <package> <table>: the table's rows, tab-separated, sorted, without msiinfo's three
# header lines. (msiinfo writes a table's binary columns as files into a folder named after the
# table, in the working folder: here the test's own.)
qw_msi_rows() {
  (cd "$qw_tmp" && msiinfo export "$1" "$2") 2>>"$qw_tmp/wine.out" | tr -d '\r' | tail -n +4 |
    LC_ALL=C sort || qw_fail "msiinfo could not export table $2 of $1"
}

# qw_msi_property <package> <name>
qw_msi_property() {
  qw_msi_rows "$1" Property | awk -F '\t' -v name="$2" '$1 == name { print $2 }'
}

# qw_entries: every uninstall entry named Quellwire in either registry view, one a line:
# "<view> <product code> <name>|<version>|<publisher>".
qw_entries() {
  local view key
  for view in 64 32; do
    for key in $(wine reg query "$QW_UNINSTALL_KEY" "/reg:$view" 2>>"$qw_tmp/wine.out" |
      tr -d '\r' | grep -o '\\{[0-9A-F-]*}$' | tr -d '\\'); do
      wine reg query "$QW_UNINSTALL_KEY\\$key" "/reg:$view" 2>>"$qw_tmp/wine.out" | tr -d '\r' |
        awk -v view="$view" -v key="$key" '
          { name = $1; sub(/^ *[^ ]+ +REG_[A-Z_]+ +/, ""); value[name] = $0 }
          END { if (value["DisplayName"] ~ /Quellwire/)
                  print view, key, value["DisplayName"] "|" value["DisplayVersion"] "|" \
                    value["Publisher"] }'
    done
  done
}

# qw_drive_files: every file on the prefix's C: drive, one a line.
qw_drive_files() {
  (cd "$WINEPREFIX/drive_c" && find . -type f | LC_ALL=C sort)
}

# qw_user_settings: everything in HKEY_CURRENT_USER, as `reg export` writes it.
qw_user_settings() {
  local out="$qw_tmp/hkcu-$RANDOM.reg"
  wine reg export HKCU "$(qw_winpath "$out")" /y >>"$qw_tmp/wine.out" 2>&1 ||
    qw_fail "could not export HKEY_CURRENT_USER"
  iconv -f UTF-16 -t UTF-8 "$out" | tr -d '\r'
}
