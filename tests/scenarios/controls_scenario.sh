#!/usr/bin/env bash
# Plays controls.scenario through uishot and checks the windows it lists and a screenshot.
# Usage: controls_scenario.sh UISHOT PNG_CHECK SOURCE_DIR WORKDIR
set -uo pipefail
UISHOT=$1 CHECK=$2 SRC=$3 WORK=$4
rm -rf "$WORK" && mkdir -p "$WORK" && cd "$WORK" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

out=$("$UISHOT" --gallery "$SRC/controls.scenario" 2>stderr.txt) || fail "uishot exited $?: $(cat stderr.txt)"
# Four window lists: with the menu open, with the message box, with the print dialog, after.
lists=$(printf '%s\n' "$out" | grep -c '^- UishotGallery ')
[ "$lists" -eq 4 ] || fail "expected four window lists, got $lists:
$out"
block() { printf '%s\n' "$out" | awk -v n="$1" '/^- UishotGallery /{k++; if (k==n) {print; exit}} k==n-1{print}'; }
block 1 | grep -q '^- #32768 "" visible=true' || fail "no pop-up menu window while the menu was open"
block 2 | grep -q '^- #32770 "Статистика" visible=true' || fail "no message box"
block 2 | grep -q '^- #32768' && fail "the menu stayed open under the message box"
block 3 | grep -q '^- #32770 "Басып шығару" visible=true' || fail "no print dialog"
block 4 | grep -q '^- #32' && fail "a menu or dialog is still there at the end"

for f in controls-menu.png controls-messagebox.png controls-print.png; do
    [ -s "$f" ] || fail "no screenshot $f"
done
# The message box sits at 434,522; its client starts 3 + 19 pixels below the top edge and 3 in
# from the left, and the error icon 11 further in: its red disc at icon point (16, 6).
"$CHECK" controls-messagebox.png 1280 1024 464,561=D6241C ||
    fail "the message box's error icon is not where it belongs (kept in $WORK)"

[ "$failures" -eq 0 ] && echo "controls scenario: all checks passed"
exit $((failures > 0))
