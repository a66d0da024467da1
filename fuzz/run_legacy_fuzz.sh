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
. "$(dirname "$0")/fuzz_build.sh"
build_fuzzers legacy_v1_fuzzer legacy_v1_5_fuzzer

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
