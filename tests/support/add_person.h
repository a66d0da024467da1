// A new person in a test tree: made the way the program makes one, named,
// placed, and left current.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

#include "core/model/document.h"
#include "core/model/person_list.h"
#include "core/model/tree_edit.h"

namespace lineara::test {

// Tests build their trees straight into the list, beside the document's
// door: what they set up is the starting point, not a step to undo.
inline PersonList& writable(Document& doc) { return const_cast<PersonList&>(doc.persons()); }

// Runs an operation's work on a test's own list, where nothing records it.
template <typename Op>
auto onList(PersonList& list, Op&& op) {
    TreeEdit edit(list);
    return op(edit);
}

// The names are code page bytes, as stored in the record.
inline PersonRecord* addPerson(PersonList& list, std::string_view given = {},
                               std::string_view surname = {}, int32_t x = 0, int32_t y = 0) {
    EXPECT_TRUE(list.LagNyPerson(0, 0).ok);
    PersonRecord* p = list.edit(list.currentPerson());
    p->setText(field::givenNames, given);
    p->setText(field::surname, surname);
    p->setPos(x, y);
    return p;
}

}  // namespace lineara::test
