#!/usr/bin/env bash
# The WebAssembly build's simulation against the native one: quellwire-trace built both ways
# prints the same bytes for the trace tests' scenarios and for longer runs of every setting.
# Usage: trace_test.sh NATIVE_TRACE WASM_TRACE_JS
set -euo pipefail
native=$1
wasm=$2
[ -f "$wasm" ] || { echo "FAIL: no $wasm: build it with scripts/build web" >&2; exit 1; }
scenarios=(
  "--seed 7 --frames 3 --step-us 1000,2000 --quantity 0 --symmetry 1"
  "--seed 8 --frames 3 --step-us 1000,2000 --quantity 0 --symmetry 1"
  "--seed 7 --frames 1 --step-us 60000000 --quantity 0 --symmetry 1"
  "--seed 6 --frames 400 --step-us 16000,17000 --quantity 100 --size 50 --speed 100 --glow 1"
  "--seed 1 --frames 1500 --step-us 10000 --quantity 100 --size 100 --color 6"
  "--seed 4294967295 --frames 600 --step-us 1,59999000,33000 --quantity 37 --speed 0 --color 5 --width 1 --height 1"
  "--seed 123456 --frames 900 --step-us 10000 --quantity 64 --size 0 --speed 13 --glow 0 --color 2 --symmetry 1 --width 3840 --height 2160"
)
# Through pipes, as a user reads them (a slow reader must still get every byte).
for args in "${scenarios[@]}"; do
  # shellcheck disable=SC2086
  cmp -s <("$native" $args) <(node "$wasm" $args) ||
    { echo "FAIL: the traces differ for: $args" >&2; exit 1; }
done
echo "the WebAssembly trace matches the native one in ${#scenarios[@]} scenarios"
