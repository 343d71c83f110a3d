#!/usr/bin/env bash
# Plays textbook.scenario through uishot in a scratch content folder holding only the movie,
# and checks the windows it lists and the splash screenshot.
# Usage: textbook_scenario.sh UISHOT PNG_CHECK SOURCE_DIR MOVIE WORKDIR
set -uo pipefail
UISHOT=$1 CHECK=$2 SRC=$3 MOVIE=$4 WORK=$5
rm -rf "$WORK" && mkdir -p "$WORK/content/flash" && cp "$MOVIE" "$WORK/content/flash/" && cd "$WORK/content" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

out=$("$UISHOT" --textbook "$SRC/textbook.scenario" 2>"$WORK/stderr.txt") || fail "uishot exited $?: $(cat "$WORK/stderr.txt")"
# The window lists are separated by the application window, which every list shows.
block() { printf '%s\n' "$out" | awk -v n="$1" 'BEGIN{k=1} {print k": "$0} /^TApplication /{k++}' | sed -n "s/^$1: //p"; }
block 1 | grep -q '^TForm4 "Form4" visible' || fail "the splash is not shown at start:
$out"
block 1 | grep -q '^TForm1 .* visible' && fail "the main window shows at start"
block 2 | grep -q '^TForm1 "СТАТИСТИКА" visible' || fail "the picture did not open the main window:
$out"
block 2 | grep -q '^TForm4 "Form4" hidden' || fail "the splash stayed after the click"
block 3 | grep -q '^TForm' && fail "windows are left after the exit button:
$out"

# The splash picture's dark-blue top and the movie strip below it are on screen; its
# corners are not black holes.
[ -s splash.png ] && [ -s main.png ] || fail "no screenshots"
"$CHECK" splash.png 1280 1024 640,330=!000000 640,330=!3A6EA5 640,630=!000000 640,630=!3A6EA5 || fail "the splash is not drawn (kept in $WORK)"

[ "$failures" -eq 0 ] && echo "textbook scenario: all checks passed"
exit $((failures > 0))
