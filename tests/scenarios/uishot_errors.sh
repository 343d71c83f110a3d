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
[ "$(grep -c visible <<<"$out")" -eq 5 ] || fail "the lines before the failure were not all played: $out"

run --gallery missing.scenario
[ "$status" -eq 1 ] && [[ "$err" == *'cannot read the script "missing.scenario"'* ]] || fail "a missing script: $status $err"

run
[ "$status" -eq 2 ] && [[ "$err" == *usage:* ]] || fail "no arguments: $status $err"
run --gallery-window --seconds soon
[ "$status" -eq 2 ] && [[ "$err" == *'N must be a whole number'* ]] || fail "bad seconds: $status $err"

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
