#!/usr/bin/env bash
# Time from start to a visible window under Xvfb: Lumera with the whole
# Bible against a minimal Qt dialog built here (the floor of any Qt program
# on this machine), run alternately, median of each. Target: at most 1.2x.
# With LIMIT_MS set, the target is instead that no start of Lumera takes
# longer than that (for very large files).
#   bench/bench_window.sh [Lumera binary] [verse file]    (RUNS=15 by default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lumera=$(realpath "${1:-$root/build-release/app/Lumera}")
shared=$(sed -n 's/^LUMERA_SHARED_DATA:PATH=//p' "$root/build-release/CMakeCache.txt")
bible=$(realpath "${2:-$shared/bible-full.niv}")
runs=${RUNS:-15}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$lumera" "$bible"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Without a runtime folder every Qt program warns on start, which would be timed too.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
fi
g++ -O2 -std=c++17 -fPIC "$root/bench/window/minimal_dialog.cpp" \
    $(pkg-config --cflags --libs Qt6Widgets) -o "$work/minimal_dialog"
cc -O2 "$root/bench/window/map_watch.c" $(pkg-config --cflags --libs xcb) -o "$work/map_watch"
mkdir "$work/bible"
cp "$bible" "$work/bible/Lumera.niv"
printf 'FILE=Lumera.niv\r\n' > "$work/bible/Lumera.ini"

# Warm the caches, then alternate.
(cd "$work/bible" && "$work/map_watch" "$lumera" >/dev/null)
"$work/map_watch" "$work/minimal_dialog" >/dev/null
for _ in $(seq "$runs"); do
    (cd "$work/bible" && "$work/map_watch" "$lumera") >> "$work/lumera.ms"
    "$work/map_watch" "$work/minimal_dialog" >> "$work/minimal.ms"
done
median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ours=$(median "$work/lumera.ms")
floor=$(median "$work/minimal.ms")
slowest=$(sort -n "$work/lumera.ms" | tail -n 1)
awk -v ours="$ours" -v floor="$floor" -v runs="$runs" -v slowest="$slowest" -v limit="${LIMIT_MS:-}" 'BEGIN {
    ratio = ours / floor
    ok = limit == "" ? ratio <= 1.2 : slowest <= limit
    printf "to a visible window (median of %d, ms): Lumera %.1f (slowest %.1f), minimal dialog %.1f, ratio %.2f (limit %s) %s\n",
           runs, ours, slowest, floor, ratio, limit == "" ? "1.2" : "slowest " limit " ms", ok ? "ok" : "MISSED"
    exit ok ? 0 : 1 }'
