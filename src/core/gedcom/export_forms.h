// The forms of the GEDCOM export, and what they share. For the export's
// own files only.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/gedcom/export_families.h"
#include "core/gedcom/gedcom_export.h"
#include "core/platform/codepage.h"

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

// Record texts in UTF-8; plain ASCII passes without the converter.
class Utf8Texts {
public:
    explicit Utf8Texts(const std::string& codePage) : toUtf8_("UTF-8", codePage.c_str()) {}
    std::string operator()(std::string_view text) const {
        bool ascii = true;
        for (char c : text) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        if (ascii) return std::string(text);
        return toUtf8_.convert(text, "\xEF\xBF\xBD", false);
    }

private:
    TextConversion toUtf8_;
};

// The header's DATE value, "9 DEC 2026"; a month out of range reads as
// January.
inline std::string headerDate(const GedcomTime& now) {
    static constexpr const char* kMonthsUpper[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                                   "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
    const int month = now.month >= 1 && now.month <= 12 ? now.month : 1;
    return std::to_string(now.day) + " " + kMonthsUpper[month - 1] + " " + std::to_string(now.year);
}

GedcomExportResult writeStandardGedcom(const PersonList& list, const GedcomTime& now,
                                       const GedcomSink& sink, const std::string& codePage);

}  // namespace lineara::detail
