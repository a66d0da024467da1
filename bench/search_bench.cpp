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
#include <QListView>

#include "core/model/document.h"
#include "gui/lists/person_search_model.h"
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
    state.counters["lines"] = window.lines()->rowCount();
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
        found += window.chosenLine().isEmpty() ? 0 : 1;
    }
    state.counters["found"] = found;
}
BENCHMARK(BM_SearchLetterToList)->Unit(benchmark::kMillisecond);

// Texts no line begins with: the walks for the same letters without
// accents and for the lines holding the text, and the list cut down to them.
void BM_SearchTextHeldInLines(benchmark::State& state) {
    Setup s;
    PersonSearchWindow window(s.host);
    window.showSearch();
    QApplication::processEvents();
    const char* const texts[] = {"nna", "ski ", "(19", "ewa (", "zofia"};
    size_t i = 0;
    double shown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        window.refresh();
        window.searchField()->setText(QString::fromLatin1(texts[i++ % 5]));
        state.ResumeTiming();
        window.completeTypedText();
        QApplication::processEvents();
        shown += window.lines()->rowCount();
    }
    state.counters["lines"] = shown / static_cast<double>(state.iterations());
}
BENCHMARK(BM_SearchTextHeldInLines)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return lineara::bench::runOffscreenBenchmarks<QApplication>(argc, argv);
}
