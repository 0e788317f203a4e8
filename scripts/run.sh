#!/usr/bin/env bash
# Builds Penmarrow and starts it; with no display, starts it on a private X display for a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target penmarrow
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display here: the window goes to a screenshot, /tmp/penmarrow.png"
  exec packaging/check-running.sh --shot /tmp/penmarrow.png packaging/org.example.Penmarrow.desktop \
    build/release/app/penmarrow
fi
exec ./build/release/app/penmarrow
