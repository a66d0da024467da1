#include "core/formats/tree_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <filesystem>

#include "core/model/document.h"
#include "support/add_person.h"
#include "support/load_centred.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

class TreeFile : public ::testing::Test {
protected:
    PersonRecord* add(const char* given, const char* surname, int32_t x, int32_t y) {
        return test::addPerson(list, given, surname, x, y);
    }
    // A small family: parents with two relationships, a child, an alias.
    void buildFamily() {
        dad = add("Jan", "Kowalski", 102, 202);
        mum = add("Anna", "Nowak", 302, 202);
        child = add("Piotr", "Kowalski", 202, 402);
        alias = add("Anna", "Nowak", 602, 402);
        child->father = dad;
        child->mother = mum;
        mum->setText(field::aliasMark, "ALIAS");
        alias->setText(field::aliasMark, "REF");
        alias->father = mum;
        ASSERT_TRUE(list.AddMarriage(dad, mum).ok);
        ASSERT_TRUE(list.AddMarriage(mum, dad).ok);
        for (PersonRecord* p : {dad, mum}) {
            p->setText(field::relationDate(2), "1 JAN 1900");
            p->setText(field::relationPlace(2), "Kraków");
            p->setRelationType(2, 'D');
        }
        ASSERT_TRUE(list.AddMarriage(dad, alias).ok);
        list.setSelection({child});
    }

    PersonList list;
    ViewState view;
    TempDir dir;
    PersonRecord *dad = nullptr, *mum = nullptr, *child = nullptr, *alias = nullptr;
};

TEST_F(TreeFile, RoundTripKeepsRecordsOrderIdsLinksAndSlots) {
    buildFamily();
    std::string path = dir.file("family.ln3");
    ASSERT_TRUE(SavetoFile(list, path).written());
    EXPECT_EQ(readBytes(path).size(), 4u * kRecordSize);

    PersonList loaded;
    view.zoomPercent = 250;
    ASSERT_TRUE(ReadfromFileCentred(loaded, path, view, 800, 600).loaded());
    ASSERT_EQ(loaded.count(), 4u);
    const PersonRecord* d = loaded.personListHead();
    const PersonRecord* m = d->nextPerson;
    const PersonRecord* c = m->nextPerson;
    const PersonRecord* a = c->nextPerson;
    EXPECT_EQ(a, loaded.personListTail());
    EXPECT_EQ(c->father, d);
    EXPECT_EQ(c->mother, m);
    EXPECT_EQ(a->father, m);
    EXPECT_TRUE(a->isAliasBox());
    EXPECT_TRUE(m->isAliasOriginal());
    EXPECT_EQ(d->partner[1], m);
    EXPECT_EQ(d->partner[2], m);
    EXPECT_EQ(d->partner[3], a);
    EXPECT_EQ(m->partner[2], d);
    EXPECT_EQ(m->text(field::relationPlace(2)), "Kraków");
    EXPECT_EQ(m->relationType(2), 'D');
    EXPECT_EQ(c->posX(), 202);
    EXPECT_EQ(c->posY(), 402);
    // Nothing current or selected, even though `selected` was written.
    EXPECT_EQ(loaded.currentPerson(), nullptr);
    EXPECT_FALSE(c->selected());
    EXPECT_EQ(readBytes(path)[2 * kRecordSize + offset::selected], 1);
    EXPECT_EQ(loaded.highestPersonId(), 4);
    // Zoom back to 100 % and the home person in the middle of 800 x 600.
    EXPECT_EQ(view.zoomPercent, 100.0);
    EXPECT_EQ(view.scrollX, 400 - 102 - 70);
    EXPECT_EQ(view.scrollY, 300 - 202 - 40);
}

TEST_F(TreeFile, SavingFillsIdsAndWritesNoAddresses) {
    buildFamily();
    std::string path = dir.file("ids.ln3");
    ASSERT_TRUE(SavetoFile(list, path).written());
    std::vector<uint8_t> bytes = readBytes(path);
    auto int32At = [&bytes](size_t at) {
        int32_t v;
        std::memcpy(&v, &bytes[at], 4);
        return v;
    };
    size_t childAt = 2 * kRecordSize;
    EXPECT_EQ(int32At(childAt + offset::fatherId), 1);
    EXPECT_EQ(int32At(childAt + offset::motherId), 2);
    EXPECT_EQ(int32At(3 * kRecordSize + offset::fatherId), 2);  // the alias's original
    EXPECT_EQ(int32At(offset::partnerId + 4 * 3), 4);
    EXPECT_EQ(int32At(offset::partnerId + 4 * 4), 0);
    for (size_t rec = 0; rec < 4; ++rec) {
        for (int at : {0, 4, 1300, 1304, 1316, 1320, 1340, 2552}) {
            EXPECT_EQ(int32At(rec * kRecordSize + at), 0) << rec << " @" << at;
        }
    }
}

TEST_F(TreeFile, UnchangedTreeSavesByteIdentical) {
    // Bytes we do not interpret (after short strings, reserved fields,
    // leftovers of empty slots) survive a load and save.
    PersonRecord::Image raw{};
    for (int i = 0; i < kRecordSize; ++i) raw[i] = static_cast<uint8_t>(i * 7);
    raw[field::givenNames.offset] = 3;
    raw[field::aliasMark.offset] = 0;
    std::vector<uint8_t> file;
    for (int32_t id : {5, 9}) {
        PersonRecord r;
        r.loadImage(raw.data());
        r.setPersonId(id);
        r.setFatherId(id == 9 ? 5 : 0);
        r.setMotherId(0);
        for (int i = 1; i <= kRelationSlots; ++i) r.setPartnerId(i, 0);
        r.setSelected(false);
        file.insert(file.end(), r.image().begin(), r.image().end());
    }
    std::string in = dir.file("in.ln3");
    std::string out = dir.file("out.ln3");
    writeBytes(in, file);
    ASSERT_TRUE(ReadfromFileCentred(list, in, view, 100, 100).loaded());
    ASSERT_TRUE(SavetoFile(list, out).written());
    EXPECT_EQ(readBytes(out), file);
}

TEST_F(TreeFile, EmptyTreeIsAnEmptyFile) {
    std::string path = dir.file("empty.ln3");
    ASSERT_TRUE(SavetoFile(list, path).written());
    EXPECT_TRUE(readBytes(path).empty());
    view.scrollX = 17;
    view.scrollY = -4;
    view.zoomPercent = 50;
    LoadResult r = ReadfromFileCentred(list, path, view, 800, 600);
    EXPECT_TRUE(r.loaded());
    EXPECT_TRUE(r.message.empty());
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(view.scrollX, 17);
    EXPECT_EQ(view.scrollY, -4);
    EXPECT_EQ(view.zoomPercent, 100.0);
}

TEST_F(TreeFile, ExtensionMustBeLn3InAnyCase) {
    add("A", "B", 0, 0);
    for (const char* ok : {"t.ln3", "T.LN3", "t.Ln3", "xln3"}) {
        EXPECT_TRUE(SavetoFile(list, dir.file(ok)).written()) << ok;
    }
    for (const char* refused : {"t.txt", "t.ln", "t.ln2", "t.ln3.bak", "ln"}) {
        SaveResult r = SavetoFile(list, dir.file(refused));
        EXPECT_EQ(r.status, SaveResult::Refused) << refused;
        EXPECT_EQ(r.message, "Incorrect file type. Lineara did not save the file.");
        EXPECT_FALSE(test::fileExists(dir.file(refused))) << refused;
    }
    EXPECT_FALSE(hasTreeFileExtension("n3"));
}

TEST_F(TreeFile, NextIdFollowsTheHighestIdInTheFile) {
    std::vector<uint8_t> file;
    for (int32_t id : {3, 57, 12}) {
        PersonRecord r;
        r.setPersonId(id);
        file.insert(file.end(), r.image().begin(), r.image().end());
    }
    std::string path = dir.file("gaps.ln3");
    writeBytes(path, file);
    ASSERT_TRUE(ReadfromFileCentred(list, path, view, 100, 100).loaded());
    EXPECT_EQ(list.highestPersonId(), 57);
    ASSERT_TRUE(list.LagNyPerson(0, 0).ok);
    EXPECT_EQ(list.currentPerson()->personId(), 58);
}

TEST_F(TreeFile, SaveKeepsPermissionsAndLeavesNoTemporaryFiles) {
    add("A", "B", 0, 0);
    std::string path = dir.file("perm.ln3");
    writeBytes(path, {});
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(SavetoFile(list, path).written());
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    size_t entries = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(entries, 1u);
}

TEST(DocumentFile, DamagedFileLeavesTheDocumentUntitled) {
    TempDir dir;
    Document doc;
    ViewState view;
    doc.setCurrentFileName("/somewhere/old.ln3");
    std::string path = dir.file("bad.ln3");
    writeBytes(path, std::vector<uint8_t>(kRecordSize + 1, 0));
    LoadResult r = doc.ReadfromFile(path);
    EXPECT_EQ(r.status, LoadResult::Unrecognized);
    EXPECT_EQ(doc.currentFileName(), "");

    // A file that cannot be opened keeps the name: the caller decides.
    doc.setCurrentFileName("x.ln3");
    r = doc.ReadfromFile(dir.file("missing.ln3"));
    EXPECT_EQ(r.status, LoadResult::FileError);
    EXPECT_EQ(doc.currentFileName(), "x.ln3");
}

}  // namespace
}  // namespace lineara
