#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any of them is missing.
set -euo pipefail

# The build (with the virtual X server and tools that take the metainfo's
# screenshot), then what the package check uses: the packaging and checking
# tools, tools that read the program's window on X11, and a headless
# Wayland compositor with Qt's Wayland plugin.
packages=(g++ make cmake qt6-base-dev qt6-svg-dev fonts-dejavu-core fonts-liberation xvfb xauth xdotool
          dpkg-dev fakeroot file lintian desktop-file-utils appstream xclip x11-utils
          weston qt6-wayland python3 "$@")
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
