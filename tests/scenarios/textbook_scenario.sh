#!/usr/bin/env bash
# Plays the textbook's scenarios through uishot in a scratch content folder holding only the
# movie (every document shows as missing, which changes no caption and no path), and compares
# what they print with what the content map and the timers say they must.
# Usage: textbook_scenario.sh UISHOT PNG_CHECK SOURCE_DIR MOVIE WORKDIR
set -uo pipefail
UISHOT=$1 CHECK=$2 SRC=$3 MOVIE=$4 WORK=$5
rm -rf "$WORK" && mkdir -p "$WORK/content/flash" && cp "$MOVIE" "$WORK/content/flash/" && cd "$WORK" || exit 1
CONTENT="$WORK/content"
# Dates and times in the conventions a machine that was never set up gives.
export LC_ALL=C
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The rectangles of windows that are not the program's forms (the application window, menus,
# message boxes) belong to the window system's layout, not to these checks.
normalise() { sed -E -e "s|$CONTENT|CONTENT|g" -e 's/^(- [^ ]+ .*visible=(true|false)) [-0-9,]+$/\1 RECT/'; }

# play NAME ARGS...: plays NAME.scenario and compares its output with NAME.expected.
play() {
    local name=$1
    shift
    local out
    out=$("$UISHOT" "$@" "$SRC/$name.scenario" 2>"$WORK/$name.stderr")
    local status=$?
    [ "$status" -eq 0 ] || fail "$name: uishot exited $status: $(cat "$WORK/$name.stderr")"
    printf '%s\n' "$out" | normalise >"$WORK/$name.out"
    diff -u "$SRC/$name.expected" "$WORK/$name.out" >"$WORK/$name.diff" || fail "$name printed otherwise:
$(cat "$WORK/$name.diff")"
}

# Start-up and exit, from the content folder given on the command line (which is then the
# current folder, where the screenshots go).
play textbook --content "$CONTENT"
cd "$CONTENT" || exit 1
# The splash picture's dark-blue top and the movie strip below it are on screen; its
# corners are not black holes. The main window's shot is the window alone.
[ -s splash.png ] && [ -s main.png ] || fail "no screenshots"
"$CHECK" splash.png 1280 1024 640,330=!000000 640,330=!3A6EA5 640,630=!000000 640,630=!3A6EA5 || fail "the splash is not drawn (kept in $WORK)"
"$CHECK" main.png 934 665 || fail "the main window's shot is not the window"

play textbook_navigation --user student
play textbook_clock --user student --now 2026-09-01T08:29:58

# The skinned main window: a hovered and a pressed speed button look otherwise than a resting
# one, each skin looks otherwise, and without a skin the plain look comes back.
play textbook_skinned
pixel() { "$CHECK" "$1" 934 665 "$2=000000" | sed -n 's/.* is \([0-9A-F]*\), expected.*/\1/p'; }
face=143,57
[ "$(pixel normal.png $face)" != "$(pixel hover.png $face)" ] || fail "a hovered speed button looks as at rest"
[ "$(pixel normal.png $face)" != "$(pixel pressed.png $face)" ] || fail "a pressed speed button looks as at rest"
# Each tool button's own face: back, forward, contents and exit light up under the mouse.
for hover in 1:24 2:62 5:105 6:179; do
    at=${hover#*:},57
    [ "$(pixel normal.png $at)" != "$(pixel hover-${hover%%:*}.png $at)" ] || fail "speed button ${hover%%:*} does not light up under the mouse"
done
# Halfway through its fade a button shows a blend of its two looks, neither one nor the other.
mid=$(pixel midfade.png $face)
[ "$mid" != "$(pixel normal.png $face)" ] && [ "$mid" != "$(pixel hover.png $face)" ] || fail "no blend in the middle of a fade: $mid"
for shot in nordvale frostline plain; do
    [ "$(pixel contents.png $face)" != "$(pixel $shot.png $face)" ] || fail "$shot.png looks like Pavo"
done
"$CHECK" plain.png 934 665 "$face=D4D0C8" || fail "without a skin the speed button is not plain"

# A user name too long for the status bar's buffer reads "Unknown"; one character less fits.
for length in 254 255; do
    name=$(head -c "$length" /dev/zero | tr '\0' 'u')
    out=$(printf 'wait 1000\nget StatusBar1 Caption\n' | "$UISHOT" --user "$name" --now 2026-09-01T08:00:00 -)
    want="StatusBar1.Caption=01.09.2026 | 8:00:01 | User Windows: $name"
    [ "$length" -eq 255 ] && want="StatusBar1.Caption=01.09.2026 | 8:00:01 | User Windows: Unknown"
    [ "$out" = "$want" ] || fail "a user name of $length characters: $out"
done

# The skin commands change what the main window's skin manager reports: Pavo is loaded at
# start; a name that is no skin loads the first stored skin under its own name; without a skin
# there is no skin information.
out=$("$UISHOT" - 2>"$WORK/skin.stderr" <<'EOF'
get sSkinManager1 SkinName
get sSkinManager1 Active
get sSkinManager1 SkinInfo
skin Frostline (internal)
get sSkinManager1 SkinName
hue 40
saturation -30
get sSkinManager1 HueOffset
get sSkinManager1 Saturation
skinoff
get sSkinManager1 Active
get sSkinManager1 SkinInfo
skinon
get sSkinManager1 Active
get sSkinManager1 SkinName
get sSkinManager1 HueOffset
skin No such skin
get sSkinManager1 SkinName
EOF
) || fail "the skin commands: uishot exited $?: $(cat "$WORK/skin.stderr")"
info=$(sed -n 3p <<<"$out")
[[ "$info" =~ ^sSkinManager1\.SkinInfo=[0-9] ]] || fail "a loaded skin has no version: $info"
want="sSkinManager1.SkinName=Pavo (internal)
sSkinManager1.Active=true
$info
sSkinManager1.SkinName=Frostline (internal)
sSkinManager1.HueOffset=40
sSkinManager1.Saturation=-30
sSkinManager1.Active=false
sSkinManager1.SkinInfo=N/A
sSkinManager1.Active=true
sSkinManager1.SkinName=Frostline (internal)
sSkinManager1.HueOffset=40
sSkinManager1.SkinName=Nordvale (internal)"
[ "$out" = "$want" ] || fail "the skin commands printed otherwise:
$(diff <(printf '%s\n' "$want") <(printf '%s\n' "$out"))"

# The skinned frame: the cut top corners of the main window show the desktop in every skin and
# the window beside them does not; each skin gives the title bar a look of its own.
play textbook_frame
screen() { "$CHECK" "$1" 1280 1024 "$2=000000" | sed -n 's/.* is \([0-9A-F]*\), expected.*/\1/p'; }
for skin in pavo nordvale frostline; do
    "$CHECK" frame-$skin.png 1280 1024 173,164=3A6EA5 1106,164=3A6EA5 176,167=!3A6EA5 1106,828=!3A6EA5 ||
        fail "the $skin frame's corners are not cut to the desktop"
done
title=640,170
[ "$(screen frame-pavo.png $title)" != "$(screen frame-nordvale.png $title)" ] &&
    [ "$(screen frame-nordvale.png $title)" != "$(screen frame-frostline.png $title)" ] &&
    [ "$(screen frame-pavo.png $title)" != "$(screen frame-frostline.png $title)" ] ||
    fail "the title bar looks the same in two skins"

# The windows skinned from outside: the tree scrolled by its skinned bars, the print dialog
# cancelled by mouse and key and confirmed once (one PDF in the home folder), the error box.
mkdir -p "$WORK/home"
HOME="$WORK/home" play textbook_wrapped
# Cancel prints nothing; OK in each skin writes one PDF of its own document.
[ "$(ls "$WORK/home" | grep -c '\.pdf$')" -eq 3 ] || fail "the print dialog's OK did not write one PDF in each skin: $(ls "$WORK/home")"
for skin in pavo nordvale frostline; do
    # The dialogs' title bars are the skin's, not the window system's blue; so are the print
    # dialog's combo button and the tree's scroll bar.
    [ "$(screen print-$skin.png 640,349)" != "$(screen plain-print.png 640,349)" ] ||
        fail "the print dialog looks plain in $skin"
    [ "$(screen print-$skin.png 722,395)" != "$(screen plain-print.png 722,395)" ] ||
        fail "the print dialog's combo box looks plain in $skin"
    [ "$(screen msgbox-$skin.png 640,445)" != "$(screen plain-msgbox.png 640,445)" ] ||
        fail "the message box looks plain in $skin"
    [ "$(screen tree-$skin.png 1090,500)" != "$(screen plain-tree.png 1090,500)" ] ||
        fail "the tree's scroll bar looks plain in $skin"
done

[ "$failures" -eq 0 ] && echo "textbook scenarios: all checks passed"
exit $((failures > 0))
