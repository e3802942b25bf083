#!/usr/bin/env bash
# Builds and runs the benchmarks: the core's operations natively (Release), then the real
# main window's operations under Wine. Prints figures; asserts nothing about time.
set -euo pipefail

cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build/bench-native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench-native -j 2 --target core_bench
cmake -S . -B build/bench-win64 -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$PWD/scripts/wine-runner.sh" >/dev/null
cmake --build build/bench-win64 -j 2 --target window_bench

echo "== the core, natively (an in-memory table)"
build/bench-native/bench/core_bench
echo
echo "== the main window under Wine (the real list view)"
scripts/wine-runner.sh build/bench-win64/bench/window_bench.exe 2>&1 | grep -v '^wine' || true
