// The whole tree as one picture: SVG and PDF of generated trees of 10,000
// and 100,000 persons at 100 %, written to a file in the temporary folder
// as lineara-tool export-image writes them.
//
//   build/bench/export_image_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <QFileInfo>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <map>
#include <memory>

#include "offscreen_main.h"
#include "render/tree_image/tree_image_file.h"
#include "testdata/synthetic_tree.h"

namespace {

using namespace lineara;

PersonList& treeOf(int persons) {
    static std::map<int, std::unique_ptr<PersonList>> trees;
    std::unique_ptr<PersonList>& tree = trees[persons];
    if (!tree) {
        tree = std::make_unique<PersonList>();
        generateSyntheticTree(*tree, persons, 1);
    }
    return *tree;
}

void exportTree(benchmark::State& state, TreeImageFormat format, const char* name) {
    PersonList& tree = treeOf(int(state.range(0)));
    QTemporaryDir dir;
    const std::string path = dir.filePath(QString::fromLatin1(name)).toStdString();
    const RecordCodec codec;
    TreeImageResult result;
    for (auto _ : state) result = writeTreeImage(path, format, tree, TreeImageRequest(), codec);
    if (result.outcome != TreeImageResult::Written) state.SkipWithError("not written");
    state.counters["width"] = double(result.width);
    state.counters["height"] = double(result.height);
    state.counters["MB"] = double(QFileInfo(QString::fromStdString(path)).size()) / 1e6;
}

void BM_ExportSvg(benchmark::State& state) { exportTree(state, TreeImageFormat::Svg, "t.svg"); }
void BM_ExportPdf(benchmark::State& state) { exportTree(state, TreeImageFormat::Pdf, "t.pdf"); }
BENCHMARK(BM_ExportSvg)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ExportPdf)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    return lineara::bench::runOffscreenBenchmarks<QGuiApplication>(argc, argv);
}
