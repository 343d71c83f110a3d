#!/usr/bin/env bash
# Debug build with AddressSanitizer and UndefinedBehaviorSanitizer, then the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
# The house style holds for every file (.clang-format); a file that drifts fails here.
bash scripts/dev/check-format.sh
cmake -S . -B build-debug -DCMAKE_BUILD_TYPE=Debug -DSTAT_SANITIZE=ON >/dev/null
cmake --build build-debug -j2
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-debug --output-on-failure -j2
