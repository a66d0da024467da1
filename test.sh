#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
#   ./test.sh          normal build in build/
#   ./test.sh --asan   AddressSanitizer + UndefinedBehaviorSanitizer in build-asan/
#   ./test.sh --tsan   ThreadSanitizer in build-tsan/: the tests that start threads
# Warnings in the project's own code fail every one of these builds.
set -euo pipefail
cd "$(dirname "$0")"

./scripts/install-deps.sh

build_dir=build
config=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DLINEARA_WERROR=ON)
targets=()
tests=()
case "${1:-}" in
  "") ;;
  --asan)
    build_dir=build-asan
    config=(-DCMAKE_BUILD_TYPE=Debug -DLINEARA_SANITIZE=ON -DLINEARA_BUILD_BENCHMARKS=OFF
            -DLINEARA_WERROR=ON)
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    ;;
  --tsan)
    # Several threads work at once on the HTML images (their tests live
    # in the rendering library's test program, and the tool makes a whole
    # presentation below) and on the search list of a large tree (the
    # core's PersonSearch tests). Qt itself is not built with
    # ThreadSanitizer: tests/tsan.supp names the reports inside Qt.
    build_dir=build-tsan
    config=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DLINEARA_TSAN=ON -DLINEARA_BUILD_BENCHMARKS=OFF
            -DLINEARA_WERROR=ON)
    targets=(--target lineara_render_tests lineara_core_tests lineara-tool)
    tests=(-R '^render\.|^PersonSearch\.')
    export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 suppressions=$(pwd)/tests/tsan.supp"
    ;;
  *) echo "usage: ./test.sh [--asan | --tsan]" >&2; exit 2 ;;
esac

# Application tests never need a display.
export QT_QPA_PLATFORM=offscreen

cmake -S . -B "$build_dir" "${config[@]}"
cmake --build "$build_dir" -j2 "${targets[@]}"
cd "$build_dir"
ctest --output-on-failure -j2 --timeout 600 "${tests[@]}"

if [ "${1:-}" = --tsan ]; then
  # The tool as a user runs it: a presentation of 2,000 persons, whose box
  # images the workers draw and write.
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  src/lineara-tool generate 2000 "$work/tree.ln3" > /dev/null
  src/lineara-tool html "$work/tree.ln3" "$work/html"
  echo "lineara-tool html: no ThreadSanitizer report"
fi
