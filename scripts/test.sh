#!/usr/bin/env bash
# The project's test command. Installs what is missing, then builds and tests every
# configuration of CMakePresets.json: the portable tests natively, with ASan and UBSan, with
# clang (fuzz targets and their corpus replay), the 64-bit Windows build under Wine, and the
# release packages (scripts/package.sh, checked by scripts/check-package.sh: system DLLs only,
# the program started from the unpacked 64-bit zip in a fresh Wine prefix, a second build
# byte for byte the same). Also checks formatting and runs clang-tidy over the portable core.
# Release builds natively (tests and the core's benchmark) and of the window's benchmark keep
# both benchmarks and the optimiser's warnings in view. Ends with the summary line of every
# CTest run; exits non-zero if anything failed.
set -euo pipefail

cd "$(dirname "$0")/.."
root=$PWD
logs=$root/build/logs
mkdir -p "$logs"

scripts/setup.sh

status=()   # one "name: result" line per check
ctest_lines=()   # one "preset: CTest summary" line per test run
failed=0
total_tests=0
total_failed=0
started=$SECONDS

note() {
    printf '\n==> %s\n' "$*"
}

# run <name> <command...>: runs a step with its output on the console and in build/logs/<name>.log.
run() {
    local name=$1
    shift
    local t0=$SECONDS rc=0
    "$@" 2>&1 | tee "$logs/$name.log" || rc=$?
    if [ "$rc" -eq 0 ]; then
        status+=("$name: ok ($((SECONDS - t0)) s)")
    else
        status+=("$name: FAILED (see build/logs/$name.log)")
        failed=1
    fi
    return "$rc"
}

build() {
    local preset=$1
    note "configure and build: $preset"
    run "build-$preset" bash -c "cmake --preset $preset && cmake --build --preset $preset"
}

run_tests() {
    local preset=$1
    note "tests: $preset"
    local rc=0
    run "test-$preset" ctest --preset "$preset" || rc=$?
    local line
    line=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' \
        "$logs/test-$preset.log" | tail -n 1 || true)
    if [ -n "$line" ]; then
        ctest_lines+=("$preset: $line")
        local n f
        n=$(sed -E 's/.* out of ([0-9]+).*/\1/' <<<"$line")
        f=$(sed -E 's/.*, ([0-9]+) tests? failed.*/\1/' <<<"$line")
        total_tests=$((total_tests + n))
        total_failed=$((total_failed + f))
    else
        ctest_lines+=("$preset: CTest gave no summary (see build/logs/test-$preset.log)")
        failed=1
    fi
    return "$rc"
}

check_format() {
    local files dirs=() d
    for d in src tests bench; do
        [ -d "$d" ] && dirs+=("$d")
    done
    mapfile -t files < <(find "${dirs[@]}" -type f \
        \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.cc' \) | sort)
    echo "clang-format: ${#files[@]} files"
    [ ${#files[@]} -eq 0 ] || clang-format --dry-run --Werror "${files[@]}"
}

# Lints the portable core's sources as the native build compiles them.
check_tidy() {
    local db=build/native/compile_commands.json files
    [ -f "$db" ] || { echo "no $db"; return 1; }
    mapfile -t files < <(sed -nE 's/^ *"file": "(.*)",?$/\1/p' "$db" |
        grep -E "^$root/src/(library|locate|commands|cli)/[^/]+\.cpp$" | sort -u)
    echo "clang-tidy: ${#files[@]} files"
    [ ${#files[@]} -eq 0 ] ||
        printf '%s\n' "${files[@]}" | xargs -P 2 -n 4 clang-tidy -p build/native --quiet
}

note "format"
run format check_format || true

if build native; then
    run_tests native || true
    note "clang-tidy"
    run clang-tidy check_tidy || true
fi
# Release builds show what only the optimiser warns about, and keep both benchmarks building.
if build native-release; then run_tests native-release || true; fi
build bench-win64 || true
if build sanitize; then run_tests sanitize || true; fi
if build fuzz; then run_tests fuzz || true; fi
if build win64; then run_tests win64 || true; fi
note "release packages"
if run package scripts/package.sh; then
    note "release packages: check"
    run check-package scripts/check-package.sh || true
else
    status+=("check-package: not run (package failed)")
fi

note "summary ($((SECONDS - started)) s)"
printf '%s\n' "${status[@]}"
for preset in native native-release sanitize fuzz win64; do
    found=0
    for l in "${ctest_lines[@]}"; do
        [[ $l == "$preset: "* ]] && found=1
    done
    [ "$found" -eq 1 ] || { ctest_lines+=("$preset: not run (build failed)"); failed=1; }
done
printf '%s\n' "${ctest_lines[@]}"
passed=$((total_tests - total_failed))
percent=0
[ "$total_tests" -eq 0 ] || percent=$((passed * 100 / total_tests))
echo "all: ${percent}% tests passed, ${total_failed} tests failed out of ${total_tests}"
[ "$failed" -eq 0 ] && [ "$total_failed" -eq 0 ]
