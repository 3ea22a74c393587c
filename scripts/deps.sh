#!/usr/bin/env bash
# Installs the Debian packages the build needs, when any of them is missing.
set -euo pipefail

# The build, then what the package check uses: the packaging and checking
# tools, and a virtual X server with tools that read the program's window.
packages=(g++ make cmake qt6-base-dev fonts-dejavu-core fonts-liberation
          dpkg-dev fakeroot file lintian desktop-file-utils appstream xvfb xauth xdotool xclip "$@")
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
