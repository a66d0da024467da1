#!/usr/bin/env bash
# Builds the Debian package of Lineara: build/lineara_VERSION_ARCH.deb.
# Install it with: sudo apt-get install ./build/lineara_*.deb
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j2
cd build
cpack -G DEB
ls "$(pwd)"/lineara_*.deb
