// Steps that move boxes keep places, not records: the arrangement of a big
// tree must not hold a copy of every record while it runs, and undo and
// redo still give back every byte.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "core/formats/tree_file.h"
#include "core/layout/auto_arrange.h"
#include "core/layout/organize_tree.h"
#include "core/model/document.h"
#include "support/add_person.h"
#include "support/child_process.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

// A line of /proc/self/status in KiB ("VmRSS", "VmHWM"); -1 if missing.
long statusKiB(const std::string& key) {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line)) {
        if (line.compare(0, key.size() + 1, key + ":") == 0) {
            return std::stol(line.substr(key.size() + 1));
        }
    }
    return -1;
}

TEST(PlaceStepTest, ArrangingABigTreeNeedsFarLessMemoryThanItsRecords) {
#if defined(LINEARA_UNDER_ASAN)
    GTEST_SKIP() << "the sanitizer's own memory hides the arrangement's";
#endif
    const std::string failure = test::runInChild(
        [] {
            constexpr int kPersons = 20000;
            Document doc;
            generateSyntheticTree(test::writable(doc), kPersons, 5);
            // Start the peak afresh: what the tree itself took is not the
            // arrangement's.
            std::ofstream("/proc/self/clear_refs") << "5";
            const long base = statusKiB("VmRSS");
            if (autoArrange(doc).ok == false) return std::string("not arranged");
            const long peak = statusKiB("VmHWM");
            if (base < 0 || peak < 0) return std::string("no memory figures");
            const long records = long(kPersons) * kRecordSize / 1024;
            if ((peak - base) * 3 > records) {
                std::ostringstream out;
                out << "arranging took " << peak - base << " KiB over " << records
                    << " KiB of records";
                return out.str();
            }
            return std::string();
        },
        false);
    EXPECT_EQ(failure, "");
}

TEST(PlaceStepTest, UndoAndRedoGiveBackEveryByteOfMovesMixedWithOtherChanges) {
    Document doc;
    PersonList& list = test::writable(doc);
    generateSyntheticTree(list, 300, 9);
    const std::vector<uint8_t> original = treeFileBytes(list);

    const PersonRecord* a = list.personListHead()->nextPerson;
    const PersonRecord* b = a->nextPerson;
    doc.change("mixed", [&](TreeEdit& edit) {
        // Placed, then written whole: the whole record as it was comes back.
        edit.setPlace(a, 11, 22, true);
        edit.edit(a)->setText(field::surname, "Nowak");
        // Placed twice: the first place is the one to go back to.
        edit.setPlace(b, 33, 44, false);
        edit.setPlace(b, 55, 66, true);
        // Written whole, then placed.
        PersonRecord* c = edit.edit(b->nextPerson);
        c->setText(field::givenNames, "Ewa");
        edit.setPlace(c, -7, -8, false);
    });
    const std::vector<uint8_t> changed = treeFileBytes(list);
    ASSERT_NE(changed, original);
    EXPECT_EQ(a->posX(), 11);
    EXPECT_TRUE(a->selected());

    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(treeFileBytes(list), original);
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(treeFileBytes(list), changed);

    autoArrange(doc);
    const std::vector<uint8_t> arranged = treeFileBytes(list);
    ASSERT_NE(arranged, changed);
    ASSERT_TRUE(doc.undo());
    EXPECT_EQ(treeFileBytes(list), changed);
    ASSERT_TRUE(doc.redo());
    EXPECT_EQ(treeFileBytes(list), arranged);
}

}  // namespace
}  // namespace lineara
