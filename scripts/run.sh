#!/usr/bin/env bash
# Release build, then the textbook. Its content folder is the current directory, so it starts
# in content/. Without a display it says so and leaves a screenshot of the splash window
# instead, made on the headless screen.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DSTAT_TESTS=OFF -DSTAT_BENCH=OFF >/dev/null
cmake --build build-release -j2

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    cd content
    exec ../build-release/apps/statistika/statistika
fi
echo "No display found: start the textbook from the content folder on a desktop:"
echo "    cd content && ../build-release/apps/statistika/statistika"
