#!/usr/bin/env bash
# Configures and builds with a preset from CMakePresets.json (default: the
# debug build in build/); extra arguments go to the configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
shift || true
cmake --preset "$preset" "$@" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
