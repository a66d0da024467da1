#include "core/model/person_edit.h"

#include <gtest/gtest.h>

#include <string>

#include "support/add_person.h"

namespace lineara {
namespace {

class PersonEdit : public ::testing::Test {
protected:
    PersonRecord* add(const char* given = "", const char* surname = "") {
        return test::addPerson(list, given, surname);
    }
    static void setDetails(PersonRecord* p, int slot, const char* date, const char* place,
                           char type) {
        p->setText(field::relationDate(slot), date);
        p->setText(field::relationPlace(slot), place);
        p->setRelationType(slot, type);
    }
    // Links a and b in slot `slotA` of a and `slotB` of b.
    static void link(PersonRecord* a, int slotA, PersonRecord* b, int slotB) {
        a->partner[slotA] = b;
        b->partner[slotB] = a;
    }
    PersonList list;
    TreeEdit edit{list};
};

TEST(PersonEditTexts, CaptionTrimAndSex) {
    EXPECT_EQ(editorCaption("Jan", "Nowak"), "Jan Nowak");
    EXPECT_EQ(editorCaption("", ""), "Person");
    EXPECT_EQ(editorCaption("Jan", ""), "Jan ");
    EXPECT_EQ(trimBlanks("  Jan \t"), "Jan");
    EXPECT_EQ(trimBlanks("   "), "");
    EXPECT_EQ(sexCode(true, false), "M");
    EXPECT_EQ(sexCode(false, true), "F");
    EXPECT_EQ(sexCode(false, false), "?");
}

TEST(PersonEditTexts, NotesFileNameProposal) {
    EXPECT_EQ(proposedNotesFileName("Jan K.", "Nowak"), "Jan K_ Nowak.txt");
    EXPECT_EQ(proposedNotesFileName("", ""), "Person.txt");
    // Runs of replaced characters collapse; one trailing "_" goes.
    EXPECT_EQ(proposedNotesFileName("Anna", "1234"), "Anna.txt");
    EXPECT_EQ(proposedNotesFileName("A..b", "C"), "A_b C.txt");
    EXPECT_EQ(proposedNotesFileName("12", "34"), "_.txt");
    // Letters beyond ASCII (code page bytes) are kept.
    EXPECT_EQ(proposedNotesFileName("\xa3ucja", "Kr\xf3l"), "\xa3ucja Kr\xf3l.txt");
    EXPECT_EQ(fileNamePart("C:\\notes\\jan.txt"), "jan.txt");
    EXPECT_EQ(fileNamePart("/home/u/jan.txt"), "jan.txt");
    EXPECT_EQ(fileNamePart("jan.txt"), "jan.txt");
}

TEST_F(PersonEdit, BoxesOpenAsAManUnlessTheSexIsExactlyF) {
    PersonRecord* p = add("Jan", "Nowak");
    for (const char* sex : {"", "?", "M", "f"}) {
        p->setText(field::sex, sex);
        PersonBoxes b = boxesFrom(*p);
        EXPECT_TRUE(b.male) << sex;
        EXPECT_FALSE(b.female) << sex;
    }
    p->setText(field::sex, "F");
    EXPECT_TRUE(boxesFrom(*p).female);
    EXPECT_FALSE(boxesFrom(*p).male);
}

TEST_F(PersonEdit, DuplicateNamesIgnoreOnlyTheCaseOfAToZ) {
    PersonRecord* edited = add("Jan", "Nowak");
    PersonRecord* same = add(" jan ", "NOWAK");
    add("Jan", "Nowak-Kowalski");
    PersonRecord* lukasz = add("\xa3ukasz", "Nowak");  // Ł in CP1250
    same->setText(field::birthDate, "1900");
    same->setText(field::deathDate, "1950");

    auto found = sameNamedPersons(list, edited, "JAN", "nowak");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0], same);
    EXPECT_EQ(duplicateNameNotice(*same),
              "Notatka:    W drzewie istnieje juz osoba z nazwiskiem \" jan  NOWAK\", born 1900, "
              "died 1950");

    // ł (0xB3) and Ł (0xA3) are different letters for the notice.
    EXPECT_TRUE(sameNamedPersons(list, edited, "\xb3ukasz", "Nowak").empty());
    EXPECT_EQ(sameNamedPersons(list, edited, "\xa3ukasz", "nowak").size(), 1u);
    EXPECT_EQ(duplicateNameNotice(*lukasz),
              "Notatka:    W drzewie istnieje juz osoba z nazwiskiem \"\xa3ukasz Nowak\"");

    // A translation's own texts; a "%1" of the tree's texts stays as written.
    same->setText(field::birthDate, "%1 1900");
    EXPECT_EQ(duplicateNameNotice(
                  *same, {"There is already \"%1\" in the tree", " (born %1)", " (died %1)"}),
              "There is already \" jan  NOWAK\" in the tree (born %1 1900) (died 1950)");
}

TEST_F(PersonEdit, DuplicateNamesSkipAliasBoxesAndTheOriginalOfAnAliasBox) {
    PersonRecord* original = add("Jan", "Nowak");
    PersonRecord* box = add("Jan", "Nowak");
    PersonRecord* lowerBox = add("Jan", "Nowak");
    PersonRecord* other1 = add("Jan", "Nowak");
    PersonRecord* other2 = add("jan", "nowak");
    original->setText(field::aliasMark, "ALIAS");
    box->setText(field::aliasMark, "REF");
    box->father = original;
    lowerBox->setText(field::aliasMark, "ref");

    auto fromOriginal = sameNamedPersons(list, original, "Jan", "Nowak");
    EXPECT_EQ(fromOriginal, (std::vector<const PersonRecord*>{other1, other2}));
    // Editing the alias box itself: its original is not reported either.
    auto fromBox = sameNamedPersons(list, box, "Jan", "Nowak");
    EXPECT_EQ(fromBox, (std::vector<const PersonRecord*>{other1, other2}));
}

TEST_F(PersonEdit, BasicFieldsAreCutAndTheCommentNeedsAPicture) {
    PersonRecord* p = add();
    PersonBoxes b;
    b.givenNames = std::string(120, 'a');
    b.birthDate = std::string(50, '1');
    b.pictureFile = "jan.jpg";
    b.pictureComment = "at home";
    writeBasicFields(*p, b);
    EXPECT_EQ(p->text(field::givenNames), std::string(100, 'a'));
    EXPECT_EQ(p->text(field::birthDate), std::string(35, '1'));
    EXPECT_EQ(p->text(field::pictureComment), "at home");

    b.pictureFile.clear();
    writeBasicFields(*p, b);
    EXPECT_TRUE(p->isEmpty(field::pictureFile));
    EXPECT_TRUE(p->isEmpty(field::pictureComment));
}

TEST_F(PersonEdit, RelationRowsSkipEmptySlots) {
    PersonRecord* p = add("Jan", "Nowak");
    PersonRecord* anna = add("Anna", "Lis");
    PersonRecord* ewa = add("Ewa", "Kot");
    link(p, 2, anna, 1);
    link(p, 5, ewa, 3);
    setDetails(p, 2, "1920", "Kraków", 'M');
    setDetails(p, 5, "1930", "", 'D');

    auto rows = relationRowsOf(*p);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].partnerName, "Anna Lis");
    EXPECT_EQ(rows[0].date, "1920");
    EXPECT_EQ(rows[0].place, "Kraków");
    EXPECT_EQ(rows[0].type, "M");
    EXPECT_EQ(rows[1].partnerName, "Ewa Kot");
    EXPECT_EQ(rows[1].type, "D");
}

TEST_F(PersonEdit, RowsMapToFilledSlotsAndReachBothSides) {
    PersonRecord* p = add("Jan", "Nowak");
    PersonRecord* anna = add("Anna", "Lis");
    PersonRecord* ewa = add("Ewa", "Kot");
    link(p, 2, anna, 4);
    link(p, 5, ewa, 1);
    PersonRecord copy = *p;

    std::vector<RelationRow> rows{{"", "1920", "Kraków", "Małżeństwo"}, {"", "1930", "Lwów", "D"}};
    EXPECT_TRUE(writeRelationships(edit, copy, p, rows).empty());
    EXPECT_EQ(copy.text(field::relationDate(2)), "1920");
    EXPECT_EQ(copy.relationType(2), 'M');
    EXPECT_EQ(copy.text(field::relationPlace(5)), "Lwów");
    EXPECT_EQ(copy.relationType(5), 'D');
    // The partners at once, in their own back slots.
    EXPECT_EQ(anna->text(field::relationDate(4)), "1920");
    EXPECT_EQ(anna->text(field::relationPlace(4)), "Kraków");
    EXPECT_EQ(ewa->text(field::relationDate(1)), "1930");
    EXPECT_EQ(ewa->relationType(1), 'D');
    // The edited record itself only through the copy.
    EXPECT_TRUE(p->isEmpty(field::relationDate(2)));
}

TEST_F(PersonEdit, AnAmbiguousBackSlotLeavesThePartnerAlone) {
    PersonRecord* p = add("Jan", "Nowak");
    PersonRecord* anna = add("Anna", "Lis");
    link(p, 1, anna, 1);
    anna->partner[2] = p;
    p->partner[2] = anna;
    setDetails(p, 1, "1920", "", 'M');
    setDetails(anna, 1, "1921", "", 'M');
    setDetails(anna, 2, "1922", "", 'M');
    setDetails(p, 2, "1922", "", 'M');
    PersonRecord copy = *p;

    std::vector<RelationRow> rows{{"", "1940", "", "D"}, {"", "1950", "", "S"}};
    auto mismatched = writeRelationships(edit, copy, p, rows);
    ASSERT_EQ(mismatched.size(), 1u);
    EXPECT_EQ(mismatched[0], anna);
    EXPECT_EQ(anna->text(field::relationDate(1)), "1921");
    // The second relationship matched fully and was written.
    EXPECT_EQ(anna->text(field::relationDate(2)), "1950");
    EXPECT_EQ(anna->relationType(2), 'S');
    EXPECT_EQ(copy.text(field::relationDate(1)), "1940");
    EXPECT_EQ(copy.text(field::relationDate(2)), "1950");
}

TEST_F(PersonEdit, SurplusRowsAreSkipped) {
    PersonRecord* p = add();
    PersonRecord* anna = add();
    link(p, 8, anna, 1);
    PersonRecord copy = *p;
    std::vector<RelationRow> rows{{"", "1", "", "M"}, {"", "2", "", "M"}};
    EXPECT_TRUE(writeRelationships(edit, copy, p, rows).empty());
    EXPECT_EQ(copy.text(field::relationDate(8)), "1");
    EXPECT_EQ(anna->text(field::relationDate(1)), "1");
}

TEST_F(PersonEdit, CommitFillsTheCopyAndTheFirstAliasBoxOnly) {
    PersonRecord* original = add("Jan", "Nowak");
    PersonRecord* box1 = add("old", "old");
    PersonRecord* box2 = add("old", "old");
    original->setText(field::aliasMark, "ALIAS");
    original->setText(field::baptismPlace, "Gniezno");
    for (PersonRecord* box : {box1, box2}) {
        box->setText(field::aliasMark, "REF");
        box->father = original;
        box->setPos(300, 400);
    }
    PersonRecord* partner = add();
    link(box1, 1, partner, 1);
    list.setTreeModified(false);

    PersonRecord copy = *original;
    PersonBoxes b = boxesFrom(copy);
    b.givenNames = "Janusz";
    b.deathDate = "1999";
    b.deathPlace = "Poznań";
    b.male = false;
    b.female = false;
    EXPECT_TRUE(commitBoxes(edit, original, copy, b, {}).empty());

    // The document's door marks the tree modified, not the editor's rules.
    EXPECT_FALSE(list.treeModified());
    EXPECT_EQ(copy.text(field::givenNames), "Janusz");
    EXPECT_EQ(copy.text(field::deathPlace), "Poznań");
    EXPECT_EQ(copy.text(field::sex), "?");
    EXPECT_EQ(original->text(field::givenNames), "Jan");  // only through the copy
    EXPECT_EQ(box1->text(field::givenNames), "Janusz");
    EXPECT_EQ(box1->text(field::deathDate), "1999");
    EXPECT_EQ(box1->text(field::baptismPlace), "Gniezno");
    EXPECT_EQ(box1->text(field::aliasMark), "REF");
    EXPECT_EQ(box1->posX(), 300);
    EXPECT_EQ(box1->partner[1], partner);
    EXPECT_EQ(box2->text(field::givenNames), "old");
}

TEST_F(PersonEdit, APersonWithoutAliasMarkTouchesNoOtherBox) {
    PersonRecord* p = add("Jan", "Nowak");
    PersonRecord* box = add("old", "old");
    box->setText(field::aliasMark, "REF");
    box->father = p;
    PersonRecord copy = *p;
    EXPECT_EQ(refreshAliasBox(edit, p, copy), nullptr);
    EXPECT_EQ(box->text(field::givenNames), "old");
}

}  // namespace
}  // namespace lineara
