#!/usr/bin/env bash
# Installs what is missing, builds the program for release (stripped, with
# Debian's hardening flags) and makes the Debian package
# build-package/lumera_<version>_<architecture>.deb from the install rules.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh dpkg-dev file
dir=build-package
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)" --target Lumera screenshot desktop_icons
rm -f "$dir"/lumera_*.deb
(cd "$dir" && cpack -G DEB >/dev/null)
ls "$dir"/lumera_*.deb
