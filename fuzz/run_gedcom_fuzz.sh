#!/bin/sh
# Builds the GEDCOM import fuzzer with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on, the core instrumented for coverage) in
# build-fuzz/ and runs it.
#
#   fuzz/run_gedcom_fuzz.sh [RUNS]      RUNS inputs, 1000000 by default
#
# The corpus grows in build-fuzz/gedcom-corpus/, starting from
# fuzz/corpus/gedcom/. An input that breaks something is written to
# build-fuzz/crash-* (or leak-*, timeout-*) and the script fails.
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
cmake --build "$build" -j2 --target gedcom_import_fuzzer

corpus="$build/gedcom-corpus"
mkdir -p "$corpus"
cp "$root"/fuzz/corpus/gedcom/* "$corpus"/
"$build/fuzz/gedcom_import_fuzzer" -runs="$runs" -max_len=4096 \
    -dict="$root/fuzz/gedcom.dict" -artifact_prefix="$build/" "$corpus"
