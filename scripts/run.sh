#!/usr/bin/env bash
# Builds Penmarrow and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target penmarrow
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display here; to see the window anyway: xvfb-run -a -s '-screen 0 1280x800x24' bash -c 'export XDG_RUNTIME_DIR=\$(mktemp -d); ./build/release/app/penmarrow & sleep 3; import -window root /tmp/penmarrow.png; kill %1'"
  exit 0
fi
exec ./build/release/app/penmarrow
