#!/bin/sh
# Builds the fuzzers of the import of older tree files (version 1.0 and
# 1.5.x) with clang (AddressSanitizer and UndefinedBehaviorSanitizer on,
# the core instrumented for coverage) in build-fuzz/ and runs each.
#
#   fuzz/run_legacy_fuzz.sh [RUNS]      RUNS inputs each, 1000000 by default
#
# The corpora grow in build-fuzz/legacy_v1-corpus/ and legacy_v1_5-corpus/,
# starting from fuzz/corpus/legacy_v1*/. An input that breaks something is
# written to build-fuzz/legacy_*-crash-* (or leak-*, timeout-*) and the
# script fails.
set -eu

runs=${1:-1000000}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

if ! command -v clang++ >/dev/null 2>&1; then
    as_root apt-get update
    as_root apt-get install -y clang
fi

launcher=""
if command -v ccache >/dev/null 2>&1; then
    launcher="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
fi
# shellcheck disable=SC2086
cmake -S "$root" -B "$build" $launcher \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link \
    -DLINEARA_SANITIZE=ON \
    -DLINEARA_BUILD_FUZZERS=ON \
    -DLINEARA_BUILD_BENCHMARKS=OFF
cmake --build "$build" -j2 --target legacy_v1_fuzzer legacy_v1_5_fuzzer

for version in v1 v1_5; do
    corpus="$build/legacy_$version-corpus"
    mkdir -p "$corpus"
    cp "$root"/fuzz/corpus/legacy_$version/* "$corpus"/
    # Three records and a little more, so cuts and second records are in reach.
    max_len=1441
    [ "$version" = v1_5 ] && max_len=4200
    "$build/fuzz/legacy_${version}_fuzzer" -runs="$runs" -max_len="$max_len" \
        -artifact_prefix="$build/legacy_$version-" "$corpus"
done
