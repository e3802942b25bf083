#!/usr/bin/env bash
# Builds the release packages: the 32-bit and the 64-bit program in their release
# configurations (CMake presets release-win32 and release-win64, for Windows XP SP3 and later:
# cmake/mingw-*-xp.cmake), each zipped with embtool, the user guide, the licence and the code
# table (Debian's Wubi dictionary, unchanged, with its licence and copyright notice), and
# SHA256SUMS over both zips.
#
#   scripts/package.sh [--build-prefix PREFIX] [--dist DIR]
#
# builds in PREFIXwin32 and PREFIXwin64 (default build/release-) and writes to DIR (default
# dist/):  NAME-VERSION-win32.zip  NAME-VERSION-win64.zip  SHA256SUMS
# NAME and VERSION come from the configured build (generated/Version.h), which takes them from
# the top-level CMakeLists.txt. A zip's entries carry the time of the last commit (or
# SOURCE_DATE_EPOCH when set), so two runs on one commit give the same bytes.
set -euo pipefail

cd "$(dirname "$0")/.."
root=$PWD

die() {
    echo "package.sh: $*" >&2
    exit 1
}

build_prefix=build/release-
dist=dist
# The code table's licence, the LGPL with the GPL whose terms it takes in, and its copyright
# notice, as Debian gives them (base-files and rime-data-wubi).
code_table_licence=(/usr/share/common-licenses/LGPL-3 /usr/share/common-licenses/GPL-3)
code_table_copyright=/usr/share/doc/rime-data-wubi/copyright
while [ $# -gt 0 ]; do
    case "$1" in
        --build-prefix)
            [ $# -ge 2 ] || die "--build-prefix needs a value"
            build_prefix=$2
            shift 2
            ;;
        --dist)
            [ $# -ge 2 ] || die "--dist needs a value"
            dist=$2
            shift 2
            ;;
        *) die "usage: scripts/package.sh [--build-prefix PREFIX] [--dist DIR]" ;;
    esac
done

scripts/setup.sh

# Debian's python3 (setup.sh installs it) writes the zips: their bytes depend on the zlib that
# compresses them, so the packages are made with the system's, not with whatever python3
# comes first on the PATH.
python=/usr/bin/python3
[ -x "$python" ] || die "no $python (run scripts/setup.sh)"

if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    epoch=$SOURCE_DATE_EPOCH
    epoch_from="SOURCE_DATE_EPOCH"
elif epoch=$(git -C "$root" log -1 --format=%ct 2>/dev/null) && [ -n "$epoch" ]; then
    epoch_from="the last commit"
else
    # Not a git checkout: a constant still gives every build of these sources the same bytes.
    epoch=315532800
    epoch_from="no commit found; 1980-01-01"
fi
[[ $epoch =~ ^[0-9]+$ ]] || die "bad entry time '$epoch' ($epoch_from)"

# Prints the value of a string #define of the generated Version.h.
version_field() {
    local value
    value=$(sed -nE "s/^#define $2 \"(.*)\"$/\\1/p" "$1")
    [ -n "$value" ] || die "no $2 in $1"
    printf '%s\n' "$value"
}

mkdir -p "$dist"
dist=$(realpath "$dist")
zips=()
for arch in win32 win64; do
    bin=$build_prefix$arch
    echo "package.sh: configure and build release-$arch in $bin"
    cmake --preset "release-$arch" -B "$bin" >/dev/null
    cmake --build "$bin" --target wordmaint embtool

    header=$bin/generated/Version.h
    [ -f "$header" ] || die "no $header after configuring $bin"
    name=$(version_field "$header" WORDMAINT_PRODUCT_NAME)
    version=$(version_field "$header" WORDMAINT_VERSION)
    exe_name=$(version_field "$header" WORDMAINT_EXE_NAME)
    program=$bin/src/app/$exe_name
    embtool=$bin/src/cli/embtool.exe
    code_table=$bin/src/app/wubi86.dict.yaml
    [ -f "$program" ] || die "the build made no $program"
    [ -f "$embtool" ] || die "the build made no $embtool"
    [ -f "$code_table" ] || die "the build put no $code_table beside the program"

    package=$name-$version-$arch
    stage=$bin/package/$package
    rm -rf "$bin/package"
    mkdir -p "$stage"
    cp "$program" "$embtool" "$stage/"
    cp docs/用户说明.txt "$stage/"
    # CRLF line ends, so that Notepad shows the licence as it reads here.
    sed 's/\r*$/\r/' LICENSE >"$stage/LICENSE.txt"
    # A separate file the user may replace with another edition's dictionary.
    cp "$code_table" "$stage/"
    cat "${code_table_licence[0]}" <(echo) "${code_table_licence[1]}" | sed 's/\r*$/\r/' \
        >"$stage/wubi86-LICENSE.txt"
    sed 's/\r*$/\r/' "$code_table_copyright" >"$stage/wubi86-copyright.txt"

    "$python" scripts/make-zip.py --date "$epoch" "$dist/$package.zip" "$stage"
    zips+=("$package.zip")
done

(cd "$dist" && sha256sum -- "${zips[@]}" >SHA256SUMS.partial && mv SHA256SUMS.partial SHA256SUMS)

echo "package.sh: entry time $(date -u -d "@$epoch" '+%Y-%m-%d %H:%M:%S') UTC ($epoch_from)"
echo "package.sh: wrote to $dist:"
(cd "$dist" && ls -l -- "${zips[@]}" SHA256SUMS && cat SHA256SUMS)
