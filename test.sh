#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
#   ./test.sh          normal build in build/
#   ./test.sh --asan   AddressSanitizer + UndefinedBehaviorSanitizer in build-asan/
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

build_dir=build
config=(-DCMAKE_BUILD_TYPE=RelWithDebInfo)
case "${1:-}" in
  "") ;;
  --asan)
    build_dir=build-asan
    config=(-DCMAKE_BUILD_TYPE=Debug -DLINEARA_SANITIZE=ON -DLINEARA_BUILD_BENCHMARKS=OFF)
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ;;
  *) echo "usage: ./test.sh [--asan]" >&2; exit 2 ;;
esac

# Application tests never need a display.
export QT_QPA_PLATFORM=offscreen

cmake -S . -B "$build_dir" "${config[@]}"
cmake --build "$build_dir" -j2
cd "$build_dir"
ctest --output-on-failure -j2 --timeout 600
