#!/usr/bin/env bash
# Plays gallery.scenario through uishot and checks what it prints and the screenshot.
# Usage: gallery_scenario.sh UISHOT PNG_CHECK SOURCE_DIR WORKDIR
set -uo pipefail
UISHOT=$1 CHECK=$2 SRC=$3 WORK=$4
rm -rf "$WORK" && mkdir -p "$WORK" && cd "$WORK" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

out=$("$UISHOT" --gallery "$SRC/gallery.scenario" 2>stderr.txt) || fail "uishot exited $?: $(cat stderr.txt)"
hint='- tooltips_class32 "Мазмұнын көрсету" visible=true 580,760,697,777'
layered='- UishotLayered "Мөлдір терезе" visible=true 920,60,1200,300'
shaped='- UishotShaped "Пішін" visible=true 920,360,1180,530'
controls='- ControlsGallery "Басқару элементтері" visible=true 200,300,900,860'
placed='- UishotGallery "СТАТИСТИКА" visible=true 10,10,938,710'
dragged='- UishotGallery "СТАТИСТИКА" visible=true 40,30,968,730'
expected=$(printf '%s\n' "$hint" "$layered" "$shaped" "$controls" "$placed" "$hint" "$layered" "$shaped" "$controls" \
    "$placed" "$hint" "$layered" "$shaped" "$controls" "$dragged")
[ "$out" = "$expected" ] || fail "uishot printed:
$out
expected:
$expected"

[ -s gallery.png ] || fail "no screenshot was written"
# The screen size; the desktop; the layered window's black background, gaps and the hole
# in its green bar showing the desktop and the main window's white margin behind it; its
# green bar; the shaped window's fill and its cut-away corners showing what lies behind.
"$CHECK" gallery.png 1280 1024 \
    1260,1000=3A6EA5 \
    1070,68=3A6EA5 1020,275=3A6EA5 925,200=FFFFFF \
    1000,270=00A000 \
    1050,480=FFC850 1179,529=3A6EA5 920,360=FFFFFF ||
    fail "the screenshot differs (kept in $WORK/gallery.png)"

[ "$failures" -eq 0 ] && echo "gallery scenario: all checks passed"
exit $((failures > 0))
