// Organising the ancestors of the current person: every ancestor of up to
// eight generations goes to its place in the pedigree pattern above the
// person, who stays where he or she is. Only positions change.
#pragma once

#include <string>

#include "core/layout/ancestor_walk.h"
#include "core/layout/pedigree_pattern.h"
#include "core/model/document.h"

namespace lineara {

constexpr int kMaxOrganizedGenerations = 8;

extern const char kErrorCaption[];           // "Error"
extern const char kMsgCircularReferences[];  // "The tree is very large. There might be ..."
// "The tree contains more than 8 generations and will not be organized."
std::string tooManyGenerationsMessage(int maxGenerations);

struct OrganizeResult {
    enum Status {
        NoAncestors,         // no current person, or one without parents: nothing happens
        Organized,           // the ancestors are in their places
        CircularReferences,  // refused: the walk reached its limit
        TooManyGenerations,  // refused: more generations than may be organised
    };
    Status status = NoAncestors;
    int generations = 0;  // found by the walk, the person included
    // For a message box when not empty; an empty caption is the program's
    // own.
    std::string caption;
    std::string message;
};

// The organisation on the list, not undoable by itself: walks up from the
// current person (the table is reset first and keeps this walk's results)
// and, unless refused, sets the positions of every ancestor in the table. An ancestor who stands in
// several places of the pedigree ends in the last of them, generation by
// generation and left to right. Who is current is the command's business
// (see organizeAncestors). A `maxGenerations` above the table's rows
// counts as the rows.
OrganizeResult organizeAncestorsOnList(TreeEdit& list, AncestorTable& table, TreeStyle style,
                                       int maxGenerations = kMaxOrganizedGenerations);

// The command: one undo step when anything moved. Nobody is current
// afterwards, whether the tree was organised or refused.
OrganizeResult organizeAncestors(Document& doc, AncestorTable& table, TreeStyle style);

}  // namespace lineara
