// An operation reaches records in many ways: the current person, a link
// from another record, a walk of the list, an id, the selection. Whatever
// way it came, what it writes through the edit context is in its step:
// undo gives back the tree before it byte for byte, and the step before
// stays the next one to undo.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/formats/tree_file.h"
#include "core/model/document.h"
#include "support/add_person.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

std::vector<uint8_t> bytes(Document& doc) { return treeFileBytes(test::writable(doc)); }

// The first record in list order that `has` is true of.
const PersonRecord* firstWith(const PersonList& list,
                              const std::function<bool(const PersonRecord&)>& has) {
    for (const PersonRecord* r = list.personListHead(); r != nullptr; r = r->nextPerson) {
        if (has(*r)) return r;
    }
    return nullptr;
}

TEST(EditContext, WhateverWayARecordWasReachedItsWriteIsUndoneExactly) {
    using Route = std::function<void(TreeEdit&)>;
    const struct {
        const char* name;
        Route write;
    } routes[] = {
        {"current person",
         [](TreeEdit& e) { e.edit(e.currentPerson())->setText(field::surname, "Zmieniony"); }},
        {"father of the current person",
         [](TreeEdit& e) { e.edit(e.currentPerson()->father)->setPos(-7000, 4321); }},
        {"partner reached through a partner",
         [](TreeEdit& e) {
             const PersonRecord* p = firstWith(e, [](const PersonRecord& r) {
                 return r.partner[1] != nullptr && r.partner[1]->mother != nullptr;
             });
             PersonRecord* w = e.edit(p->partner[1]->mother);
             w->setText(field::occupation, "kowal");
             w->father = p;
         }},
        {"every record on a walk",
         [](TreeEdit& e) {
             forEachPerson(
                 e, [&e](const PersonRecord* r) { e.edit(r)->setText(field::birthPlace, "Wieś"); });
         }},
        {"a record found by its id",
         [](TreeEdit& e) { e.edit(e.findPersonById(3))->setText(field::givenNames, "Trzeci"); }},
        {"the selection, then the list order",
         [](TreeEdit& e) {
             const std::vector<const PersonRecord*> chosen = e.selection();
             for (const PersonRecord* r : chosen) e.edit(r)->setPos(r->posX() + 5, r->posY());
             e.moveToFront(chosen.back());
             e.clearSelection();
         }},
    };
    for (const auto& route : routes) {
        SCOPED_TRACE(route.name);
        Document doc;
        generateSyntheticTree(test::writable(doc), 60, 7);
        const PersonRecord* child = firstWith(doc.persons(), [](const PersonRecord& r) {
            return r.father == nullptr && !r.isAliasBox() && r.partner[1] != nullptr;
        });
        ASSERT_NE(child, nullptr);
        doc.setCurrentPerson(child);
        doc.setSelection({child->partner[1], child->nextPerson, child->nextPerson->nextPerson});
        const std::vector<uint8_t> start = bytes(doc);
        // The step before: the current person gets a father of his own.
        doc.change("before", [child](TreeEdit& e) {
            ASSERT_TRUE(e.LagNyPerson(-1000, -1000).ok);
            e.edit(child)->father = e.currentPerson();
            e.setCurrentPerson(child);
        });
        const std::vector<uint8_t> beforeWrite = bytes(doc);

        doc.change("write", route.write);
        const std::vector<uint8_t> written = bytes(doc);
        ASSERT_NE(written, beforeWrite);

        EXPECT_EQ(doc.undoName(), "write");
        ASSERT_TRUE(doc.undo());
        EXPECT_EQ(bytes(doc), beforeWrite);
        EXPECT_EQ(doc.undoName(), "before");
        ASSERT_TRUE(doc.undo());
        EXPECT_EQ(bytes(doc), start);
        EXPECT_FALSE(doc.treeModified());
        ASSERT_TRUE(doc.redo());
        ASSERT_TRUE(doc.redo());
        EXPECT_EQ(bytes(doc), written);
    }
}

}  // namespace
}  // namespace lineara
