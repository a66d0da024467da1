// Reading GEDCOM 7: this program's own files give the tree back (texts,
// dates as written, box positions, pictures and notes files), and files
// of other programs are read with their character set, phrases and
// multimedia objects.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <random>
#include <string>

#include "core/gedcom/gedcom7_export.h"
#include "core/gedcom/gedcom_import.h"
#include "core/model/document.h"
#include "core/platform/codepage.h"
#include "support/add_person.h"
#include "support/gedcom_support.h"
#include "support/random_family.h"
#include "support/temp_dir.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

const GedcomTime kNow{2026, 12, 7, 9, 5};

void writeText(const std::string& path, const std::string& text) {
    test::writeBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

// The persons' own texts and positions, in list order, alias boxes left out.
std::vector<std::string> personTexts(const PersonList& list) {
    std::vector<std::string> out;
    forEachPerson(list, [&out](const PersonRecord* p) {
        if (p->isAliasBox()) return;
        std::string line;
        for (TextField f : field::kPersonalData) line += std::string(p->text(f)) + "|";
        line += std::to_string(p->posX()) + "," + std::to_string(p->posY());
        out.push_back(line);
    });
    return out;
}

TEST(Gedcom7Import, AnExportedTreeComesBackWithItsTextsPositionsAndFiles) {
    test::TempDir dir;
    writeText(dir.file("face.jpg"), "picture bytes");
    writeText(dir.file("notes.txt"), "notes");
    PersonList list;
    generateSyntheticTree(list, 300, 5);
    std::mt19937 rng(3);
    int n = 0;
    forEachPerson(list, [&](const PersonRecord* p) {
        PersonRecord* r = list.edit(p);
        r->setPos(static_cast<int32_t>(rng() % 20000) - 10000, static_cast<int32_t>(rng() % 9000));
        if (p->isAliasBox()) return;
        ++n;
        if (n % 7 == 0) {
            r->setText(field::pictureFile, "face.jpg");
            r->setText(field::pictureComment, toCodePage("Zdjęcie @ domu", "CP1250"));
        }
        if (n % 11 == 0) r->setText(field::notesFile, "notes.txt");
        if (n % 5 == 0) r->setText(field::deathDate, "zima 1950");
        if (n % 6 == 0) r->setText(field::birthDate, "abt 1.2.1850");
        if (n % 13 == 0) r->setText(field::occupation, "@home a@@b @");
    });
    Gedcom7FileOptions options;
    options.treeFolder = dir.path();
    ASSERT_TRUE(ExportGedcom7(list, dir.file("tree.ged"), kNow, options).ok);

    Document doc;
    bool arranged = false;
    GedcomImportResult result = importGedcom(
        doc, dir.file("tree.ged"), {}, [&arranged](TreeEdit&) { arranged = true; }, "CP1250",
        dir.path());
    ASSERT_TRUE(result.done()) << result.statusText;
    EXPECT_TRUE(result.positionsKept);
    EXPECT_FALSE(arranged);

    std::vector<std::string> before = personTexts(list);
    std::vector<std::string> after = personTexts(doc.persons());
    ASSERT_EQ(before.size(), after.size());
    for (size_t i = 0; i < before.size(); ++i) EXPECT_EQ(after[i], before[i]) << i;
}

// Two trees alike but for ids: every record's bytes outside its ids and
// the import's own cross-references, and its links to the same places in
// list order.
void expectSameTree(const PersonList& a, const PersonList& b) {
    std::vector<const PersonRecord*> ra, rb;
    forEachPerson(a, [&ra](const PersonRecord* p) { ra.push_back(p); });
    forEachPerson(b, [&rb](const PersonRecord* p) { rb.push_back(p); });
    ASSERT_EQ(ra.size(), rb.size());
    auto index = [](const std::vector<const PersonRecord*>& list, const PersonRecord* p) {
        return p == nullptr ? -1 : int(std::find(list.begin(), list.end(), p) - list.begin());
    };
    auto ignored = [](size_t k) {
        return (k >= offset::personId && k < offset::personId + 4) ||
               (k >= offset::motherId && k < offset::partnerId + 4 * (kRelationSlots + 1)) ||
               k >= offset::selected;
    };
    for (size_t i = 0; i < ra.size(); ++i) {
        for (size_t k = 0; k < size_t(kRecordSize); ++k) {
            if (ignored(k)) continue;
            if (ra[i]->image()[k] != rb[i]->image()[k]) {
                ADD_FAILURE() << "record " << i << " differs at byte " << k << ": "
                              << ra[i]->text(field::birthDate) << " / "
                              << rb[i]->text(field::birthDate) << " "
                              << ra[i]->text(field::aliasMark);
                break;
            }
        }
        EXPECT_EQ(index(ra, ra[i]->father), index(rb, rb[i]->father)) << i;
        EXPECT_EQ(index(ra, ra[i]->mother), index(rb, rb[i]->mother)) << i;
        for (int slot = 1; slot <= kRelationSlots; ++slot) {
            EXPECT_EQ(index(ra, ra[i]->partner[slot]), index(rb, rb[i]->partner[slot]))
                << i << " slot " << slot;
        }
    }
}

TEST(Gedcom7Import, RandomTreesWithAliasBoxesComeBackWhole) {
    for (uint32_t seed = 1; seed <= 5; ++seed) {
        test::TempDir dir;
        PersonList list;
        std::mt19937 rng(seed);
        test::RandomFamilyShape shape;
        shape.persons = 60;
        shape.aliasPercent = 15;
        shape.partnerPercent = 60;
        test::buildRandomFamily(list, rng, shape);
        // Alias boxes show their person's data, as the program keeps them.
        forEachPerson(list, [&list](const PersonRecord* p) {
            list.edit(p)->setText(field::birthDate, "1.2.1900");
            if (p->posX() % 20 == 0) list.edit(p)->setText(field::sex, "F");
        });
        forEachPerson(list, [&list](const PersonRecord* p) {
            const PersonRecord* person = p->isAliasBox() ? p->father.get() : nullptr;
            while (person != nullptr && person->isAliasBox()) person = person->father;
            if (person == nullptr) return;
            for (TextField f : field::kPersonalData) list.edit(p)->setText(f, person->text(f));
        });
        Gedcom7FileOptions options;
        options.treeFolder = dir.path();
        ASSERT_TRUE(ExportGedcom7(list, dir.file("tree.ged"), kNow, options).ok);
        Document doc;
        GedcomImportResult result =
            importGedcom(doc, dir.file("tree.ged"), {}, {}, "CP1250", dir.path());
        ASSERT_TRUE(result.done()) << result.statusText;
        PersonList& back = test::writable(doc);
        forEachPerson(back, [&back](const PersonRecord* p) {
            back.edit(p)->setText(field::gedcomImportXref, "");
        });
        expectSameTree(list, back);
    }
}

TEST(Gedcom7Import, FilesOfOtherProgramsAreReadAsGedcom7) {
    test::TempDir dir;
    ASSERT_EQ(mkdir(dir.file("photos").c_str(), 0755), 0);
    writeText(dir.file("photos/Jan Kowal.jpg"), "jpeg");
    // No CHAR: GEDCOM 7 is UTF-8 whatever the tree's code page.
    writeText(dir.file("other.ged"), test::gedcomLines({
                                         "0 HEAD",
                                         "1 GEDC",
                                         "2 VERS 7.0",
                                         "0 @X1@ INDI",
                                         "1 NAME Jan /Kowal/",
                                         "1 BIRT",
                                         "2 DATE 5 DEC 1850",
                                         "2 PLAC Łódź",
                                         "1 DEAT",
                                         "2 DATE",
                                         "3 PHRASE zimą 1920",
                                         "1 OBJE @M1@",
                                         "1 FAMS @F1@",
                                         "0 @X2@ INDI",
                                         "1 NAME Anna /Nowak/",
                                         "1 FAMS @F1@",
                                         "1 OBJE @M2@",
                                         "0 @M1@ OBJE",
                                         "1 FILE photos/Jan%20Kowal.jpg",
                                         "2 FORM image/jpeg",
                                         "2 TITL Portret",
                                         "0 @M2@ OBJE",
                                         "1 FILE photos/missing.jpg",
                                         "2 FORM image/jpeg",
                                         "0 @F1@ FAM",
                                         "1 HUSB @X1@",
                                         "1 WIFE @X2@",
                                         "1 MARR",
                                         "2 DATE BET 1870 AND 1872",
                                         "3 PHRASE about 1871",
                                         "0 TRLR",
                                     }));
    Document doc;
    bool arranged = false;
    GedcomImportResult result = importGedcom(
        doc, dir.file("other.ged"), {}, [&arranged](TreeEdit&) { arranged = true; }, "CP1250", {});
    ASSERT_TRUE(result.done()) << result.statusText;
    EXPECT_TRUE(arranged);  // no positions: the automatic arrangement
    const PersonRecord* jan = test::imported(doc.persons(), "@X1@");
    const PersonRecord* anna = test::imported(doc.persons(), "@X2@");
    ASSERT_NE(jan, nullptr);
    ASSERT_NE(anna, nullptr);
    EXPECT_EQ(jan->text(field::birthDate), "5 Dec 1850");
    EXPECT_EQ(jan->text(field::birthPlace), toCodePage("Łódź", "CP1250"));
    EXPECT_EQ(jan->text(field::deathDate), toCodePage("zimą 1920", "CP1250"));
    EXPECT_EQ(jan->text(field::pictureFile), dir.file("photos/Jan Kowal.jpg"));
    EXPECT_EQ(jan->text(field::pictureComment), "Portret");
    EXPECT_TRUE(anna->isEmpty(field::pictureFile));  // a file that is not there
    EXPECT_EQ(jan->partner[1], anna);
    EXPECT_EQ(jan->text(field::relationDate(1)), "about 1871");
}

TEST(GedcomImport, ANameSuffixGoesAfterTheGivenNamesInEitherVersion) {
    struct Case {
        std::vector<std::string> name;
        const char* given;
        const char* surname;
    };
    const Case cases[] = {
        {{"1 NAME Jan /Kowal/ Jr."}, "Jan Jr.", "Kowal"},
        {{"1 NAME Jan /Kowal/", "2 NSFX III"}, "Jan III", "Kowal"},
        {{"1 NAME Jan /Kowal/ Jr.", "2 NSFX Jr."}, "Jan Jr.", "Kowal"},
        {{"1 NAME /Kowal/ Sr."}, "Sr.", "Kowal"},
        {{"1 NAME Jan /Kowal/"}, "Jan", "Kowal"},
        {{"1 NAME Jan Kowal"}, "Jan Kowal", ""},
    };
    for (const char* version : {"5.5.1", "7.0"}) {
        for (const Case& c : cases) {
            std::vector<std::string> lines = {"0 HEAD", "1 GEDC", std::string("2 VERS ") + version,
                                              "1 CHAR UTF-8", "0 @I1@ INDI"};
            lines.insert(lines.end(), c.name.begin(), c.name.end());
            lines.push_back("0 TRLR");
            if (std::string(version) == "7.0") lines.erase(lines.begin() + 3);  // no CHAR in 7
            Document doc;
            ASSERT_TRUE(test::importText(doc, test::gedcomLines(lines)).done());
            const PersonRecord* p = doc.persons().personListHead();
            ASSERT_NE(p, nullptr);
            EXPECT_EQ(p->text(field::givenNames), c.given) << version << " " << c.name[0];
            EXPECT_EQ(p->text(field::surname), c.surname) << version << " " << c.name[0];
        }
    }
}

}  // namespace
}  // namespace lineara
