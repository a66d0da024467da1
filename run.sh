#!/usr/bin/env bash
# Installs what is missing, builds, and runs Lineara on the sample tree.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j2

./build/src/lineara-tool info examples/sample.ln3
