#!/usr/bin/env bash
# The monkey test, long: 10,000 random user actions against the textbook in the sanitizer
# build, with a random seed (or the one given). A failure prints the seed and the last actions,
# with the command that plays them again.
# Usage: scripts/monkey.sh [SEED [ACTIONS]]
set -euo pipefail
cd "$(dirname "$0")/.."
seed=${1:-$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}
actions=${2:-10000}
bash scripts/deps.sh
cmake -S . -B build-debug -DCMAKE_BUILD_TYPE=Debug -DSTAT_SANITIZE=ON >/dev/null
cmake --build build-debug -j2 --target uishot
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
echo "monkey: $actions actions, seed $seed"
start=$(date +%s)
status=0
build-debug/apps/uishot/uishot --monkey "$actions" --seed "$seed" --content content --scratch "$scratch" || status=$?
echo "monkey: $(( $(date +%s) - start )) s"
exit $status
