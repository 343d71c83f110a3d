#!/usr/bin/env bash
# Checks that every C++ file of the tree follows .clang-format; lists the ones that do not.
# With --fix, formats them in place instead.
set -euo pipefail
cd "$(git -C "$(dirname "$0")" rev-parse --show-toplevel)"
mode=(--dry-run --Werror)
[[ "${1:-}" == "--fix" ]] && mode=(-i)
# New files count before they are added, so that a commit never brings in an unformatted one.
git ls-files -z --cached --others --exclude-standard -- '*.h' '*.hpp' '*.cpp' '*.cc' '*.c' \
    | while IFS= read -r -d '' f; do [[ -f "$f" ]] && printf '%s\0' "$f"; done \
    | xargs -0 -r -n 50 clang-format --style=file "${mode[@]}"
