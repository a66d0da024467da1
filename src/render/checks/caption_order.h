// The order in which the check windows and the tool list their entries.
//
// People scan these lists for a name, so they follow the Polish alphabet
// (Ł after L, Ś after S, small and capital letters together), not the byte
// values of the code page, which put every accented capital after Z. The
// checks hand over their entries already in byte order; this sort is
// stable, so the entries of one person keep the order the check found
// them in.
#pragma once

#include <QCollator>
#include <QString>
#include <algorithm>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

namespace lineara {

QCollator captionCollator();

// `decode` turns a caption's record bytes into text. The entries come in
// byte order, so equal captions stand together: each run is keyed once and
// moves as a whole.
template <typename Entry>
void sortInReadersOrder(std::vector<Entry>& entries,
                        const std::function<QString(std::string_view)>& decode) {
    const QCollator collator = captionCollator();
    struct Run {
        size_t first;
        size_t end;
        QCollatorSortKey key;
    };
    std::vector<Run> runs;
    for (size_t i = 0; i < entries.size();) {
        size_t end = i + 1;
        while (end < entries.size() && entries[end].caption == entries[i].caption) ++end;
        runs.push_back(Run{i, end, collator.sortKey(decode(entries[i].caption))});
        i = end;
    }
    std::stable_sort(runs.begin(), runs.end(),
                     [](const Run& a, const Run& b) { return a.key.compare(b.key) < 0; });
    std::vector<Entry> sorted;
    sorted.reserve(entries.size());
    for (const Run& run : runs) {
        for (size_t i = run.first; i < run.end; ++i) sorted.push_back(std::move(entries[i]));
    }
    entries = std::move(sorted);
}

}  // namespace lineara
