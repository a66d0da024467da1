// GEDCOM export and import of generated trees of 10,000 and 100,000
// persons, the import without the arrangement that follows it; and the
// import of the standard form (UTF-8, families after individuals, places
// continued in CONC lines) with the arrangement, as the program runs it.
//
//   build/bench/gedcom_bench [--benchmark_filter=...]
//
// Export: into memory, and into a file (written whole, then renamed).
// Import: from memory into a bare list, and from a file into a document as
// one undo step, as the program does. A raw read of the same file, line
// ends found and nothing else, is the baseline for the import.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>

#include "bench_support.h"
#include "core/gedcom/gedcom_export.h"
#include "core/gedcom/gedcom_import.h"
#include "core/layout/auto_arrange.h"
#include "testdata/synthetic_tree.h"

namespace {

using namespace lineara;
using bench::benchDir;

const GedcomTime kNow{2026, 12, 7, 9, 5};

const std::string& gedcom(int persons) {
    static std::map<int, std::string> texts;
    auto it = texts.find(persons);
    if (it != texts.end()) return it->second;
    return texts.emplace(persons, gedcomText(bench::cachedTree(persons), kNow)).first->second;
}

const std::string& gedcomFile(int persons) {
    static std::map<int, std::string> files;
    auto it = files.find(persons);
    if (it != files.end()) return it->second;
    std::string path = benchDir() + "/tree" + std::to_string(persons) + ".ged";
    if (!ExportGedcom(bench::cachedTree(persons), path, kNow).ok) std::abort();
    return files.emplace(persons, path).first->second;
}

void setCounters(benchmark::State& state, size_t bytes) {
    state.SetBytesProcessed(int64_t(state.iterations() * bytes));
    state.counters["persons"] = double(state.range(0));
}

void BM_ExportToMemory(benchmark::State& state) {
    const PersonList& list = bench::cachedTree(int(state.range(0)));
    size_t bytes = 0;
    for (auto _ : state) {
        std::string text = gedcomText(list, kNow);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    setCounters(state, bytes);
}

void BM_ExportToFile(benchmark::State& state) {
    const PersonList& list = bench::cachedTree(int(state.range(0)));
    std::string path = benchDir() + "/out.ged";
    for (auto _ : state) {
        if (!ExportGedcom(list, path, kNow).ok) state.SkipWithError("export failed");
    }
    setCounters(state, gedcom(int(state.range(0))).size());
}

void BM_ImportFromMemory(benchmark::State& state) {
    const std::string& text = gedcom(int(state.range(0)));
    for (auto _ : state) {
        PersonList list;
        TreeEdit edit(list);
        MemorySource source(text);
        GedcomImportResult result =
            importGedcomOnList(edit, source, {"bench.ged", true, int64_t(text.size())});
        if (!result.done()) state.SkipWithError("import failed");
        state.PauseTiming();  // freeing the tree is no part of the import
        list.ClearMemory();
        state.ResumeTiming();
    }
    setCounters(state, text.size());
}

void BM_ImportFileIntoDocument(benchmark::State& state) {
    const std::string& path = gedcomFile(int(state.range(0)));
    for (auto _ : state) {
        Document doc;
        GedcomImportResult result = importGedcom(doc, path, [](const GedcomImportProgress&) {
            return true;  // as the window asks after every line
        });
        if (!result.done()) state.SkipWithError("import failed");
        state.PauseTiming();
        doc.clear();
        state.ResumeTiming();
    }
    setCounters(state, gedcom(int(state.range(0))).size());
}

// The standard form with every place of more than a few bytes split into a
// PLAC line and a CONC line, as some programs write them.
const std::string& standardFile(int persons) {
    static std::map<int, std::string> files;
    auto it = files.find(persons);
    if (it != files.end()) return it->second;
    GedcomExportOptions options;
    options.form = GedcomForm::Standard;
    std::string text = gedcomText(bench::cachedTree(persons), kNow, options);
    std::string split;
    split.reserve(text.size() + text.size() / 8);
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find("\r\n", at);
        if (end == std::string::npos) end = text.size();
        std::string_view line(text.data() + at, end - at);
        size_t cut = line.size() / 2 + 4;
        while (cut < line.size() && ((static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80 ||
                                     line[cut] == ' ' || line[cut - 1] == ' ')) {
            ++cut;
        }
        if (line.substr(0, 7) == "2 PLAC " && line.size() > 12 && cut < line.size()) {
            split.append(line.substr(0, cut)).append("\r\n3 CONC ").append(line.substr(cut));
        } else {
            split.append(line);
        }
        split.append("\r\n");
        at = end + 2;
    }
    std::string path = benchDir() + "/standard" + std::to_string(persons) + ".ged";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr || std::fwrite(split.data(), 1, split.size(), f) != split.size()) std::abort();
    std::fclose(f);
    return files.emplace(persons, path).first->second;
}

void BM_ImportStandardFileWithArrangement(benchmark::State& state) {
    const std::string& path = standardFile(int(state.range(0)));
    for (auto _ : state) {
        Document doc;
        GedcomImportResult result = importGedcom(
            doc, path, [](const GedcomImportProgress&) { return true; }, autoArrangeOnList);
        if (!result.done()) state.SkipWithError("import failed");
        state.PauseTiming();
        doc.clear();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations() * std::filesystem::file_size(path)));
    state.counters["persons"] = double(state.range(0));
}

// The least any line-by-line reading of the file costs.
void BM_RawReadFindingLineEnds(benchmark::State& state) {
    const std::string& path = gedcomFile(int(state.range(0)));
    std::string block(64 * 1024, '\0');
    for (auto _ : state) {
        int fd = open(path.c_str(), O_RDONLY);
        size_t lines = 0;
        ssize_t n;
        while ((n = read(fd, block.data(), block.size())) > 0) {
            for (const char* p = block.data();
                 (p = static_cast<const char*>(
                      std::memchr(p, '\n', size_t(n) - size_t(p - block.data())))) != nullptr;
                 ++p) {
                ++lines;
            }
        }
        close(fd);
        benchmark::DoNotOptimize(lines);
    }
    setCounters(state, gedcom(int(state.range(0))).size());
}

BENCHMARK(BM_ExportToMemory)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportToFile)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportFromMemory)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportFileIntoDocument)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportStandardFileWithArrangement)
    ->Arg(10000)
    ->Arg(100000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawReadFindingLineEnds)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return lineara::bench::runBenchmarksInScratch(argc, argv); }
