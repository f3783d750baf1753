# Sourced by the libraries of the tests that run real programs (tests/e2e/lib.sh,
# tests/x11/lib.sh), after they define qw_cleanup: the cleanup runs however the test ends, and a
# test reports through qw_fail and qw_log under its QW_TEST_NAME.
trap qw_cleanup EXIT
trap 'exit 130' INT TERM

qw_fail() {
  echo "FAIL [$QW_TEST_NAME]: $*" >&2
  exit 1
}

qw_log() { echo "[$QW_TEST_NAME] $*"; }
