#!/usr/bin/env bash
# Time from start to a visible window under Xvfb: Lumera with the whole
# Bible against a minimal Qt dialog built here (the floor of any Qt program
# on this machine), run alternately, median of each. Target: at most 1.2x.
#   bench/bench_window.sh [Lumera binary] [verse file]    (RUNS=15 by default)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
lumera=$(realpath "${1:-$root/build-release/app/Lumera}")
bible=$(realpath "${2:-$root/../shared/data/bible-full.niv}")
runs=${RUNS:-15}
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$lumera" "$bible"
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
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
awk -v ours="$ours" -v floor="$floor" -v runs="$runs" 'BEGIN {
    ratio = ours / floor
    printf "to a visible window (median of %d, ms): Lumera %.1f, minimal dialog %.1f, ratio %.2f (limit 1.2) %s\n",
           runs, ours, floor, ratio, ratio <= 1.2 ? "ok" : "MISSED"
    exit ratio <= 1.2 ? 0 : 1 }'
