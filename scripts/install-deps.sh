#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages Penmarrow's build and tests need, when any is missing.
set -euo pipefail
packages=(cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libbenchmark-dev
          qt6-base-dev libqcustomplot-dev xvfb x11-apps imagemagick fonts-liberation2 fonts-wine fonts-dejavu-core fonts-dejavu-extra
          libqt6svg6 librsvg2-bin desktop-file-utils appstream dpkg-dev
          openbox xdotool xauth x11-utils xclip dbus at-spi2-core python3 python3-pyatspi orca)
# valgrind checks the edit menu; the desktop check of the edit paths drags from another program.
packages+=(valgrind)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
