#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages Penmarrow's build, tests, package and screenshot need,
# when any is missing.
set -euo pipefail
# One package a line, sorted.
packages=(
  appstream                # appstreamcli validates the metainfo
  at-spi2-core
  clang
  cmake
  dbus
  desktop-file-utils
  dpkg-dev                 # dpkg-shlibdeps, for the .deb's dependencies
  file                     # cpack's DEB generator needs it
  fonts-dejavu-core
  fonts-dejavu-extra
  fonts-liberation2
  fonts-wine
  g++
  googletest
  imagemagick              # import, for screenshots
  libbenchmark-dev
  libclang-rt-14-dev
  libgtest-dev
  libqcustomplot-dev
  libqt6svg6
  librsvg2-bin
  lintian
  llvm                     # llvm-symbolizer, so a sanitizer's stack shows names
  ninja-build
  openbox                  # window manager of the desktop checks
  orca                     # the screen reader walk of the desktop checks
  python3
  python3-pyatspi          # the accessibility tree, from the desktop checks
  qt6-base-dev
  valgrind                 # the edit menu is driven once more under it
  x11-apps
  x11-utils
  xauth                    # xvfb-run needs it
  xclip
  xdotool                  # input through XTEST
  xvfb
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  # Waits for another apt-get rather than failing on its lock.
  apt-get -o DPkg::Lock::Timeout=600 update -qq
  apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
fi
