// The recovery copy of a modified tree of 10,000 and 100,000 persons: the
// time the window is held (taking the tree's bytes) and, apart, the time
// the whole copy takes to reach the disk on the worker thread.
//
//   build/bench/recovery_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <filesystem>
#include <string>

#include "bench_support.h"
#include "core/formats/tree_file.h"
#include "core/model/document.h"
#include "gui/recovery/recovery_keeper.h"
#include "offscreen_main.h"
#include "testdata/synthetic_tree.h"

namespace {

using namespace lineara;

void openModifiedTree(Document& doc, int persons) {
    const std::string path = bench::benchDir() + "/tree" + std::to_string(persons) + ".ln3";
    if (!std::filesystem::exists(path)) {
        PersonList list;
        generateSyntheticTree(list, persons, 1);
        if (!SavetoFile(list, path).written()) std::abort();
    }
    if (!doc.ReadfromFile(path).loaded()) std::abort();
    doc.markModified(ModifiedWithoutStep::EditorConfirmed);
}

void BM_RecoveryWrite(benchmark::State& state) {
    const int persons = static_cast<int>(state.range(0));
    Document doc;
    openModifiedTree(doc, persons);
    const QString folder = QString::fromStdString(bench::benchDir() + "/recovery");
    RecoveryKeeper keeper(doc, folder);
    keeper.setIntervalMinutes(2);
    double windowMs = 0, worstWindowMs = 0, totalMs = 0;
    for (auto _ : state) {
        keeper.treeChanged();  // something to write
        QElapsedTimer total;
        total.start();
        keeper.writeIfChanged();
        state.PauseTiming();
        keeper.waitForWrite();
        totalMs += static_cast<double>(total.nsecsElapsed()) / 1e6;
        QCoreApplication::processEvents();
        windowMs += keeper.lastSnapshotMs();
        worstWindowMs = std::max(worstWindowMs, keeper.lastSnapshotMs());
        state.ResumeTiming();
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["window_ms"] = windowMs / n;
    state.counters["worst_window_ms"] = worstWindowMs;
    state.counters["whole_write_ms"] = totalMs / n;
    keeper.discard();
}
BENCHMARK(BM_RecoveryWrite)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    const int result = lineara::bench::runOffscreenBenchmarks<QCoreApplication>(argc, argv);
    std::filesystem::remove_all(lineara::bench::benchDir());
    return result;
}
