// The commands that change the structure of the tree: new persons,
// deletion, links to father, mother and partners, and the home person.
//
// They work on the document and the view state only; the windows call them
// from menus, keys and gestures and turn the results into message boxes,
// editor windows and repaints. Each command checks the conditions that every
// route to it shares (menus, context menu, keys, toolbar), so a stray call
// cannot break the tree; the rules in which those routes differ are the
// windows' business (see editing_states.h).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/model/document.h"

namespace lineara {

extern const char kConfirmCaption[];           // "Potwierdz"
extern const char kMsgRelationshipMismatch[];  // the other side could not be matched

// The page on which the person editor opens.
enum class EditorPage { BasicInformation, Relationship };

// What the window has to do after a command.
struct EditResult {
    // The tree changed: records, links or their order. treeModified is
    // already set by the document wherever the change counts as one.
    bool changed = false;
    bool repaint = false;
    // The command made a box that now hangs on the mouse by its centre
    // until the button is released; `armDrag` when it must also pass the
    // drag threshold first (the alias commands).
    bool carryNewBox = false;
    bool armDrag = false;
    // Whatever the canvas was dragging has ended (the box being dragged
    // was deleted, or a box was made where the press ended a link).
    bool endDrag = false;
    std::string message;  // for a message box; empty when there is nothing to say
    const PersonRecord* openEditorFor = nullptr;  // open the person editor for this person
    EditorPage editorPage = EditorPage::BasicInformation;
};

// --- new persons ---

// A new person of the given sex ('M' or 'F') at the mouse point (tree
// units), made current, to be carried by the mouse by its centre; the
// canvas opens the editor when the carrying drag ends.
EditResult newPerson(Document& doc, int32_t mouseX, int32_t mouseY, char sex);

// --- delete ---

struct DeleteQuestion {
    bool ask = false;  // false: nothing to delete, the command does nothing
    std::string caption;
    std::string text;
};
// The Yes/No question to ask before deleting the selection or the current
// person.
DeleteQuestion deleteQuestion(const Document& doc);
// The deletion after the user answered Yes: the selection in its order if
// there is one, otherwise the current person. The current person is null
// afterwards and the selection empty.
EditResult deleteConfirmed(Document& doc);

// --- links ---

enum class LinkKind { Father, Mother, Partner };

// The first half of a link command: with a current person, the rubber line
// starts at the centre of its box and the link waits for a click (the
// canvas keeps it waiting). `ok` says whether a link may start (the window
// shows the cross pointer either way).
// An alias box takes no father or mother link: its father slot is the link
// to the person it stands for, which such a link would overwrite.
struct LinkStart {
    bool ok = false;
    int32_t lineX = 0;  // where the rubber line starts, in tree units
    int32_t lineY = 0;
};
LinkStart startLink(const Document& doc, LinkKind kind);
// Whether a link of this kind may start from `person` (see above).
bool canStartLink(const PersonRecord& person, LinkKind kind);

// Completes a waiting link on a press: `prev` is the person current before
// the press, `clicked` the box under it (null on empty canvas), (x, y) the
// press in tree units.
EditResult completeLink(Document& doc, LinkKind kind, const PersonRecord* prev,
                        const PersonRecord* clicked, int32_t x, int32_t y);

EditResult deleteLinkToFather(Document& doc);
EditResult deleteLinkToMother(Document& doc);

// --- relationships: the delete-link-to-relative dialog ---

struct RelationshipLine {
    int slot = 0;      // the slot of the current person it stands for
    std::string text;  // record bytes: "names (birth - death)" of the partner
};
// One line per used slot of the current person, in slot order.
std::vector<RelationshipLine> relationshipLines(const Document& doc);

struct RelationshipDeletion {
    bool closeDialog = false;  // false: no line was chosen, the dialog stays open
    std::string message;
};
// Deletes the relationship of dialog line `line` (0-based; -1 for none) on
// both sides; when the partner's side cannot be told apart, only the
// current person's side goes and the message says so.
RelationshipDeletion deleteRelationship(Document& doc, int line);

// --- home person ---

// The current person becomes the home person (the head of the list). The
// file order changes, but that alone does not count as a modification.
EditResult makeHome(Document& doc);

}  // namespace lineara
