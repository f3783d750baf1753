# Sourced by the configuration dialog's end-to-end tests, after lib.sh and qw_start: runs the
# Windows-side dialog driver against the real saver.

QW_DIALOG_DRIVER="$QW_WINSIDE/dialog_driver/dialog_driver.exe"
[ -f "$QW_DIALOG_DRIVER" ] || qw_fail "dialog_driver.exe is not built ($QW_DIALOG_DRIVER)"

# qw_dialog_driver <timeout-seconds> <scenario args...>: runs the driver to its end, prints
# everything it reported, keeps it as an artifact, and fails the test if any check failed.
qw_dialog_driver() {
  local limit=$1
  shift
  local log="$QW_ARTIFACTS/driver-$1.log"
  local status=0
  timeout "$limit" wine "$QW_DIALOG_DRIVER" "$(winepath -w "$QW_SCR")" "$@" >"$log" 2>&1 ||
    status=$?
  tr -d '\r' <"$log"
  [ "$status" -ne 124 ] || qw_fail "dialog driver, scenario $1: timed out after $limit s"
  [ "$status" -eq 0 ] || qw_fail "dialog driver, scenario $1: exit status $status"
}
