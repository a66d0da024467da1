// What the benchmarks share: a scratch folder for the run, and generated
// trees made once per run.
#pragma once

#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "core/model/person_list.h"
#include "testdata/synthetic_tree.h"

namespace lineara::bench {

// A new folder under the temporary folder, the same for the whole run.
inline const std::string& benchDir() {
    static const std::string dir = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "lineara-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        return pattern;
    }();
    return dir;
}

// One generated tree (seed 1) per size.
inline const PersonList& cachedTree(int persons) {
    static std::map<int, PersonList> trees;
    auto it = trees.find(persons);
    if (it != trees.end()) return it->second;
    PersonList& list = trees[persons];
    generateSyntheticTree(list, persons, 1);
    return list;
}

// main() of a benchmark that writes into benchDir(): the folder goes when
// the run ends.
inline int runBenchmarksInScratch(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(benchDir());
    return 0;
}

}  // namespace lineara::bench
