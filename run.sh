#!/usr/bin/env bash
# Installs what is missing, builds, and starts Lineara on the sample tree.
# Without a display it renders the sample tree to a PNG picture instead.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j2

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display (DISPLAY and WAYLAND_DISPLAY are not set): rendering the sample tree to a picture instead."
  out="$(pwd)/build/sample.png"
  ./build/src/lineara-tool render examples/sample.ln3 "$out"
  echo "$out"
else
  exec ./build/src/lineara examples/sample.ln3
fi
