// Undo is only worth having if it is exact. These tests run long random
// sequences of every kind of change the document knows on generated trees,
// then undo all the way back and redo all the way forward, comparing the
// bytes a save would write (and who is current and selected) at each step.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "core/checks/date_check.h"
#include "core/formats/tree_file.h"
#include "core/history/step_names.h"
#include "core/model/document.h"
#include "core/model/editing.h"
#include "core/model/editing_aliases.h"
#include "core/model/person_edit.h"
#include "core/view/viewport.h"
#include "support/add_person.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

// What a user could tell apart: the file's bytes, the current person and
// the selection (by place in the list), and the next id to be given out.
struct Fingerprint {
    std::vector<uint8_t> bytes;
    long current = -1;
    std::vector<long> selection;
    int32_t highestId = 0;
    bool operator==(const Fingerprint& o) const {
        return bytes == o.bytes && current == o.current && selection == o.selection &&
               highestId == o.highestId;
    }
};

long placeOf(const PersonList& list, const PersonRecord* r) {
    long i = 0;
    for (const PersonRecord* q = list.personListHead(); q != nullptr; q = q->nextPerson, ++i) {
        if (q == r) return i;
    }
    return -1;
}

Fingerprint fingerprint(Document& doc) {
    Fingerprint f;
    PersonList& list = test::writable(doc);
    f.bytes = treeFileBytes(list);
    f.current = placeOf(list, list.currentPerson());
    for (const PersonRecord* r : list.selection()) f.selection.push_back(placeOf(list, r));
    f.highestId = list.highestPersonId();
    return f;
}

// Makes random changes of every kind through the document's operations.
class RandomUser {
public:
    RandomUser(Document& doc, uint32_t seed) : doc_(doc), rng_(seed) {}

    // `ready` is called right before the operation itself, after the
    // choices of current person and selection that lead up to it.
    void act(const std::function<void()>& ready) {
        const uint32_t kind = below(14);
        if (kind == 0) return doc_.setCurrentPerson(pick());
        if (kind == 1) return select();
        if (kind == 13) return doc_.clearSelection();
        if (kind == 3 || (kind >= 5 && kind <= 8)) doc_.setCurrentPerson(pick());
        if (kind == 4) {
            from_ = pick();
            if (from_ != nullptr) doc_.setCurrentPerson(from_);
        }
        ready();
        switch (kind) {
        case 2:
            newPerson(doc_, coordinate(), coordinate(), below(2) ? 'M' : 'F');
            break;
        case 3:
            if (deleteQuestion(doc_).ask) deleteConfirmed(doc_);
            break;
        case 4:
            link();
            break;
        case 5:
            below(2) ? deleteLinkToFather(doc_) : deleteLinkToMother(doc_);
            break;
        case 6:
            deleteRelationship(doc_, below(3));
            break;
        case 7:
            below(2) ? makeAlias(doc_, coordinate(), coordinate())
                     : makeThisAnAlias(doc_, coordinate(), coordinate());
            break;
        case 8:
            makeHome(doc_);
            break;
        case 9:
            alignSelection(doc_, static_cast<AlignSide>(below(4)));
            break;
        case 10:
            drag();
            break;
        case 11:
            editPerson();
            break;
        case 12:
            if (below(4) == 0) DCheck(doc_);
            break;
        }
    }

private:
    uint32_t below(uint32_t n) { return rng_() % n; }
    int32_t coordinate() { return static_cast<int32_t>(below(4000)) - 2000; }
    std::vector<const PersonRecord*> all() const {
        std::vector<const PersonRecord*> v;
        for (const PersonRecord* r = doc_.persons().personListHead(); r; r = r->nextPerson) {
            v.push_back(r);
        }
        return v;
    }
    const PersonRecord* pick() {
        auto v = all();
        if (v.empty() || below(8) == 0) return nullptr;
        return v[below(static_cast<uint32_t>(v.size()))];
    }
    void select() {
        std::vector<const PersonRecord*> chosen;
        for (const PersonRecord* r : all()) {
            if (below(6) == 0) chosen.push_back(r);
        }
        doc_.setSelection(chosen);
    }
    void link() {
        const PersonRecord* from = from_;
        if (from == nullptr) return;
        auto kind = static_cast<LinkKind>(below(3));
        if (!startLink(doc_, kind).ok) return;
        const PersonRecord* clicked = below(3) == 0 ? nullptr : pick();
        completeLink(doc_, kind, const_cast<PersonRecord*>(from),
                     const_cast<PersonRecord*>(clicked), coordinate(), coordinate());
    }
    void drag() {
        std::vector<const PersonRecord*> moved(doc_.persons().selection().begin(),
                                               doc_.persons().selection().end());
        if (moved.empty()) {
            if (const PersonRecord* p = pick()) moved.push_back(p);
        }
        doc_.beginLiveMove(moved);
        for (int k = 0; k < 3; ++k) {
            const int32_t dx = static_cast<int32_t>(below(41)) - 20;
            const int32_t dy = static_cast<int32_t>(below(41)) - 20;
            for (const PersonRecord* r : moved) doc_.moveLive(r, r->posX() + dx, r->posY() + dy);
        }
        if (below(5) == 0) {
            doc_.cancelLiveMove();
        } else {
            doc_.endLiveMove(step_name::moveBoxes(moved.size()));
        }
    }
    void editPerson() {
        const PersonRecord* edited = pick();
        if (edited == nullptr) return;
        PersonRecord copy(*edited);
        copy.mother = edited->mother;
        copy.father = edited->father;
        copy.partner = edited->partner;
        PersonBoxes boxes = boxesFrom(copy);
        boxes.surname = "Nowak" + std::to_string(below(100));
        boxes.birthDate = below(2) ? "3.4.1901" : "";
        boxes.male = below(2);
        boxes.female = !boxes.male;
        std::vector<RelationRow> rows = relationRowsOf(copy);
        for (RelationRow& row : rows) {
            row.date = std::to_string(1900 + below(50));
            row.type = std::string(1, "MPDFSOU"[below(7)]);
        }
        saveEditedPerson(doc_, edited, copy, boxes, rows);
    }

    Document& doc_;
    const PersonRecord* from_ = nullptr;
    std::mt19937 rng_;
};

struct StepRecord {
    Fingerprint before, after;
    std::string name;
};

class UndoProperty : public ::testing::TestWithParam<uint32_t> {};

TEST_P(UndoProperty, UndoAndRedoGiveBackEveryStateByteForByte) {
    Document doc;
    generateSyntheticTree(test::writable(doc), 40, GetParam());
    RandomUser user(doc, GetParam());
    std::vector<StepRecord> steps;
    for (int i = 0; i < 400 && steps.size() < History::kMaxSteps; ++i) {
        Fingerprint before;
        const size_t done = doc.history().done();
        user.act([&] { before = fingerprint(doc); });
        if (doc.history().done() == done) continue;
        ASSERT_EQ(doc.history().done(), done + 1);
        steps.push_back({std::move(before), fingerprint(doc), doc.undoName()});
    }
    ASSERT_GT(steps.size(), 40u);

    for (size_t k = steps.size(); k-- > 0;) {
        ASSERT_EQ(doc.undoName(), steps[k].name);
        ASSERT_TRUE(doc.undo());
        ASSERT_TRUE(fingerprint(doc) == steps[k].before)
            << "undo of step " << k << " (" << steps[k].name << ")";
    }
    EXPECT_FALSE(doc.canUndo());
    EXPECT_FALSE(doc.treeModified());  // back where the tree started
    for (size_t k = 0; k < steps.size(); ++k) {
        ASSERT_EQ(doc.redoName(), steps[k].name);
        ASSERT_TRUE(doc.redo());
        ASSERT_TRUE(fingerprint(doc) == steps[k].after)
            << "redo of step " << k << " (" << steps[k].name << ")";
    }
    EXPECT_FALSE(doc.canRedo());
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoProperty, ::testing::Values(1u, 2u, 3u, 4u, 5u, 6u));

}  // namespace
}  // namespace lineara
