#!/usr/bin/env bash
# Formats the C++ sources in place with the project's .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
dirs=()
for d in src tests bench; do
    [ -d "$d" ] && dirs+=("$d")
done
find "${dirs[@]}" -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.cc' \) \
    -print0 | xargs -0 -r clang-format -i
