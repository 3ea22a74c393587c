#!/usr/bin/env bash
# Shows a verse through Qt's Wayland plugin on weston's headless backend,
# a Wayland compositor that needs no GPU and no screen:
#     wayland-check.sh PROGRAM X11_SCREENSHOT [WAYLAND_SCREENSHOT]
# The program runs on the verse that the build's screenshot shows (taken on
# X11 by scripts/tools/screenshot.sh); the check passes when the
# program tells the compositor its app id (the desktop entry's name) and
# title, keeps running, writes nothing to stderr but the protocol trace,
# and the compositor's own screenshot holds that X11 picture pixel for
# pixel: the same window with the same verse, drawn natively on Wayland.
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(readlink -f "$1")
expected=$(readlink -f "$2")
keep=${3:-}
app_id=$(sed -n 's/^set(LUMERA_APP_ID \(.*\))$/\1/p' res/Version.cmake)

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "wayland-check: $*" >&2
    [ ! -s "$work/weston.log" ] || tail -n 20 "$work/weston.log" >&2
    exit 1
}

bash scripts/tools/one-verse.sh sample "$work/run"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
socket=lumera-check

# The pixman renderer, so that the compositor can take screenshots (which
# --debug allows its clients).
weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 \
    --socket="$socket" --idle-time=0 --debug >"$work/weston.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$socket" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$socket" ] || fail "weston did not start"
export WAYLAND_DISPLAY=$socket

(cd "$work/run" && exec env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client "$program") 2>"$work/program.log" &
program_pid=$!
pids+=("$program_pid")
for _ in $(seq 150); do
    grep -q 'wl_surface@[0-9]*\.commit' "$work/program.log" 2>/dev/null && break
    sleep 0.1
done
sleep 2
kill -0 "$program_pid" 2>/dev/null || fail "the program ended: $(grep -v '^\[' "$work/program.log" | head -5)"

grep -Fq "set_app_id(\"$app_id\")" "$work/program.log" || fail "the window does not carry the app id $app_id"
grep -Fq 'set_title("Lumera")' "$work/program.log" || fail "the window is not titled Lumera"
! grep -v '^\[' "$work/program.log" | grep -q . || fail "the program wrote to stderr: $(grep -v '^\[' "$work/program.log" | head -5)"

(cd "$work" && timeout 20 weston-screenshooter) || fail "weston took no screenshot"
shot=$(ls "$work"/wayland-screenshot-*.png)
[ -z "$keep" ] || cp "$shot" "$keep"
at=$(python3 scripts/tools/find_picture.py "$expected" "$shot") \
    || fail "the Wayland window does not show what the X11 window shows"
echo "wayland-check: app id $app_id; the window, verse included, drawn at $at"
