// The pages of the HTML presentation for generated trees of 1,000 and
// 10,000 persons, with an image sink that draws nothing: what the core's
// part of a generation costs, pages written to disk included.
//
//   build/bench/html_pages_bench [--benchmark_filter=...]
//
// "Pages" is the whole generation into a folder (every file written whole,
// flushed and renamed); "FamilyIndexAlone" builds the index of the links
// boxes and asks it for every person's family, up to 100,000 persons.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "bench_support.h"
#include "core/reports/html_family.h"
#include "core/reports/html_presentation.h"
#include "testdata/synthetic_tree.h"

namespace {

using namespace lineara;
using bench::benchDir;

class NoImages : public HtmlImageSink {
public:
    bool writeSharedImages(const std::string&) override { return true; }
    PersonImages writePersonImages(const PersonRecord&, const std::string&, const std::string&,
                                   const std::string&) override {
        return {};
    }
    bool finish() override { return true; }
};

void Pages(benchmark::State& state) {
    const PersonList& list = bench::cachedTree(static_cast<int>(state.range(0)));
    HtmlJob job;
    job.treeFolder = benchDir();
    job.outputFolder = benchDir() + "/out" + std::to_string(state.range(0));
    std::filesystem::create_directories(job.outputFolder);
    job.personCount = static_cast<int>(list.count());
    job.versionText = "1.1";
    job.webAddress = "https://lineara.example/";
    NoImages images;
    int files = 0;
    for (auto _ : state) {
        HtmlResult result = generateHtmlPresentation(list, job, images);
        if (result.status != HtmlResult::Status::Done) state.SkipWithError(result.error.c_str());
        files = result.filesWritten;
    }
    state.counters["files"] = files;
    state.counters["persons/s"] = benchmark::Counter(static_cast<double>(list.count()),
                                                     benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(Pages)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void FamilyIndexAlone(benchmark::State& state) {
    const PersonList& list = bench::cachedTree(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        FamilyIndex index(list);
        size_t total = 0;
        forEachPerson(
            list, [&](const PersonRecord* p) { total += index.familyOf(p, true).children.size(); });
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(FamilyIndexAlone)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return lineara::bench::runBenchmarksInScratch(argc, argv); }
