#!/usr/bin/env bash
# uishot's answers to bad scripts and bad arguments, and to a missing display.
# Usage: uishot_errors.sh UISHOT WORKDIR
set -uo pipefail
UISHOT=$1 WORK=$2
rm -rf "$WORK" && mkdir -p "$WORK" && cd "$WORK" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Runs uishot; sets $status, $out and $err.
run() {
    "$UISHOT" "$@" >out.txt 2>err.txt
    status=$?
    out=$(cat out.txt) err=$(cat err.txt)
}

printf 'windows\n\n# fine so far\nfrobnicate 1 2\n' >bad.scenario
run --gallery bad.scenario
[ "$status" -eq 1 ] || fail "a bad line: exit $status"
[ "$err" = 'uishot: bad.scenario, line 4: unknown command "frobnicate"' ] || fail "a bad line said: $err"
[ -z "$out" ] || fail "a script with a bad line still ran: $out"

printf 'windows\nshot no-such-folder/x.png\nwindows\n' >failing.scenario
run --gallery failing.scenario
[ "$status" -eq 1 ] || fail "a failing command: exit $status"
[[ "$err" == 'uishot: failing.scenario, line 2: shot: cannot write "no-such-folder/x.png"'* ]] ||
    fail "a failing command said: $err"
[ "$(grep -c visible=true <<<"$out")" -eq 5 ] || fail "the lines before the failure were not all played: $out"

run --gallery missing.scenario
[ "$status" -eq 1 ] && [[ "$err" == *'cannot read the script "missing.scenario"'* ]] || fail "a missing script: $status $err"

run
[ "$status" -eq 2 ] && [[ "$err" == *usage:* ]] || fail "no arguments: $status $err"
run --gallery-window --seconds soon
[ "$status" -eq 2 ] && [[ "$err" == *'N must be a whole number'* ]] || fail "bad seconds: $status $err"

# The textbook's commands: each failure is one line naming the script line, and exit 1; what
# played before it printed.
textbook_error() {
    local script=$1 want=$2
    printf '%b' "$script" >t.scenario
    run t.scenario
    [ "$status" -eq 1 ] || fail "textbook \"$script\": exit $status"
    [ "$(wc -l <err.txt)" -eq 1 ] && [ "$err" = "uishot: t.scenario, $want" ] || fail "textbook \"$script\" said: $err"
}
textbook_error 'get Form4 Visible\nclick Form1.sSpeedButton9\n' 'line 2: click: unknown component "Form1.sSpeedButton9"'
[ "$out" = "Form4.Visible=true" ] || fail "the line before the unknown component did not play: $out"
textbook_error 'move Nowhere\n' 'line 1: move: unknown component "Nowhere"'
textbook_error 'menu sSpeedButton1\n' 'line 1: menu: "sSpeedButton1" is a TsSpeedButton, not a menu item'
textbook_error 'click TV1\n' 'line 1: click: "TV1" is hidden'
textbook_error 'click Form4.Image1\nwait 100\nclick sSpeedButton5\nselect TV1 32\n' 'line 4: select: "TV1" has no node 32'
textbook_error 'get sLabel1 Colour\n' 'line 1: get: unknown property "Colour"'
textbook_error 'get Timer1 Left\n' 'line 1: get: "Timer1" (TTimer) has no Left'
textbook_error 'get Timer1 SkinSection\n' 'line 1: get: "Timer1" (TTimer) has no SkinSection'
textbook_error 'url P\n' 'line 1: url: "P" is a TsPanel, not an HTML view'
printf 'shot no-such-folder/x.png Form4\n' >t.scenario
run t.scenario
[ "$status" -eq 1 ] && [ "$(wc -l <err.txt)" -eq 1 ] &&
    [[ "$err" == 'uishot: t.scenario, line 1: shot: cannot write "no-such-folder/x.png": '* ]] ||
    fail "an unwritable form shot: $status $err"
textbook_error 'shot x.png Form9\n' 'line 1: shot: unknown form "Form9"'
# The skin commands check their arguments when the script is read.
textbook_error 'skin\n' 'line 1: skin: expected a skin name'
textbook_error 'hue\n' 'line 1: hue: expected N'
textbook_error 'hue 12 3\n' 'line 1: hue: expected N'
textbook_error 'hue 361\n' 'line 1: hue: N must be a whole number from -360 to 360, not "361"'
textbook_error 'saturation half\n' 'line 1: saturation: N must be a whole number from -100 to 100, not "half"'
textbook_error 'skinoff now\n' 'line 1: skinoff: expected no arguments'
textbook_error 'skinon 1\n' 'line 1: skinon: expected no arguments'
textbook_error 'get sSkinManager1 Caption\n' 'line 1: get: "sSkinManager1" (TsSkinManager) has no Caption'
textbook_error 'select TV1 x\n' 'line 1: select: INDEX must be a whole number from 0 to 1048576, not "x"'
textbook_error 'frobnicate\n' 'line 1: unknown command "frobnicate"'
# The exit button ends the program: "exited", the rest skipped, exit 0.
printf 'click Form4.Image1\nwait 100\nclick sSpeedButton6\nget Form1 Visible\n' >t.scenario
run t.scenario
[ "$status" -eq 0 ] && [ "$out" = "exited" ] || fail "the exit button: $status $out $err"
# The script may come from standard input.
out=$(printf 'get Form1 Caption\n' | "$UISHOT" -)
[ "$out" = "Form1.Caption=СТАТИСТИКА" ] || fail "a script from standard input: $out"

# A bad command line: exit 2 and the usage.
for args in "--now tomorrow t.scenario" "--now 2026-02-30T10:00:00 t.scenario" "--frob t.scenario" \
    "--user" "--content no-such-folder t.scenario" "t.scenario extra"; do
    run $args
    [ "$status" -eq 2 ] && [[ "$err" == *usage:* ]] || fail "uishot $args: $status $err"
done

# No display: one line that says so, and exit 1.
env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 "$UISHOT" --gallery-window --seconds 0 >out.txt 2>err.txt
status=$? err=$(cat err.txt)
[ "$status" -eq 1 ] || fail "no display: exit $status"
[ "$(wc -l <err.txt)" -eq 1 ] && [[ "$err" == 'uishot: no display to show windows on ('* ]] || fail "no display said: $err"

# SDL's display-less driver: the real-window path opens, shows, closes and ends cleanly.
SDL_VIDEODRIVER=dummy "$UISHOT" --gallery-window --seconds 0 >out.txt 2>err.txt
status=$?
[ "$status" -eq 0 ] || fail "the gallery on SDL's dummy driver: exit $status: $(cat err.txt)"

[ "$failures" -eq 0 ] && echo "uishot command line: all checks passed"
exit $((failures > 0))
