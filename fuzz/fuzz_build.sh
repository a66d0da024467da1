# Shared by the run_*_fuzz.sh scripts (sourced, not run): installs clang
# when it is missing and builds the named fuzz targets in build-fuzz/ with
# AddressSanitizer and UndefinedBehaviorSanitizer on and the core
# instrumented for coverage. Sets root and build.
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

build_fuzzers() {
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
    cmake --build "$build" -j2 --target "$@"
}
