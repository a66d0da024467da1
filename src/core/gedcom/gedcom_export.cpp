#include "core/gedcom/gedcom_export.h"

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <unordered_map>
#include <vector>

#include "core/gedcom/export_forms.h"
#include "core/gedcom/gedcom_values.h"
#include "core/gedcom/gedcom_writer.h"
#include "core/platform/atomic_file.h"

namespace lineara {

namespace {

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
void writeHeader(GedcomLineWriter& out, const GedcomTime& now) {
    int month = now.month >= 1 && now.month <= 12 ? now.month : 1;
    out.line("0 HEAD");
    out.line("1 SOUR LINEARA_1.1");
    out.line("1 DATE ", now.day, " ", kMonths[month - 1], " ", now.year);
    out.line("1 TIME ", now.hour, ":", now.minute);
    out.line("1 CHAR ANSI");
}

// The own form's values: single bytes, and the lines of an individual's
// name written even when empty, ending with the blank after their tag.
constexpr GedcomValueStyle kOwnStyle{false, false};
constexpr GedcomValueStyle kOwnNameStyle{false, true};

// The lines of an event, when it has a date or a place.
void writeEvent(GedcomLineWriter& out, const char* tag, std::string_view date,
                std::string_view place) {
    if (date.empty() && place.empty()) return;
    out.line("1 ", tag);
    if (!date.empty()) writeGedcomText(out, 2, "DATE", date, false, kOwnStyle);
    if (!place.empty()) writeGedcomText(out, 2, "PLAC", place, false, kOwnStyle);
}

// The NAME value of the own form, "given/surname/": the slashes delimit
// the surname, so the parts' own slashes become blanks (GIVN and SURN
// carry the parts whole).
std::string ownNameValue(std::string_view given, std::string_view surname) {
    std::string value = gedcomNamePart(given);
    value += '/';
    value += gedcomNamePart(surname);
    value += '/';
    return value;
}

}  // namespace

GedcomTime currentLocalTime() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min};
}

GedcomExportResult writeGedcom(const PersonList& list, const GedcomTime& now,
                               const GedcomSink& sink, const GedcomExportOptions& options) {
    if (options.form == GedcomForm::Standard) {
        return detail::writeStandardGedcom(list, now, sink, options.codePage);
    }
    GedcomExportResult result;
    GedcomLineWriter out(sink);
    writeHeader(out, now);

    ExportFamilies families(list);
    families.buildAll();
    detail::SpouseFamilies spouses(list, families.families());

    uint32_t position = 0;
    for (const PersonRecord* p = list.personListHead(); p != nullptr && out.ok();
         p = p->nextPerson, ++position) {
        if (p->isAliasBox()) continue;
        ++result.individuals;
        std::string_view given = p->text(field::givenNames);
        std::string_view surname = p->text(field::surname);
        out.line("0 @I", p->personId(), "@ INDI");
        if (isPlainGedcomText(given) && isPlainGedcomText(surname) &&
            given.find('/') == std::string_view::npos &&
            surname.find('/') == std::string_view::npos) {
            out.line("1 NAME ", given, "/", surname, "/");
        } else {
            writeGedcomValue(out, 1, "NAME", ownNameValue(given, surname), kOwnStyle);
        }
        writeGedcomText(out, 2, "GIVN", given, false, kOwnNameStyle);
        writeGedcomText(out, 2, "SURN", surname, false, kOwnNameStyle);
        writeGedcomText(out, 1, "SEX", p->text(field::sex), false, kOwnNameStyle);
        writeEvent(out, "BIRT", p->text(field::birthDate), p->text(field::birthPlace));
        writeEvent(out, "DEAT", p->text(field::deathDate), p->text(field::deathPlace));
        if (!p->isEmpty(field::occupation)) {
            writeGedcomText(out, 1, "OCCU", p->text(field::occupation), false, kOwnStyle);
        }
        if (!p->isEmpty(field::source)) {
            // A source is a text that may go on over several lines.
            writeGedcomText(out, 1, "SOUR", p->text(field::source), true, kOwnStyle);
        }
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
