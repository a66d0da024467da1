// Loading and saving tree files of 1,000 to 100,000 persons, against a raw
// read and a raw write of the same bytes measured in the same run.
//
//   build/bench/tree_file_bench [--benchmark_filter=...]
//
// Counters: bytes_per_person is the resident memory a loaded tree adds per
// record (the record is 2560 bytes on disk). Each load starts from memory
// the process has not touched yet, as opening a tree in a new program does;
// the raw read likewise reads into a fresh buffer.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "bench_support.h"
#include "core/formats/tree_file.h"
#include "testdata/synthetic_tree.h"

namespace {

using namespace lineara;
using bench::benchDir;

// One generated tree file per size, made once per run.
const std::string& treeFile(int persons) {
    static std::map<int, std::string> files;
    auto it = files.find(persons);
    if (it != files.end()) return it->second;
    PersonList list;
    generateSyntheticTree(list, persons, 1);
    std::string path = benchDir() + "/tree" + std::to_string(persons) + ".ln3";
    if (!SavetoFile(list, path).written()) std::abort();
    return files.emplace(persons, path).first->second;
}

// Resident memory of this process, from the kernel's own count.
size_t residentBytes() {
    FILE* f = std::fopen("/proc/self/statm", "r");
    unsigned long size = 0, resident = 0;
    if (f != nullptr) {
        if (std::fscanf(f, "%lu %lu", &size, &resident) != 2) resident = 0;
        std::fclose(f);
    }
    return resident * size_t(sysconf(_SC_PAGESIZE));
}

void setBytes(benchmark::State& state, int persons) {
    state.SetBytesProcessed(int64_t(state.iterations()) * persons * kRecordSize);
}

void BM_Load(benchmark::State& state) {
    int persons = static_cast<int>(state.range(0));
    const std::string& path = treeFile(persons);
    double perPerson = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto list = std::make_unique<PersonList>();
        size_t before = residentBytes();
        state.ResumeTiming();
        LoadResult r = ReadfromFile(*list, path);
        state.PauseTiming();
        if (!r.loaded()) state.SkipWithError(r.message.c_str());
        // Small trees reuse the memory of the previous load; the first,
        // untouched load is the one that shows what a tree costs.
        perPerson = std::max(perPerson, double(residentBytes() - before) / persons);
        list.reset();
        state.ResumeTiming();
    }
    state.counters["bytes_per_person"] = perPerson;
    setBytes(state, persons);
}

// Reads the whole file into `buffer`, as a program that only wants the bytes.
void readWhole(const std::string& path, std::vector<char>& buffer) {
    int fd = open(path.c_str(), O_RDONLY);
    size_t done = 0;
    while (done < buffer.size()) {
        ssize_t n = read(fd, buffer.data() + done, buffer.size() - done);
        if (n <= 0) break;
        done += size_t(n);
    }
    close(fd);
    benchmark::DoNotOptimize(buffer.data());
}

void BM_RawRead(benchmark::State& state) {
    int persons = static_cast<int>(state.range(0));
    const std::string& path = treeFile(persons);
    for (auto _ : state) {
        std::vector<char> buffer(size_t(persons) * kRecordSize);  // fresh memory, as a load has
        readWhole(path, buffer);
        state.PauseTiming();
        buffer = {};
        state.ResumeTiming();
    }
    setBytes(state, persons);
}

// The same read into memory that is already the process's, to show the
// cost of the read itself.
void BM_RawReadWarm(benchmark::State& state) {
    int persons = static_cast<int>(state.range(0));
    const std::string& path = treeFile(persons);
    std::vector<char> buffer(size_t(persons) * kRecordSize);
    for (auto _ : state) readWhole(path, buffer);
    setBytes(state, persons);
}

void BM_Save(benchmark::State& state) {
    int persons = static_cast<int>(state.range(0));
    PersonList list;
    ReadfromFile(list, treeFile(persons));
    std::string out = benchDir() + "/save.ln3";
    for (auto _ : state) {
        SaveResult r = SavetoFile(list, out);
        if (!r.written()) state.SkipWithError(r.message.c_str());
    }
    setBytes(state, persons);
}

// Writes the same number of bytes in one go; with `sync`, also waits for
// them to reach the disk, as a save does before it replaces the old file.
void rawWrite(benchmark::State& state, bool sync) {
    int persons = static_cast<int>(state.range(0));
    std::vector<char> bytes(size_t(persons) * kRecordSize, 'x');
    std::string out = benchDir() + "/raw.bin";
    for (auto _ : state) {
        int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        size_t done = 0;
        while (done < bytes.size()) {
            ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
            if (n <= 0) break;
            done += size_t(n);
        }
        if (sync) fdatasync(fd);
        close(fd);
    }
    setBytes(state, persons);
}

void BM_RawWrite(benchmark::State& state) { rawWrite(state, false); }
void BM_RawWriteSynced(benchmark::State& state) { rawWrite(state, true); }

#define TREE_SIZES ->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)
BENCHMARK(BM_RawRead) TREE_SIZES;
BENCHMARK(BM_RawReadWarm) TREE_SIZES;
BENCHMARK(BM_Load) TREE_SIZES;
BENCHMARK(BM_RawWrite) TREE_SIZES;
BENCHMARK(BM_RawWriteSynced) TREE_SIZES;
BENCHMARK(BM_Save) TREE_SIZES;

}  // namespace

int main(int argc, char** argv) { return lineara::bench::runBenchmarksInScratch(argc, argv); }
