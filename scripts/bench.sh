#!/usr/bin/env bash
# Builds and runs the benchmarks: the core's operations natively (Release), then the real
# main window's operations under Wine. Prints figures; asserts nothing about time.
#
#   scripts/bench.sh [--build-prefix PREFIX]
#
# builds in PREFIXnative and PREFIXwin64 (default build/bench-).
set -euo pipefail

cd "$(dirname "$0")/.."

build_prefix=build/bench-
while [ $# -gt 0 ]; do
    case "$1" in
        --build-prefix)
            [ $# -ge 2 ] || { echo "bench.sh: --build-prefix needs a value" >&2; exit 1; }
            build_prefix=$2
            shift 2
            ;;
        *)
            echo "usage: scripts/bench.sh [--build-prefix PREFIX]" >&2
            exit 1
            ;;
    esac
done

scripts/setup.sh
cmake -S . -B "${build_prefix}native" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "${build_prefix}native" -j 2 --target core_bench
cmake -S . -B "${build_prefix}win64" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$PWD/scripts/wine-runner.sh" >/dev/null
cmake --build "${build_prefix}win64" -j 2 --target window_bench

echo "== the core, natively (an in-memory table)"
"${build_prefix}native/bench/core_bench"
echo
echo "== the main window under Wine (the real list view)"
scripts/wine-runner.sh "${build_prefix}win64/bench/window_bench.exe" 2>&1 | grep -v '^wine' || true
