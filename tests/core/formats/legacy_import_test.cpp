// The import of trees written by the two older versions: where each field
// lands, the ids and links, the relationships as the file states them, the
// dates, the cut texts, and the import as one undo step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/dates/date_conversion.h"
#include "core/formats/legacy_v1.h"
#include "core/formats/legacy_v1_5.h"
#include "core/history/step_names.h"
#include "support/add_person.h"
#include "support/legacy_writer.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

using test::kV15Size;
using test::kV1Size;
using test::legacyFile;
using test::LegacyPerson;

std::string text(const PersonRecord* p, TextField f) { return std::string(p->text(f)); }

std::vector<const PersonRecord*> records(const Document& doc) {
    std::vector<const PersonRecord*> out;
    forEachPerson(doc.persons(), [&out](const PersonRecord* r) { out.push_back(r); });
    return out;
}

LegacyImportResult importV1(Document& doc, const std::string& bytes) {
    MemorySource source(bytes);
    return ReadfromFilev1(doc, source);
}

LegacyImportResult importV15(Document& doc, const std::string& bytes, bool standardize = false) {
    MemorySource source(bytes);
    return ReadfromFilev1_5(doc, source, standardize);
}

LegacyPerson fullPerson() {
    LegacyPerson p;
    p.given = "Jan Maria";
    p.surname = "Kowalski";
    p.birthDate = "5.12.1850";
    p.deathDate = "~1900";
    p.sex = "M";
    p.pictureFile = "C:\\zdjecia\\jan.jpg";
    p.notesFile = "jan.txt";
    p.aliasMark = "ALIAS";
    p.x = -1234;
    p.y = 56789;
    p.id = 7;
    p.motherId = 8;
    p.fatherId = 9;
    p.birthPlace = "Kraków";
    p.deathPlace = "Wieliczka";
    p.relationPlace = "Tarnów";
    p.baptismDate = "12.12.1850";
    p.baptismPlace = "Mariacki";
    p.relationDate = "1.6.1875";
    p.occupation = "kowal";
    p.pictureComment = "na jarmarku";
    p.source = "księga parafialna";
    p.spouseId = 11;
    return p;
}

TEST(LegacyImport, Version1FieldsLandWhereTheyBelongAndDatesStayAsTyped) {
    Document doc;
    LegacyPerson p = fullPerson();
    // Filler bytes between the fields must not leak into any text.
    std::string file = test::legacyRecord(p, kV1Size, 'x');
    LegacyImportResult r = importV1(doc, file);
    ASSERT_TRUE(r.ok) << r.detail;
    EXPECT_EQ(r.persons, 1u);
    const PersonRecord* q = doc.persons().personListHead();
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(text(q, field::givenNames), p.given);
    EXPECT_EQ(text(q, field::surname), p.surname);
    EXPECT_EQ(text(q, field::birthDate), "5.12.1850");  // never converted in 1.0
    EXPECT_EQ(text(q, field::deathDate), "~1900");
    EXPECT_EQ(text(q, field::sex), "M");
    EXPECT_EQ(text(q, field::pictureFile), p.pictureFile);
    EXPECT_EQ(text(q, field::notesFile), p.notesFile);
    EXPECT_EQ(text(q, field::aliasMark), "ALIAS");
    EXPECT_EQ(q->posX(), -1234);
    EXPECT_EQ(q->posY(), 56789);
    EXPECT_EQ(q->personId(), 7);
    EXPECT_FALSE(q->selected());
    // Version 1.0 has none of these, whatever its other bytes hold.
    for (TextField f : {field::birthPlace, field::deathPlace, field::baptismDate,
                        field::baptismPlace, field::occupation, field::pictureComment,
                        field::source, field::relationPlace(1), field::relationDate(1)}) {
        EXPECT_TRUE(q->isEmpty(f)) << f.offset;
    }
    EXPECT_EQ(q->partner[1], nullptr);
    EXPECT_EQ(q->partnerId(1), 0);
}

TEST(LegacyImport, Version15FieldsLandWhereTheyBelong) {
    Document doc;
    LegacyPerson p = fullPerson();
    ASSERT_TRUE(importV15(doc, test::legacyRecord(p, kV15Size, 'x')).ok);
    const PersonRecord* q = doc.persons().personListHead();
    ASSERT_NE(q, nullptr);
    struct Field {
        TextField f;
        std::string want;
    } fields[] = {
        {field::givenNames, p.given},
        {field::surname, p.surname},
        {field::birthDate, p.birthDate},
        {field::deathDate, p.deathDate},
        {field::sex, p.sex},
        {field::pictureFile, p.pictureFile},
        {field::notesFile, p.notesFile},
        {field::aliasMark, p.aliasMark},
        {field::birthPlace, p.birthPlace},
        {field::deathPlace, p.deathPlace},
        {field::relationPlace(1), p.relationPlace},
        {field::baptismDate, p.baptismDate},
        {field::baptismPlace, p.baptismPlace},
        {field::relationDate(1), p.relationDate},
        {field::occupation, p.occupation},
        {field::pictureComment, p.pictureComment},
        {field::source, p.source},
    };
    for (const Field& f : fields) EXPECT_EQ(text(q, f.f), f.want) << f.f.offset;
    EXPECT_EQ(q->posX(), -1234);
    EXPECT_EQ(q->posY(), 56789);
    EXPECT_EQ(q->personId(), 7);
    EXPECT_EQ(q->relationType(1), 0);
    EXPECT_EQ(relationTypeOf(q->relationType(1)), RelationType::Married);
}

// The four dates of a 1.5.x record follow the option; the same texts in a
// 1.0 file never change.
TEST(LegacyImport, Version15DatesFollowTheStandardisationOption) {
    LegacyPerson p = fullPerson();
    p.deathDate = "3/4/1901";
    const std::string dates[] = {p.birthDate, p.deathDate, p.baptismDate, p.relationDate};
    for (bool on : {false, true}) {
        SCOPED_TRACE(on ? "on" : "off");
        Document doc;
        ASSERT_TRUE(importV15(doc, legacyFile({p}, kV15Size), on).ok);
        const PersonRecord* q = doc.persons().personListHead();
        const TextField fields[] = {field::birthDate, field::deathDate, field::baptismDate,
                                    field::relationDate(1)};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(text(q, fields[i]), on ? ConvertDateToGedcom(dates[i]) : dates[i]);
        }
        if (on) {
            EXPECT_EQ(text(q, field::birthDate), "5 Dec 1850");
        }
        // Places and names are never dates.
        EXPECT_EQ(text(q, field::birthPlace), p.birthPlace);
    }
}

TEST(LegacyImport, IdsAreKeptAndNewPersonsGetIdsAboveThem) {
    struct Case {
        std::vector<int32_t> ids;
        int32_t next;  // the id of the next new person
    } cases[] = {
        {{3, 9, 12}, 13},
        {{12, 9, 3}, 15},  // each record counts once, as if made anew
        {{1, 1, 1}, 4},
        {{0, -5}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.ids));
        std::vector<LegacyPerson> persons;
        for (int32_t id : c.ids) {
            persons.emplace_back();
            persons.back().id = id;
        }
        Document doc;
        ASSERT_TRUE(importV1(doc, legacyFile(persons, kV1Size)).ok);
        std::vector<int32_t> got;
        for (const PersonRecord* r : records(doc)) got.push_back(r->personId());
        EXPECT_EQ(got, c.ids);
        test::addPerson(test::writable(doc), "nowy");
        EXPECT_EQ(doc.persons().currentPerson()->personId(), c.next);
    }
}

TEST(LegacyImport, ParentsAreLinkedByIdAndTheFirstOfTwoEqualIdsIsTheOne) {
    std::vector<LegacyPerson> persons(5);
    persons[0].given = "dziecko";
    persons[0].id = 1;
    persons[0].fatherId = 2;
    persons[0].motherId = 3;
    persons[1].id = 2;
    persons[2].id = 3;
    persons[2].fatherId = 99;  // nobody
    persons[3].id = 2;         // a second 2: links go to the first
    persons[4].id = 5;
    persons[4].fatherId = 5;  // as the file says, even oneself
    for (size_t size : {kV1Size, kV15Size}) {
        Document doc;
        MemorySource source(legacyFile(persons, size));
        ASSERT_TRUE(
            (size == kV1Size ? ReadfromFilev1(doc, source) : ReadfromFilev1_5(doc, source, false))
                .ok);
        auto r = records(doc);
        ASSERT_EQ(r.size(), 5u);
        EXPECT_EQ(r[0]->father, r[1]);
        EXPECT_EQ(r[0]->mother, r[2]);
        EXPECT_EQ(r[2]->father, nullptr);
        EXPECT_EQ(r[4]->father, r[4]);
        EXPECT_EQ(doc.persons().currentPerson(), nullptr);
        // The tree saves its links again as the ids they came from.
        PersonList& list = test::writable(doc);
        EXPECT_FALSE(treeFileBytes(list).empty());
        EXPECT_EQ(r[0]->fatherId(), 2);
        EXPECT_EQ(r[2]->fatherId(), 0);
    }
}

TEST(LegacyImport, SpousesAreLinkedOnTheSidesThatNameEachOther) {
    std::vector<LegacyPerson> persons(4);
    persons[0].id = 1;
    persons[0].spouseId = 2;
    persons[0].relationPlace = "Kraków";
    persons[0].relationDate = "1850";
    persons[1].id = 2;
    persons[1].spouseId = 1;
    persons[1].relationPlace = "Krakow";  // each record keeps its own
    persons[1].relationDate = "ok. 1850";
    persons[2].id = 3;
    persons[2].spouseId = 4;  // one-sided: 4 names nobody
    persons[3].id = 4;
    persons[3].relationPlace = "bez pary";
    Document doc;
    ASSERT_TRUE(importV15(doc, legacyFile(persons, kV15Size)).ok);
    auto r = records(doc);
    EXPECT_EQ(r[0]->partner[1], r[1]);
    EXPECT_EQ(r[1]->partner[1], r[0]);
    EXPECT_EQ(text(r[0], field::relationPlace(1)), "Kraków");
    EXPECT_EQ(text(r[1], field::relationPlace(1)), "Krakow");
    EXPECT_EQ(text(r[0], field::relationDate(1)), "1850");
    EXPECT_EQ(text(r[1], field::relationDate(1)), "ok. 1850");
    EXPECT_EQ(r[2]->partner[1], r[3]);
    EXPECT_EQ(r[3]->partner[1], nullptr);
    EXPECT_EQ(text(r[3], field::relationPlace(1)), "bez pary");
    for (const PersonRecord* q : r) {
        for (int i = 2; i <= kRelationSlots; ++i) EXPECT_EQ(q->partner[i], nullptr);
    }
}

// Length bytes are taken as found, but a text never gets more than its
// field holds, nor anything from beyond the record.
TEST(LegacyImport, TextsAreCutToTheirFields) {
    LegacyPerson p;
    p.pictureComment = std::string(247, 'a') + "b";  // 248
    p.sex = "MF";
    p.aliasMark = "ALIASALIASALIAS";
    Document doc;
    ASSERT_TRUE(importV15(doc, legacyFile({p}, kV15Size)).ok);
    const PersonRecord* q = doc.persons().personListHead();
    EXPECT_EQ(text(q, field::pictureComment), std::string(247, 'a'));
    EXPECT_EQ(text(q, field::sex), "M");
    EXPECT_EQ(text(q, field::aliasMark), "ALIASALIAS");

    // A date's length byte that runs on into the next field: the bytes are
    // read on, as far as the new field holds (35).
    std::string v1 = test::legacyRecord({}, kV1Size);
    v1[202] = char(200);
    for (int i = 0; i < 200; ++i) v1[203 + i] = char('0' + i % 10);
    // The last text of the record, with a length beyond the record's end.
    std::string v15 = test::legacyRecord({}, kV15Size);
    v15[1268] = char(255);
    for (size_t i = 1269; i < kV15Size; ++i) v15[i] = 'z';
    Document a, b;
    ASSERT_TRUE(importV1(a, v1).ok);
    ASSERT_TRUE(importV15(b, v15).ok);
    EXPECT_EQ(text(a.persons().personListHead(), field::birthDate),
              v1.substr(203, field::birthDate.capacity));
    EXPECT_EQ(text(b.persons().personListHead(), field::source), std::string(100, 'z'));
}

TEST(LegacyImport, ReplacesTheTreeAsOneStepThatUndoTakesBack) {
    Document doc;
    PersonList& list = test::writable(doc);
    PersonRecord* anna = test::addPerson(list, "Anna", "", 10, 20);
    PersonRecord* piotr = test::addPerson(list, "Piotr");
    piotr->mother = anna;
    ASSERT_TRUE(list.AddMarriage(anna, piotr).ok);
    list.setSelection({anna});
    doc.setCurrentFileName("/drzewa/stare.ln3");
    doc.markSaved();
    const std::vector<uint8_t> before = treeFileBytes(list);

    std::vector<LegacyPerson> persons(3);
    for (int i = 0; i < 3; ++i) persons[i].id = 20 + i;
    persons[1].fatherId = 20;
    ASSERT_TRUE(importV15(doc, legacyFile(persons, kV15Size)).ok);
    EXPECT_EQ(doc.persons().count(), 3u);
    EXPECT_EQ(doc.currentFileName(), "");
    EXPECT_FALSE(doc.treeModified());
    EXPECT_TRUE(doc.persons().selection().empty());
    EXPECT_EQ(doc.undoName(), step_name::kImportLegacy);
    EXPECT_EQ(std::string(step_name::kImportLegacy), "import pliku w starszym formacie");
    const std::vector<uint8_t> imported = treeFileBytes(list);

    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(treeFileBytes(list), before);
    EXPECT_EQ(doc.persons().personListHead(), anna);
    EXPECT_EQ(piotr->mother, anna);
    EXPECT_EQ(anna->partner[1], piotr);
    EXPECT_EQ(doc.persons().highestPersonId(), 2);
    ASSERT_EQ(doc.persons().selection().size(), 1u);
    EXPECT_TRUE(anna->selected());
    // The old tree as it was saved, under its own name.
    EXPECT_FALSE(doc.treeModified());
    EXPECT_EQ(doc.currentFileName(), "/drzewa/stare.ln3");

    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(treeFileBytes(list), imported);
    EXPECT_FALSE(doc.treeModified());
    EXPECT_EQ(doc.currentFileName(), "");
    EXPECT_EQ(doc.persons().highestPersonId(), 22);
}

TEST(LegacyImport, AFileThatIsNotWholeRecordsOrEmptyLeavesTheTreeAsItWas) {
    Document doc;
    PersonList& list = test::writable(doc);
    test::addPerson(list, "Anna");
    doc.setCurrentFileName("/drzewa/stare.ln3");
    const std::vector<uint8_t> before = treeFileBytes(list);
    std::vector<LegacyPerson> persons(3);
    for (size_t size : {kV1Size, kV15Size}) {
        std::string cut = legacyFile(persons, size);
        cut.pop_back();
        const struct {
            std::string file;
            const char* detail;
        } cases[] = {{cut, "the file ends inside record 3"}, {"", "the file is empty"}};
        for (const auto& c : cases) {
            MemorySource source(c.file);
            LegacyImportResult r =
                size == kV1Size ? ReadfromFilev1(doc, source) : ReadfromFilev1_5(doc, source, true);
            EXPECT_FALSE(r.ok);
            EXPECT_EQ(r.message, "There was an error opening the file");
            EXPECT_EQ(r.detail, c.detail);
            EXPECT_EQ(treeFileBytes(list), before);
            EXPECT_EQ(doc.currentFileName(), "/drzewa/stare.ln3");
            EXPECT_TRUE(doc.treeModified());
            EXPECT_FALSE(doc.canUndo());
        }
    }
}

TEST(LegacyImport, FilesThatCannotBeReadGiveTheMessage) {
    test::TempDir dir;
    std::string empty = dir.file("pusty.ln");
    test::writeBytes(empty, {});
    std::string two = dir.file("dwa.ln2");
    std::string bytes = legacyFile(std::vector<LegacyPerson>(2), kV15Size);
    test::writeBytes(two, std::vector<uint8_t>(bytes.begin(), bytes.end()));
    struct Case {
        std::string path;
        bool v15;
        bool ok;
        size_t persons;
    } cases[] = {
        {dir.file("brak.ln"), false, false, 1},
        {dir.path(), true, false, 1},    // a folder
        {"/dev/zero", false, false, 1},  // a device: no end of records
        {empty, false, false, 1},        // no tree, and the open one stays
        {two, true, true, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        Document doc;
        test::addPerson(test::writable(doc), "Anna");
        LegacyImportResult r =
            c.v15 ? ReadfromFilev1_5(doc, c.path, true) : ReadfromFilev1(doc, c.path);
        EXPECT_EQ(r.ok, c.ok) << r.detail;
        EXPECT_EQ(r.message, c.ok ? "" : "There was an error opening the file");
        EXPECT_EQ(doc.persons().count(), c.persons);
    }
}

}  // namespace
}  // namespace lineara
