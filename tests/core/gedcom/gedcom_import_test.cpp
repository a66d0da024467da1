// The GEDCOM import: what each record and tag makes of the tree, its
// counters and status lines, its undo, and files it cannot read.
#include "core/gedcom/gedcom_import.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "core/gedcom/gedcom_texts.h"
#include "core/history/step_names.h"
#include "support/add_person.h"
#include "support/gedcom_support.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

using test::gedcomLines;
using test::imported;
using test::importText;
using test::slotsWith;

std::string text(const PersonRecord* p, TextField f) { return std::string(p->text(f)); }

TEST(GedcomImport, ReadsIndividualsAndTheirFamily) {
    Document doc;
    std::string file = gedcomLines({"0 HEAD",
                                    "1 SOUR OTHER_PROGRAM",
                                    "1 CHAR ANSI",  //
                                    "0 @I1@ INDI",
                                    "1 NAME Jan /Kowalski/",
                                    "1 SEX M",
                                    "1 BIRT",
                                    "2 DATE 1 JAN 1900",  //
                                    "2 PLAC Krak\xF3w",
                                    "1 DEAT",
                                    "2 DATE 1970",
                                    "2 PLAC Warszawa",
                                    "1 BAPM",  //
                                    "2 DATE 2 JAN 1900",
                                    "2 PLAC Krak\xF3w",
                                    "1 OCCU kowal",
                                    "1 SOUR Ksi\xEAga parafialna",
                                    "0 @I2@ INDI",
                                    "1 NAME Anna /Nowak/",
                                    "1 SEX F",  //
                                    "0 @I3@ INDI",
                                    "1 NAME Piotr /Kowalski/",
                                    "1 SEX M",  //
                                    "0 @F1@ FAM",
                                    "1 HUSB @I1@",
                                    "1 WIFE @I2@",
                                    "1 MARR",
                                    "2 DATE 12 MAY 1925",  //
                                    "2 PLAC Krak\xF3w",
                                    "1 CHIL @I3@",
                                    "0 TRLR"});
    GedcomImportResult result = importText(doc, file);

    EXPECT_EQ(result.status, GedcomImportResult::Done);
    // ANSI names no code page: the letters beyond ASCII were read in the
    // tree's, and the status says so.
    EXPECT_EQ(result.statusText, "Done.\nRead as Windows-1250 (the options' code page)");
    EXPECT_EQ(result.notes,
              std::vector<std::string>{"Read as Windows-1250 (the options' code page)"});
    EXPECT_FALSE(result.incomplete);
    EXPECT_TRUE(result.messages.empty());
    EXPECT_EQ(result.counters.linesRead, 31);
    EXPECT_EQ(result.counters.personsRead, 3);
    EXPECT_EQ(result.counters.familiesRead, 1);
    EXPECT_EQ(result.counters.bytesRead, int64_t(file.size()));  // every line ends with CR LF

    const PersonList& list = doc.persons();
    ASSERT_EQ(list.count(), 3u);
    const PersonRecord* jan = imported(list, "@I1@");
    const PersonRecord* anna = imported(list, "@I2@");
    const PersonRecord* piotr = imported(list, "@I3@");
    ASSERT_TRUE(jan && anna && piotr);
    EXPECT_EQ(list.personListHead(), jan);  // persons in file order
    EXPECT_EQ(list.currentPerson(), jan);
    EXPECT_EQ(text(jan, field::givenNames), "Jan");
    EXPECT_EQ(text(jan, field::surname), "Kowalski");
    EXPECT_EQ(text(jan, field::sex), "M");
    EXPECT_EQ(text(jan, field::birthDate), "1 JAN 1900");
    EXPECT_EQ(text(jan, field::birthPlace), "Krak\xF3w");
    EXPECT_EQ(text(jan, field::deathDate), "1970");
    EXPECT_EQ(text(jan, field::deathPlace), "Warszawa");
    EXPECT_EQ(text(jan, field::baptismDate), "2 JAN 1900");
    EXPECT_EQ(text(jan, field::baptismPlace), "Krak\xF3w");
    EXPECT_EQ(text(jan, field::occupation), "kowal");
    EXPECT_EQ(text(jan, field::source), "Ksi\xEAga parafialna");
    forEachPerson(list, [](const PersonRecord* p) {
        EXPECT_EQ(p->posX(), 0);
        EXPECT_EQ(p->posY(), 0);
    });

    EXPECT_EQ(piotr->father, jan);
    EXPECT_EQ(piotr->mother, anna);
    ASSERT_EQ(slotsWith(jan, anna), std::vector<int>{1});
    ASSERT_EQ(slotsWith(anna, jan), std::vector<int>{1});
    for (const PersonRecord* side : {jan, anna}) {
        EXPECT_EQ(side->relationType(1), 'M');
        EXPECT_EQ(text(side, field::relationDate(1)), "12 MAY 1925");
        EXPECT_EQ(text(side, field::relationPlace(1)), "Krak\xF3w");
    }
    EXPECT_TRUE(doc.treeModified());
}

TEST(GedcomImport, SplitsNamesAtTheFirstSlash) {
    const struct {
        std::string value;
        std::string given, surname;
    } cases[] = {
        {"Jan /Kowalski/", "Jan", "Kowalski"},
        {"/Kowalski/", "", "Kowalski"},
        {"Jan Maria", "Jan Maria", ""},
        {"Jan /Kowalski/ Jr.", "Jan Jr.", "Kowalski"},  // a suffix is no part of the surname
        {"  Jan   /  Kowalski  ", "Jan", "Kowalski"},
        {"Jan/Kowalski/Nowak/", "Jan Nowak/", "Kowalski"},
        {std::string(90, 'g') + " /" + std::string(20, 's'), std::string(90, 'g'),
         std::string(8, 's')},  // the value keeps 100 bytes
    };
    for (const auto& c : cases) {
        Document doc;
        // The first NAME counts; later ones are alternative names.
        importText(doc, gedcomLines({"0 @I1@ INDI", "1 NAME " + c.value, "1 NAME Ewa /Stara/"}));
        const PersonRecord* p = doc.persons().personListHead();
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(text(p, field::givenNames), c.given) << c.value;
        EXPECT_EQ(text(p, field::surname), c.surname) << c.value;
    }
}

TEST(GedcomImport, ReadsFactsByTheirTagsAndPassesOverTheRest) {
    Document doc;
    importText(doc, gedcomLines({"0 @S1@ SOUR",
                                 "1 TITL Ksiega",
                                 "0 @I1@ indi",               // value compared upper-cased
                                 "1 name Zofia /Lowercase/",  // tags as written: not a NAME
                                 "1 NAME Zofia /Nowak/",
                                 "1 SEX female",
                                 "1 OCCUPATION szwaczka",
                                 "1 SOURCE akt 5",
                                 "1 CHR",
                                 "2 DATE 3 MAR 1901",
                                 "1 BURI",
                                 "2 PLAC Lodz",
                                 "1 RESI",
                                 "2 PLAC Lublin",
                                 "1 NOTE x",
                                 "1 OBJE",
                                 "2 FILE a.jpg",
                                 "1 BIRTH",
                                 "2 DATE 1 MAR 1901",
                                 "3 PLAC Gniezno",
                                 "2 date 2 MAR 1901",
                                 "1 DEAT",
                                 "2 DATE " + std::string(50, '9'),
                                 "0 @N1@ NOTE",
                                 "1 NAME Nobody",
                                 "1 SEX M",
                                 "0 TRLR",
                                 "2 PLAC Poznan"}));
    ASSERT_EQ(doc.persons().count(), 1u);
    const PersonRecord* p = doc.persons().personListHead();
    EXPECT_EQ(text(p, field::givenNames), "Zofia");
    EXPECT_EQ(text(p, field::surname), "Nowak");
    EXPECT_EQ(text(p, field::sex), "f");
    EXPECT_EQ(text(p, field::occupation), "szwaczka");
    EXPECT_EQ(text(p, field::source), "akt 5");
    EXPECT_EQ(text(p, field::birthDate), "1 MAR 1901");  // BIRTH begins with BIRT
    EXPECT_EQ(text(p, field::birthPlace), "");
    EXPECT_EQ(text(p, field::deathDate), std::string(35, '9'));
    EXPECT_EQ(text(p, field::deathPlace), "");
    // A christening is the baptism of a record without BAPM.
    EXPECT_EQ(text(p, field::baptismDate), "3 MAR 1901");
}

TEST(GedcomImport, MarriageAndDivorceAreTwoRelationships) {
    for (const char* divorceTag : {"DIV", "DIVF"}) {
        Document doc;
        importText(doc, gedcomLines({"0 @I1@ INDI", "0 @I2@ INDI", "0 @F1@ FAM", "1 HUSB @I1@",
                                     "1 WIFE @I2@", "1 MARR", "2 DATE 1900", "2 PLAC Lodz",
                                     std::string("1 ") + divorceTag, "2 DATE 1910"}));
        const PersonRecord* h = imported(doc.persons(), "@I1@");
        const PersonRecord* w = imported(doc.persons(), "@I2@");
        ASSERT_EQ(slotsWith(h, w), (std::vector<int>{1, 2})) << divorceTag;
        ASSERT_EQ(slotsWith(w, h), (std::vector<int>{1, 2}));
        for (const PersonRecord* side : {h, w}) {
            EXPECT_EQ(side->relationType(1), 'M');
            EXPECT_EQ(text(side, field::relationDate(1)), "1900");
            EXPECT_EQ(text(side, field::relationPlace(1)), "Lodz");
            EXPECT_EQ(side->relationType(2), 'D');
            EXPECT_EQ(text(side, field::relationDate(2)), "1910");
            // The divorce keeps no place of the marriage.
            EXPECT_EQ(text(side, field::relationPlace(2)), "");
        }
    }
}

TEST(GedcomImport, LinksFamilyMembersWhateverTheirOrder) {
    Document doc;
    importText(
        doc, gedcomLines({"0 @I1@ INDI", "0 @I2@ INDI", "0 @I3@ INDI", "0 @I4@ INDI", "0 @I5@ INDI",
                          "0 @I6@ INDI",
                          // Children before their parents: every child
                          // gets the parents read later.
                          "0 @F1@ FAM", "1 CHIL @I3@", "1 CHIL @I4@", "1 HUSB @I1@", "1 WIFE @I2@",
                          // One parent: a father, no relationship.
                          "0 @F2@ FAM", "1 HUSB @I5@", "1 CHIL @I6@"}));
    const PersonList& list = doc.persons();
    const PersonRecord* p[7] = {nullptr};
    for (int i = 1; i <= 6; ++i) p[i] = imported(list, "@I" + std::to_string(i) + "@");
    EXPECT_EQ(p[3]->father, p[1]);
    EXPECT_EQ(p[3]->mother, p[2]);
    EXPECT_EQ(p[4]->father, p[1]);
    EXPECT_EQ(p[4]->mother, p[2]);
    EXPECT_EQ(slotsWith(p[1], p[2]).size(), 1u);
    EXPECT_EQ(p[6]->father, p[5]);
    EXPECT_EQ(p[6]->mother, nullptr);
    for (int s = 1; s <= kRelationSlots; ++s) EXPECT_EQ(p[5]->partner[s], nullptr);
}

TEST(GedcomImport, CrossReferencesAreMatchedWholeWhereverTheirRecordIs) {
    Document doc;
    // 23 bytes: the record keeps 20, the reference is matched whole.
    const std::string longXref = "@I12345678901234567890@";
    importText(doc, gedcomLines({"0 @I1@ INDI", "0 " + longXref + " INDI", "0 @F1@ FAM",
                                 "1 HUSB @I1@", "1 WIFE " + longXref, "1 CHIL @I9@", "1 CHIL @I3@",
                                 "1 WIFE @I1@",  // himself: no relationship
                                 "0 @I3@ INDI", "0 @F2@ FAM", "1 HUSB @I1@", "1 CHIL @I1@",
                                 "1 WIFE @I3@"}));
    const PersonList& list = doc.persons();
    const PersonRecord* one = imported(list, "@I1@");
    const PersonRecord* cut = imported(list, longXref.substr(0, 20));
    const PersonRecord* three = imported(list, "@I3@");
    ASSERT_TRUE(one && cut && three);
    EXPECT_EQ(slotsWith(one, cut).size(), 1u);
    EXPECT_TRUE(slotsWith(one, one).empty());
    // I3 is named before it is read; WIFE @I1@ makes I1 the mother of the
    // children read so far, as any later WIFE line does.
    EXPECT_EQ(three->father, one);
    EXPECT_EQ(three->mother, one);
    // Nobody becomes his own father; his mother is still set.
    EXPECT_EQ(one->father, nullptr);
    EXPECT_EQ(one->mother, three);
    EXPECT_EQ(slotsWith(one, three).size(), 1u);
}

// The date and place of a family's event go to the relationship the
// family made last, and never into a relationship of another family.
TEST(GedcomImport, EventDatesStayWithTheirRelationship) {
    Document doc;
    importText(doc, gedcomLines({"0 @I1@ INDI", "0 @I2@ INDI", "0 @I3@ INDI", "0 @I4@ INDI",
                                 "0 @F1@ FAM", "1 HUSB @I3@", "1 WIFE @I4@", "1 MARR",
                                 "2 DATE 1900", "0 @F2@ FAM", "1 HUSB @I1@", "1 WIFE @I2@",
                                 "1 WIFE @X@", "1 HUSB @I3@", "1 MARR", "2 DATE 1950"}));
    const PersonList& list = doc.persons();
    const PersonRecord* three = imported(list, "@I3@");
    const PersonRecord* four = imported(list, "@I4@");
    ASSERT_EQ(slotsWith(three, four), std::vector<int>{1});
    EXPECT_EQ(text(three, field::relationDate(1)), "1900");
    EXPECT_EQ(text(four, field::relationDate(1)), "1900");
    for (int s = 2; s <= kRelationSlots; ++s) EXPECT_EQ(text(three, field::relationDate(s)), "");
}

TEST(GedcomImport, AnEmptyFileIsAnErrorAndLeavesNothingToUndo) {
    // Nothing, blank lines, a byte-order mark alone, a lone character.
    for (const char* file : {"", "\r\n   \r\n\t\n", "\xEF\xBB\xBF", "\xFF\xFE", "x\r\n"}) {
        Document doc;
        GedcomImportResult result = importText(doc, file);
        EXPECT_EQ(result.status, GedcomImportResult::Empty) << file;
        EXPECT_FALSE(result.done());
        EXPECT_EQ(result.statusText, "The file is empty: nothing was imported.");
        EXPECT_EQ(result.messages, std::vector<std::string>{result.statusText});
        EXPECT_TRUE(doc.persons().empty());
        EXPECT_FALSE(doc.treeModified());
        EXPECT_FALSE(doc.canUndo());
    }
}

TEST(GedcomImport, FailsAtALevelThatIsNoNumberAndKeepsWhatWasRead) {
    const struct {
        std::string file;
        int64_t line;
        size_t persons;
    } cases[] = {
        {"\xC2\xA0"
         "0 HEAD\r\n0 @I1@ INDI\r\n",
         1, 0},
        // A line of binary bytes without a level: no text to go on with.
        {gedcomLines({"0 HEAD", "0 @I1@ INDI", "1 NAME Jan /Kowalski/", "", "0 @I2@ INDI",
                      std::string("x NAME\0Broken", 13), "0 @I3@ INDI"}),
         6, 2},
        {gedcomLines({"0 @I1@ INDI", "1 NAME Jan /Kowalski/", std::string(512, '\0') + "junk",
                      "0 @I2@ INDI"}),
         3, 1},
    };
    for (const auto& c : cases) {
        Document doc;
        GedcomImportResult result = importText(doc, c.file);
        EXPECT_EQ(result.status, GedcomImportResult::Failed);
        EXPECT_EQ(result.counters.linesRead, c.line);
        EXPECT_EQ(result.statusText,
                  "GEDCOM import failed - file possibly corrupted (reached line " +
                      std::to_string(c.line) + ")");
        EXPECT_EQ(result.messages, std::vector<std::string>{"GEDCOM import failed"});
        EXPECT_EQ(doc.persons().count(), c.persons);
        if (c.persons > 0) {
            EXPECT_EQ(text(doc.persons().personListHead(), field::surname), "Kowalski");
            // What was read is one step, undone as a whole.
            EXPECT_TRUE(doc.undo());
            EXPECT_TRUE(doc.persons().empty());
        }
    }
}

TEST(GedcomImport, IsOneStepThatUndoGivesBackAsTheEmptyTree) {
    Document doc;
    importText(doc, gedcomLines({"0 @I1@ INDI", "1 NAME Jan /Kowalski/", "0 @I2@ INDI",
                                 "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@"}));
    ASSERT_EQ(doc.persons().count(), 2u);
    EXPECT_EQ(doc.undoName(), step_name::kImportGedcom);
    EXPECT_EQ(doc.history().size(), 1u);

    ASSERT_TRUE(doc.undo());
    EXPECT_TRUE(doc.persons().empty());
    EXPECT_EQ(doc.persons().highestPersonId(), 0);
    EXPECT_FALSE(doc.treeModified());

    ASSERT_TRUE(doc.redo());
    ASSERT_EQ(doc.persons().count(), 2u);
    const PersonRecord* jan = imported(doc.persons(), "@I1@");
    EXPECT_EQ(slotsWith(jan, imported(doc.persons(), "@I2@")).size(), 1u);
    EXPECT_EQ(text(jan, field::surname), "Kowalski");
    EXPECT_TRUE(doc.treeModified());
}

// The arrangement that follows an import belongs to the import's step, and
// follows only an import that read to the end.
TEST(GedcomImport, WorkAfterTheImportJoinsItsStep) {
    auto arrange = [](TreeEdit& list) {
        int32_t x = 0;
        forEachPerson(list, [&](const PersonRecord* r) { list.edit(r)->setPos(x += 200, 100); });
    };
    for (const std::string& last : {std::string("0 TRLR"), std::string("x\0broken", 8)}) {
        Document doc;
        std::string file = gedcomLines({"0 @I1@ INDI", "0 @I2@ INDI", last});
        MemorySource source(file);
        GedcomImportResult result = importGedcom(doc, source, {"f.ged", false, 0}, {}, arrange);
        ASSERT_EQ(doc.persons().count(), 2u);
        EXPECT_EQ(doc.persons().personListHead()->posX(), result.done() ? 200 : 0) << last;
        EXPECT_EQ(doc.history().size(), 1u);
        ASSERT_TRUE(doc.undo());
        EXPECT_TRUE(doc.persons().empty());
    }
}

TEST(GedcomImport, ReadsOnlyIntoAnEmptyTree) {
    Document doc;
    test::addPerson(test::writable(doc), "Jan");
    GedcomImportResult result = importText(doc, gedcomLines({"0 @I1@ INDI"}));
    EXPECT_EQ(result.status, GedcomImportResult::TreeNotEmpty);
    EXPECT_EQ(result.statusText, "");
    EXPECT_EQ(doc.persons().count(), 1u);
    EXPECT_FALSE(doc.canUndo());
}

TEST(GedcomImport, ReportsProgressAndStopsWhenAsked) {
    std::string file;
    for (int i = 1; i <= 50; ++i) file += "0 @I" + std::to_string(i) + "@ INDI\r\n";
    Document doc;
    MemorySource source(file);
    std::vector<GedcomImportProgress> seen;
    GedcomImportResult done = importGedcom(doc, source, {"f.ged", true, int64_t(file.size())},
                                           [&](const GedcomImportProgress& p) {
                                               seen.push_back(p);
                                               return true;
                                           });
    ASSERT_EQ(done.status, GedcomImportResult::Done);
    ASSERT_EQ(seen.size(), 51u);  // before each line, and at the end
    for (size_t i = 1; i < seen.size(); ++i) {
        EXPECT_GE(seen[i].percent, seen[i - 1].percent);
        EXPECT_GE(seen[i].counters.personsRead, seen[i - 1].counters.personsRead);
    }
    EXPECT_TRUE(seen.front().sizeKnown);
    EXPECT_EQ(seen.front().percent, 2);
    EXPECT_EQ(seen.back().percent, 100);
    EXPECT_EQ(seen.back().counters.personsRead, 50);
    EXPECT_EQ(seen.back().counters.bytesRead, int64_t(file.size()));

    Document stopped;
    MemorySource again(file);
    GedcomImportResult cancelled =
        importGedcom(stopped, again, {"f.ged", false, 0},
                     [](const GedcomImportProgress& p) { return p.counters.linesRead < 4; });
    EXPECT_EQ(cancelled.status, GedcomImportResult::Cancelled);
    EXPECT_EQ(cancelled.statusText, "GEDCOM import cancelled (reached line 4)");
    EXPECT_EQ(stopped.persons().count(), 3u);
}

class FailingSource : public ByteSource {
public:
    explicit FailingSource(std::string bytes) : bytes_(std::move(bytes)) {}
    int64_t read(char* buffer, size_t size, int& error) override {
        if (done_) {
            error = EIO;
            return -1;
        }
        done_ = true;
        size_t n = std::min(size, bytes_.size());
        std::copy(bytes_.begin(), bytes_.begin() + long(n), buffer);
        return int64_t(n);
    }

private:
    std::string bytes_;
    bool done_ = false;
};

TEST(GedcomImport, ReportsFilesItCannotOpenOrRead) {
    test::TempDir dir;
    Document doc;
    std::string missing = dir.file("missing.ged");
    GedcomImportResult result = importGedcom(doc, missing);
    EXPECT_EQ(result.status, GedcomImportResult::CannotOpen);
    EXPECT_EQ(result.statusText, "Cannot open file \"" + missing + "\". No such file or directory");
    EXPECT_EQ(result.messages, std::vector<std::string>{result.statusText});

    result = importGedcom(doc, dir.path());
    EXPECT_EQ(result.status, GedcomImportResult::CannotOpen);
    EXPECT_EQ(result.statusText, "Cannot open file \"" + dir.path() + "\". Is a directory");

    // A device has no size to count the progress against; this one has no
    // lines either.
    bool sizeKnown = true;
    result = importGedcom(doc, "/dev/null", [&](const GedcomImportProgress& p) {
        sizeKnown = p.sizeKnown;
        return true;
    });
    EXPECT_EQ(result.status, GedcomImportResult::Empty);
    EXPECT_FALSE(sizeKnown);

    FailingSource failing(gedcomLines({"0 @I1@ INDI", "0 @I2@ INDI"}));
    result = importGedcom(doc, failing, {"/x/broken.ged", false, 0});
    EXPECT_EQ(result.status, GedcomImportResult::Failed);
    EXPECT_EQ(result.messages,
              (std::vector<std::string>{"GEDCOM import failed",
                                        "Cannot read file \"/x/broken.ged\". Input/output error"}));
    EXPECT_EQ(result.statusText, "GEDCOM import failed - file possibly corrupted (reached line 2)");
    EXPECT_EQ(doc.persons().count(), 2u);
}

TEST(GedcomImportTexts, CountsAndStatusLines) {
    EXPECT_EQ(gedcomCountText(0), "0 ");
    EXPECT_EQ(gedcomCountText(1234), "1234 ");
    EXPECT_EQ(gedcomImportDoneStatus(0), "Done.");
    EXPECT_EQ(gedcomImportDoneStatus(3), "Done. Relationships left out (at most 8 per person): 3");
}

}  // namespace
}  // namespace lineara
