#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch folder whose path
# holds a space, validates what it holds (desktop entry, AppStream metainfo,
# lintian) and runs its launcher as a new user would: HOME is an empty
# folder and XDG_DATA_HOME is unset. The first launch must make the user's
# folder from the sample and show a verse; a later launch must keep and show
# the user's own verses, and put back only what the user's folder lacks.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/package.sh "$@"
deb=$(ls build-package/lumera_*.deb)

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
root="$scratch/unpacked here"
dpkg-deb -x "$deb" "$root"
launcher="$root/usr/bin/lumera-start"
sample="$root/usr/share/lumera/sample"

fail() {
    echo "package-check: $*" >&2
    exit 1
}

echo "== Package fields, desktop-file-validate, appstreamcli validate, lintian"
version=$(sed -n 's/^set(LUMERA_FILE_VERSION "\(.*\)")$/\1/p' res/Version.cmake)
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6 (>=' || fail "the dependencies were not computed"
dpkg-deb -f "$deb" Depends Recommends | grep -qw qt6-wayland || fail "the package does not name Qt's Wayland plugin"
entry=$(ls "$root"/usr/share/applications/*.desktop)
desktop-file-validate "$entry"
# Pedantic, and clean but for the one note the app id itself brings (it has
# capitals, as the desktop entry's name it must match).
appstreamcli validate --no-net --pedantic "$root"/usr/share/metainfo/*.metainfo.xml >"$scratch/appstream.log" 2>&1 || true
cat "$scratch/appstream.log"
! grep -E '^[EWIP]: ' "$scratch/appstream.log" | grep -qv 'cid-contains-uppercase-letter' \
    || fail "appstreamcli reports more than the capitals of the app id"
grep -q 'Validation was successful' "$scratch/appstream.log" || fail "appstreamcli validate failed"
# The metainfo names the screenshot's published copy; the package carries the image.
shot_name=$(sed -n 's|.*<image type="source">.*/\([^/<]*\)</image>.*|\1|p' "$root"/usr/share/metainfo/*.metainfo.xml)
screenshot="$root/usr/share/lumera/screenshots/$shot_name"
[ -n "$shot_name" ] && [ -f "$screenshot" ] || fail "the metainfo's screenshot is not installed"
lintian --info "$deb" 2>&1 | { grep -v 'running with root privileges' || true; } | tee "$scratch/lintian.log"
! grep -qE '^[EW]: ' "$scratch/lintian.log" || fail "lintian reports errors or warnings"

# Runs the launcher for a new user whose home is $home, with a clean
# environment; the program's platform is given as the first argument and
# the command that runs it follows. XDG_DATA_HOME is set only when
# $data_home is.
as_user() {
    local platform=$1
    shift
    local vars=(PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM="$platform")
    [ -z "${data_home:-}" ] || vars+=(XDG_DATA_HOME="$data_home")
    mkdir -p "$home/runtime"
    chmod 700 "$home/runtime"
    env -i "${vars[@]}" "$@"
}

# Starts the launcher under a virtual X server, waits for its window and
# prints the title of the verse shown (copied from the title field).
shown_title() {
    as_user xcb xvfb-run -a -s "-screen 0 1024x768x24" bash scripts/shown-title.sh "$launcher" \
        2>"$scratch/run.err" || { cat "$scratch/run.err" >&2; fail "no verse shown"; }
    [ ! -s "$scratch/run.err" ] || { cat "$scratch/run.err" >&2; fail "the run wrote to stderr"; }
}

home="$scratch/home"
mkdir "$home"
folder="$home/.local/share/Lumera"

echo "== First launch, offscreen: makes the user's folder from the sample"
status=0
as_user offscreen timeout 5 "$launcher" 2>"$scratch/run.err" || status=$?
[ "$status" -eq 124 ] || { cat "$scratch/run.err" >&2; fail "the program ended early (status $status)"; }
[ ! -s "$scratch/run.err" ] || { cat "$scratch/run.err" >&2; fail "the first launch wrote to stderr"; }
for f in Lumera.ini Lumera.niv; do
    cmp "$sample/$f" "$folder/$f" || fail "$f was not copied from the sample"
    [ -w "$folder/$f" ] || fail "$f is not writable for its user"
done

echo "== Second launch, on a virtual X server: shows a verse of the sample"
title=$(shown_title)
echo "shown: $title"
[ -n "$title" ] || fail "the title field is empty"
tr -d '\r' <"$folder/Lumera.niv" | grep -Fxq -- "$title" \
    || iconv -f CP1250 -t UTF-8 "$folder/Lumera.niv" | tr -d '\r' | grep -Fxq -- "$title" \
    || fail "the title shown is not in the sample"

echo "== The window belongs to the menu entry: WM_CLASS on X11"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
app_id=$(basename "$entry" .desktop)
class=$(as_user xcb xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$1" & pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$pid" --name "^Lumera$" | head -1)
    xprop -id "$window" WM_CLASS; kill "$pid"' xprop "$launcher")
echo "$class"
[ "$class" = "WM_CLASS(STRING) = \"$wm_class\", \"$wm_class\"" ] || fail "WM_CLASS is not StartupWMClass ($wm_class)"

echo "== Natively on Wayland: app id $app_id, the same window as on X11"
bash scripts/wayland-check.sh "$root/usr/bin/Lumera" "$screenshot"

echo "== The user's own verses survive a launch; a missing settings file comes back"
printf '%s\n' "Kept by the user" "Psalm 118:24" "This is the day that the Lord has made." "#" '$$$' >"$folder/Lumera.niv"
cp "$folder/Lumera.niv" "$scratch/mine.niv"
rm "$folder/Lumera.ini"
title=$(shown_title)
echo "shown: $title"
[ "$title" = "Kept by the user" ] || fail "the user's verse was not shown"
cmp "$scratch/mine.niv" "$folder/Lumera.niv" || fail "the user's verse file was changed"
cmp "$sample/Lumera.ini" "$folder/Lumera.ini" || fail "the missing settings file was not put back"

echo "== XDG_DATA_HOME with a space is honoured"
home="$scratch/home2"
mkdir "$home"
data_home="$scratch/my data"
status=0
as_user offscreen timeout 3 "$launcher" 2>"$scratch/run.err" || status=$?
[ "$status" -eq 124 ] || { cat "$scratch/run.err" >&2; fail "the program ended early (status $status)"; }
cmp "$sample/Lumera.niv" "$data_home/Lumera/Lumera.niv" || fail "the sample was not copied under XDG_DATA_HOME"
[ ! -e "$home/.local" ] || fail "the launcher wrote under HOME although XDG_DATA_HOME was set"
data_home=

echo "== A missing sample is reported"
rm "$sample/Lumera.niv"
home="$scratch/home3"
mkdir "$home"
status=0
as_user offscreen timeout 3 "$launcher" 2>"$scratch/run.err" || status=$?
[ "$status" -eq 1 ] || fail "a missing sample gave status $status, not 1"
grep -q 'sample.*Lumera.niv.*missing' "$scratch/run.err" || fail "no clear message for a missing sample"
cat "$scratch/run.err"

echo "package-check: passed"
