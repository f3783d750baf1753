# Sourced by the libraries of the tests that run real programs (tests/e2e/lib.sh, tests/x11/lib.sh,
# tests/wayland/lib.sh), after they define qw_cleanup: the cleanup runs however the test ends, and a
# test reports through qw_fail and qw_log under its QW_TEST_NAME.
trap qw_cleanup EXIT
trap 'exit 130' INT TERM

qw_fail() {
  echo "FAIL [$QW_TEST_NAME]: $*" >&2
  exit 1
}

qw_log() { echo "[$QW_TEST_NAME] $*"; }

# qw_poll <seconds> <command...>: runs the command every 0.2 s until it succeeds, for up to that
# long; fails when it never did. For effects that take their time on a busy machine.
qw_poll() {
  local tries=$(($1 * 5))
  until "${@:2}"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.2
  done
}
