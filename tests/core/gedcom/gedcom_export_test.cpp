// The GEDCOM export as a file: its lines, the families it derives, and what
// it leaves behind when the file cannot be written.
#include "core/gedcom/gedcom_export.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include "core/formats/tree_file.h"
#include "support/add_person.h"
#include "support/child_process.h"
#include "support/gedcom_support.h"
#include "support/temp_dir.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

using test::addPerson;
using test::exportedLines;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

const GedcomTime kSevenDecember{2026, 12, 7, 9, 5};

PersonRecord* person(PersonList& list, std::string_view given, std::string_view surname,
                     std::string_view sex) {
    PersonRecord* p = addPerson(list, given, surname);
    p->setText(field::sex, sex);
    return p;
}

// A relationship whose two halves may say different things.
void relate(PersonList& list, PersonRecord* a, PersonRecord* b, std::string_view dateA,
            std::string_view placeA, std::string_view dateB, std::string_view placeB) {
    ASSERT_TRUE(list.AddMarriage(a, b).ok);
    auto slots = list.addedSlotIndex();
    a->setText(field::relationDate(slots[0]), dateA);
    a->setText(field::relationPlace(slots[0]), placeA);
    b->setText(field::relationDate(slots[1]), dateB);
    b->setText(field::relationPlace(slots[1]), placeB);
}

std::vector<std::string> exportOf(const PersonList& list) {
    return exportedLines(gedcomText(list, kSevenDecember));
}

const std::vector<std::string> kHeader = {"0 HEAD", "1 SOUR LINEARA_1.1", "1 DATE 7 Dec 2026",
                                          "1 TIME 9:5", "1 CHAR ANSI"};

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

void expectLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected) {
    for (size_t i = 0; i < std::min(actual.size(), expected.size()); ++i) {
        ASSERT_EQ(actual[i], expected[i]) << "line " << i + 1;
    }
    EXPECT_EQ(actual.size(), expected.size());
}

TEST(GedcomExport, WritesIndividualsAndFamiliesLineForLine) {
    PersonList list;
    // Texts are CP1250 bytes and go out as they are.
    PersonRecord* jan = person(list, "Jan", "Kowalski", "M");
    jan->setText(field::birthDate, "1 JAN 1900");
    jan->setText(field::birthPlace, "Krak\xF3w");
    jan->setText(field::deathDate, "1970");
    jan->setText(field::occupation, "kowal");
    jan->setText(field::source, "Ksi\xEAga");
    jan->setText(field::baptismDate, "2 JAN 1900");  // not exported
    jan->setText(field::pictureFile, "jan.jpg");     // not exported
    PersonRecord* anna = person(list, "Anna", "Nowak", "F");
    PersonRecord* piotr = person(list, "Piotr", "Kowalski", "M");
    piotr->setText(field::birthPlace, "Krak\xF3w");
    piotr->father = jan;
    piotr->mother = anna;
    PersonRecord* ewa = person(list, "Ewa", "Kowalska", "F");
    ewa->setText(field::deathDate, "5 MAR 1990");
    ewa->father = jan;
    // Anna's second box, through which she married Marek.
    PersonRecord* annaBox = person(list, "Anna", "Nowak", "F");
    annaBox->setText(field::aliasMark, "REF");
    annaBox->father = anna;
    anna->setText(field::aliasMark, "ALIAS");
    PersonRecord* marek = person(list, "Marek", "Wi\x9Cniewski", "M");
    PersonRecord* zofia = person(list, "Zofia", "Wi\x9Cniewska", "F");
    zofia->father = marek;
    zofia->mother = annaBox;
    PersonRecord* adam = person(list, "Adam", "", "?");
    PersonRecord* ida = person(list, "Ida", "", "?");
    PersonRecord* ola = person(list, "Ola", "", "F");
    PersonRecord* iza = person(list, "Iza", "", "F");
    PersonRecord* basia = person(list, "Basia", "", "F");
    PersonRecord* olek = person(list, "Olek", "", "");

    relate(list, jan, anna, "12 MAY 1925", "Krak\xF3w", "12 MAY 1925", "Krak\xF3w");
    const std::string longPlace = "Warszawa " + std::string(66, 'x');  // 75 bytes
    relate(list, marek, annaBox, "ABT 12 DECEMBER 1930 OR LATER", "Warszawa", "1930", longPlace);
    relate(list, adam, ida, "1950", "", "1950", "");
    relate(list, ola, iza, "1960", "", "", "");
    relate(list, basia, olek, "", "", "", "");

    auto individual = [](int id, const std::string& given, const std::string& surname,
                         const std::string& sex) {
        return std::vector<std::string>{"0 @I" + std::to_string(id) + "@ INDI",
                                        "1 NAME " + given + "/" + surname + "/", "2 GIVN " + given,
                                        "2 SURN " + surname, "1 SEX " + sex};
    };
    std::vector<std::string> expected =
        kHeader + individual(1, "Jan", "Kowalski", "M") +
        std::vector<std::string>{"1 BIRT",           "2 DATE 1 JAN 1900", "2 PLAC Krak\xF3w",
                                 "1 DEAT",           "2 DATE 1970",       "1 OCCU kowal",
                                 "1 SOUR Ksi\xEAga", "1 FAMS @F1@",       "1 FAMS @F2@"} +
        individual(2, "Anna", "Nowak", "F") +
        std::vector<std::string>{"1 FAMS @F1@", "1 FAMS @F3@"} +
        individual(3, "Piotr", "Kowalski", "M") +
        std::vector<std::string>{"1 BIRT", "2 PLAC Krak\xF3w", "1 FAMC @F1@"} +
        individual(4, "Ewa", "Kowalska", "F") +
        std::vector<std::string>{"1 DEAT", "2 DATE 5 MAR 1990", "1 FAMC @F2@"} +
        // No record for the alias box 5.
        individual(6, "Marek", "Wi\x9Cniewski", "M") + std::vector<std::string>{"1 FAMS @F3@"} +
        individual(7, "Zofia", "Wi\x9Cniewska", "F") + std::vector<std::string>{"1 FAMC @F3@"} +
        individual(8, "Adam", "", "?") + individual(9, "Ida", "", "?") +
        individual(10, "Ola", "", "F") + std::vector<std::string>{"1 FAMS @F4@", "1 FAMS @F5@"} +
        individual(11, "Iza", "", "F") + std::vector<std::string>{"1 FAMS @F4@", "1 FAMS @F5@"} +
        individual(12, "Basia", "", "F") + std::vector<std::string>{"1 FAMS @F6@"} +
        individual(13, "Olek", "", "") + std::vector<std::string>{"1 FAMS @F6@"} +
        std::vector<std::string>{
            // Parents and couples are numbered in one sequence, as first met.
            "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "1 MARR", "2 DATE 12 MAY 1925",
            "2 PLAC Krak\xF3w", "1 CHIL @I3@",
            // A father without a mother.
            "0 @F2@ FAM", "1 HUSB @I1@", "1 CHIL @I4@",
            // The alias box's marriage and child count for Anna; the date is
            // cut to 20, the longer place (the box's) wins and is cut to 70.
            "0 @F3@ FAM", "1 HUSB @I6@", "1 WIFE @I2@", "1 MARR", "2 DATE ABT 12 DECEMBER 1930",
            "2 PLAC " + longPlace.substr(0, 70), "1 CHIL @I7@",
            // Two women: a family with each as the wife; the date comes from
            // whichever half has it.
            "0 @F4@ FAM", "1 HUSB @I11@", "1 WIFE @I10@", "1 MARR", "2 DATE 1960", "0 @F5@ FAM",
            "1 HUSB @I10@", "1 WIFE @I11@", "1 MARR", "2 DATE 1960",
            // A woman and a person of no sex: he is the husband. Adam and Ida,
            // both "?", have no family.
            "0 @F6@ FAM", "1 HUSB @I13@", "1 WIFE @I12@", "0 TRLR"};
    expectLines(exportOf(list), expected);
}

TEST(GedcomExport, HeaderCarriesTheMomentWithoutLeadingZeros) {
    const struct {
        GedcomTime time;
        const char* date;
        const char* clock;
    } cases[] = {
        {{2026, 12, 7, 9, 5}, "1 DATE 7 Dec 2026", "1 TIME 9:5"},
        {{1999, 1, 31, 0, 0}, "1 DATE 31 Jan 1999", "1 TIME 0:0"},
        {{2000, 10, 1, 23, 59}, "1 DATE 1 Oct 2000", "1 TIME 23:59"},
        {{805, 6, 15, 12, 30}, "1 DATE 15 Jun 805", "1 TIME 12:30"},
    };
    PersonList empty;
    for (const auto& c : cases) {
        std::vector<std::string> lines = exportedLines(gedcomText(empty, c.time));
        // An empty tree: the header and the trailer, nothing else.
        expectLines(lines,
                    {"0 HEAD", "1 SOUR LINEARA_1.1", c.date, c.clock, "1 CHAR ANSI", "0 TRLR"});
    }
}

TEST(GedcomExport, FamilyTakesThirtyChildrenAtMost) {
    PersonList list;
    PersonRecord* father = person(list, "Jan", "Kowalski", "M");
    PersonRecord* mother = person(list, "Anna", "Kowalska", "F");
    std::vector<PersonRecord*> children;
    for (int i = 0; i < 31; ++i) {
        children.push_back(person(list, "Dziecko" + std::to_string(i), "Kowalski", "M"));
        children.back()->father = father;
        children.back()->mother = mother;
    }
    std::vector<std::string> lines = exportOf(list);
    std::vector<std::string> chil;
    for (const std::string& l : lines) {
        if (l.rfind("1 CHIL ", 0) == 0) chil.push_back(l);
    }
    ASSERT_EQ(chil.size(), 30u);
    EXPECT_EQ(chil.front(), "1 CHIL @I3@");
    EXPECT_EQ(chil.back(), "1 CHIL @I32@");
    // The 31st child is written, but as nobody's child.
    auto last = std::find(lines.begin(), lines.end(), "0 @I33@ INDI");
    ASSERT_NE(last, lines.end());
    EXPECT_EQ(*(last + 5), "0 @F1@ FAM");
    EXPECT_EQ(*(last - 1), "1 FAMC @F1@");
}

// The export reads the tree only: no record changes, the tree does not
// count as saved, and there is nothing to undo.
TEST(GedcomExport, LeavesTheTreeAndItsStateAsTheyWere) {
    TempDir dir;
    for (bool modified : {false, true}) {
        Document doc;
        generateSyntheticTree(test::writable(doc), 300, 5);
        if (modified) {
            test::writable(doc).setTreeModified(true);
        } else {
            doc.markSaved();
        }
        std::vector<PersonRecord::Image> before;
        forEachPerson(doc.persons(), [&](const PersonRecord* r) { before.push_back(r->image()); });

        GedcomExportResult result = ExportGedcom(doc.persons(), dir.file("t.ged"), kSevenDecember);
        ASSERT_TRUE(result.ok) << result.message;
        EXPECT_GT(result.families, 0u);

        size_t i = 0;
        forEachPerson(doc.persons(), [&](const PersonRecord* r) {
            EXPECT_TRUE(r->image() == before[i]) << "record " << r->personId();
            ++i;
        });
        EXPECT_EQ(doc.treeModified(), modified);
        EXPECT_FALSE(doc.canUndo());
        EXPECT_EQ(readBytes(dir.file("t.ged")).size(),
                  gedcomText(doc.persons(), kSevenDecember).size());
    }
}

class GedcomExportFile : public ::testing::Test {
protected:
    void SetUp() override { generateSyntheticTree(list, 2000, 3); }
    size_t entries(const std::string& folder) {
        return size_t(std::distance(std::filesystem::directory_iterator(folder), {}));
    }
    PersonList list;
    TempDir dir;
};

TEST_F(GedcomExportFile, WritesTheWholeTextAndReplacesAnOldFile) {
    std::string path = dir.file("tree.ged");
    writeBytes(path, {'o', 'l', 'd'});
    GedcomExportResult result = ExportGedcom(list, path, kSevenDecember);
    ASSERT_TRUE(result.ok) << result.message;
    std::vector<uint8_t> bytes = readBytes(path);
    std::string text = gedcomText(list, kSevenDecember);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), text);
    EXPECT_GT(text.size(), 64u * 1024) << "written in several blocks";
    EXPECT_EQ(entries(dir.path()), 1u);
}

TEST_F(GedcomExportFile, ReportsAFolderOrAnUnwritablePlaceAndLeavesNoFile) {
    GedcomExportResult result = ExportGedcom(list, dir.path(), kSevenDecember);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "Cannot create file \"" + dir.path() + "\". Is a directory");
    EXPECT_EQ(entries(dir.path()), 0u);

    result = ExportGedcom(list, dir.file("no/such/folder/t.ged"), kSevenDecember);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.message.find("No such file or directory"), std::string::npos);

    // A folder the user may not write into (as root, the test drops to an
    // unprivileged user for this).
    std::string locked = dir.file("locked");
    ASSERT_TRUE(std::filesystem::create_directory(locked));
    ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
    ASSERT_EQ(chmod(locked.c_str(), 0555), 0);
    std::string target = locked + "/t.ged";
    std::string problems = test::runInChild(
        [&] {
            GedcomExportResult r = ExportGedcom(list, target, kSevenDecember);
            std::string said;
            if (r.ok) said += "the export said it wrote; ";
            if (r.message != "Cannot create file \"" + target + "\". Permission denied") {
                said += "message: " + r.message;
            }
            return said;
        },
        true);
    chmod(locked.c_str(), 0755);
    EXPECT_EQ(problems, "");
    EXPECT_EQ(entries(locked), 0u);
}

TEST_F(GedcomExportFile, AFullDiskLeavesTheOldFileWhole) {
    std::string path = dir.file("tree.ged");
    writeBytes(path, {'o', 'l', 'd'});
    std::string problems = test::runInChild(
        [&] {
            // The disk fills after 16 KB, for this process only.
            signal(SIGXFSZ, SIG_IGN);
            struct rlimit limit = {16384, 16384};
            setrlimit(RLIMIT_FSIZE, &limit);
            GedcomExportResult r = ExportGedcom(list, path, kSevenDecember);
            if (r.ok) return std::string("the export said it wrote");
            if (r.message.rfind("Cannot write file \"" + path + "\". File too large", 0) != 0) {
                return "message: " + r.message;
            }
            return std::string();
        },
        false);
    EXPECT_EQ(problems, "");
    EXPECT_EQ(readBytes(path), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(entries(dir.path()), 1u) << "no temporary file is left";

    GedcomExportResult device = ExportGedcom(list, "/dev/full", kSevenDecember);
    EXPECT_FALSE(device.ok);
    EXPECT_EQ(device.message, "Cannot write file \"/dev/full\". No space left on device");
}

}  // namespace
}  // namespace lineara
