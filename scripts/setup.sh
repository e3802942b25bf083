#!/usr/bin/env bash
# Installs what building, testing and packaging the project needs on Debian 12, and generates
# the locales the Wine tests run under. Idempotent: prints nothing and touches nothing when all
# is there.
set -euo pipefail

packages=(
    build-essential g++ cmake ninja-build git
    clang libclang-rt-14-dev clang-format clang-tidy
    googletest libgtest-dev
    # MinGW-w64: the posix thread model builds the tests, the win32 one the release packages
    # (its runtime needs nothing newer than Windows XP).
    g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
    g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32
    wine64 xvfb xauth x11-utils xdotool fonts-wqy-microhei fonts-wqy-zenhei imagemagick
    locales
    python3 unzip
    # The Wubi code table the packages ship beside the program.
    rime-data-wubi
)
# zh_CN: the users' code page 936 and sort order under Wine; en_US: tests under another collation.
locales=(zh_CN.UTF-8 en_US.UTF-8)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "setup.sh: need root (or sudo) to run: $*" >&2
        exit 1
    fi
}

installed=$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null |
    awk '$2 == "installed" { print $1 }' || true)
missing=()
for p in "${packages[@]}"; do
    grep -qx "$p" <<<"$installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "setup.sh: installing ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    as_root apt-get update -qq
    # Recommended packages stay in: Wine's X11 driver needs several of them (XRender, XRandR,
    # Xcursor) to draw as it does on a desktop.
    as_root apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# `locale -a` spells them as zh_CN.utf8; compare in that form.
have_locales=$(locale -a 2>/dev/null | tr '[:upper:]' '[:lower:]')
need_gen=0
for l in "${locales[@]}"; do
    short=$(printf '%s' "${l%.UTF-8}.utf8" | tr '[:upper:]' '[:lower:]')
    if ! grep -qx "$short" <<<"$have_locales"; then
        need_gen=1
        if ! grep -qE "^[[:space:]]*$l[[:space:]]+UTF-8" /etc/locale.gen; then
            # Uncomment the stock line when there is one, else add it.
            if grep -qE "^#[[:space:]]*$l[[:space:]]+UTF-8" /etc/locale.gen; then
                as_root sed -i -E "s/^#[[:space:]]*($l[[:space:]]+UTF-8)/\\1/" /etc/locale.gen
            else
                echo "$l UTF-8" | as_root tee -a /etc/locale.gen >/dev/null
            fi
        fi
    fi
done
if [ "$need_gen" -eq 1 ]; then
    echo "setup.sh: generating locales ${locales[*]}"
    as_root locale-gen >/dev/null
fi
