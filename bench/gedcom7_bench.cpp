// GEDCOM 7 export and import of generated trees of 10,000 and 100,000
// persons (the import keeps the boxes where the file puts them, so no
// arrangement follows it), and a GEDZIP of 10,000 persons with a picture
// for one person in ten, whose size is reported as a counter.
//
//   build/bench/gedcom7_bench [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "bench_support.h"
#include "core/gedcom/gedcom7_export.h"
#include "core/gedcom/gedcom_import.h"
#include "core/model/document.h"
#include "testdata/synthetic_tree.h"

namespace {

using namespace lineara;
using bench::benchDir;

const GedcomTime kNow{2026, 12, 7, 9, 5};

const std::string& gedcom7File(int persons) {
    static std::map<int, std::string> files;
    auto it = files.find(persons);
    if (it != files.end()) return it->second;
    std::string path = benchDir() + "/tree" + std::to_string(persons) + "-7.ged";
    Gedcom7FileOptions options;
    options.treeFolder = benchDir();
    if (!ExportGedcom7(bench::cachedTree(persons), path, kNow, options).ok) std::abort();
    return files.emplace(persons, path).first->second;
}

void BM_Gedcom7Export(benchmark::State& state) {
    const PersonList& list = bench::cachedTree(int(state.range(0)));
    const std::string path = benchDir() + "/export7.ged";
    Gedcom7FileOptions options;
    options.treeFolder = benchDir();
    for (auto _ : state) {
        if (!ExportGedcom7(list, path, kNow, options).ok) state.SkipWithError("export failed");
    }
    state.counters["persons"] = double(state.range(0));
}

void BM_Gedcom7Import(benchmark::State& state) {
    const std::string& path = gedcom7File(int(state.range(0)));
    for (auto _ : state) {
        Document doc;
        GedcomImportResult result = importGedcom(doc, path, {}, {}, "CP1250", benchDir());
        if (!result.done()) state.SkipWithError("import failed");
    }
    state.counters["persons"] = double(state.range(0));
}

// One picture in ten: 10,000 persons name 1,000 pictures of 50 kB each.
void BM_GedzipExport(benchmark::State& state) {
    const int persons = int(state.range(0));
    PersonList list;
    generateSyntheticTree(list, persons, 1);
    const std::string folder = benchDir() + "/gedzip";
    std::filesystem::create_directories(folder);
    int n = 0;
    const std::string picture(50 * 1024, 'p');
    forEachPerson(list, [&](const PersonRecord* p) {
        if (p->isAliasBox() || ++n % 10 != 0) return;
        const std::string name = "p" + std::to_string(n) + ".jpg";
        std::ofstream(folder + "/" + name, std::ios::binary) << picture;
        list.edit(p)->setText(field::pictureFile, name);  // a fresh list: no undo
    });
    Gedcom7FileOptions options;
    options.treeFolder = folder;
    const std::string out = benchDir() + "/tree.gdz";
    for (auto _ : state) {
        Gedcom7ExportResult result = ExportGedcom7(list, out, kNow, options);
        if (!result.ok) state.SkipWithError("export failed");
        state.counters["media"] = double(result.mediaFiles);
    }
    state.counters["bytes"] = double(std::filesystem::file_size(out));
}

BENCHMARK(BM_Gedcom7Export)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Gedcom7Import)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_GedzipExport)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return lineara::bench::runBenchmarksInScratch(argc, argv); }
