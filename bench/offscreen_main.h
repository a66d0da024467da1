// The main() of the benchmarks that paint or open windows: they need a Qt
// application, on the offscreen platform unless the caller chose another,
// so that no display is needed.
#pragma once

#include <benchmark/benchmark.h>

#include <QtGlobal>
#include <functional>

namespace lineara::bench {

// `prepare` runs before timing starts (generating a tree, say).
template <typename Application>
int runOffscreenBenchmarks(int argc, char** argv, const std::function<void()>& prepare = {}) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    if (prepare) prepare();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace lineara::bench
