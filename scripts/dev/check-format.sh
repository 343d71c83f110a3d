#!/usr/bin/env bash
# Checks that every C++ file of the tree follows .clang-format; lists the ones that do not.
# With --fix, formats them in place instead.
set -euo pipefail
cd "$(git -C "$(dirname "$0")" rev-parse --show-toplevel)"
mode=(--dry-run --Werror)
[[ "${1:-}" == "--fix" ]] && mode=(-i)
git ls-files -z -- '*.h' '*.hpp' '*.cpp' '*.cc' '*.c' \
    | xargs -0 -r -n 50 clang-format --style=file "${mode[@]}"
