#!/usr/bin/env bash
# Builds the Debian package of Lineara: build-package/lineara_VERSION_ARCH.deb.
# Install it with: sudo apt-get install ./build-package/lineara_*.deb
# The package holds the program and the tool only, so the tests and the
# benchmarks are not built (nor their libraries needed), in a build folder
# of its own that leaves the test build as it was.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF \
  -DLINEARA_BUILD_BENCHMARKS=OFF > /dev/null
cmake --build build-package -j2
cd build-package
cpack -G DEB
ls "$(pwd)"/lineara_*.deb
