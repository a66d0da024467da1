// What the user waits for in the two check windows on a generated tree of
// 100,000 persons: the date conversion window's run (conversion, ordering
// for readers, filling the list) and the quality check window's run with
// every picture missing.
//
//   build/bench/check_window_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <algorithm>
#include <vector>

#include "core/model/document.h"
#include "gui/checks/date_convert_window.h"
#include "gui/checks/quality_check_window.h"
#include "offscreen_main.h"
#include "render/platform/record_codec.h"
#include "testdata/synthetic_tree.h"

namespace {

using namespace lineara;

constexpr int kPersons = 100000;

void BM_DateConvertWindow(benchmark::State& state) {
    Document doc;
    // The tree is set up beside the document's door: it is the starting point.
    PersonList& list = const_cast<PersonList&>(doc.persons());
    generateSyntheticTree(list, kPersons, 1);
    std::vector<PersonRecord::Image> images;
    forEachPerson(doc.persons(),
                  [&images](const PersonRecord* p) { images.push_back(p->image()); });
    RecordCodec codec;
    DateConvertWindow window(doc, codec, {}, {}, {});
    int converted = 0;
    for (auto _ : state) {
        converted = window.convertDates();
        state.PauseTiming();
        size_t i = 0;
        forEachPerson(list, [&](const PersonRecord* p) {
            std::copy(images[i].begin(), images[i].end(), list.edit(p)->mutableImage());
            ++i;
        });
        state.ResumeTiming();
    }
    state.counters["entries"] = converted;
}
BENCHMARK(BM_DateConvertWindow)->Unit(benchmark::kMillisecond);

void BM_QualityCheckWindow(benchmark::State& state) {
    Document doc;
    // The tree is set up beside the document's door: it is the starting point.
    PersonList& list = const_cast<PersonList&>(doc.persons());
    generateSyntheticTree(list, kPersons, 1);
    forEachPerson(list, [&list](const PersonRecord* p) {
        list.edit(p)->setText(field::pictureFile, "missing.jpg");
    });
    RecordCodec codec;
    QualityCheckWindow window(doc, codec, {}, {}, {});
    int problems = 0;
    for (auto _ : state) problems = window.runCheck();
    state.counters["entries"] = problems;
}
BENCHMARK(BM_QualityCheckWindow)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return lineara::bench::runOffscreenBenchmarks<QApplication>(argc, argv);
}
