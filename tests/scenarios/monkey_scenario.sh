#!/usr/bin/env bash
# The monkey test with a fixed seed: random user actions against the textbook, every rule
# checked after each one. Prints may go only to the scratch folder: the home folder (where a
# print would go by default) and the temporary folder must stay empty.
# Usage: monkey_scenario.sh UISHOT CONTENT_DIR WORKDIR ACTIONS SEED
set -uo pipefail
UISHOT=$1 CONTENT=$2 WORK=$3 ACTIONS=$4 SEED=$5
rm -rf "$WORK" && mkdir -p "$WORK/home" "$WORK/tmp" "$WORK/prints" && cd "$WORK" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

HOME="$WORK/home" TMPDIR="$WORK/tmp" "$UISHOT" --monkey "$ACTIONS" --seed "$SEED" --content "$CONTENT" \
    --scratch "$WORK/prints" || fail "the monkey broke a rule (exit $?)"
[ -z "$(ls -A "$WORK/home")" ] || fail "files outside the scratch folder: $(ls -A "$WORK/home")"
[ -z "$(ls -A "$WORK/tmp")" ] || fail "files left in the temporary folder: $(ls -A "$WORK/tmp")"
ls "$WORK/prints" | grep -qv '\.pdf$' && fail "something other than a PDF in the scratch folder: $(ls "$WORK/prints")"

[ "$failures" -eq 0 ] && echo "monkey: all checks passed"
exit $((failures > 0))
