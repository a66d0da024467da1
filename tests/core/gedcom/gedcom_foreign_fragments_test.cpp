// Fragments of files other programs write, as they write them: notes with
// raw line breaks, files cut short, family events before the spouses,
// repeated and denied events, sources as pointers, christenings, several
// births, files that name no character set. Each gives the persons,
// relationships and status notes listed beside it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/gedcom/gedcom_import.h"
#include "core/platform/codepage.h"
#include "support/gedcom_support.h"

namespace lineara {
namespace {

using test::imported;

// A text field of the person with this cross-reference (UTF-8, compared in
// the tree's code page).
struct FieldIs {
    const char* xref;
    TextField field;
    std::string value;
};

// The relationships between two persons, slot by slot on the first: the
// type, date and place of each.
struct CoupleIs {
    const char* first;
    const char* second;
    std::vector<std::string> relationships;  // "M 1900|Lublin"
};

struct Fragment {
    const char* what;
    std::vector<std::string> lines;
    GedcomImportResult::Status status;
    std::vector<std::string> notes;
    std::vector<FieldIs> fields = {};
    std::vector<CoupleIs> couples = {};
    const char* codePage = "CP1250";
};

const char kNoTrailer[] = "The file ends before its end record (TRLR): it may be incomplete.";
const char kNoHeader[] =
    "The file does not begin with its header record (HEAD): it may be incomplete.";

std::vector<std::string> withEnds(std::vector<std::string> lines) {
    lines.insert(lines.begin(), "0 HEAD");
    lines.push_back("0 TRLR");
    return lines;
}

// Two spouses and a family record of the given lines.
std::vector<std::string> couple(const std::vector<std::string>& family) {
    std::vector<std::string> lines = {"0 @H@ INDI", "1 SEX M", "0 @W@ INDI", "1 SEX F",
                                      "0 @F1@ FAM"};
    lines.insert(lines.end(), family.begin(), family.end());
    return withEnds(lines);
}

std::vector<Fragment> fragments() {
    const std::string sourceRecords[] = {"0 @S1@ SOUR", "1 TITL Parish register",
                                         "2 CONC  of Lublin", "0 @S2@ SOUR", "1 TEXT Census 1921"};
    std::vector<Fragment> f = {
        // Lines without a level number go on with the value before them.
        {"a note pasted with its line breaks",
         withEnds({"0 @I1@ INDI", "1 NAME Jan /Kowal/", "1 NOTE First line", "second line",
                   "third: with a colon", "1 OCCU smith"}),
         GedcomImportResult::Done,
         {"Lines read as continuations: 2"},
         {{"@I1@", field::givenNames, "Jan"}, {"@I1@", field::occupation, "smith"}}},
        {"a one-word line does not end the record",
         withEnds(
             {"0 @I1@ INDI", "1 NOTE a", "word", "1 OCCU kowal", "1 SOUR Book of", "  Lublin  "}),
         GedcomImportResult::Done,
         {"Lines read as continuations: 2"},
         {{"@I1@", field::occupation, "kowal"}, {"@I1@", field::source, "Book of Lublin"}}},
        {"a broken first line is no GEDCOM file",
         {"Dear cousin,", "0 HEAD", "0 @I1@ INDI"},
         GedcomImportResult::Failed,
         {},
         {}},
        // Files cut short: what was read stays, the status says so.
        {"no trailer",
         {"0 HEAD", "0 @I1@ INDI", "1 NAME Jan /Kowal/", "0 @I2@ INDI", "1 NAME Ewa"},
         GedcomImportResult::Done,
         {kNoTrailer},
         {{"@I1@", field::surname, "Kowal"}, {"@I2@", field::givenNames, "Ewa"}}},
        {"no header",
         {"0 @I1@ INDI", "1 NAME Jan /Kowal/", "0 TRLR"},
         GedcomImportResult::Done,
         {kNoHeader},
         {{"@I1@", field::surname, "Kowal"}}},
        {"records after the trailer",
         {"0 HEAD", "0 @I1@ INDI", "0 TRLR", "0 @I2@ INDI", "1 NAME Ewa"},
         GedcomImportResult::Done,
         {kNoTrailer},
         {{"@I2@", field::givenNames, "Ewa"}}},
        // The family's events wherever they stand in its record.
        {"marriage before the spouses",
         couple({"1 MARR", "2 DATE 1 JUN 1900", "2 PLAC Lublin", "1 HUSB @H@", "1 WIFE @W@"}),
         GedcomImportResult::Done,
         {},
         {},
         {{"@H@", "@W@", {"M 1 JUN 1900|Lublin"}}}},
        {"divorce and marriage before the spouses",
         couple({"1 DIV", "2 DATE 1910", "1 MARR", "2 PLAC Lodz", "1 WIFE @W@", "1 HUSB @H@"}),
         GedcomImportResult::Done,
         {},
         {},
         {{"@H@", "@W@", {"M |Lodz", "D 1910|"}}}},
        {"a second marriage without date or place",
         couple({"1 HUSB @H@", "1 WIFE @W@", "1 MARR", "2 DATE 1900", "2 PLAC Lublin", "1 MARR",
                 "1 MARR Y", "2 TYPE religious"}),
         GedcomImportResult::Done,
         {},
         {},
         {{"@H@", "@W@", {"M 1900|Lublin"}}}},
        {"the first marriage with a date gives date and place together",
         couple({"1 HUSB @H@", "1 WIFE @W@", "1 MARR", "2 NOTE civil", "1 MARR", "2 DATE 1900",
                 "1 MARR", "2 DATE 1901", "2 PLAC Krakow"}),
         GedcomImportResult::Done,
         {},
         {},
         {{"@H@", "@W@", {"M 1900|"}}}},
        // "N": the event did not happen.
        {"no divorce",
         couple({"1 HUSB @H@", "1 WIFE @W@", "1 MARR", "2 DATE 10 FEB 1840", "2 PLAC London",
                 "1 DIV N"}),
         GedcomImportResult::Done,
         {},
         {},
         {{"@H@", "@W@", {"M 10 FEB 1840|London"}}}},
        {"no marriage, and no date from it",
         couple({"1 HUSB @H@", "1 WIFE @W@", "1 MARR N", "2 DATE 1900", "1 DIV n"}),
         GedcomImportResult::Done,
         {},
         {},
         {{"@H@", "@W@", {"M |"}}}},
        {"a marriage after the divorce dates the marriage",
         couple({"1 HUSB @H@", "1 WIFE @W@", "1 DIV", "2 DATE 1850", "2 PLAC Paris", "1 MARR",
                 "2 DATE 1840"}),
         GedcomImportResult::Done,
         {},
         {},
         {{"@H@", "@W@", {"M 1840|", "D 1850|Paris"}}}},
        // Sources given as pointers take their record's title.
        {"sources as pointers",
         withEnds({"0 @I1@ INDI", "1 SOUR @S1@", "0 @I2@ INDI", "1 SOUR @S2@", "0 @I3@ INDI",
                   "1 SOUR @S9@", "0 @I4@ INDI", "1 SOUR @S1@", "1 SOUR Family bible",
                   "0 @I5@ INDI", "1 SOUR @@S1@@ is what it says", "0 @I6@ INDI", "1 SOUR Notes",
                   "1 SOUR @S2@", sourceRecords[0], sourceRecords[1], sourceRecords[2],
                   sourceRecords[3], sourceRecords[4]}),
         GedcomImportResult::Done,
         {},
         {{"@I1@", field::source, "Parish register of Lublin"},
          {"@I2@", field::source, "Census 1921"},
          {"@I3@", field::source, ""},  // a record nobody wrote
          {"@I4@", field::source, "Family bible"},
          {"@I5@", field::source, "@S1@ is what it says"},
          {"@I6@", field::source, "Census 1921"}}},
        // Christenings, and several births.
        {"christening without baptism",
         withEnds({"0 @I1@ INDI", "1 CHR", "2 DATE 3 MAR 1901", "2 PLAC Gniezno"}),
         GedcomImportResult::Done,
         {},
         {{"@I1@", field::baptismDate, "3 MAR 1901"}, {"@I1@", field::baptismPlace, "Gniezno"}}},
        {"a baptism wins over a christening before it",
         withEnds({"0 @I1@ INDI", "1 CHR", "2 DATE 3 MAR 1901", "2 PLAC Gniezno", "1 BAPM",
                   "2 DATE 4 MAR 1901", "1 CHR", "2 PLAC Poznan"}),
         GedcomImportResult::Done,
         {},
         {{"@I1@", field::baptismDate, "4 MAR 1901"}, {"@I1@", field::baptismPlace, ""}}},
        {"the first birth gives date and place together",
         withEnds({"0 @I1@ INDI", "1 BIRT", "2 DATE 1 JAN 1900", "1 BIRT", "2 DATE ABT 1901",
                   "2 PLAC Lublin", "1 DEAT", "1 DEAT", "2 PLAC Lodz", "2 DATE 1970", "1 DEAT",
                   "2 DATE 1971"}),
         GedcomImportResult::Done,
         {},
         {{"@I1@", field::birthDate, "1 JAN 1900"},
          {"@I1@", field::birthPlace, ""},
          {"@I1@", field::deathDate, "1970"},
          {"@I1@", field::deathPlace, "Lodz"}}},
        // Files that name no character set of their own.
        {"ANSI from a Western program",
         withEnds({"1 CHAR ANSI", "0 @I1@ INDI", "1 NAME \xC6gir /Hansen/"}),
         GedcomImportResult::Done,
         {"Read as Windows-1252 (the options' code page)"},
         {{"@I1@", field::givenNames, "Ægir"}},
         {},
         "CP1252"},
        {"ASCII that is not",
         withEnds({"1 CHAR ASCII", "0 @I1@ INDI",
                   "1 NAME \xA3ucja /\xAF"
                   "ak/"}),
         GedcomImportResult::Done,
         {"Read as Windows-1250 (the options' code page)"},
         {{"@I1@", field::givenNames, "Łucja"}, {"@I1@", field::surname, "Żak"}}},
        {"ANSI in ASCII only",
         withEnds({"1 CHAR ANSI", "0 @I1@ INDI", "1 NAME Jan /Kowal/"}),
         GedcomImportResult::Done,
         {},
         {{"@I1@", field::givenNames, "Jan"}}},
        {"a set of its own",
         withEnds({"1 CHAR WINDOWS-1252", "0 @I1@ INDI", "1 NAME \xC6gir /Hansen/"}),
         GedcomImportResult::Done,
         {"Letters replaced (not in the tree's code page): 1"},
         {{"@I1@", field::givenNames, "AEgir"}}},
        // Letters the tree's code page lacks.
        {"Cyrillic in a Polish tree",
         withEnds({"1 CHAR UTF-8", "0 @I1@ INDI", "1 NAME Иван /Петров/", "1 OCCU Søren"}),
         GedcomImportResult::Done,
         {"Letters replaced (not in the tree's code page): 11"},
         {{"@I1@", field::givenNames, "????"},
          {"@I1@", field::surname, "??????"},
          {"@I1@", field::occupation, "Soren"}}},
        {"Polish in a Polish tree",
         withEnds({"1 CHAR UTF-8", "0 @I1@ INDI", "1 NAME Łucja /Żak/"}),
         GedcomImportResult::Done,
         {},
         {{"@I1@", field::givenNames, "Łucja"}}},
        // Everything at once, in the order the status gives it.
        {"all notes together",
         {"\xEF\xBB\xBF"
          "0 @I1@ INDI",
          "1 NOTE pasted", "text", "1 NAME Иван", "0 @I2@ INDI"},
         GedcomImportResult::Done,
         {"Lines read as continuations: 1", "Letters replaced (not in the tree's code page): 4",
          kNoHeader, kNoTrailer},
         {{"@I1@", field::givenNames, "????"}},
         {}},
    };
    return f;
}

std::string relationships(const PersonRecord* first, const PersonRecord* second) {
    std::string out;
    for (int slot : test::slotsWith(first, second)) {
        if (!out.empty()) out += ", ";
        out += std::string(1, static_cast<char>(first->relationType(slot))) + " " +
               std::string(first->text(field::relationDate(slot))) + "|" +
               std::string(first->text(field::relationPlace(slot)));
    }
    return out;
}

TEST(GedcomForeignFragments, GiveTheTreeAndTheNotesTheyShould) {
    for (const Fragment& f : fragments()) {
        SCOPED_TRACE(f.what);
        Document doc;
        std::string file = test::gedcomLines(f.lines);
        MemorySource source(file);
        GedcomImportResult result =
            importGedcom(doc, source, {"f.ged", true, int64_t(file.size()), f.codePage});
        EXPECT_EQ(result.status, f.status) << result.statusText;
        if (f.status != GedcomImportResult::Done) continue;
        EXPECT_EQ(result.notes, f.notes);
        std::string status = "Done.";
        for (const std::string& note : f.notes) status += "\n" + note;
        EXPECT_EQ(result.statusText, status);
        bool incomplete = false;
        for (const std::string& note : f.notes)
            incomplete |= note == kNoHeader || note == kNoTrailer;
        EXPECT_EQ(result.incomplete, incomplete);

        for (const FieldIs& is : f.fields) {
            const PersonRecord* p = imported(doc.persons(), is.xref);
            ASSERT_NE(p, nullptr) << is.xref;
            EXPECT_EQ(p->text(is.field), toCodePage(is.value, f.codePage))
                << is.xref << " field at " << is.field.offset;
        }
        for (const CoupleIs& is : f.couples) {
            const PersonRecord* first = imported(doc.persons(), is.first);
            const PersonRecord* second = imported(doc.persons(), is.second);
            ASSERT_TRUE(first && second);
            std::string expected;
            for (const std::string& r : is.relationships) {
                expected += (expected.empty() ? "" : ", ") + r;
            }
            EXPECT_EQ(relationships(first, second), expected);
            // Both halves alike.
            EXPECT_EQ(relationships(second, first), expected);
        }
    }
}

}  // namespace
}  // namespace lineara
