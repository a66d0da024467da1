#include "core/gedcom/gedcom_not_kept.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace lineara {

namespace {

struct KindName {
    const char* tag;
    const char* one;
    const char* many;
};

// The common structures by their readable names; any other is named by its
// tag.
constexpr KindName kKinds[] = {
    {"ADOP", "adoption", "adoptions"},
    {"ALIA", "alias", "aliases"},
    {"ANUL", "annulment", "annulments"},
    {"ASSO", "associate", "associates"},
    {"BARM", "bar mitzvah", "bar mitzvahs"},
    {"BASM", "bas mitzvah", "bas mitzvahs"},
    {"BLES", "blessing", "blessings"},
    {"BURI", "burial", "burials"},
    {"CAST", "caste", "castes"},
    {"CENS", "census", "censuses"},
    {"CHRA", "adult christening", "adult christenings"},
    {"CONF", "confirmation", "confirmations"},
    {"CREM", "cremation", "cremations"},
    {"DIVF", "divorce filing", "divorce filings"},
    {"DSCR", "description", "descriptions"},
    {"EDUC", "education", "educations"},
    {"EMIG", "emigration", "emigrations"},
    {"ENGA", "engagement", "engagements"},
    {"EVEN", "event", "events"},
    {"FACT", "fact", "facts"},
    {"FCOM", "first communion", "first communions"},
    {"GRAD", "graduation", "graduations"},
    {"IDNO", "identity number", "identity numbers"},
    {"IMMI", "immigration", "immigrations"},
    {"MARB", "marriage bann", "marriage banns"},
    {"MARC", "marriage contract", "marriage contracts"},
    {"MARL", "marriage licence", "marriage licences"},
    {"MARS", "marriage settlement", "marriage settlements"},
    {"NATI", "nationality", "nationalities"},
    {"NATU", "naturalisation", "naturalisations"},
    {"NCHI", "count of children", "counts of children"},
    {"NMR", "count of marriages", "counts of marriages"},
    {"NOTE", "note", "notes"},
    {"OBJE", "multimedia object", "multimedia objects"},
    {"ORDN", "ordination", "ordinations"},
    {"PROB", "probate", "probates"},
    {"PROP", "property", "properties"},
    {"RELI", "religion", "religions"},
    {"REPO", "repository", "repositories"},
    {"RESI", "residence", "residences"},
    {"RETI", "retirement", "retirements"},
    {"SNOTE", "shared note", "shared notes"},
    {"SOUR", "source", "sources"},
    {"SSN", "social security number", "social security numbers"},
    {"TITL", "title", "titles"},
    {"WILL", "will", "wills"},
};

std::string kindName(const std::string& tag, int64_t n) {
    for (const KindName& kind : kKinds) {
        if (tag == kind.tag) return n == 1 ? kind.one : kind.many;
    }
    return tag;
}

}  // namespace

std::string withThousands(int64_t n) {
    std::string digits = std::to_string(n < 0 ? -n : n);
    std::string out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return n < 0 ? "-" + out : out;
}

std::string NotKeptCounter::note() const {
    if (counts_.empty()) return {};
    std::vector<std::pair<std::string, int64_t>> kinds(counts_.begin(), counts_.end());
    // Most frequent first; equal counts in the order of their tags, so that
    // the line is the same on every run.
    std::stable_sort(kinds.begin(), kinds.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    std::string out = "Not kept: ";
    bool first = true;
    for (const auto& [tag, n] : kinds) {
        if (!first) out += ", ";
        first = false;
        out += withThousands(n) + " " + kindName(tag, n);
    }
    return out;
}

}  // namespace lineara
