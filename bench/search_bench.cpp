// The search window on a generated tree of 100,000 persons: opening it
// (every line made, sorted and put in the list) and what the user waits
// for after a letter: the key reaching the field, then, when the pause
// timer fires, the completion with the list's selection and the field
// updated and painted.
//
//   build/bench/search_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>

#include "core/model/document.h"
#include "gui/lists/person_search_window.h"
#include "offscreen_main.h"
#include "render/platform/record_codec.h"
#include "testdata/synthetic_tree.h"

namespace {

using namespace lineara;

constexpr int kPersons = 100000;

struct Setup {
    Setup() {
        // The tree is set up beside the document's door: it is the starting point.
        generateSyntheticTree(const_cast<PersonList&>(doc.persons()), kPersons, 1);
        host.doc = &doc;
        host.codec = &codec;
    }
    Document doc;
    RecordCodec codec;
    ListHost host;
};

// The sorted list alone, without the window: what opening costs beyond it
// is the list control.
void BM_SearchListBuild(benchmark::State& state) {
    Setup s;
    PersonSearchList search;
    for (auto _ : state) search.build(s.doc.persons());
    state.counters["lines"] = static_cast<double>(search.size());
}
BENCHMARK(BM_SearchListBuild)->Unit(benchmark::kMillisecond);

void BM_SearchWindowOpen(benchmark::State& state) {
    Setup s;
    PersonSearchWindow window(s.host);
    for (auto _ : state) {
        window.showSearch();
        QApplication::processEvents();
    }
    state.counters["lines"] = window.list()->count();
}
BENCHMARK(BM_SearchWindowOpen)->Unit(benchmark::kMillisecond);

void typeLetter(QLineEdit* field, char letter) {
    const QString text(QLatin1Char{letter});
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A + (letter - 'a'), Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A + (letter - 'a'), Qt::NoModifier, text);
    QApplication::sendEvent(field, &press);
    QApplication::sendEvent(field, &release);
}

// From a letter typed into an empty field to the list and the field showing
// the completion. The letters change every time, so each tick searches.
void BM_SearchLetterToList(benchmark::State& state) {
    Setup s;
    PersonSearchWindow window(s.host);
    window.showSearch();
    QApplication::processEvents();
    const char letters[] = "kmnswbdgpz";
    size_t i = 0;
    int found = 0;
    for (auto _ : state) {
        state.PauseTiming();
        window.searchField()->clear();
        state.ResumeTiming();
        typeLetter(window.searchField(), letters[i++ % (sizeof letters - 1)]);
        window.completeTypedText();
        QApplication::processEvents();
        found += window.list()->currentRow() >= 0 ? 1 : 0;
    }
    state.counters["found"] = found;
}
BENCHMARK(BM_SearchLetterToList)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return lineara::bench::runOffscreenBenchmarks<QApplication>(argc, argv);
}
