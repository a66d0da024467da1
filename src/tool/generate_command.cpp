// generate: a synthetic tree of a given size, for benchmarks and for trying
// the program on trees larger than anyone types in by hand.
#include <cstdint>
#include <new>
#include <optional>
#include <string>

#include "core/formats/tree_file.h"
#include "core/platform/atomic_file.h"
#include "testdata/synthetic_tree.h"
#include "tool/commands.h"

namespace lineara::tool {

namespace {

constexpr long long kMaxPersons = 10'000'000;

// A whole decimal number from 0 to `max`, digits only: no sign, no spaces,
// nothing after it.
bool parseCount(const std::string& text, long long max, long long& value) {
    if (text.empty() || text.size() > 18) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return value <= max;
}

}  // namespace

int generate(const CommandLine& line) {
    long long persons = 0;
    long long seed = 1;
    if (!parseCount(line[0], kMaxPersons, persons)) return usage(line);
    if (std::optional<std::string> text = line.value("--seed")) {
        if (!parseCount(*text, UINT32_MAX, seed)) return usage(line);
    }

    // A large tree takes a while: find out first whether it can be saved.
    if (!hasTreeFileExtension(line[1])) return fail(kMsgIncorrectFileType);
    {
        AtomicFileWriter target;
        if (!target.probe(line[1])) return fail(target.error());
    }

    PersonList list;
    try {
        generateSyntheticTree(list, static_cast<int>(persons), static_cast<uint32_t>(seed));
    } catch (const std::bad_alloc&) {
        return fail(kMsgNewPersonFailed);
    }
    // The generator stops early when the list can take no more records.
    if (list.count() != static_cast<size_t>(persons)) return fail(kMsgNewPersonFailed);
    SaveResult result = SavetoFile(list, line[1]);
    if (!result.written()) return fail(result.message);
    return 0;
}

}  // namespace lineara::tool
