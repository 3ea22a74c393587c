#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program in a working copy
# of the bundled sample folder (build/sample-run), so the repository's own
# files are never changed. Edits made in the program stay in that copy.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh default
run_dir=build/sample-run
if [ ! -f "$run_dir/Lumera.ini" ]; then
    mkdir -p "$run_dir"
    cp sample/Lumera.ini sample/Lumera.niv "$run_dir/"
fi
cd "$run_dir"
exec ../app/Lumera "$@"
