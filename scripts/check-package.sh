#!/usr/bin/env bash
# Checks the release packages that scripts/package.sh wrote to dist/:
#
#   contents      SHA256SUMS matches; each zip holds exactly the program, embtool, the user guide,
#                 the licence, and the code table (Debian's wubi86.dict.yaml, unchanged) with its
#                 licence and copyright notice, in one top folder, with UTF-8 names
#   executables   each exe is stripped, has no link time stamp and no checkout path, is built
#                 for its zip's architecture, and imports system DLLs only (none of MinGW's
#                 runtime DLLs); the DLLs are listed. Each also starts on Windows XP SP3 (the
#                 64-bit one on XP x64): no DLL or function that came with a later Windows is
#                 imported, and the PE header asks for no newer subsystem
#   fresh-prefix  the 64-bit zip unpacked into a brand-new Wine prefix: the program starts from
#                 there and its main window appears, then it is closed and must exit with 0;
#                 embtool runs there too
#   reproducible  both packages built a second time from scratch in other build folders
#                 (build/repro-* by default) must be byte for byte the same
#
#   scripts/check-package.sh [--build-prefix PREFIX] [--dist DIR] [--repro-prefix PREFIX]
#
# checks the packages in DIR (default dist/) that package.sh built in PREFIXwin32 and PREFIXwin64
# (default build/release-), and builds the second time in PREFIXwin32, PREFIXwin64 and PREFIXdist
# of --repro-prefix (default build/repro-); the same options as package.sh's.
# Prints the time each check took. Exits non-zero on the first failure.
set -euo pipefail

cd "$(dirname "$0")/.."
root=$PWD

die() {
    echo "check-package: FAILED: $*" >&2
    exit 1
}

build_prefix=build/release-
dist=dist
repro_prefix=build/repro-
while [ $# -gt 0 ]; do
    case "$1" in
        --build-prefix | --dist | --repro-prefix)
            [ $# -ge 2 ] || die "$1 needs a value"
            case "$1" in
                --build-prefix) build_prefix=$2 ;;
                --dist) dist=$2 ;;
                --repro-prefix) repro_prefix=$2 ;;
            esac
            shift 2
            ;;
        *) die "usage: scripts/check-package.sh [--build-prefix PREFIX] [--dist DIR] [--repro-prefix PREFIX]" ;;
    esac
done

say() {
    echo "check-package: $*"
}

python=/usr/bin/python3
[ -x "$python" ] || die "no $python (run scripts/setup.sh)"
command -v unzip >/dev/null || die "no unzip (run scripts/setup.sh)"
# unzip writes the zips' UTF-8 names as they are only under a UTF-8 locale.
export LC_ALL=C.UTF-8

times=()
step_started=$SECONDS
step_name=""
begin() {
    step_name=$1
    step_started=$SECONDS
    printf '\n==> check-package: %s\n' "$step_name"
}
end() {
    times+=("$(printf '%-13s %4d s' "$step_name" $((SECONDS - step_started)))")
}

work=$(mktemp -d "${TMPDIR:-/tmp}/wordmaint-package-check.XXXXXX")
session=$work/session
program_pid=""
cleanup() {
    cd "$root"
    if [ -d "$session" ]; then
        TMPDIR=$work scripts/wine-runner.sh --stop-session "$session" || true
    fi
    if [ -n "$program_pid" ]; then
        wait "$program_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
trap 'echo "check-package: FAILED: line $LINENO: $BASH_COMMAND" >&2' ERR

# Name and version as the configured release build has them from the top-level CMakeLists.txt.
header=${build_prefix}win64/generated/Version.h
[ -f "$header" ] || die "no $header: run scripts/package.sh first"
version_field() {
    local value
    value=$(sed -nE "s/^#define $1 \"(.*)\"$/\\1/p" "$header")
    [ -n "$value" ] || die "no $1 in $header"
    printf '%s\n' "$value"
}
name=$(version_field WORDMAINT_PRODUCT_NAME)
version=$(version_field WORDMAINT_VERSION)
exe_name=$(version_field WORDMAINT_EXE_NAME)
caption=$(version_field WORDMAINT_MAIN_CAPTION)

archs=(win32 win64)
zip_of() {
    printf '%s\n' "$dist/$name-$version-$1.zip"
}

# ---------------------------------------------------------------------------------------------
begin contents
for arch in "${archs[@]}"; do
    [ -f "$(zip_of "$arch")" ] || die "no $(zip_of "$arch"): run scripts/package.sh first"
done
[ -f "$dist/SHA256SUMS" ] || die "no $dist/SHA256SUMS"
listed=$(sed -E 's/^[0-9a-f]{64}  //' "$dist/SHA256SUMS")
expected=$(printf '%s\n' "$name-$version-win32.zip" "$name-$version-win64.zip")
[ "$listed" = "$expected" ] ||
    die "SHA256SUMS lists"$'\n'"$listed"$'\n'"instead of"$'\n'"$expected"
(cd "$dist" && sha256sum --check --strict SHA256SUMS) || die "SHA256SUMS does not match the zips"

for arch in "${archs[@]}"; do
    zip=$(zip_of "$arch")
    top=$name-$version-$arch
    say "$zip:"
    unzip -l "$zip"
    unzip -tq "$zip" >/dev/null || die "$zip is damaged"
    want=$(printf '%s\n' "$top/" "$top/LICENSE.txt" "$top/embtool.exe" "$top/$exe_name" \
        "$top/用户说明.txt" "$top/wubi86.dict.yaml" "$top/wubi86-LICENSE.txt" \
        "$top/wubi86-copyright.txt" | sort)
    have=$(unzip -Z1 "$zip" | sort)
    [ "$have" = "$want" ] || die "$zip holds"$'\n'"$have"$'\n'"instead of"$'\n'"$want"
    # Windows takes a name as UTF-8 only when the entry says so; otherwise it reads the bytes in
    # the local code page and the Chinese names come out garbled.
    "$python" - "$zip" <<'EOF' || die "$zip has a non-ASCII name without the UTF-8 flag"
import sys, zipfile
bad = [i.filename for i in zipfile.ZipFile(sys.argv[1]).infolist()
       if not i.filename.isascii() and not i.flag_bits & 0x800]
print("\n".join(bad), file=sys.stderr)
sys.exit(1 if bad else 0)
EOF
    unzip -q "$zip" -d "$work/$arch"
    cmp docs/用户说明.txt "$work/$arch/$top/用户说明.txt" || die "$zip: the user guide differs"
    sed 's/\r*$/\r/' LICENSE | cmp - "$work/$arch/$top/LICENSE.txt" ||
        die "$zip: LICENSE.txt is not LICENSE with CRLF line ends"
    cmp /usr/share/rime-data/wubi86.dict.yaml "$work/$arch/$top/wubi86.dict.yaml" ||
        die "$zip: wubi86.dict.yaml is not rime-data-wubi's"
    cat /usr/share/common-licenses/LGPL-3 <(echo) /usr/share/common-licenses/GPL-3 |
        sed 's/\r*$/\r/' | cmp - "$work/$arch/$top/wubi86-LICENSE.txt" ||
        die "$zip: wubi86-LICENSE.txt is not the LGPL-3 and the GPL-3 with CRLF line ends"
    sed 's/\r*$/\r/' /usr/share/doc/rime-data-wubi/copyright |
        cmp - "$work/$arch/$top/wubi86-copyright.txt" ||
        die "$zip: wubi86-copyright.txt is not rime-data-wubi's copyright notice"
done
end

# ---------------------------------------------------------------------------------------------
begin executables
# DLLs every Windows has. Anything else, MinGW's libstdc++-6.dll, libgcc_s_*.dll and
# libwinpthread-1.dll above all, would be missing on a user's machine.
system_dlls='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|advapi32|ole32|oleaut32|shlwapi|uxtheme|version|msvcrt|ucrtbase|ntdll|imm32|winmm|ws2_32|bcrypt|crypt32|rpcrt4|api-ms-win-[a-z0-9-]+)\.dll$'

# check_imports <objdump> <exe>: lists the exe's DLLs; fails when one is not a system DLL.
check_imports() {
    local dlls dll bad=()
    dlls=$("$1" -p "$2" | sed -nE 's/^[[:space:]]*DLL Name: //p')
    [ -n "$dlls" ] || { echo "  no imports found in $2" >&2; return 1; }
    echo "  $(basename "$2"): $(tr '\n' ' ' <<<"$dlls")"
    while read -r dll; do
        tr '[:upper:]' '[:lower:]' <<<"$dll" | grep -qE "$system_dlls" || bad+=("$dll")
    done <<<"$dlls"
    if [ ${#bad[@]} -gt 0 ]; then
        echo "  $(basename "$2") needs DLLs that are not part of Windows: ${bad[*]}" >&2
        return 1
    fi
}

# The import check must tell a dynamically linked program apart: one linked against MinGW's
# runtime DLLs has to fail it.
printf '#include <iostream>\n#include <string>\nint main() { std::cout << std::string("x"); }\n' \
    >"$work/dynamic.cpp"
x86_64-w64-mingw32-g++-posix "$work/dynamic.cpp" -o "$work/dynamic.exe"
if check_imports x86_64-w64-mingw32-objdump "$work/dynamic.exe" >/dev/null 2>"$work/dynamic.txt" ||
    ! grep -q 'not part of Windows: .*libstdc++-6\.dll' "$work/dynamic.txt"; then
    die "the import check does not reject a program that needs libstdc++-6.dll"
fi

# What Windows XP SP3 lacks, as "DLL FIRST-WINDOWS FUNCTION...", where a function may be a
# pattern: functions that a compiler's runtime, the C++ library or code of our own may import,
# and that came with a later Windows. Windows refuses to start a program that imports a
# function its DLLs do not export. The Windows named is the "minimum supported client" of
# Microsoft's documentation of the function (Fls*: Server 2003 and Vista, so XP x64 has them,
# 32-bit XP not).
#
# msvcrt.dll's exports are not documented by Windows version; its lines follow mingw-w64's list
# of what each Windows added to it (mingw-w64-crt/lib-common/msvcrt.def.in): XP's has none of
# the bounds-checked *_s functions, the *_l ones with a locale argument, the *_p printf
# functions nor the debug heap, and 32-bit XP's none of those Server 2003 added.
newer_than_xp='
kernel32.dll Vista GetTickCount64
kernel32.dll Vista InitializeConditionVariable SleepConditionVariableCS SleepConditionVariableSRW
kernel32.dll Vista WakeConditionVariable WakeAllConditionVariable
kernel32.dll Vista InitializeSRWLock AcquireSRWLockExclusive AcquireSRWLockShared
kernel32.dll Vista ReleaseSRWLockExclusive ReleaseSRWLockShared
kernel32.dll Vista InitOnceInitialize InitOnceExecuteOnce InitOnceBeginInitialize InitOnceComplete
kernel32.dll Vista InitializeCriticalSectionEx CreateEventExA CreateEventExW CreateMutexExA
kernel32.dll Vista CreateMutexExW CreateSemaphoreExW CreateWaitableTimerExW
kernel32.dll Vista FlsAlloc FlsFree FlsGetValue FlsSetValue
kernel32.dll Vista GetLocaleInfoEx LCMapStringEx CompareStringEx CompareStringOrdinal
kernel32.dll Vista GetUserDefaultLocaleName GetSystemDefaultLocaleName LocaleNameToLCID
kernel32.dll Vista LCIDToLocaleName EnumSystemLocalesEx IsValidLocaleName FindNLSStringEx
kernel32.dll Vista GetDateFormatEx GetTimeFormatEx GetNumberFormatEx GetCurrencyFormatEx
kernel32.dll Vista GetFileInformationByHandleEx SetFileInformationByHandle OpenFileById
kernel32.dll Vista CreateSymbolicLinkA CreateSymbolicLinkW
kernel32.dll Vista GetFinalPathNameByHandleA GetFinalPathNameByHandleW
kernel32.dll Vista QueryFullProcessImageNameA QueryFullProcessImageNameW GetErrorMode
kernel32.dll Vista CancelIoEx CancelSynchronousIo GetQueuedCompletionStatusEx
kernel32.dll Vista SetFileCompletionNotificationModes CreateThreadpoolWork SubmitThreadpoolWork
kernel32.dll 7     TryAcquireSRWLockExclusive TryAcquireSRWLockShared ResolveLocaleName
kernel32.dll 7     SetThreadErrorMode
kernel32.dll 8     GetSystemTimePreciseAsFileTime WaitOnAddress WakeByAddressSingle
kernel32.dll 8     WakeByAddressAll CreateFile2 SetDefaultDllDirectories AddDllDirectory
kernel32.dll 8     GetCurrentThreadStackLimits
user32.dll   Vista SetProcessDPIAware ChangeWindowMessageFilter AddClipboardFormatListener
user32.dll   Vista ShutdownBlockReasonCreate
user32.dll   7     ChangeWindowMessageFilterEx
user32.dll   10    GetDpiForWindow GetDpiForSystem SetProcessDpiAwarenessContext
comctl32.dll Vista TaskDialog TaskDialogIndirect LoadIconMetric LoadIconWithScaleDown
shell32.dll  Vista SHGetKnownFolderPath SHCreateItemFromParsingName
advapi32.dll Vista RegGetValueA RegGetValueW RegDeleteTreeA RegDeleteTreeW RegSetKeyValueW
uxtheme.dll  Vista BufferedPaintInit BeginBufferedPaint EndBufferedPaint
bcrypt.dll   Vista *
dwmapi.dll   Vista *
api-ms-win-*.dll 7 *
ucrtbase.dll 10    *
msvcrt.dll   Vista *_s *_l *_p *_dbg _Crt* _fseeki64 _initterm_e _invalid_parameter
msvcrt.dll   Vista _get_errno _set_errno _get_doserrno _set_doserrno _get_fmode _set_fmode
msvcrt.dll   Vista _get_output_format _set_output_format __CxxFrameHandler3 _wassert _freea
msvcrt.dll   Vista btowc mbrlen mbrtowc mbsrtowcs wcrtomb wcsrtombs wctob strnlen wcsnlen
msvcrt.dll   Vista _ctime32 _difftime32 _difftime64 _ftime32 _futime32 _gmtime32 _localtime32
msvcrt.dll   Vista _mktime32 _mkgmtime32 _time32 _utime32 _wctime32 _wutime32
msvcrt.dll   Vista _swprintf _vswprintf _snprintf_c _vsnprintf_c _swprintf_c _vswprintf_c
msvcrt.dll   Vista _vcprintf _vcwprintf _get_environ _get_wenviron _get_pgmptr _get_wpgmptr
msvcrt.dll   Server_2003 __CxxFrameHandler2 ___lc_collate_cp_func __pwctype_func _abs64
msvcrt.dll   Server_2003 _mkgmtime _mkgmtime64 _rotl64 _rotr64 _wctype
msvcrt.dll   8     _create_locale _free_locale _get_current_locale
'

# imports_of <objdump> <exe>: "dll function" for each function the exe imports by name, the DLL
# in lower case.
imports_of() {
    "$1" -p "$2" | awk '
        /^[[:space:]]*DLL Name: / { dll = tolower($3); next }
        /^[[:space:]]*$/ { dll = ""; next }
        dll != "" && NF >= 3 && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ { print dll, $3 }'
}

# check_windows_xp <objdump> <exe> <subsystem>: fails when the exe imports a function of the
# table above, or when its PE header asks for a subsystem newer than <subsystem> (5.01 is
# Windows XP, 5.02 Windows XP x64 and Server 2003: the loader refuses a newer one).
check_windows_xp() {
    local imports dll function rule_dll first rest pattern patterns subsystem bad=()
    imports=$(imports_of "$1" "$2")
    [ -n "$imports" ] || { echo "  no imported functions found in $2" >&2; return 1; }
    while read -r dll function; do
        while read -r rule_dll first rest; do
            # shellcheck disable=SC2053 # the table's DLLs and functions are patterns
            [[ -n $rule_dll && $dll == $rule_dll ]] || continue
            read -r -a patterns <<<"$rest"
            for pattern in "${patterns[@]}"; do
                # shellcheck disable=SC2053
                if [[ $function == $pattern ]]; then
                    bad+=("$dll $function (Windows ${first//_/ })")
                    break 2
                fi
            done
        done <<<"$newer_than_xp"
    done <<<"$imports"
    subsystem=$("$1" -p "$2" | awk '/^MajorSubsystemVersion/ { major = $2 }
        /^MinorSubsystemVersion/ { minor = $2 } END { printf "%d.%02d", major, minor }')
    if [ "${subsystem/./}" -gt "${3/./}" ]; then
        bad+=("the subsystem version $subsystem (above $3)")
    fi
    if [ ${#bad[@]} -gt 0 ]; then
        echo "  $(basename "$2") needs what Windows XP lacks:" >&2
        printf '    %s\n' "${bad[@]}" >&2
        return 1
    fi
}

# The XP check must find what came later: a program that imports GetTickCount64 and _wsopen_s
# and asks for Vista's subsystem has to fail it on all three counts.
cat >"$work/vista.c" <<'EOF'
#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>
#include <windows.h>
int main(void) {
    int fd = -1;
    return (int)(GetTickCount64() & 1) + _wsopen_s(&fd, L"x", _O_RDONLY, _SH_DENYNO, _S_IREAD);
}
EOF
x86_64-w64-mingw32-gcc-win32 -D_WIN32_WINNT=0x0600 -static -Wl,--major-subsystem-version,6 \
    -Wl,--minor-subsystem-version,0 "$work/vista.c" -o "$work/vista.exe"
if check_windows_xp x86_64-w64-mingw32-objdump "$work/vista.exe" 5.02 2>"$work/vista.txt" ||
    ! grep -qx '    kernel32.dll GetTickCount64 (Windows Vista)' "$work/vista.txt" ||
    ! grep -qx '    msvcrt.dll _wsopen_s (Windows Vista)' "$work/vista.txt" ||
    ! grep -qx '    the subsystem version 6.00 (above 5.02)' "$work/vista.txt"; then
    cat "$work/vista.txt" >&2
    die "the XP check does not reject a program that imports GetTickCount64 and _wsopen_s"
fi

# le32 <file> <offset>: the little-endian 32-bit number at offset.
le32() {
    od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '
}

for arch in "${archs[@]}"; do
    case "$arch" in
        win32) objdump=i686-w64-mingw32-objdump format=pei-i386 subsystem=5.01 ;;
        win64) objdump=x86_64-w64-mingw32-objdump format=pei-x86-64 subsystem=5.02 ;;
    esac
    say "$arch imports:"
    for exe in "$work/$arch/$name-$version-$arch"/*.exe; do
        base=$(basename "$exe")
        check_imports "$objdump" "$exe" || die "$arch $base imports a DLL that Windows lacks"
        check_windows_xp "$objdump" "$exe" "$subsystem" ||
            die "$arch $base would not start on Windows XP"
        header_info=$("$objdump" -f "$exe")
        grep -q "file format $format\$" <<<"$header_info" || die "$arch $base is not $format"
        pe=$(le32 "$exe" 60)
        [ "$(le32 "$exe" $((pe + 8)))" = 0 ] || die "$arch $base has a link time stamp"
        [ "$(le32 "$exe" $((pe + 16)))" = 0 ] || die "$arch $base has a symbol table (not stripped)"
        sections=$("$objdump" -h "$exe")
        if grep -q '\.debug' <<<"$sections"; then
            die "$arch $base has debug sections (not stripped)"
        fi
        if grep -qaF "$root/" "$exe"; then
            die "$arch $base contains the checkout path $root"
        fi
    done
done
end

# ---------------------------------------------------------------------------------------------
begin fresh-prefix
# A brand-new prefix (wineboot --init) inside the work folder, set up as the test runner sets
# up its own: Xvfb, the zh_CN.UTF-8 locale, the X11 driver's window frames and the fonts.
# Nothing of MinGW is on Wine's search path.
unset WINEPATH WINEDLLPATH
TMPDIR=$work scripts/wine-runner.sh --start-session "$session"
# shellcheck source=/dev/null
. "$session/session.env"
export DISPLAY
export WORDMAINT_WINE_SESSION=$session
found=$(find "$WINEPREFIX" \( -iname 'libstdc++*.dll' -o -iname 'libgcc_s*.dll' \
    -o -iname 'libwinpthread*.dll' \) -print)
[ -z "$found" ] || die "the fresh prefix has MinGW runtime DLLs: $found"

top=$name-$version-win64
unzip -q "$(zip_of win64)" -d "$WINEPREFIX/drive_c"
folder=$WINEPREFIX/drive_c/$top
say "unpacked into C:\\$top: $(cd "$folder" && printf '%s  ' *)"
cd "$folder"

# Started as from Explorer: in its own folder, nothing else there.
"$root/scripts/wine-runner.sh" "./$exe_name" >"$work/program.log" 2>&1 &
program_pid=$!

# True while the process runs (a zombie not yet reaped counts as ended).
running() {
    local state
    state=$(awk '{ print $3 }' "/proc/$1/stat" 2>/dev/null) || return 1
    [ -n "$state" ] && [ "$state" != Z ]
}

# A visible top-level window whose title is exactly the text.
window_named() {
    local pattern
    pattern="^$(sed 's/[].[^$*+?(){}|\\]/\\&/g' <<<"$1")\$"
    # xdotool's status is 1 while there is no such window.
    { xdotool search --onlyvisible --name "$pattern" 2>/dev/null || true; } | head -n 1
}

shot() {
    import -window root "$root/build/logs/check-package-$1.png" 2>/dev/null || true
}
mkdir -p "$root/build/logs"

# A fresh prefix has no edition of the input method installed: the program says so in a message
# box (its caption is the program's name) before the main window comes up. A user answers it
# with Enter; so does this check, however often it is asked, and waits for the main window.
window=""
presses=0
boxes=""
deadline=$((SECONDS + 60))
while [ $SECONDS -lt $deadline ]; do
    window=$(window_named "$caption")
    [ -z "$window" ] || break
    running "$program_pid" || {
        cat "$work/program.log" >&2
        die "the program ended before its main window appeared"
    }
    box=$(window_named "$name")
    if [ -n "$box" ]; then
        # A key sent while the box is still coming up can go unseen; the same box gets another.
        if ! grep -qx "$box" <<<"$boxes"; then
            [ -n "$boxes" ] || shot message-box
            boxes+="$box"$'\n'
            say "message box \"$name\" (no edition installed): pressing Enter"
        fi
        # The box may be gone by now, closed by the previous press: the loop looks again.
        xdotool key --window "$box" Return 2>/dev/null || true
        presses=$((presses + 1))
        [ "$presses" -le 10 ] || die "the program keeps asking; its main window never came up"
        sleep 1
    fi
    sleep 0.5
done
if [ -z "$window" ]; then
    shot timeout
    cat "$work/program.log" >&2
    die "no window \"$caption\" within 60 s (screen: build/logs/check-package-timeout.png)"
fi
say "main window \"$caption\" appeared ($(xdotool getwindowgeometry "$window" 2>/dev/null |
    sed -nE 's/^ *Geometry: //p'))"
sleep 1
shot main-window

# Escape is the dialog's Cancel: the program closes as when the user closes its window.
xdotool key --window "$window" Escape 2>/dev/null
deadline=$((SECONDS + 30))
while running "$program_pid" && [ $SECONDS -lt $deadline ]; do
    sleep 0.2
done
! running "$program_pid" || die "the program did not end within 30 s of Escape"
rc=0
wait "$program_pid" || rc=$?
program_pid=""
[ "$rc" -eq 0 ] || { cat "$work/program.log" >&2; die "the program exited with $rc"; }
[ -z "$(window_named "$caption")" ] || die "the main window is still there after the exit"
say "closed with Escape; exit status 0"

"$root/scripts/wine-runner.sh" ./embtool.exe --help >"$work/help.txt" ||
    die "embtool.exe --help failed"
grep -q '^usage: embtool' "$work/help.txt" || die "embtool.exe --help printed no usage"
say "embtool.exe --help: exit status 0"
if grep -q -- '--version' "$work/help.txt"; then
    out=$("$root/scripts/wine-runner.sh" ./embtool.exe --version) ||
        die "embtool.exe --version failed"
    grep -qF "$version" <<<"$out" || die "embtool.exe --version printed '$out', not $version"
    say "embtool.exe --version: $out"
fi
# A word list through a library and back.
printf 'aaaa\t工工工工\nkhlg\t中国\n' >words.txt
"$root/scripts/wine-runner.sh" ./embtool.exe build words.txt words.emb ||
    die "embtool.exe build failed"
[ "$(stat -c %s words.emb)" -eq 127090 ] || die "embtool.exe build wrote $(stat -c %s words.emb) bytes"
"$root/scripts/wine-runner.sh" ./embtool.exe dump words.emb | cmp - words.txt ||
    die "embtool.exe dump does not give back the words built"
say "embtool.exe build and dump: the words came back"
# The code table beside embtool in the zip's folder.
out=$("$root/scripts/wine-runner.sh" ./embtool.exe code 经济观察) || die "embtool.exe code failed"
[ "$out" = $'经济观察\txicp' ] || die "embtool.exe code printed '$out', not 经济观察<TAB>xicp"
say "embtool.exe code 经济观察: xicp, from the table beside it"
cd "$root"
TMPDIR=$work scripts/wine-runner.sh --stop-session "$session"
end

# ---------------------------------------------------------------------------------------------
begin reproducible
repro_dist=${repro_prefix}dist
# A second build into the first one's folders would compare the zips with themselves.
[ "$(realpath -m "$repro_dist")" != "$(realpath -m "$dist")" ] ||
    die "--repro-prefix gives the same dist folder as --dist"
rm -rf "${repro_prefix}win32" "${repro_prefix}win64" "$repro_dist"
scripts/package.sh --build-prefix "$repro_prefix" --dist "$repro_dist"
for arch in "${archs[@]}"; do
    first=$(zip_of "$arch")
    second=$repro_dist/$(basename "$first")
    say "$(sha256sum "$first")"
    say "$(sha256sum "$second")"
    cmp "$first" "$second" || die "the second build's $arch zip differs from the first"
done
cmp "$dist/SHA256SUMS" "$repro_dist/SHA256SUMS" || die "the second build's SHA256SUMS differs"
say "both builds gave the same bytes"
end

printf '\n==> check-package: all checks passed\n'
printf '%s\n' "${times[@]}"
