// The standard form of the GEDCOM export, for other programs: its header,
// its records, UTF-8 texts, and lines that never grow past 255 bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/gedcom/gedcom_export.h"
#include "core/platform/codepage.h"
#include "core/platform/latin_letters.h"
#include "support/add_person.h"
#include "support/gedcom_support.h"

namespace lineara {
namespace {

using test::exportedLines;

const GedcomTime kNow{2026, 12, 7, 9, 5};

std::vector<std::string> standardLines(const PersonList& list,
                                       const std::string& codePage = "CP1250") {
    GedcomExportOptions options;
    options.form = GedcomForm::Standard;
    options.codePage = codePage;
    return exportedLines(gedcomText(list, kNow, options));
}

std::string cp1250(const char* utf8) { return toCodePage(utf8, "CP1250"); }

TEST(GedcomStandardExport, WritesTheRecordsOtherProgramsExpect) {
    PersonList list;
    PersonRecord* father = test::addPerson(list, cp1250("Józef"), cp1250("Wiśniewski"));
    PersonRecord* mother = test::addPerson(list, cp1250("Zofia"), "");
    PersonRecord* child = test::addPerson(list, "", cp1250("Wiśniewski"));
    list.edit(father)->setText(field::sex, "M");
    list.edit(mother)->setText(field::sex, "F");
    list.edit(child)->setText(field::sex, "?");
    list.edit(child)->setText(field::birthDate, "3.3.1901");
    list.edit(child)->setText(field::baptismPlace, cp1250("Kraków"));
    list.edit(child)->setText(field::occupation, cp1250("ślusarz"));
    list.edit(child)->father = father;
    list.edit(child)->mother = mother;
    ASSERT_TRUE(list.AddMarriage(father, mother));
    list.edit(father)->setText(field::relationDate(1), "1900");

    std::vector<std::string> lines = standardLines(list);
    const std::vector<std::string> expected = {
        "0 HEAD",
        "1 SOUR LINEARA",
        "2 VERS 1.1",
        "2 NAME Lineara",
        "1 DATE 7 DEC 2026",
        "2 TIME 09:05",
        "1 SUBM @SUBM@",
        "1 GEDC",
        "2 VERS 5.5.1",
        "2 FORM LINEAGE-LINKED",
        "1 CHAR UTF-8",
        "0 @SUBM@ SUBM",
        "1 NAME Lineara",
        "0 @I1@ INDI",
        "1 NAME Józef /Wiśniewski/",
        "2 GIVN Józef",
        "2 SURN Wiśniewski",
        "1 SEX M",
        "1 FAMS @F1@",
        "0 @I2@ INDI",
        "1 NAME Zofia //",
        "2 GIVN Zofia",
        "1 SEX F",
        "1 FAMS @F1@",
        "0 @I3@ INDI",
        "1 NAME /Wiśniewski/",
        "2 SURN Wiśniewski",
        "1 SEX U",
        "1 BIRT",
        "2 DATE 3.3.1901",  // dates as written
        "1 BAPM",
        "2 PLAC Kraków",
        "1 OCCU ślusarz",
        "1 FAMC @F1@",
        "0 @F1@ FAM",
        "1 HUSB @I1@",
        "1 WIFE @I2@",
        "1 MARR",
        "2 DATE 1900",
        "1 CHIL @I3@",
        "0 TRLR",
    };
    EXPECT_EQ(lines, expected);
}

TEST(GedcomStandardExport, LongTextsGoOnInContinuationLinesAndStayWhole) {
    PersonList list;
    // 100 letters of two UTF-8 bytes each in both parts of the name, and
    // texts with blanks where a line would end.
    std::string given, surname;
    for (int i = 0; i < 100; ++i) given += cp1250(i % 7 == 6 ? " " : "ż");
    for (int i = 0; i < 100; ++i) surname += cp1250("ł");
    test::addPerson(list, given, surname);
    std::vector<std::string> lines = standardLines(list);

    std::string name;
    for (size_t i = 0; i < lines.size(); ++i) {
        EXPECT_LE(lines[i].size(), kStandardGedcomLineBytes) << i;
        // Each line is whole UTF-8: no letter is cut between two lines.
        EXPECT_EQ(encodeUtf8(decodeUtf8(lines[i])), lines[i]) << i;
        EXPECT_EQ(decodeUtf8(lines[i]).find(U'\uFFFD'), std::u32string::npos) << i;
        if (lines[i].rfind("1 NAME ", 0) == 0) name = lines[i].substr(7);
        if (lines[i].rfind("2 CONC ", 0) == 0 && !name.empty() &&
            lines[i - 1].rfind("2 ", 0) != 0) {
            std::string piece = lines[i].substr(7);
            EXPECT_NE(piece.front(), ' ') << i;
            EXPECT_NE(lines[i - 1].back(), ' ') << i;
        }
    }
    // Joined again, the name is the tree's.
    std::string joined;
    bool inName = false;
    for (const std::string& line : lines) {
        if (line.rfind("1 NAME ", 0) == 0) {
            joined = line.substr(7);
            inName = true;
        } else if (inName && line.rfind("2 CONC ", 0) == 0) {
            joined += line.substr(7);
        } else {
            inName = false;
        }
    }
    EXPECT_EQ(joined, fromCodePage(given, "CP1250") + " /" + fromCodePage(surname, "CP1250") + "/");
}

TEST(GedcomStandardExport, KeepsFamiliesOfAnySizeWhereTheOwnFormKeepsThirty) {
    PersonList list;
    PersonRecord* father = test::addPerson(list, "Jan", "Wielodzietny");
    for (int i = 0; i < 40; ++i) {
        PersonRecord* c = test::addPerson(list, "Dziecko" + std::to_string(i), "Wielodzietny");
        list.edit(c)->father = father;
    }
    std::vector<std::string> standard = standardLines(list);
    std::vector<std::string> own = exportedLines(gedcomText(list, kNow));
    auto count = [](const std::vector<std::string>& lines, const std::string& prefix) {
        return std::count_if(lines.begin(), lines.end(),
                             [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    };
    EXPECT_EQ(count(standard, "1 CHIL "), 40);
    EXPECT_EQ(count(standard, "1 FAMC "), 40);
    EXPECT_EQ(count(own, "1 CHIL "), 30);
}

// The own form cuts a marriage's date to 20 bytes and its place to 70, as
// its readers expect; the standard form has room for the tree's whole texts.
TEST(GedcomStandardExport, KeepsMarriageDatesAndPlacesWhole) {
    PersonList list;
    PersonRecord* husband = test::addPerson(list, "Jan", "Nowak");
    PersonRecord* wife = test::addPerson(list, "Anna", "Nowak");
    list.edit(husband)->setText(field::sex, "M");
    list.edit(wife)->setText(field::sex, "F");
    ASSERT_TRUE(list.AddMarriage(husband, wife));
    const std::string date = "Bet 25 Nov 1487 and 3 Dec 1488";  // 30 bytes
    const std::string place = std::string(80, 'p') + " St. Mary";
    list.edit(husband)->setText(field::relationDate(1), date);
    list.edit(husband)->setText(field::relationPlace(1), place);

    std::vector<std::string> standard = standardLines(list);
    std::vector<std::string> own = exportedLines(gedcomText(list, kNow));
    auto has = [](const std::vector<std::string>& lines, const std::string& line) {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    };
    EXPECT_TRUE(has(standard, "2 DATE " + date));
    EXPECT_TRUE(has(standard, "2 PLAC " + place));
    EXPECT_TRUE(has(own, "2 DATE " + date.substr(0, 20)));
    EXPECT_TRUE(has(own, "2 PLAC " + place.substr(0, 70)));
}

TEST(GedcomStandardExport, ConvertsFromTheTreesCodePage) {
    PersonList list;
    test::addPerson(list, toCodePage("Иван", "CP1251"), toCodePage("Петров", "CP1251"));
    std::vector<std::string> lines = standardLines(list, "CP1251");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "1 NAME Иван /Петров/"), lines.end());
}

}  // namespace
}  // namespace lineara
