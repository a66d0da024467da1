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
. "$(dirname "$0")/fuzz_build.sh"
build_fuzzers gedcom_import_fuzzer

corpus="$build/gedcom-corpus"
mkdir -p "$corpus"
cp "$root"/fuzz/corpus/gedcom/* "$corpus"/
"$build/fuzz/gedcom_import_fuzzer" -runs="$runs" -max_len=4096 \
    -dict="$root/fuzz/gedcom.dict" -artifact_prefix="$build/" "$corpus"
