#include "gui/main_window/edit_commands.h"

#include <QStringList>
#include <memory>

#include "core/model/editing_aliases.h"
#include "core/model/editing_states.h"
#include "gui/common/busy_cursor.h"
#include "gui/common/core_texts.h"
#include "gui/dialogs/delete_relationship_dialog.h"

namespace lineara {

namespace {

WindowExtent extentOf(QSize size) { return WindowExtent{size.width(), size.height()}; }

}  // namespace

void EditCommands::applyResult(const EditResult& result) {
    if (!result.message.empty()) {
        env_.ui().inform(QStringLiteral("Lineara"), coreText(result.message), MessageIcon::Warning);
    }
    if (result.endDrag) env_.gestures().endDrag();
    if (result.repaint) env_.repaintTree();
    env_.refreshCommandStates();
    if (result.openEditorFor != nullptr) {
        env_.editPerson(result.openEditorFor, result.editorPage == EditorPage::Relationship);
    }
}

void EditCommands::runCreation(const EditResult& result) {
    env_.gestures().carryNewBox(result);
    applyResult(result);
}

void EditCommands::newMale() {
    const TreePoint at = env_.gestures().mousePoint();
    runCreation(newPerson(env_.document(), at.x, at.y, 'M'));
}

void EditCommands::newFemale() {
    const TreePoint at = env_.gestures().mousePoint();
    runCreation(newPerson(env_.document(), at.x, at.y, 'F'));
}

void EditCommands::deleteSelected() {
    Document& doc = env_.document();
    const DeleteQuestion q = deleteQuestion(doc);
    if (!q.ask || !env_.ui().askYesNo(coreText(q.caption), coreText(q.text))) return;
    EditResult result;
    {
        // A long selection takes a while; a single person is instant.
        std::unique_ptr<BusyCursor> busy;
        if (!doc.persons().selection().empty()) busy = std::make_unique<BusyCursor>();
        result = deleteConfirmed(doc);
    }
    applyResult(result);
}

void EditCommands::makeHome() { applyResult(lineara::makeHome(env_.document())); }

void EditCommands::editProperties() { env_.gestures().editCurrentPerson(); }

void EditCommands::makeAlias() {
    const TreePoint at = env_.gestures().mousePoint();
    runCreation(lineara::makeAlias(env_.document(), at.x, at.y));
}

void EditCommands::makeThisAnAlias() {
    const TreePoint at = env_.gestures().mousePoint();
    runCreation(lineara::makeThisAnAlias(env_.document(), at.x, at.y));
}

void EditCommands::goToAlias() {
    const PersonRecord* target = goToAliasOrOriginal(env_.document());
    if (target == nullptr) return;
    // The press to ignore is the one a mouse choice in a menu may leave
    // behind; a key leaves none, and the next click must count.
    env_.gestures().ignoreNextPress(!env_.chosenWithKeyboard());
    centreAtPresentZoom(env_.view(), extentOf(env_.windowSize()), target->posX(), target->posY());
    env_.repaintTree();
    env_.refreshCommandStates();
}

// The pointer shows that the next click picks the other box, even when
// there is nobody to link from.
void EditCommands::startLink(LinkKind kind) {
    // The tool bar's buttons stay enabled on an alias box, whose menu items
    // are not: there the command does nothing at all.
    Document& doc = env_.document();
    const PersonRecord* p = doc.persons().currentPerson();
    if (p != nullptr && !canStartLink(*p, kind)) return;
    env_.gestures().showLinkPointer();
    const LinkStart start = lineara::startLink(doc, kind);
    if (!start.ok) return;
    env_.gestures().waitForLink(kind, TreePoint{start.lineX, start.lineY});
}

void EditCommands::linkToFather() { startLink(LinkKind::Father); }
void EditCommands::linkToMother() { startLink(LinkKind::Mother); }
void EditCommands::linkToRelative() { startLink(LinkKind::Partner); }

void EditCommands::deleteLinkToFather() {
    applyResult(lineara::deleteLinkToFather(env_.document()));
}

void EditCommands::deleteLinkToMother() {
    applyResult(lineara::deleteLinkToMother(env_.document()));
}

void EditCommands::deleteLinkToRelative() {
    Document& doc = env_.document();
    const std::vector<RelationshipLine> lines = relationshipLines(doc);
    if (lines.empty()) return;
    QStringList texts;
    for (const RelationshipLine& line : lines) texts << env_.codec().decode(line.text);
    DeleteRelationshipDialog dialog(texts, env_.dialogParent());
    dialog.setDeleteHandler([this, &doc](int line) {
        const RelationshipDeletion d = deleteRelationship(doc, line);
        if (!d.message.empty()) {
            env_.ui().inform(QStringLiteral("Lineara"), coreText(d.message), MessageIcon::Warning);
        }
        return d.closeDialog;
    });
    env_.runDialog(dialog);
    env_.repaintTree();
    env_.refreshCommandStates();
}

void EditCommands::align(AlignSide side) {
    if (alignSelection(env_.document(), side)) env_.repaintTree();
}

void EditCommands::undo() { takeHistoryStep(true); }
void EditCommands::redo() { takeHistoryStep(false); }

// A step is never taken in the middle of a gesture: the gesture's own
// pointers and positions would no longer match the tree.
void EditCommands::takeHistoryStep(bool back) {
    if (env_.gestures().gestureUnderWay()) return;
    Document& doc = env_.document();
    const bool done = back ? doc.undo() : doc.redo();
    if (!done) return;
    env_.repaintTree();
    env_.refreshCommandStates();
}

}  // namespace lineara
