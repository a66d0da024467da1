// The automatic arrangement: every box of the tree gets a new place by
// walking the family links from the person with the most generations of
// ancestors, who becomes the home person. Generation rows are 500 units
// apart and fill from left to right; then each row is centred over the
// one below (see centre_rows.h). Only positions and the list order change.
#pragma once

#include "core/model/document.h"
#include "core/model/outcome.h"

namespace lineara {

extern const char kMsgNothingToArrange[];  // "Nie ma co przestawic."
// The question the program asks first (its second sentence starts after
// the carriage return).
extern const char kAskAutoArrange[];

// The arrangement on the list, not undoable by itself (autoArrange runs it
// as a step):
// 1. the root is the first record with the most generations of ancestors
//    (as the ancestor walk counts them), and becomes the home person and
//    the current person;
// 2. every record, the root first and then in list order, is placed with
//    its relatives depth first: the children and partners that name it
//    (in list order), its own partners (slots 1 to 8), its father one row
//    up and 160 units left, its mother one row up and 160 units right.
//    A box goes at its proposed place or at its generation level's right
//    frontier, whichever is further right, and pushes the frontier 160
//    units on; levels stay within -999 .. 999 of the root's. Records not
//    connected to the root start further groups from their own places;
// 3. the rows are centred over each other;
// 4. no box is selected afterwards.
// Everything is worked out before the first write, so running out of
// memory (std::bad_alloc) leaves the list as it was. Nothing happens to
// an empty list.
void autoArrangeOnList(TreeEdit& list);

// The command: one undo step; the home person is current afterwards.
// Fails with kMsgNothingToArrange for an empty tree.
Outcome autoArrange(Document& doc);

}  // namespace lineara
