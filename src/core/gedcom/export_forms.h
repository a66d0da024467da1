// The two forms of the GEDCOM export, and what they share. For
// gedcom_export.cpp and gedcom_export_standard.cpp only.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/gedcom/export_families.h"
#include "core/gedcom/gedcom_export.h"

namespace lineara::detail {

// The families each person is a husband or a wife in, in family order,
// gathered in one pass over the families.
class SpouseFamilies {
public:
    SpouseFamilies(const PersonList& list, const std::deque<ExportFamily>& families) {
        std::unordered_map<const PersonRecord*, uint32_t> index;
        index.reserve(list.count());
        uint32_t n = 0;
        forEachPerson(list, [&](const PersonRecord* r) { index.emplace(r, n++); });
        std::vector<std::pair<uint32_t, int32_t>> entries;  // (person, family)
        entries.reserve(families.size() * 2);
        auto note = [&](const PersonRecord* spouse, int32_t number) {
            auto it = index.find(spouse);
            if (it != index.end()) entries.emplace_back(it->second, number);
        };
        for (const ExportFamily& f : families) {
            note(f.husband, f.number);
            if (f.wife != f.husband) note(f.wife, f.number);
        }
        // Counting sort by person keeps the family order within a person.
        start_.assign(size_t(n) + 1, 0);
        for (const auto& e : entries) ++start_[e.first + 1];
        for (size_t i = 1; i < start_.size(); ++i) start_[i] += start_[i - 1];
        numbers_.resize(entries.size());
        std::vector<uint32_t> fill(start_.begin(), start_.end() - 1);
        for (const auto& e : entries) numbers_[fill[e.first]++] = e.second;
    }
    // For the person at `position` in list order.
    template <typename Fn>
    void forEach(uint32_t position, Fn&& fn) const {
        for (uint32_t i = start_[position]; i < start_[position + 1]; ++i) fn(numbers_[i]);
    }

private:
    std::vector<uint32_t> start_;
    std::vector<int32_t> numbers_;
};

GedcomExportResult writeStandardGedcom(const PersonList& list, const GedcomTime& now,
                                       const GedcomSink& sink, const std::string& codePage);

}  // namespace lineara::detail
