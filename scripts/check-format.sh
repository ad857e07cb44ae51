#!/usr/bin/env bash
# Checks that every C and C++ file of the tree is laid out as .clang-format
# says, with Debian's clang-format; names each file that is not, and how.
#   scripts/check-format.sh          check (what CI runs)
#   scripts/check-format.sh --fix    rewrite the files in place
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-packages.sh clang-format >/dev/null
mapfile -t files < <(git ls-files '*.c' '*.cpp' '*.h')
if [ "${1:-}" = "--fix" ]; then
    clang-format -i "${files[@]}"
    exit 0
fi
clang-format --dry-run --Werror "${files[@]}"
echo "check-format: ${#files[@]} files laid out as .clang-format says"
