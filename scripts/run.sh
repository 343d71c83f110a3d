#!/usr/bin/env bash
# Release build, then the textbook. Its content folder is the current directory, so it starts
# in content/. Without a display it plays a short tour on the headless screen instead and
# leaves the screenshots in build-release/tour/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DSTAT_TESTS=OFF -DSTAT_BENCH=OFF >/dev/null
cmake --build build-release -j2

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    cd content
    exec ../build-release/apps/statistika/statistika
fi
TOUR="$PWD/build-release/tour"
rm -rf "$TOUR" && mkdir -p "$TOUR"
sed "s|@OUT@|$TOUR|g" scripts/tour.scenario >"$TOUR/tour.scenario"
(cd content && ../build-release/apps/uishot/uishot --textbook "$TOUR/tour.scenario")
echo "No display found: a tour of the textbook was written to $TOUR:"
ls "$TOUR"/*.png
echo "On a desktop, start it from the content folder: cd content && ../build-release/apps/statistika/statistika"
