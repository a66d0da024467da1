// Old tree files that are damaged or not old tree files at all: cut at any
// byte, random bytes, extreme numbers, sources that fail. Each import either
// gives the message and leaves the tree as it was, or gives a sound tree.
#include <gtest/gtest.h>

#include <cerrno>
#include <limits>
#include <random>
#include <string>
#include <unordered_set>
#include <vector>

#include "core/formats/legacy_v1.h"
#include "core/formats/legacy_v1_5.h"
#include "core/formats/tree_file.h"
#include "support/add_person.h"
#include "support/legacy_writer.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

using test::kV15Size;
using test::kV1Size;
using test::legacyFile;
using test::LegacyPerson;

LegacyImportResult import(Document& doc, ByteSource& source, size_t size) {
    return size == kV1Size ? ReadfromFilev1(doc, source) : ReadfromFilev1_5(doc, source, true);
}

// Links only to records of the tree, only slot 1 used, texts within their
// fields, and a tree file of today that reads back with as many records.
void expectSound(Document& doc) {
    const PersonList& list = doc.persons();
    std::unordered_set<const PersonRecord*> all;
    forEachPerson(list, [&all](const PersonRecord* r) { all.insert(r); });
    ASSERT_EQ(all.size(), list.count());
    forEachPerson(list, [&](const PersonRecord* r) {
        for (const PersonRecord* q : {r->father.get(), r->mother.get(), r->partner[1].get()}) {
            EXPECT_TRUE(q == nullptr || all.count(q) != 0);
        }
        for (int i = 2; i <= kRelationSlots; ++i) EXPECT_EQ(r->partner[i], nullptr);
        for (TextField f : field::kPersonalData) EXPECT_LE(r->text(f).size(), f.capacity);
        EXPECT_LE(r->personId(), list.highestPersonId());
    });
    test::TempDir dir;
    std::string path = dir.file("drzewo.ln3");
    ASSERT_TRUE(SavetoFile(test::writable(doc), path).written());
    Document again;
    ASSERT_TRUE(again.ReadfromFile(path).loaded());
    EXPECT_EQ(again.persons().count(), list.count());
}

std::vector<LegacyPerson> smallFamily() {
    std::vector<LegacyPerson> p(3);
    p[0].given = "Jan";
    p[0].id = 1;
    p[0].spouseId = 2;
    p[0].birthDate = "5.12.1850";
    p[1].given = "Anna";
    p[1].id = 2;
    p[1].spouseId = 1;
    p[2].given = "Ewa";
    p[2].id = 3;
    p[2].fatherId = 1;
    p[2].motherId = 2;
    return p;
}

// Every length from nothing to the whole file, handed over in pieces of
// several sizes: whole records import, anything else leaves the tree.
TEST(LegacyBadInput, ACutAtEveryByteGivesTheMessageOrTheWholeRecords) {
    for (size_t size : {kV1Size, kV15Size}) {
        const std::string file = legacyFile(smallFamily(), size);
        for (size_t piece : {size_t(1) << 20, size_t(7), size - 1}) {
            for (size_t cut = 0; cut <= file.size(); ++cut) {
                SCOPED_TRACE(::testing::Message() << size << " bytes, cut " << cut);
                Document doc;
                test::addPerson(test::writable(doc), "Stary");
                MemorySource source(file.substr(0, cut), piece);
                LegacyImportResult r = import(doc, source, size);
                // Whole records only, and at least one: an empty file is
                // no tree.
                if (cut % size == 0 && cut > 0) {
                    ASSERT_TRUE(r.ok);
                    EXPECT_EQ(doc.persons().count(), cut / size);
                    if (cut == file.size()) {
                        const PersonRecord* ewa = doc.persons().personListTail();
                        EXPECT_EQ(ewa->father, doc.persons().personListHead());
                    }
                } else {
                    ASSERT_FALSE(r.ok);
                    EXPECT_EQ(r.message, "There was an error opening the file");
                    ASSERT_EQ(doc.persons().count(), 1u);
                    EXPECT_EQ(doc.persons().personListHead()->text(field::givenNames), "Stary");
                    EXPECT_FALSE(doc.canUndo());
                }
            }
        }
    }
}

TEST(LegacyBadInput, RandomBytesGiveTheMessageOrASoundTree) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 200; ++round) {
        const size_t size = round % 2 == 0 ? kV1Size : kV15Size;
        size_t records = rng() % 6;
        size_t length = records * size + (round % 3 == 0 ? rng() % size : 0);
        std::string file(length, '\0');
        // Small ids now and then, so that links find their records.
        for (char& c : file) c = static_cast<char>(rng() % 4 == 0 ? rng() % 3 : rng());
        SCOPED_TRACE(::testing::Message() << "round " << round << ", " << length << " bytes");
        Document doc;
        MemorySource source(file, 1 + rng() % 2000);
        LegacyImportResult r = import(doc, source, size);
        ASSERT_EQ(r.ok, length % size == 0 && length > 0);
        if (!r.ok) {
            EXPECT_TRUE(doc.persons().empty());
            continue;
        }
        EXPECT_EQ(doc.persons().count(), records);
        expectSound(doc);
        if (records > 0) {
            ASSERT_TRUE(doc.undo());
            EXPECT_TRUE(doc.persons().empty());
            EXPECT_EQ(doc.persons().highestPersonId(), 0);
        }
    }
}

TEST(LegacyBadInput, ExtremeNumbersAreTakenAsTheyAre) {
    std::vector<LegacyPerson> p(4);
    p[0].id = std::numeric_limits<int32_t>::max();
    p[0].x = std::numeric_limits<int32_t>::min();
    p[0].y = std::numeric_limits<int32_t>::max();
    p[1].id = std::numeric_limits<int32_t>::min();
    p[1].fatherId = std::numeric_limits<int32_t>::max();
    p[1].motherId = std::numeric_limits<int32_t>::min();
    p[1].spouseId = -1;
    p[2].id = 0;
    p[2].spouseId = 0;
    p[3].id = -7;
    p[3].fatherId = -7;
    Document doc;
    MemorySource source(legacyFile(p, kV15Size));
    ASSERT_TRUE(ReadfromFilev1_5(doc, source, true).ok);
    const PersonRecord* first = doc.persons().personListHead();
    const PersonRecord* second = first->nextPerson;
    EXPECT_EQ(first->posX(), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(first->posY(), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(second->father, first);
    EXPECT_EQ(second->mother, nullptr);
    EXPECT_EQ(second->partner[1], nullptr);
    EXPECT_EQ(second->nextPerson->nextPerson->father, nullptr);  // ids <= 0 name nobody
    // The highest id stays at the top instead of wrapping round, and a new
    // person is then refused rather than given a negative id.
    EXPECT_EQ(doc.persons().highestPersonId(), std::numeric_limits<int32_t>::max());
    expectSound(doc);
    EXPECT_FALSE(test::writable(doc).LagNyPerson(0, 0).ok);
}

// Reads a few bytes, then fails as a disk would.
class FailingSource : public ByteSource {
public:
    explicit FailingSource(std::string bytes) : bytes_(std::move(bytes)) {}
    int64_t read(char* buffer, size_t size, int& error) override {
        if (at_ >= bytes_.size()) {
            error = EIO;
            return -1;
        }
        size_t n = std::min(size, bytes_.size() - at_);
        bytes_.copy(buffer, n, at_);
        at_ += n;
        return static_cast<int64_t>(n);
    }

private:
    std::string bytes_;
    size_t at_ = 0;
};

TEST(LegacyBadInput, AReadErrorLeavesTheTreeAsItWas) {
    for (size_t size : {kV1Size, kV15Size}) {
        Document doc;
        test::addPerson(test::writable(doc), "Stary");
        FailingSource source(legacyFile(smallFamily(), size));
        LegacyImportResult r = import(doc, source, size);
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message, "There was an error opening the file");
        EXPECT_EQ(r.detail, "Input/output error");
        EXPECT_EQ(doc.persons().count(), 1u);
    }
}

// A long file is read record batch by record batch; what it costs is the
// records, not a copy of the file.
TEST(LegacyBadInput, ALongFileReadsThrough) {
    std::vector<LegacyPerson> persons(5000);
    for (size_t i = 0; i < persons.size(); ++i) {
        persons[i].id = static_cast<int32_t>(i + 1);
        persons[i].fatherId = static_cast<int32_t>(i);  // a chain of fathers
        persons[i].spouseId = static_cast<int32_t>(persons.size() - i);
    }
    Document doc;
    MemorySource source(legacyFile(persons, kV15Size), 4093);
    ASSERT_TRUE(ReadfromFilev1_5(doc, source, false).ok);
    ASSERT_EQ(doc.persons().count(), persons.size());
    const PersonRecord* r = doc.persons().personListTail();
    size_t depth = 0;
    while (r->father != nullptr) {
        r = r->father;
        ++depth;
    }
    EXPECT_EQ(depth, persons.size() - 1);
    EXPECT_EQ(doc.persons().personListHead()->partner[1], doc.persons().personListTail());
}

}  // namespace
}  // namespace lineara
