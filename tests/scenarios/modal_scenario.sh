#!/usr/bin/env bash
# Plays the modal scenarios through uishot: a message box over the gallery's controls window,
# and the textbook's error box over its main window. Input to the window beneath must change
# nothing while the box is up.
# Usage: modal_scenario.sh UISHOT SOURCE_DIR WORKDIR
set -uo pipefail
UISHOT=$1 SRC=$2 WORK=$3
rm -rf "$WORK" && mkdir -p "$WORK/content" && cd "$WORK" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

out=$("$UISHOT" --gallery "$SRC/modal_gallery.scenario" 2>stderr.txt) || fail "gallery: uishot exited $?: $(cat stderr.txt)"
# Each window list ends with the gallery's main window.
lists=$(printf '%s\n' "$out" | grep -c '^- UishotGallery ')
[ "$lists" -eq 5 ] || fail "expected five window lists, got $lists:
$out"
block() { printf '%s\n' "$out" | awk -v n="$1" '/^- UishotGallery /{k++; if (k==n) {print; exit}} k==n-1{print}'; }
block 1 | grep -q '^- tooltips_class32 "Мазмұнын көрсету" visible=true' || fail "no hint at the start"
for n in 2 3; do
    [ "$(block $n | grep -c '^- #32770 ')" -eq 1 ] || fail "list $n: not exactly one message box:
$(block $n)"
    block $n | grep -q '^- #32768 ' && fail "list $n: a menu of the disabled window opened"
    block $n | grep -q '^- ControlsGallery .* visible=true' || fail "list $n: the controls window closed"
    block $n | grep -q '^- tooltips_class32 .* visible=true' && fail "list $n: the hint stayed over the box"
done
block 3 | grep -q '"Басып шығару"' && fail "the print dialog opened behind the box"
block 4 | grep -q '^- #32770 ' && fail "the box did not go when answered"
block 4 | grep -q '^- ControlsGallery .* visible=true' || fail "the controls window went with the box"
block 5 | grep -q '^- #32768 "" visible=true' || fail "the menu bar takes no click after the box went"

# The textbook: the back button's error box over the main window.
out=$("$UISHOT" --content "$WORK/content" --user student "$SRC/textbook_modal.scenario" 2>stderr.txt) ||
    fail "textbook: uishot exited $?: $(cat stderr.txt)"
first=$(printf '%s\n' "$out" | awk '/^- TApplication /{print; exit} {print}')
[ "$(printf '%s\n' "$first" | grep -c '^- #32770 ')" -eq 1 ] || fail "textbook: not exactly one error box:
$first"
printf '%s\n' "$first" | grep -q '^- #32768 ' && fail "textbook: a menu of the disabled main window opened"
printf '%s\n' "$first" | grep -q '^- tooltips_class32 .*visible=true' && fail "textbook: a hint showed over the box"
printf '%s\n' "$first" | grep -q '^Form1 TForm1 .* visible=true' || fail "textbook: the main window closed"
printf '%s\n' "$out" | grep -qx 'sSpeedButton5.Down=false' || fail "textbook: the contents button took a click behind the box"
printf '%s\n' "$out" | grep -qx 'PageC1.Visible=false' || fail "textbook: the contents pane opened behind the box"
printf '%s\n' "$out" | grep -qx 'sSpeedButton5.Down=true' || fail "textbook: the contents button takes no click after the box"
last=$(printf '%s\n' "$out" | awk 'f{print} /^- TApplication /{f=1}')
printf '%s\n' "$last" | grep -q '^- #32770 ' && fail "textbook: a box is still there at the end:
$last"

[ "$failures" -eq 0 ] && echo "modal scenarios: all checks passed"
exit $((failures > 0))
