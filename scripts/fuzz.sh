#!/usr/bin/env bash
# Builds the fuzz targets with clang (the fuzz preset: the data layer as the
# program builds it, instrumented for libFuzzer) and runs each for a bounded
# time (seconds in $1, default 60) on seeds from the shared verse files and
# the tests' own small files. Any crash, leak, sanitizer report or broken round
# trip fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
bash scripts/deps.sh clang-14 libclang-rt-14-dev
# A fuzz-build left from when fuzz/ was a project of its own cannot be reused.
if grep -qs '^CMAKE_HOME_DIRECTORY:INTERNAL=.*/fuzz$' fuzz-build/CMakeCache.txt; then rm -rf fuzz-build; fi
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j"$(nproc)"

shared=$(sed -n 's/^LUMERA_SHARED_DATA:PATH=//p' fuzz-build/CMakeCache.txt)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/verse" "$work/settings"
for f in "$shared"/favourites.niv "$shared"/cz-cp1250.niv; do
    [ -f "$f" ] && cp "$f" "$work/verse/"
done
if [ -f "$shared/bible-full.niv" ]; then
    head -c 20000 "$shared/bible-full.niv" > "$work/verse/bible-head.niv"
    # A large input, so long files and many records are reached from the start.
    head -c 300000 "$shared/bible-full.niv" > "$work/verse/bible-300k.niv"
fi
find tests/data -type f -name '*.niv' -exec cp {} "$work/verse/" \; 2>/dev/null || true
cp sample/Lumera.ini "$work/settings/"
find tests/data -type f -name '*.ini' -exec cp {} "$work/settings/" \; 2>/dev/null || true

export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for target in settings verse_file; do
    corpus="$work/${target%_file}"
    max_len=65536
    [ "$target" = verse_file ] && max_len=524288
    echo "== fuzz_$target for ${seconds}s"
    log="$work/$target.log"
    status=0
    ./fuzz-build/fuzz/fuzz_$target -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
        -print_final_stats=1 -artifact_prefix=fuzz-build/ "$corpus" >"$log" 2>&1 || status=$?
    grep -E 'number_of_executed_units|ERROR|SUMMARY|round trip|Done' "$log" || true
    if [ "$status" -ne 0 ]; then
        tail -40 "$log"
        echo "fuzz_$target failed"
        exit 1
    fi
done
