// Undo and redo on a generated 100,000-person tree: a drag of the whole
// selection, an alignment, the date conversion and a deletion, each undone
// and redone. The counter "step_bytes" is the memory the step holds.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/checks/date_check.h"
#include "core/history/step_names.h"
#include "core/model/document.h"
#include "core/model/editing.h"
#include "core/view/viewport.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

constexpr int kPersons = 100000;

std::vector<const PersonRecord*> everyone(const Document& doc) {
    std::vector<const PersonRecord*> all;
    forEachPerson(doc.persons(), [&all](const PersonRecord* r) { all.push_back(r); });
    return all;
}

// Fills the document and makes one step of the given kind.
template <typename MakeStep>
void undoThenRedo(benchmark::State& state, MakeStep makeStep, bool timeUndo) {
    Document doc;
    generateSyntheticTree(const_cast<PersonList&>(doc.persons()), kPersons, 1);
    doc.setSelection(everyone(doc));
    makeStep(doc);
    state.counters["step_bytes"] = static_cast<double>(doc.history().bytes());
    for (auto _ : state) {
        if (timeUndo) {
            doc.undo();
            state.PauseTiming();
            doc.redo();
            state.ResumeTiming();
        } else {
            state.PauseTiming();
            doc.undo();
            state.ResumeTiming();
            doc.redo();
        }
    }
}

void dragAll(Document& doc) {
    const auto all = everyone(doc);
    doc.beginLiveMove(all);
    for (int k = 1; k <= 10; ++k) {
        for (const PersonRecord* r : all) doc.moveLive(r, r->posX() + 5, r->posY() + 5);
    }
    doc.endLiveMove(step_name::moveBoxes(all.size()));
}

void BM_UndoDragAll(benchmark::State& s) { undoThenRedo(s, dragAll, true); }
void BM_RedoDragAll(benchmark::State& s) { undoThenRedo(s, dragAll, false); }
void BM_UndoAlignAll(benchmark::State& s) {
    undoThenRedo(
        s, [](Document& d) { alignSelection(d, AlignSide::Left); }, true);
}
void BM_RedoAlignAll(benchmark::State& s) {
    undoThenRedo(
        s, [](Document& d) { alignSelection(d, AlignSide::Left); }, false);
}
void BM_UndoDateConversion(benchmark::State& s) {
    undoThenRedo(
        s, [](Document& d) { DCheck(d); }, true);
}
void BM_RedoDateConversion(benchmark::State& s) {
    undoThenRedo(
        s, [](Document& d) { DCheck(d); }, false);
}

// The time the user waits for the drag's step itself to be recorded.
void BM_RecordDragAll(benchmark::State& state) {
    Document doc;
    generateSyntheticTree(const_cast<PersonList&>(doc.persons()), kPersons, 1);
    doc.setSelection(everyone(doc));
    for (auto _ : state) dragAll(doc);
}

BENCHMARK(BM_UndoDragAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedoDragAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoAlignAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedoAlignAll)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoDateConversion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RedoDateConversion)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordDragAll)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace lineara

BENCHMARK_MAIN();
