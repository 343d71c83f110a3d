#!/usr/bin/env bash
# Release build, then the program. Until the textbook itself lands this shows the skin tools at
# work on the sample skin: its members, its records and a preview of its button gradient.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DSTAT_TESTS=OFF -DSTAT_BENCH=OFF >/dev/null
cmake --build build-release -j2

TOOL=build-release/apps/skintool/skintool
SKIN=build-release/skins/Sample.qkz
PREVIEW=build-release/skins/button-gradient.png

echo "Sample skin $SKIN:"
"$TOOL" list "$SKIN"
"$TOOL" dump "$SKIN" > build-release/skins/Sample.json
echo "Loaded $(grep -c '"ParentClass"' build-release/skins/Sample.json) sections and $(grep -c '"ImgType"' build-release/skins/Sample.json) images; the records are in build-release/skins/Sample.json"
"$TOOL" gradient "16184299;15788256;45;0;0;15788256;14866631;10;0;0;14866631;16184300;42;0;0;16184300;16184300;0;0;0" 320x96 "$PREVIEW"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    echo "Showing the button gradient of the sample skin; close the window or press a key to end."
    "$TOOL" preview "$PREVIEW"
else
    echo "No display found: the preview was written to $PREVIEW instead of being shown."
fi
