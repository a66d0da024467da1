// The GEDCOM 7.0 export: its records, its dates, its file references, and
// files that a strict reader of the format takes without a complaint,
// whatever the tree holds.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "core/gedcom/gedcom7_dates.h"
#include "core/gedcom/gedcom7_export.h"
#include "core/gedcom/gedcom7_media.h"
#include "core/platform/codepage.h"
#include "support/add_person.h"
#include "support/gedcom7_checker.h"
#include "support/gedcom_support.h"
#include "support/random_family.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

const GedcomTime kNow{2026, 12, 7, 9, 5};

std::string version7Text(const PersonList& list, const Gedcom7FileOptions& options = {}) {
    Gedcom7FilePlan files(list, options);
    std::string text;
    EXPECT_TRUE(writeGedcom7(
                    list, kNow,
                    [&text](std::string_view piece) {
                        text += piece;
                        return true;
                    },
                    options.codePage, files)
                    .ok);
    return text;
}

std::string cp1250(const char* utf8) { return toCodePage(utf8, "CP1250"); }

TEST(Gedcom7Dates, EveryFormOfTheTreeBecomesADateValueOrAPhrase) {
    struct Case {
        const char* written;
        const char* value;
        const char* phrase;
    };
    const Case cases[] = {
        {"5.12.1850", "5 DEC 1850", "5.12.1850"},  // the value, and the text as written
        {"12/1850", "DEC 1850", "12/1850"},
        {"1850", "1850", ""},
        {"5 Dec 1850", "5 DEC 1850", ""},  // the standardised form reads back as it is
        {"~1850", "ABT 1850", "~1850"},
        {"ABT 1850", "ABT 1850", ""},
        {"abt 1850", "ABT 1850", "abt 1850"},
        {"ca. 1850", "ABT 1850", "ca. 1850"},
        {"about 3 Mar 1850", "ABT 3 MAR 1850", "about 3 Mar 1850"},
        {"BEF 1900", "BEF 1900", ""},
        {"before 1.1.1900", "BEF 1 JAN 1900", "before 1.1.1900"},
        {"AFT 1900", "AFT 1900", ""},
        {"CAL 1900", "CAL 1900", ""},
        {"EST 1900", "EST 1900", ""},
        {"BET 1900 AND 1910", "BET 1900 AND 1910", ""},
        {"bet 1900 and 1910", "BET 1900 AND 1910", "bet 1900 and 1910"},
        {"FROM 1900 TO 1910", "FROM 1900 TO 1910", ""},
        {"FROM 3 Mar 1900", "FROM 3 MAR 1900", ""},
        {"TO 1910", "TO 1910", ""},
        {"  5 Dec 1850  ", "5 DEC 1850", ""},
        {"44 BCE", "44 BCE", ""},
        {"JULIAN 5 Mar 1700", "JULIAN 5 MAR 1700", ""},
        // What is no date in the grammar is kept as written.
        {"", "", ""},
        {"zimą", "", "zimą"},
        {"1750/51", "", "1750/51"},
        {"32.1.1850", "", "32.1.1850"},
        {"Dec", "", "Dec"},
        {"bet 1900", "", "bet 1900"},
        {"5 Foo 1850", "", "5 Foo 1850"},
        {"x12", "", "x12"},
        {"ABT", "", "ABT"},
        {"1850 BCE BCE", "", "1850 BCE BCE"},
    };
    for (const Case& c : cases) {
        const Gedcom7Date d = gedcom7Date(c.written);
        EXPECT_EQ(d.value, c.value) << c.written;
        EXPECT_EQ(d.phrase, c.phrase) << c.written;
        // What an import makes of it is the text as written, trimmed.
        const std::string back = d.phrase.empty() ? gedcom7DateAsTree(d.value) : d.phrase;
        std::string_view trimmed(c.written);
        while (!trimmed.empty() && trimmed.front() == ' ') trimmed.remove_prefix(1);
        while (!trimmed.empty() && trimmed.back() == ' ') trimmed.remove_suffix(1);
        EXPECT_EQ(back, trimmed) << c.written;
    }
}

TEST(Gedcom7Media, FileNamesBecomeUriReferencesAndSafeArchiveNames) {
    const std::pair<const char*, const char*> uris[] = {
        {"photo.jpg", "photo.jpg"},
        {"zdjęcia/Anna Nowak.jpg", "zdj%C4%99cia/Anna%20Nowak.jpg"},
        {"pics\\old\\a.png", "pics/old/a.png"},
        {"/home/u/a b.jpg", "file:///home/u/a%20b.jpg"},
        {"C:\\Drzewo\\a.jpg", "file:///C:/Drzewo/a.jpg"},
        {"ab:c.jpg", "ab%3Ac.jpg"},  // not a scheme
        {"100%#?.jpg", "100%25%23%3F.jpg"},
    };
    for (const auto& [name, uri] : uris) EXPECT_EQ(gedcomFileUri(name), uri) << name;

    const std::pair<const char*, const char*> types[] = {
        {"a.JPG", "image/jpeg"},
        {"a.jpeg", "image/jpeg"},
        {"a.png", "image/png"},
        {"a.gif", "image/gif"},
        {"a.bmp", "image/bmp"},
        {"notes.txt", "text/plain"},
        {"a", "application/octet-stream"},
        {"dir.jpg/a", "application/octet-stream"},
    };
    for (const auto& [name, type] : types) EXPECT_EQ(pictureMediaType(name), type) << name;

    const std::pair<const char*, const char*> names[] = {
        {"../../etc/passwd", "media/0007_passwd"},
        {"..", "media/0007_.."},
        {"C:\\x\\a b.jpg", "media/0007_a_b.jpg"},
        {"/abs/zdjęcie.jpg", "media/0007_zdj__cie.jpg"},
        {"", "media/0007_"},
    };
    for (const auto& [name, stored] : names) EXPECT_EQ(gedzipMediaName(7, name), stored) << name;
    EXPECT_EQ(gedzipMediaName(1, std::string(500, 'a')).size(),
              std::string("media/0001_").size() + 60);
}

TEST(Gedcom7Export, WritesTheTreeInTheRecordsOfGedcom7) {
    PersonList list;
    PersonRecord* father = test::addPerson(list, cp1250("Józef"), cp1250("Wiś/niewski"), 10, 20);
    PersonRecord* mother = test::addPerson(list, "@Zofia", "", 200, 20);
    PersonRecord* child = test::addPerson(list, "", "Kowal", 100, 200);
    list.edit(father)->setText(field::sex, "M");
    list.edit(mother)->setText(field::sex, "F");
    list.edit(child)->setText(field::birthDate, "3.3.1901");
    list.edit(child)->setText(field::birthPlace, "Krakow\r\nPodgorze");
    list.edit(child)->setText(field::deathDate, "zima 1950");
    list.edit(child)->setText(field::occupation, "line one\nline two");
    list.edit(child)->setText(field::source, "Book");
    list.edit(mother)->setText(field::source, "Book");
    list.edit(child)->father = father;
    list.edit(child)->mother = mother;
    ASSERT_TRUE(list.AddMarriage(father, mother));
    list.edit(father)->setText(field::relationDate(1), "1900");
    list.edit(father)->setRelationType(1, 'D');

    const std::vector<std::string> lines = test::exportedLines(version7Text(list));
    auto has = [&lines](const std::vector<std::string>& run) {
        return std::search(lines.begin(), lines.end(), run.begin(), run.end()) != lines.end();
    };
    EXPECT_TRUE(has({"0 HEAD", "1 GEDC", "2 VERS 7.0", "1 SCHMA"}));
    EXPECT_TRUE(has(
        {"1 SOUR LINEARA", "2 VERS 1.1", "2 NAME Lineara", "1 DATE 7 DEC 2026", "2 TIME 09:05"}));
    EXPECT_TRUE(has({"0 @I1@ INDI", "1 NAME Józef /Wiś niewski/", "2 GIVN Józef",
                     "2 SURN Wiś/niewski", "1 SEX M", "1 FAMS @F1@", "1 _LNPOS 10 20",
                     "1 _LNREL @I2@", "2 _LNSLOT 1", "2 _LNKIND D", "2 _LNDATE 1900"}));
    // Only a leading "@" is doubled in GEDCOM 7.
    EXPECT_TRUE(has({"0 @I2@ INDI", "1 NAME @@Zofia //", "2 GIVN @@Zofia", "1 SEX F"}));
    EXPECT_TRUE(
        has({"1 NAME /Kowal/", "2 SURN Kowal", "1 BIRT", "2 DATE 3 MAR 1901", "3 PHRASE 3.3.1901",
             "2 PLAC Krakow Podgorze", "1 DEAT", "2 DATE", "3 PHRASE zima 1950", "1 OCCU line one",
             "2 CONT line two", "1 SOUR @S1@", "1 FAMC @F1@"}))
        << version7Text(list);
    EXPECT_TRUE(has({"0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "1 CHIL @I3@", "1 MARR",
                     "2 DATE 1900", "1 DIV Y"}));
    EXPECT_TRUE(has({"0 @S1@ SOUR", "1 TITL Book", "0 TRLR"}));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "0 @S1@ SOUR"), 1);  // one record per text
    for (const std::string& l : lines) {
        EXPECT_NE(l.find("CHAR"), 0u);
        EXPECT_EQ(l.find(" CONC "), std::string::npos);
    }
    EXPECT_EQ(test::Gedcom7Checker().check(version7Text(list)), std::vector<std::string>());
}

TEST(Gedcom7Export, AliasBoxesAreRecordsOfTheirOwnAndNoIndividuals) {
    PersonList list;
    PersonRecord* a = test::addPerson(list, "Anna", "Nowak", 0, 0);
    PersonRecord* b = test::addPerson(list, "Jan", "Kowal", 300, 0);
    list.edit(b)->setText(field::sex, "M");
    list.edit(a)->setText(field::sex, "F");
    PersonRecord* box = test::addPerson(list, "Anna", "Nowak", 500, 600);
    box->setText(field::aliasMark, kAliasBox);
    box->father = a;
    list.edit(a)->setText(field::aliasMark, kAliasOriginal);
    ASSERT_TRUE(list.AddMarriage(b, box));
    const std::string text = version7Text(list);
    const std::vector<std::string> lines = test::exportedLines(text);
    const std::string boxRecord = "0 @A" + std::to_string(box->personId()) + "@ _LNALIAS";
    auto at = std::find(lines.begin(), lines.end(), boxRecord);
    ASSERT_NE(at, lines.end()) << text;
    EXPECT_EQ(at[1], "1 _LNOF @I1@");
    EXPECT_EQ(at[2], "1 _LNPOS 500 600");
    EXPECT_EQ(at[3], "1 _LNREL @I2@");
    EXPECT_EQ(
        std::count_if(lines.begin(), lines.end(),
                      [](const std::string& l) { return l.find(" INDI") != std::string::npos; }),
        2);
    // The family is the person's, not the box's.
    EXPECT_NE(std::find(lines.begin(), lines.end(), "1 WIFE @I1@"), lines.end());
    EXPECT_EQ(test::Gedcom7Checker().check(text), std::vector<std::string>());
}

TEST(Gedcom7Export, HostileTextsStayOnTheirLines) {
    PersonList list;
    const std::string hostile[] = {
        "@I1@",      "a\n0 @X@ INDI", "\r\n1 SEX M", std::string("nul\0byte", 8),
        "tab\there", "\x7F\x01\x1F",  "@@",          std::string(100000, 'x'),
        "x\n@lead",  "trailing\n",    "/slash/",     "\xFF\xFE",
    };
    for (const std::string& text : hostile) {
        PersonRecord* p = test::addPerson(list, text, text);
        for (TextField f : {field::birthDate, field::birthPlace, field::occupation, field::source,
                            field::deathDate, field::pictureComment}) {
            list.edit(p)->setText(f, text);
        }
        list.edit(p)->setText(field::sex, text.substr(0, 1));
    }
    const std::string text = version7Text(list);
    EXPECT_EQ(test::Gedcom7Checker().check(text), std::vector<std::string>());
    const std::vector<std::string> lines = test::exportedLines(text);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "0 TRLR"), 1);
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) { return l.compare(0, 4, "0 @I") == 0; }),
              12);
}

TEST(Gedcom7Export, GeneratedAndRandomTreesPassTheStrictReader) {
    PersonList synthetic;
    generateSyntheticTree(synthetic, 3000, 7);
    EXPECT_EQ(test::Gedcom7Checker().check(version7Text(synthetic)), std::vector<std::string>());
    for (uint32_t seed = 1; seed <= 6; ++seed) {
        PersonList list;
        std::mt19937 rng(seed);
        test::RandomFamilyShape shape;
        shape.aliasPercent = 20;
        test::buildRandomFamily(list, rng, shape);
        EXPECT_EQ(test::Gedcom7Checker().check(version7Text(list)), std::vector<std::string>())
            << "seed " << seed;
    }
}

// The reader above must itself find faults, or its silence means nothing.
TEST(Gedcom7Checker, FindsWhatIsNotGedcom7) {
    const std::string head = "0 HEAD\n1 GEDC\n2 VERS 7.0\n0 @I1@ INDI\n";
    const std::string bad[] = {
        "1 NAME a\n2 CONC b\n",
        "1 SEX Q\n",
        "1 BIRT\n2 DATE 5 Dec 1850\n",
        "1 BIRT\n2 DATE\n",
        "1 BIRT\n2 DATE ABT\n",
        "1 FAMS @F9@\n",
        "1 NOTE @lone\n",
        "3 NOTE x\n",
        "1 _UNDECLARED x\n",
        "1 NAME a /b/ /c/\n",
        "1 FOO x\n",
        "1 OCCU a\x01\n",
        "1 NOTE \xC3\n",
        "1 DEAT\n2 PLAC x\n3 CONT y\n",
    };
    for (const std::string& lines : bad) {
        EXPECT_FALSE(test::Gedcom7Checker().check(head + lines + "0 TRLR\n").empty()) << lines;
    }
    EXPECT_TRUE(test::Gedcom7Checker().check(head + "1 NOTE a\n2 CONT @@b\n0 TRLR\n").empty());
}

}  // namespace
}  // namespace lineara
