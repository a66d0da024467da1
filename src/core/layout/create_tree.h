// Creating an empty pedigree above a person who has no parents yet: new
// persons for every father and mother of 2 to 7 generations (the person
// included), linked and placed in the pedigree pattern, for the user to
// fill in.
#pragma once

#include <string>
#include <string_view>

#include "core/layout/pedigree_pattern.h"
#include "core/model/document.h"
#include "core/model/outcome.h"

namespace lineara {

constexpr int kMinCreatedGenerations = 2;
constexpr int kMaxCreatedGenerations = 7;

extern const char kPsstCaption[];            // "PSST"
extern const char kMsgMinimumGenerations[];  // "Minimum 2 generations!"
extern const char kMsgMaximumGenerations[];  // "Maximum 7 generations per tree, please."
// Why a pedigree cannot be created for the current person (the command is
// not available then; this is for callers that did not check).
extern const char kMsgCannotCreateTreeHere[];

// What became of the number of generations the user entered.
struct GenerationsEntry {
    enum Status {
        Accepted,    // `generations` holds it
        Refused,     // out of range: say so and ask again
        NotANumber,  // say so and end the command
    };
    Status status = Accepted;
    int generations = 0;
    std::string caption;  // for the message box; empty is the program's own
    std::string message;
};

// Reads the entered text as an integer the way the program always has:
// blanks before it, a sign, decimal digits or "$"/"0x" and hex digits,
// nothing after it, within 32 bits. A text that is not one gives
// "'TEXT' is not a valid integer value".
GenerationsEntry checkGenerations(std::string_view text);

// Whether the current person may get a new pedigree: there is one, with
// neither father nor mother, and not an alias box.
bool canCreateAncestorTree(const PersonList& list);

// Creates the pedigree above the current person on the list, not undoable
// by itself (createAncestorTree runs it as a step):
// generation by generation, each from left to right, a father ("M") and
// then a mother ("F") for every person of the generation below, in list
// order at the tail. Nobody is current afterwards. `generations` must be
// accepted by checkGenerations and the current person pass
// canCreateAncestorTree; otherwise nothing happens and the result says
// why. When a new person cannot be made (kMsgNewPersonFailed), the
// persons made so far are taken back and the list is as it was.
Outcome createAncestorTreeOnList(TreeEdit& list, TreeStyle style, int generations);

// The command after the number was accepted: one undo step.
Outcome createAncestorTree(Document& doc, TreeStyle style, int generations);

}  // namespace lineara
