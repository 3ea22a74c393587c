#!/usr/bin/env bash
# Formats every C++ file of the project with its .clang-format; with
# --check, changes nothing and fails on the first file that is not formatted.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh clang-format-14
mode=(-i)
[ "${1:-}" = "--check" ] && mode=(--dry-run -Werror)
git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format-14 "${mode[@]}"
