#!/usr/bin/env bash
# Installs, with apt-get, the Debian packages Penmarrow's build, tests, package and screenshot need,
# and the PACKAGEs given, when any is missing.
# Usage: install-deps.sh [PACKAGE...]
set -euo pipefail
# One package a line, sorted.
packages=(
  appstream                # appstreamcli validates the metainfo
  at-spi2-core
  clang
  clang-format             # the test command checks the sources' layout
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
  grim                     # screenshots on Wayland
  imagemagick              # import, for screenshots
  libbenchmark-dev
  libclang-rt-dev          # the fuzzer's and the sanitizers' runtimes
  libglib2.0-bin           # gio, which opens a plan by its type in the package's check
  libgtest-dev
  libqcustomplot-dev
  libqt6svg6               # the SVG renderer; its plugins: see below
  librsvg2-bin
  libwayland-dev           # the Wayland check's virtual pointer client, and wayland-scanner
  libx11-dev               # asking an X server whether a compositing manager runs
  lintian
  llvm                     # llvm-symbolizer, so a sanitizer's stack shows names
  locales                  # localedef, and the sources of the locales the tests run in
  ninja-build
  openbox                  # window manager of the desktop checks
  orca                     # the screen reader walk of the desktop checks
  poppler-utils            # pdftotext and pdfimages read the printed plan
  python3
  python3-pyatspi          # the accessibility tree, from the desktop checks
  python3-xlib             # a clipboard owner that never answers, in the desktop checks
  qt6-base-dev
  qt6-wayland              # Qt's Wayland platform plugin, for the Wayland check
  sway                     # the Wayland check's compositor, on its headless backend
  valgrind                 # the edit menu is driven once more under it
  x11-apps
  x11-utils
  x11-xserver-utils        # xhost lets the Wayland check's program into sway's XWayland
  xauth                    # xvfb-run needs it
  xclip
  xdotool                  # input through XTEST
  xvfb
  xwayland                 # the Wayland check's X11 half
  "$@"
)
installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
# The style sheet's images and the window icon need Qt's SVG image and icon plugins, which Debian 13
# moved out of libqt6svg6 into qt6-svg-plugins: take that package wherever the archive offers it.
svg_plugins_missing=1
compgen -G "/usr/lib/*/qt6/plugins/imageformats/libqsvg.so" >/dev/null &&
  compgen -G "/usr/lib/*/qt6/plugins/iconengines/libqsvgicon.so" >/dev/null && svg_plugins_missing=0
if ((${#missing[@]} || svg_plugins_missing)); then
  export DEBIAN_FRONTEND=noninteractive
  # Waits for another apt-get rather than failing on its lock.
  apt-get -o DPkg::Lock::Timeout=600 update -qq
  if ((svg_plugins_missing)) && apt-cache show qt6-svg-plugins >/dev/null 2>&1; then
    missing+=(qt6-svg-plugins)
  fi
  echo "Installing: ${missing[*]}"
  apt-get -o DPkg::Lock::Timeout=600 install -y -qq --no-install-recommends "${missing[@]}"
fi
