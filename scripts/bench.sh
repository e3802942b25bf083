#!/usr/bin/env bash
# Builds and runs the benchmarks: the core's operations natively, then the real main window's
# operations under Wine, both in the Release builds of the presets native-release and
# bench-win64 (which the test command builds too, so neither breaks unseen). Prints figures;
# asserts nothing about time. Arguments go to the window's benchmark (parts to run: 1221,
# 20000, damaged; all when none is given).
#
#   scripts/bench.sh [PART...]
set -euo pipefail

cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset native-release >/dev/null
cmake --build --preset native-release --target core_bench
cmake --preset bench-win64 >/dev/null
cmake --build --preset bench-win64

echo "== the core, natively (an in-memory table)"
build/native-release/bench/core_bench
echo
echo "== the main window under Wine (the real list view)"
scripts/wine-runner.sh build/bench-win64/bench/window_bench.exe "$@" 2>&1 | grep -v '^wine' || true
