// The standard form of the export: GEDCOM 5.5.1 in UTF-8, for other
// programs.
#include <cstdio>
#include <string>
#include <string_view>

#include "core/gedcom/export_forms.h"
#include "core/gedcom/gedcom_values.h"
#include "core/gedcom/gedcom_writer.h"
#include "core/platform/codepage.h"

namespace lineara::detail {

namespace {

constexpr GedcomValueStyle kUtf8{true, false};

class StandardWriter {
public:
    StandardWriter(GedcomLineWriter& out, const std::string& codePage)
        : out_(out), utf8Texts_(codePage) {}

    // A record text in UTF-8.
    std::string utf8(std::string_view text) const { return utf8Texts_(text); }

    // "level tag value" for a record text (in UTF-8 already).
    void text(int level, std::string_view tag, std::string_view value, bool continuable = false) {
        writeGedcomText(out_, level, tag, value, continuable, kUtf8);
    }
    // "level tag value" for a value of our own: a cross-reference, a word.
    void value(int level, std::string_view tag, std::string_view value) {
        writeGedcomValue(out_, level, tag, value, kUtf8);
    }

private:
    GedcomLineWriter& out_;
    Utf8Texts utf8Texts_;
};

void writeEvent(StandardWriter& w, const char* tag, const std::string& date,
                const std::string& place) {
    if (date.empty() && place.empty()) return;
    w.value(1, tag, {});
    if (!date.empty()) w.text(2, "DATE", date);
    if (!place.empty()) w.text(2, "PLAC", place);
}

void writeHeader(StandardWriter& w, const GedcomTime& now) {
    char time[8];
    std::snprintf(time, sizeof time, "%02d:%02d", now.hour % 100, now.minute % 100);
    w.value(0, "HEAD", {});
    w.value(1, "SOUR", "LINEARA");
    w.value(2, "VERS", "1.1");
    w.value(2, "NAME", "Lineara");
    w.value(1, "DATE", headerDate(now));
    w.value(2, "TIME", time);
    w.value(1, "SUBM", "@SUBM@");
    w.value(1, "GEDC", {});
    w.value(2, "VERS", "5.5.1");
    w.value(2, "FORM", "LINEAGE-LINKED");
    w.value(1, "CHAR", "UTF-8");
    w.value(0, "@SUBM@ SUBM", {});
    w.value(1, "NAME", "Lineara");
}

std::string standardSex(std::string_view sex) {
    if (sex == "M" || sex == "m") return "M";
    if (sex == "F" || sex == "f") return "F";
    return "U";
}

std::string pointer(char kind, int32_t number) {
    return "@" + std::string(1, kind) + std::to_string(number) + "@";
}

}  // namespace

GedcomExportResult writeStandardGedcom(const PersonList& list, const GedcomTime& now,
                                       const GedcomSink& sink, const std::string& codePage) {
    GedcomExportResult result;
    GedcomLineWriter out(sink);
    StandardWriter w(out, codePage);
    writeHeader(w, now);

    // Other programs hold families of any size, and marriage dates and
    // places as long as the tree's.
    ExportFamilies families(list, ExportFamilyLimits::none());
    families.buildAll();
    SpouseFamilies spouses(list, families.families());

    uint32_t position = 0;
    for (const PersonRecord* p = list.personListHead(); p != nullptr && out.ok();
         p = p->nextPerson, ++position) {
        if (p->isAliasBox()) continue;
        ++result.individuals;
        std::string given = w.utf8(p->text(field::givenNames));
        std::string surname = w.utf8(p->text(field::surname));
        // The slashes of the NAME delimit the surname; the parts go whole
        // into GIVN and SURN.
        std::string nameGiven = gedcomNamePart(given);
        std::string nameSurname = gedcomNamePart(surname);
        w.value(0, pointer('I', p->personId()) + " INDI", {});
        w.value(1, "NAME",
                given.empty() ? "/" + nameSurname + "/" : nameGiven + " /" + nameSurname + "/");
        if (!given.empty()) w.text(2, "GIVN", given);
        if (!surname.empty()) w.text(2, "SURN", surname);
        w.value(1, "SEX", standardSex(p->text(field::sex)));
        writeEvent(w, "BIRT", w.utf8(p->text(field::birthDate)),
                   w.utf8(p->text(field::birthPlace)));
        writeEvent(w, "BAPM", w.utf8(p->text(field::baptismDate)),
                   w.utf8(p->text(field::baptismPlace)));
        writeEvent(w, "DEAT", w.utf8(p->text(field::deathDate)),
                   w.utf8(p->text(field::deathPlace)));
        if (!p->isEmpty(field::occupation)) w.text(1, "OCCU", w.utf8(p->text(field::occupation)));
        if (!p->isEmpty(field::source)) w.text(1, "SOUR", w.utf8(p->text(field::source)), true);
        spouses.forEach(position,
                        [&w](int32_t number) { w.value(1, "FAMS", pointer('F', number)); });
        if (int32_t child = families.childFamilyOf(p)) w.value(1, "FAMC", pointer('F', child));
    }

    for (const ExportFamily& f : families.families()) {
        if (!out.ok()) break;
        w.value(0, pointer('F', f.number) + " FAM", {});
        if (f.husband != nullptr) w.value(1, "HUSB", pointer('I', f.husband->personId()));
        if (f.wife != nullptr) w.value(1, "WIFE", pointer('I', f.wife->personId()));
        writeEvent(w, "MARR", w.utf8(f.marriageDate), w.utf8(f.marriagePlace));
        for (const PersonRecord* child : f.children) {
            w.value(1, "CHIL", pointer('I', child->personId()));
        }
    }
    result.families = families.families().size();
    w.value(0, "TRLR", {});
    result.ok = out.flush();
    return result;
}

}  // namespace lineara::detail
