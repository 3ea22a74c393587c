#!/usr/bin/env bash
# Takes the picture of the main window showing one verse of the sample:
#     screenshot.sh PROGRAM GRAB_WINDOW SAMPLE_FOLDER OUTPUT.png
# The program runs on a virtual X server of its own, in a scratch folder
# holding the sample's settings and a verse file of that one verse
# (one-verse.sh), so every picture shows the same verse. QT_* variables of the caller (for example
# QT_SCALE_FACTOR) reach the program.
set -euo pipefail
program=$(readlink -f "$1")
grab=$(readlink -f "$2")
sample=$(readlink -f "$3")
output=$(readlink -m "$4")
verse=${LUMERA_SCREENSHOT_VERSE:-John 3:16}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bash "$(dirname "$0")/one-verse.sh" "$sample" "$work" "$verse"
mkdir -m 700 "$work/runtime"
cd "$work"
XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    "$1" &
    pid=$!
    trap "kill $pid 2>/dev/null || true" EXIT
    window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" --name "^Lumera$" | head -1)
    [ -n "$window" ] || { echo "screenshot: no window appeared" >&2; exit 1; }
    sleep 1
    "$2" "$window" "$3"
' screenshot "$program" "$grab" "$output"
echo "screenshot: $output"
