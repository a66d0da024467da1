#include "core/gedcom/gedcom_export.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <unordered_map>
#include <vector>

#include "core/gedcom/export_families.h"
#include "core/platform/atomic_file.h"
#include "core/platform/codepage.h"

namespace lineara {

namespace {

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
constexpr size_t kFlushBytes = 64 * 1024;

// Lines gathered into blocks for the sink.
class LineWriter {
public:
    explicit LineWriter(const GedcomSink& sink) : sink_(sink) {
        buffer_.reserve(kFlushBytes + 512);
    }

    // One line: the pieces one after another, then CR LF.
    template <typename... Pieces>
    void line(const Pieces&... pieces) {
        (append(pieces), ...);
        buffer_ += "\r\n";
        if (buffer_.size() >= kFlushBytes) flush();
    }
    bool flush() {
        if (ok_ && !buffer_.empty()) ok_ = sink_(buffer_);
        buffer_.clear();
        return ok_;
    }
    bool ok() const { return ok_; }

private:
    void append(std::string_view text) { buffer_ += text; }
    void append(const char* text) { buffer_ += text; }
    void append(int64_t number) { buffer_ += std::to_string(number); }
    void append(int32_t number) { buffer_ += std::to_string(number); }
    void append(const std::string& text) { buffer_ += text; }

    const GedcomSink& sink_;
    std::string buffer_;
    bool ok_ = true;
};

void writeHeader(LineWriter& out, const GedcomTime& now) {
    int month = now.month >= 1 && now.month <= 12 ? now.month : 1;
    out.line("0 HEAD");
    out.line("1 SOUR LINEARA_1.1");
    out.line("1 DATE ", now.day, " ", kMonths[month - 1], " ", now.year);
    out.line("1 TIME ", now.hour, ":", now.minute);
    out.line("1 CHAR ANSI");
}

// The lines of an event, when it has a date or a place.
void writeEvent(LineWriter& out, const char* tag, std::string_view date, std::string_view place) {
    if (date.empty() && place.empty()) return;
    out.line("1 ", tag);
    if (!date.empty()) out.line("2 DATE ", date);
    if (!place.empty()) out.line("2 PLAC ", place);
}

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

// --- the standard form ---

constexpr const char* kMonthsUpper[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                        "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

class StandardWriter {
public:
    StandardWriter(LineWriter& out, const std::string& codePage)
        : out_(out), toUtf8_("UTF-8", codePage.c_str()) {}

    // A record text in UTF-8.
    std::string utf8(std::string_view text) const {
        bool ascii = true;
        for (char c : text) ascii = ascii && static_cast<unsigned char>(c) < 0x80;
        if (ascii) return std::string(text);
        return toUtf8_.convert(text, "\xEF\xBF\xBD", false);
    }

    // "level tag value", the value continued in CONC lines where the line
    // would be too long. A piece never ends or begins with a blank where
    // that can be helped (programs may drop blanks at a line's end), nor
    // inside a UTF-8 sequence.
    void line(int level, std::string_view tag, std::string_view value) {
        std::string head = std::to_string(level) + " " + std::string(tag);
        if (value.empty()) {
            out_.line(head);
            return;
        }
        const std::string conc = std::to_string(level + 1) + " CONC ";
        size_t room = kStandardGedcomLineBytes - head.size() - 1;
        bool first = true;
        while (!value.empty()) {
            size_t take = std::min(room, value.size());
            if (take < value.size()) take = splitPoint(value, take);
            std::string_view piece = value.substr(0, take);
            if (first) {
                out_.line(head, " ", piece);
            } else {
                out_.line(conc, piece);
            }
            value.remove_prefix(take);
            first = false;
            room = kStandardGedcomLineBytes - conc.size();
        }
    }

private:
    static bool continuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
    static size_t splitPoint(std::string_view value, size_t most) {
        size_t at = most;
        while (at > 1 &&
               (continuationByte(value[at]) || value[at] == ' ' || value[at - 1] == ' ')) {
            --at;
        }
        if (at > 1) return at;
        at = most;  // blanks all through: split anywhere but inside a letter
        while (at > 1 && continuationByte(value[at])) --at;
        return at;
    }

    LineWriter& out_;
    TextConversion toUtf8_;
};

void writeStandardEvent(StandardWriter& w, const char* tag, const std::string& date,
                        const std::string& place) {
    if (date.empty() && place.empty()) return;
    w.line(1, tag, {});
    if (!date.empty()) w.line(2, "DATE", date);
    if (!place.empty()) w.line(2, "PLAC", place);
}

void writeStandardHeader(StandardWriter& w, const GedcomTime& now) {
    int month = now.month >= 1 && now.month <= 12 ? now.month : 1;
    char time[8];
    std::snprintf(time, sizeof time, "%02d:%02d", now.hour % 100, now.minute % 100);
    w.line(0, "HEAD", {});
    w.line(1, "SOUR", "LINEARA");
    w.line(2, "VERS", "1.1");
    w.line(2, "NAME", "Lineara");
    w.line(
        1, "DATE",
        std::to_string(now.day) + " " + kMonthsUpper[month - 1] + " " + std::to_string(now.year));
    w.line(2, "TIME", time);
    w.line(1, "SUBM", "@SUBM@");
    w.line(1, "GEDC", {});
    w.line(2, "VERS", "5.5.1");
    w.line(2, "FORM", "LINEAGE-LINKED");
    w.line(1, "CHAR", "UTF-8");
    w.line(0, "@SUBM@ SUBM", {});
    w.line(1, "NAME", "Lineara");
}

std::string standardSex(std::string_view sex) {
    if (sex == "M" || sex == "m") return "M";
    if (sex == "F" || sex == "f") return "F";
    return "U";
}

}  // namespace

GedcomTime currentLocalTime() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

namespace {

GedcomExportResult writeStandardGedcom(const PersonList& list, const GedcomTime& now,
                                       const GedcomSink& sink, const std::string& codePage) {
    GedcomExportResult result;
    LineWriter out(sink);
    StandardWriter w(out, codePage);
    writeStandardHeader(w, now);

    // Other programs hold families of any size.
    ExportFamilies families(list, SIZE_MAX);
    families.buildAll();
    SpouseFamilies spouses(list, families.families());

    uint32_t position = 0;
    for (const PersonRecord* p = list.personListHead(); p != nullptr && out.ok();
         p = p->nextPerson, ++position) {
        if (p->isAliasBox()) continue;
        ++result.individuals;
        std::string given = w.utf8(p->text(field::givenNames));
        std::string surname = w.utf8(p->text(field::surname));
        w.line(0, "@I" + std::to_string(p->personId()) + "@ INDI", {});
        w.line(1, "NAME", given.empty() ? "/" + surname + "/" : given + " /" + surname + "/");
        if (!given.empty()) w.line(2, "GIVN", given);
        if (!surname.empty()) w.line(2, "SURN", surname);
        w.line(1, "SEX", standardSex(p->text(field::sex)));
        writeStandardEvent(w, "BIRT", w.utf8(p->text(field::birthDate)),
                           w.utf8(p->text(field::birthPlace)));
        writeStandardEvent(w, "BAPM", w.utf8(p->text(field::baptismDate)),
                           w.utf8(p->text(field::baptismPlace)));
        writeStandardEvent(w, "DEAT", w.utf8(p->text(field::deathDate)),
                           w.utf8(p->text(field::deathPlace)));
        if (!p->isEmpty(field::occupation)) w.line(1, "OCCU", w.utf8(p->text(field::occupation)));
        if (!p->isEmpty(field::source)) w.line(1, "SOUR", w.utf8(p->text(field::source)));
        spouses.forEach(position, [&w](int32_t number) {
            w.line(1, "FAMS", "@F" + std::to_string(number) + "@");
        });
        if (int32_t child = families.childFamilyOf(p)) {
            w.line(1, "FAMC", "@F" + std::to_string(child) + "@");
        }
    }

    for (const ExportFamily& f : families.families()) {
        if (!out.ok()) break;
        w.line(0, "@F" + std::to_string(f.number) + "@ FAM", {});
        if (f.husband != nullptr) {
            w.line(1, "HUSB", "@I" + std::to_string(f.husband->personId()) + "@");
        }
        if (f.wife != nullptr) w.line(1, "WIFE", "@I" + std::to_string(f.wife->personId()) + "@");
        writeStandardEvent(w, "MARR", w.utf8(f.marriageDate), w.utf8(f.marriagePlace));
        for (const PersonRecord* child : f.children) {
            w.line(1, "CHIL", "@I" + std::to_string(child->personId()) + "@");
        }
    }
    result.families = families.families().size();
    w.line(0, "TRLR", {});
    result.ok = out.flush();
    return result;
}

}  // namespace

GedcomExportResult writeGedcom(const PersonList& list, const GedcomTime& now,
                               const GedcomSink& sink, const GedcomExportOptions& options) {
    if (options.form == GedcomForm::Standard) {
        return writeStandardGedcom(list, now, sink, options.codePage);
    }
    GedcomExportResult result;
    LineWriter out(sink);
    writeHeader(out, now);

    ExportFamilies families(list);
    families.buildAll();
    SpouseFamilies spouses(list, families.families());

    uint32_t position = 0;
    for (const PersonRecord* p = list.personListHead(); p != nullptr && out.ok();
         p = p->nextPerson, ++position) {
        if (p->isAliasBox()) continue;
        ++result.individuals;
        std::string_view given = p->text(field::givenNames);
        std::string_view surname = p->text(field::surname);
        out.line("0 @I", p->personId(), "@ INDI");
        out.line("1 NAME ", given, "/", surname, "/");
        out.line("2 GIVN ", given);
        out.line("2 SURN ", surname);
        out.line("1 SEX ", p->text(field::sex));
        writeEvent(out, "BIRT", p->text(field::birthDate), p->text(field::birthPlace));
        writeEvent(out, "DEAT", p->text(field::deathDate), p->text(field::deathPlace));
        if (!p->isEmpty(field::occupation)) out.line("1 OCCU ", p->text(field::occupation));
        if (!p->isEmpty(field::source)) out.line("1 SOUR ", p->text(field::source));
        spouses.forEach(position, [&out](int32_t number) { out.line("1 FAMS @F", number, "@"); });
        if (int32_t child = families.childFamilyOf(p)) out.line("1 FAMC @F", child, "@");
    }

    for (const ExportFamily& f : families.families()) {
        if (!out.ok()) break;
        out.line("0 @F", f.number, "@ FAM");
        if (f.husband != nullptr) out.line("1 HUSB @I", f.husband->personId(), "@");
        if (f.wife != nullptr) out.line("1 WIFE @I", f.wife->personId(), "@");
        writeEvent(out, "MARR", f.marriageDate, f.marriagePlace);
        for (const PersonRecord* child : f.children) out.line("1 CHIL @I", child->personId(), "@");
    }
    result.families = families.families().size();
    out.line("0 TRLR");
    result.ok = out.flush();
    return result;
}

std::string gedcomText(const PersonList& list, const GedcomTime& now,
                       const GedcomExportOptions& options) {
    std::string text;
    writeGedcom(
        list, now,
        [&text](std::string_view piece) {
            text += piece;
            return true;
        },
        options);
    return text;
}

GedcomExportResult ExportGedcom(const PersonList& list, const std::string& path,
                                const GedcomTime& now, const GedcomExportOptions& options) {
    AtomicFileWriter file;
    if (!file.open(path)) return {false, file.error(), 0, 0};
    GedcomExportResult result = writeGedcom(
        list, now,
        [&file](std::string_view piece) { return file.write(piece.data(), piece.size()); },
        options);
    if (!result.ok || !file.commit()) {
        result.ok = false;
        result.message = file.error();
    }
    return result;
}

}  // namespace lineara
