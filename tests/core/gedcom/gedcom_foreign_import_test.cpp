// Importing GEDCOM files written by other programs: character sets and
// byte-order marks, records and lines in any order, continuation lines,
// line ends and indentation, names given in parts, large families.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/gedcom/gedcom_charset.h"
#include "core/gedcom/gedcom_import.h"
#include "core/model/person_list.h"
#include "core/platform/codepage.h"
#include "support/gedcom_support.h"

namespace lineara {
namespace {

using test::gedcomLines;
using test::imported;
using test::slotsWith;

std::string text(const PersonRecord* p, TextField f) { return std::string(p->text(f)); }

GedcomImportResult importBytes(Document& doc, std::string bytes,
                               const std::string& codePage = kDefaultTreeCodePage,
                               size_t piece = SIZE_MAX) {
    int64_t size = static_cast<int64_t>(bytes.size());
    MemorySource source(std::move(bytes), piece);
    return importGedcom(doc, source, {"foreign.ged", true, size, codePage});
}

// UTF-8 as UTF-16, with or without its byte-order mark.
std::string utf16(const std::string& utf8, bool little, bool mark) {
    std::string out;
    auto unit = [&](char16_t u) {
        char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += little ? std::string{lo, hi} : std::string{hi, lo};
    };
    if (mark) unit(0xFEFF);
    // iconv writes the UTF-16, independently of the code under test.
    std::string le = toCodePage(utf8, "UTF-16LE");
    for (size_t i = 0; i + 1 < le.size(); i += 2) {
        unit(static_cast<char16_t>(static_cast<unsigned char>(le[i]) |
                                   (static_cast<unsigned char>(le[i + 1]) << 8)));
    }
    return out;
}

// A file of one person with the given NAME, birth place and occupation
// (bytes as the file holds them), under a header with `charLine`.
std::string onePerson(const std::string& charLine, const std::string& name,
                      const std::string& place, const std::string& occupation) {
    std::vector<std::string> lines = {"0 HEAD", "1 SOUR OTHER", "1 GEDC", "2 VERS 5.5.1"};
    if (!charLine.empty()) lines.push_back("1 CHAR " + charLine);
    lines.insert(lines.end(), {"0 @I1@ INDI", "1 NAME " + name, "1 BIRT", "2 PLAC " + place,
                               "1 OCCU " + occupation, "0 TRLR"});
    return gedcomLines(lines);
}

struct Expected {
    std::string given, surname, place, occupation;  // UTF-8; compared in the tree's code page
};

void expectPerson(const Document& doc, const Expected& e, const char* codePage,
                  const std::string& what) {
    ASSERT_EQ(doc.persons().count(), 1u) << what;
    const PersonRecord* p = doc.persons().personListHead();
    EXPECT_EQ(text(p, field::givenNames), toCodePage(e.given, codePage)) << what;
    EXPECT_EQ(text(p, field::surname), toCodePage(e.surname, codePage)) << what;
    EXPECT_EQ(text(p, field::birthPlace), toCodePage(e.place, codePage)) << what;
    EXPECT_EQ(text(p, field::occupation), toCodePage(e.occupation, codePage)) << what;
}

TEST(GedcomForeignImport, EveryCharacterSetGivesTheSameLetters) {
    const Expected polish{"Zażółć", "Gęślą", "Łódź", "Jaźń"};
    const std::string name = "Zażółć /Gęślą/";
    const std::string place = "Łódź";
    const std::string occupation = "Jaźń";
    // ANSEL writes each mark before its letter.
    const std::string anselName =
        "Za\xE7z\xE2o\xB1\xE2"
        "c /G\xF1"
        "e\xE2sl\xF1"
        "a/";
    const std::string anselPlace = "\xA1\xE2od\xE2z";
    const std::string anselOccupation = "Ja\xE2z\xE2n";
    const struct {
        const char* what;
        std::string file;
    } cases[] = {
        {"UTF-8", onePerson("UTF-8", name, place, occupation)},
        {"utf-8 in small letters", onePerson("utf-8", name, place, occupation)},
        {"UTF-8 mark, no CHAR", "\xEF\xBB\xBF" + onePerson("", name, place, occupation)},
        // The mark wins over what the header says.
        {"UTF-8 mark, CHAR ANSEL", "\xEF\xBB\xBF" + onePerson("ANSEL", name, place, occupation)},
        {"UNICODE in single bytes", onePerson("UNICODE", name, place, occupation)},
        {"UTF-16 LE with mark", utf16(onePerson("UNICODE", name, place, occupation), true, true)},
        {"UTF-16 BE with mark", utf16(onePerson("UNICODE", name, place, occupation), false, true)},
        {"UTF-16 LE without mark",
         utf16(onePerson("UNICODE", name, place, occupation), true, false)},
        {"UTF-16 BE without mark",
         utf16(onePerson("UNICODE", name, place, occupation), false, false)},
        {"ANSEL", onePerson("ANSEL", anselName, anselPlace, anselOccupation)},
        {"ANSI", onePerson("ANSI", toCodePage(name, "CP1250"), toCodePage(place, "CP1250"),
                           toCodePage(occupation, "CP1250"))},
        {"no CHAR", onePerson("", toCodePage(name, "CP1250"), toCodePage(place, "CP1250"),
                              toCodePage(occupation, "CP1250"))},
        {"ISO-8859-2",
         onePerson("ISO-8859-2", toCodePage(name, "ISO-8859-2"), toCodePage(place, "ISO-8859-2"),
                   toCodePage(occupation, "ISO-8859-2"))},
        // Letters written as a letter and combining marks.
        {"UTF-8 decomposed",
         onePerson("UTF-8",
                   "Zaz\xCC\x87o\xCC\x81\xC5\x82\x63\xCC\x81 /Ge\xCC\xA8s\xCC\x81la\xCC\xA8/",
                   "\xC5\x81o\xCC\x81"
                   "dz\xCC\x81",
                   "Jaz\xCC\x81n\xCC\x81")},
    };
    for (const auto& c : cases) {
        for (size_t piece : {size_t(SIZE_MAX), size_t(1), size_t(3)}) {
            Document doc;
            GedcomImportResult result = importBytes(doc, c.file, kDefaultTreeCodePage, piece);
            EXPECT_TRUE(result.done()) << c.what;
            expectPerson(doc, polish, "CP1250",
                         std::string(c.what) + " piece " + std::to_string(piece));
        }
    }
}

TEST(GedcomForeignImport, OtherEuropeanLettersInOtherSets) {
    const struct {
        const char* what;
        std::string file;
        const char* codePage;
        Expected expected;
    } cases[] = {
        // CP1250 has neither æ nor ø: the closest unaccented letters.
        {"UTF-8 Danish",
         onePerson("UTF-8", "Søren /Ærø/", "Ålborg", "bådebygger"),
         "CP1250",
         {"Soren", "AEro", "Alborg", "badebygger"}},
        {"ANSEL Danish",
         onePerson("ANSEL", "S\xB2ren /\xA5r\xB2/",
                   "\xEA"
                   "Alborg",
                   "b\xEA"
                   "adebygger"),
         "CP1250",
         {"Soren", "AEro", "Alborg", "badebygger"}},
        {"ANSEL into CP1252",
         onePerson("ANSEL", "S\xB2ren /\xA5r\xB2/",
                   "\xEA"
                   "Alborg",
                   "x"),
         "CP1252",
         {"Søren", "Ærø", "Ålborg", "x"}},
        // ł is a letter of CP1250 but not of CP1252.
        {"UTF-8 Polish into CP1252",
         onePerson("UTF-8", "Michał /Wołodyjowski/", "Kraków", "x"),
         "CP1252",
         {"Michal", "Wolodyjowski", "Kraków", "x"}},
        {"IBM WINDOWS",
         onePerson("IBM WINDOWS", "Jos\xE9 /M\xFCller/", "Br\xFCnn", "x"),
         "CP1250",
         {"José", "Müller", "Brünn", "x"}},
        {"IBMPC",
         onePerson("IBMPC", "Jos\x82 /M\x81ller/", "K\x94ln", "x"),
         "CP1250",
         {"José", "Müller", "Köln", "x"}},
        {"ANSEL German",
         onePerson("ANSEL",
                   "Jos\xE2"
                   "e /M\xE8uller/",
                   "K\xE8oln",
                   "Stra\xCF"
                   "e"),
         "CP1250",
         {"José", "Müller", "Köln", "Straße"}},
        {"ANSEL Czech",
         onePerson("ANSEL",
                   "Ji\xE9ri /Dvo\xE9r\xE2"
                   "ak/",
                   "Pl\xE2y", "x"),
         "CP1250",
         {"Jiři", "Dvořák", "Plý", "x"}},
        {"UTF-8 Cyrillic tree",
         onePerson("UTF-8", "Иван /Петров/", "Київ", "x"),
         "CP1251",
         {"Иван", "Петров", "Київ", "x"}},
        // Nothing close: a question mark, never a byte of another set.
        {"UTF-8 beyond Latin",
         onePerson("UTF-8", "李 /王/", "\xF0\x9F\x8C\xB3", "x"),
         "CP1250",
         {"?", "?", "?", "x"}},
        {"UTF-16 beyond Latin",
         utf16(onePerson("UNICODE", "Jan /Drzewo/", "\xF0\x9F\x8C\xB3", "x"), true, true),
         "CP1250",
         {"Jan", "Drzewo", "?", "x"}},
    };
    for (const auto& c : cases) {
        Document doc;
        EXPECT_TRUE(importBytes(doc, c.file, c.codePage).done()) << c.what;
        expectPerson(doc, c.expected, c.codePage, c.what);
    }
}

// The tree that a family of father, mother and three children with a
// marriage must give, whatever the order of the records and lines.
void expectFamily(const Document& doc, const std::string& what) {
    const PersonList& list = doc.persons();
    ASSERT_EQ(list.count(), 5u) << what;
    const PersonRecord* father = imported(list, "@father@");
    const PersonRecord* mother = imported(list, "@mother@");
    ASSERT_TRUE(father && mother) << what;
    ASSERT_EQ(slotsWith(father, mother).size(), 1u) << what;
    ASSERT_EQ(slotsWith(mother, father).size(), 1u) << what;
    int slot = slotsWith(father, mother)[0];
    EXPECT_EQ(father->text(field::relationDate(slot)), "1 MAY 1900") << what;
    EXPECT_EQ(father->text(field::relationPlace(slot)), "Lublin") << what;
    for (const char* child : {"@c1@", "@c2@", "@c3@"}) {
        const PersonRecord* c = imported(list, child);
        ASSERT_NE(c, nullptr) << what;
        EXPECT_EQ(c->father, father) << what << " " << child;
        EXPECT_EQ(c->mother, mother) << what << " " << child;
    }
}

TEST(GedcomForeignImport, RecordsAndFamilyLinesInAnyOrder) {
    using Record = std::vector<std::string>;
    std::vector<Record> persons = {{"0 @father@ INDI", "1 NAME Jan /Kowalski/"},
                                   {"0 @mother@ INDI", "1 NAME Anna /Nowak/"},
                                   {"0 @c1@ INDI"},
                                   {"0 @c2@ INDI"},
                                   {"0 @c3@ INDI"}};
    Record links = {"1 HUSB @father@", "1 WIFE @mother@", "1 CHIL @c1@", "1 CHIL @c2@",
                    "1 CHIL @c3@"};
    std::mt19937 rng(16);
    for (int round = 0; round < 60; ++round) {
        std::vector<Record> records = persons;
        Record family = links;
        std::shuffle(family.begin(), family.end(), rng);
        // The marriage goes after both spouses, where its date belongs.
        size_t afterSpouses = 0;
        for (size_t i = 0; i < family.size(); ++i) {
            if (family[i].find("HUSB") != std::string::npos ||
                family[i].find("WIFE") != std::string::npos) {
                afterSpouses = i + 1;
            }
        }
        family.insert(family.begin() + long(afterSpouses),
                      {"1 MARR", "2 DATE 1 MAY 1900", "2 PLAC Lublin"});
        family.insert(family.begin(), "0 @F1@ FAM");
        records.push_back(family);
        std::shuffle(records.begin(), records.end(), rng);
        std::vector<std::string> lines = {"0 HEAD", "1 CHAR UTF-8"};
        std::string order;
        for (const Record& r : records) {
            lines.insert(lines.end(), r.begin(), r.end());
            order += r[0].substr(2) + " ";
        }
        lines.push_back("0 TRLR");
        Document doc;
        ASSERT_TRUE(importBytes(doc, gedcomLines(lines)).done());
        expectFamily(doc, order);
    }
}

TEST(GedcomForeignImport, ContinuationLinesJoinTheirValue) {
    Document doc;
    ASSERT_TRUE(
        importBytes(doc, gedcomLines({"0 HEAD", "1 CHAR UTF-8", "0 @I1@ INDI", "1 NAME Krzysz",
                                      "2 CONC tof /Kowal", "2 CONC ski/", "1 BIRT", "2 PLAC Wola",
                                      "3 CONC  Zręczycka", "3 CONT (powiat)", "1 OCCU kowal",
                                      "2 CONT i rolnik", "1 SOUR Księga", "2 CONC  metrykalna",
                                      "2 CONT", "1 DEAT", "2 PLAC Kraków",
                                      // A continuation of the wrong level is no part
                                      // of the value, nor of anything else.
                                      "4 CONC xyz", "0 TRLR"}))
            .done());
    const PersonRecord* p = doc.persons().personListHead();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(text(p, field::givenNames), "Krzysztof");
    EXPECT_EQ(text(p, field::surname), "Kowalski");
    EXPECT_EQ(text(p, field::birthPlace), toCodePage("Wola Zręczycka (powiat)", "CP1250"));
    EXPECT_EQ(text(p, field::occupation), "kowal i rolnik");
    EXPECT_EQ(text(p, field::source), toCodePage("Księga metrykalna", "CP1250"));
    EXPECT_EQ(text(p, field::deathPlace), toCodePage("Kraków", "CP1250"));
}

TEST(GedcomForeignImport, LineEndsIndentationAndBlankLinesGiveTheSameTree) {
    std::vector<std::string> lines = {"0 HEAD",
                                      "1 CHAR UTF-8",
                                      "0 @F1@ FAM",
                                      "1 CHIL @c1@",
                                      "1 HUSB @father@",
                                      "1 WIFE @mother@",
                                      "1 MARR",
                                      "2 DATE 1 MAY 1900",
                                      "2 PLAC Lublin",
                                      "1 CHIL @c2@",
                                      "1 CHIL @c3@",
                                      "0 @father@ INDI",
                                      "1 NAME Jan /Kowalski/",
                                      "0 @mother@ INDI",
                                      "0 @c1@ INDI",
                                      "1 NOTE " + std::string(600, 'n'),
                                      "0 @c2@ INDI",
                                      "0 @c3@ INDI",
                                      "0 TRLR"};
    for (const char* end : {"\r\n", "\n", "\r", "\n\r"}) {
        for (bool indent : {false, true}) {
            std::string file;
            for (const std::string& l : lines) {
                std::string level(1, l[0]);
                file += (indent ? std::string(size_t(level[0] - '0') * 2, ' ') : "") + l + end;
                file += std::string(end) + "   " + end;  // blank lines between
            }
            Document doc;
            ASSERT_TRUE(importBytes(doc, file).done());
            expectFamily(doc, std::string("indent ") + (indent ? "yes" : "no"));
        }
    }
}

TEST(GedcomForeignImport, NamesFromTheirPartsAndTheFirstNameCounts) {
    Document doc;
    ASSERT_TRUE(
        importBytes(doc,
                    gedcomLines({"0 HEAD", "1 CHAR UTF-8",
                                 // Parts only
                                 "0 @I1@ INDI", "1 NAME", "2 GIVN Józef", "2 SURN Wybicki",
                                 // No slashes, parts
                                 "0 @I2@ INDI", "1 NAME Maria Skłodowska", "2 GIVN Maria",
                                 "2 SURN Skłodowska",
                                 // Slashes win; the second name is another name
                                 "0 @I3@ INDI", "1 NAME Anna /Nowak/", "2 SURN Inna",
                                 "1 NAME Anna /Kowalska/", "2 GIVN Hanna", "1 BIRT", "2 SURN Nie",
                                 // No slashes, only the given part
                                 "0 @I4@ INDI", "1 NAME Piotr", "2 GIVN Piotr Paweł", "0 TRLR"}))
            .done());
    const struct {
        const char* xref;
        std::string given, surname;
    } cases[] = {{"@I1@", "Józef", "Wybicki"},
                 {"@I2@", "Maria", "Skłodowska"},
                 {"@I3@", "Anna", "Nowak"},
                 {"@I4@", "Piotr Paweł", ""}};
    for (const auto& c : cases) {
        const PersonRecord* p = imported(doc.persons(), c.xref);
        ASSERT_NE(p, nullptr) << c.xref;
        EXPECT_EQ(text(p, field::givenNames), toCodePage(c.given, "CP1250")) << c.xref;
        EXPECT_EQ(text(p, field::surname), toCodePage(c.surname, "CP1250")) << c.xref;
    }
}

TEST(GedcomForeignImport, FortyChildrenBeforeTheirParentsAllGetBoth) {
    std::vector<std::string> lines = {"0 @F1@ FAM"};
    for (int i = 1; i <= 40; ++i) lines.push_back("1 CHIL @C" + std::to_string(i) + "@");
    lines.insert(lines.end(), {"1 WIFE @M@", "1 HUSB @H@"});
    for (int i = 1; i <= 40; ++i) lines.push_back("0 @C" + std::to_string(i) + "@ INDI");
    lines.insert(lines.end(), {"0 @H@ INDI", "0 @M@ INDI"});
    Document doc;
    ASSERT_TRUE(importBytes(doc, gedcomLines(lines)).done());
    const PersonRecord* h = imported(doc.persons(), "@H@");
    const PersonRecord* m = imported(doc.persons(), "@M@");
    for (int i = 1; i <= 40; ++i) {
        const PersonRecord* c = imported(doc.persons(), "@C" + std::to_string(i) + "@");
        ASSERT_NE(c, nullptr);
        EXPECT_EQ(c->father, h) << i;
        EXPECT_EQ(c->mother, m) << i;
    }
    EXPECT_EQ(slotsWith(h, m).size(), 1u);
}

TEST(GedcomForeignImport, TwelveFamiliesKeepEightAndTellTheRestOnce) {
    std::vector<std::string> lines = {"0 HEAD"};
    // Families first, the person of twelve families last.
    for (int i = 1; i <= 12; ++i) {
        std::string n = std::to_string(i);
        lines.insert(lines.end(), {"0 @F" + n + "@ FAM", "1 WIFE @W" + n + "@", "1 HUSB @H@",
                                   "1 CHIL @K" + n + "@"});
    }
    for (int i = 1; i <= 12; ++i) {
        lines.push_back("0 @W" + std::to_string(i) + "@ INDI");
        lines.push_back("0 @K" + std::to_string(i) + "@ INDI");
    }
    lines.insert(lines.end(), {"0 @H@ INDI", "0 TRLR"});
    Document doc;
    GedcomImportResult result = importBytes(doc, gedcomLines(lines));
    ASSERT_TRUE(result.done());
    EXPECT_EQ(result.relationshipsLeftOut, 4);
    EXPECT_EQ(result.messages.size(), 1u);
    EXPECT_EQ(result.statusText, "Done. Relationships left out (at most 8 per person): 4");
    const PersonRecord* h = imported(doc.persons(), "@H@");
    for (int i = 1; i <= 12; ++i) {
        std::string n = std::to_string(i);
        const PersonRecord* w = imported(doc.persons(), "@W" + n + "@");
        EXPECT_EQ(slotsWith(h, w).size(), i <= 8 ? 1u : 0u) << i;
        // The children keep both parents even where the couple found no slot.
        const PersonRecord* k = imported(doc.persons(), "@K" + n + "@");
        EXPECT_EQ(k->father, h) << i;
        EXPECT_EQ(k->mother, w) << i;
    }
}

TEST(GedcomForeignImport, LongCrossReferencesAreMatchedWhole) {
    const std::string a = "@" + std::string(28, 'A') + "@";  // 30 characters
    const std::string b = "@" + std::string(28, 'A') + "B";  // the same first 20 and 29
    ASSERT_EQ(a.size(), 30u);
    Document doc;
    ASSERT_TRUE(importBytes(doc, gedcomLines({"0 @F1@ FAM", "1 HUSB " + a, "1 WIFE @w@",
                                              "1 CHIL " + b + "@", "0 " + b + "@ INDI",
                                              "0 " + a + " INDI", "0 @w@ INDI"}))
                    .done());
    const PersonRecord* husband = imported(doc.persons(), a.substr(0, 20));
    ASSERT_NE(husband, nullptr);
    // Both records keep the same first 20 characters: the first is found
    // by its cut text, the match itself was made on the whole reference.
    const PersonRecord* child = doc.persons().personListHead();
    const PersonRecord* father = child->nextPerson;
    EXPECT_EQ(child->text(field::gedcomImportXref), b.substr(0, 20));
    EXPECT_EQ(child->father, father);
    EXPECT_EQ(slotsWith(father, imported(doc.persons(), "@w@")).size(), 1u);
}

TEST(GedcomForeignImport, OurOwnFileIsReadByteForByteWhateverItHolds) {
    // Bytes that would be letters of ANSEL or UTF-8 stay as they are in a
    // file without CHAR or with ANSI.
    const std::string bytes = "\xE2\xB1\xC3\xA9\xF1";
    for (const char* charLine : {"", "ANSI", "ASCII"}) {
        Document doc;
        ASSERT_TRUE(importBytes(doc, onePerson(charLine, bytes + " /x/", bytes, bytes)).done());
        const PersonRecord* p = doc.persons().personListHead();
        EXPECT_EQ(text(p, field::givenNames), bytes) << charLine;
        EXPECT_EQ(text(p, field::birthPlace), bytes) << charLine;
    }
}

}  // namespace
}  // namespace lineara
