#!/usr/bin/env bash
# Runs the program given as $1 (on an X display), waits for its main window
# and prints the title of the verse it shows, read from the title field
# through the clipboard; then ends the program.
set -euo pipefail
"$1" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" --name '^Lumera$' | head -1)
[ -n "$window" ] || { echo "no window appeared" >&2; exit 1; }
# The first tab stop is Exit, then Another, then the title field.
xdotool windowfocus --sync "$window"
xdotool key --clearmodifiers Tab Tab
for _ in 1 2 3 4 5 6 7 8 9 10; do
    sleep 0.3
    xdotool key --clearmodifiers ctrl+a ctrl+c
    title=$(timeout 5 xclip -o -selection clipboard 2>/dev/null) || continue
    [ -n "$title" ] && break
done
kill -0 "$pid" 2>/dev/null || { echo "the program ended" >&2; exit 1; }
printf '%s\n' "${title:-}"
