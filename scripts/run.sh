#!/usr/bin/env bash
# The project's run command. Installs what is missing, builds the 64-bit program, prepares a
# demo Wine prefix (one edition's code-table file in the system folder, libraries with a few
# words) and starts the program: in a window on your display when DISPLAY is set, otherwise
# under Xvfb, where it loads the demo library, writes screenshots of the main window to build/
# and ends the program again.
#
# WORDMAINT_WINE_DPI=144 scripts/run.sh runs it on a screen of 144 dots per inch (Windows' 150 %;
# 120 is 125 %, 192 is 200 %); the screenshots' names then end in -144dpi.
set -euo pipefail

cd "$(dirname "$0")/.."
root=$PWD
scripts/setup.sh

cmake --preset win64 >/dev/null
cmake --build --preset win64 --target wordmaint
cmake --preset native >/dev/null
cmake --build --preset native --target embtool

product=$(sed -nE 's/^set\(WORDMAINT_PRODUCT_NAME "(.*)"\)$/\1/p' CMakeLists.txt)
program=$root/build/win64/src/app/$product.exe
demo=$root/build/demo
session=$demo/session
user_display=${DISPLAY:-}
dpi=${WORDMAINT_WINE_DPI:-96}
shot_suffix=
[ "$dpi" = 96 ] || shot_suffix=-${dpi}dpi

scripts/wine-runner.sh --stop-session "$session"
trap 'scripts/wine-runner.sh --stop-session "$session"' EXIT
echo "run.sh: preparing the demo Wine prefix (about 15 s)"
scripts/wine-runner.sh --start-session "$session"
# shellcheck source=/dev/null
. "$session/session.env"
export WINEPREFIX DISPLAY
export LC_ALL=zh_CN.UTF-8 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# The simplified edition of the first pair is installed; both of its libraries hold words.
touch "$WINEPREFIX/drive_c/windows/system32/EDNQA.MB"
ime=$(find "$WINEPREFIX/drive_c/users" -maxdepth 2 -name 'Application Data' | head -n 1)/Microsoft/IME
mkdir -p "$ime/EDNQB" "$ime/EDNQA"
build/native/src/cli/embtool build scripts/demo-words.txt "$ime/EDNQB/EDNQB.EMB"
build/native/src/cli/embtool build scripts/demo-words.txt "$ime/EDNQA/EDNQA.EMB"

if [ -n "$user_display" ]; then
    echo "run.sh: starting $product on $user_display"
    DISPLAY=$user_display /usr/lib/wine/wine64 "$program"
    exit 0
fi

echo "run.sh: no DISPLAY; running $product under Xvfb ($DISPLAY)"
/usr/lib/wine/wine64 "$program" >"$demo/program.log" 2>&1 &
window=$(timeout 60 xdotool search --sync --onlyvisible --name "^${product}1\\.4\$" | head -n 1)
sleep 1
# The combo box has the focus: the arrow key chooses its first entry, the traditional library.
xdotool key --window "$window" Down
sleep 2
import -window "$window" "$root/build/main-window$shot_suffix.png"

# A click on a phrase cell lays the editor over it, its text selected. The window and the cell
# grow with the DPI.
xdotool mousemove --window "$window" $((260 * dpi / 96)) $((110 * dpi / 96)) click 1
sleep 1
import -window "$window" "$root/build/cell-editor$shot_suffix.png"
xdotool key --window "$window" Escape
sleep 1
xdotool key --window "$window" Escape
wait || true
echo "run.sh: screenshots of the main window: build/main-window$shot_suffix.png," \
    "build/cell-editor$shot_suffix.png"
