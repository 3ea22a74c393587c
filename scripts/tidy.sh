#!/usr/bin/env bash
# Runs clang-tidy with the project's .clang-tidy on every program and test
# source, using the compile commands of the build folder in $1 (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh clang-tidy-14
build="${1:-build}"
mapfile -t sources < <(git ls-files -- 'app/*.cpp' 'data/*.cpp' 'platform/*.cpp' 'res/*.cpp' 'ui/*.cpp' 'tests/*.cpp')
run-clang-tidy-14 -p "$build" -quiet -j"$(nproc)" "${sources[@]}" >"$build/clang-tidy.log" 2>&1 || {
    sed 's/\x1b\[[0-9;]*m//g' "$build/clang-tidy.log" | grep -E -A3 'error:|warning:' | head -100
    echo "clang-tidy found problems (whole log: $build/clang-tidy.log)"
    exit 1
}
echo "clang-tidy: ${#sources[@]} files clean"
