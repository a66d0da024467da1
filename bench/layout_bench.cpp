// The automatic arrangement of generated trees of 10,000 and 100,000
// persons: on the bare list, through the document (the undo step
// included), and the plain quadratic arrangement on 10,000 beside them.
// Between runs the tree is put back as generated, untimed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "core/layout/auto_arrange.h"
#include "core/model/document.h"
#include "support/literal_layout.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

// The tree as generated: the order and every position.
class Original {
public:
    explicit Original(const PersonList& list) {
        forEachPerson(list, [this](const PersonRecord* r) {
            order_.push_back(r);
            positions_.emplace_back(r->posX(), r->posY());
        });
    }

    // The arrangement only moved one record to the front; it goes back
    // after its old predecessor.
    void restore(PersonList& list) const {
        const PersonRecord* home = list.personListHead();
        auto at = std::find(order_.begin(), order_.end(), home);
        if (at != order_.begin()) {
            list.unlinkForRestore(list.edit(home), false);
            list.insertForRestore(list.edit(home), *(at - 1));
        }
        for (size_t i = 0; i < order_.size(); ++i) {
            list.edit(order_[i])->setPos(positions_[i].first, positions_[i].second);
        }
    }

private:
    std::vector<const PersonRecord*> order_;
    std::vector<std::pair<int32_t, int32_t>> positions_;
};

template <typename Arrange>
void arrangeRepeatedly(benchmark::State& state, Arrange arrange) {
    PersonList list;
    generateSyntheticTree(list, static_cast<int>(state.range(0)), 1);
    const Original original(list);
    for (auto _ : state) {
        arrange(list);
        state.PauseTiming();
        original.restore(list);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_AutoArrange(benchmark::State& state) {
    arrangeRepeatedly(state, [](PersonList& list) {
        TreeEdit edit(list);
        autoArrangeOnList(edit);
    });
}

void BM_PlainAutoArrange(benchmark::State& state) {
    arrangeRepeatedly(state, literal::Autoarrange1Click);
}

// What the user waits for: the arrangement as one undo step.
void BM_AutoArrangeCommand(benchmark::State& state) {
    Document doc;
    generateSyntheticTree(const_cast<PersonList&>(doc.persons()), int(state.range(0)), 1);
    for (auto _ : state) {
        autoArrange(doc);
        state.PauseTiming();
        doc.undo();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_AutoArrange)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AutoArrangeCommand)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainAutoArrange)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lineara

BENCHMARK_MAIN();
