// The date conversion over the dates of a generated tree of 100,000
// persons: the bare conversion (conversions per second) and the whole-tree
// conversion of the date window, which should stay under a second.
//
//   build/bench/date_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/checks/date_check.h"
#include "core/dates/date_conversion.h"
#include "testdata/synthetic_tree.h"

namespace {

using namespace lineara;

constexpr int kPersons = 100000;

// Every date field of the record, used or not, in list order.
std::vector<TextField> dateFields() {
    std::vector<TextField> fields{field::birthDate, field::deathDate, field::baptismDate};
    for (int slot = 1; slot <= kRelationSlots; ++slot) fields.push_back(field::relationDate(slot));
    return fields;
}

const PersonList& tree() {
    static PersonList list;
    static const bool generated = (generateSyntheticTree(list, kPersons, 1), true);
    (void)generated;
    return list;
}

// The non-empty dates of the tree, as they are stored.
std::vector<std::string> storedDates(const PersonList& list) {
    std::vector<std::string> dates;
    forEachPerson(list, [&dates](const PersonRecord* p) {
        for (TextField f : dateFields()) {
            if (!p->isEmpty(f)) dates.emplace_back(p->text(f));
        }
    });
    return dates;
}

void BM_ConvertDateToGedcom(benchmark::State& state) {
    static const std::vector<std::string> dates = storedDates(tree());
    for (auto _ : state) {
        for (const std::string& date : dates) benchmark::DoNotOptimize(ConvertDateToGedcom(date));
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(dates.size()));
    state.counters["dates"] = double(dates.size());
}

// The date window's run over a fresh copy of the tree each time: the
// records are restored from their images while the clock stands still.
void BM_DCheck(benchmark::State& state) {
    PersonList list;
    generateSyntheticTree(list, kPersons, 1);
    std::vector<PersonRecord::Image> images;
    forEachPerson(list, [&images](const PersonRecord* p) { images.push_back(p->image()); });
    int converted = 0;
    for (auto _ : state) {
        TreeEdit edit(list);
        converted = DCheckOnList(edit).count;
        state.PauseTiming();
        size_t i = 0;
        forEachPerson(list, [&](const PersonRecord* p) {
            std::copy(images[i].begin(), images[i].end(), list.edit(p)->mutableImage());
            ++i;
        });
        state.ResumeTiming();
    }
    state.counters["converted"] = converted;
    state.counters["persons"] = kPersons;
}

BENCHMARK(BM_ConvertDateToGedcom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DCheck)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
