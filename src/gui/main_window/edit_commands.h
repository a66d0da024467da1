// The editing commands: the "&Edytuj", "&Łącza" and "&Alias" menus, their
// buttons and keys, and undo and redo. The commands themselves are in
// core/model/editing*.h; here their results become questions, messages,
// gestures of the canvas and repaints.
#pragma once

#include <QCoreApplication>
#include <QSize>

#include "core/model/document.h"
#include "core/model/editing.h"
#include "core/view/viewport.h"
#include "gui/canvas/canvas_interaction.h"
#include "gui/platform/user_interaction.h"
#include "render/platform/record_codec.h"

class QDialog;
class QWidget;

namespace lineara {

class EditEnvironment {
public:
    virtual ~EditEnvironment() = default;
    virtual Document& document() = 0;
    virtual ViewState& view() = 0;
    virtual QSize windowSize() const = 0;
    virtual UserInteraction& ui() = 0;
    virtual const RecordCodec& codec() const = 0;
    virtual GestureControl& gestures() = 0;
    virtual void repaintTree() = 0;
    virtual void refreshCommandStates() = 0;
    virtual void editPerson(const PersonRecord* person, bool relationshipPage) = 0;
    // Runs a modal dialog of the commands.
    virtual void runDialog(QDialog& dialog) = 0;
    virtual QWidget* dialogParent() = 0;
    // The command came from a key, or from a menu worked with the keyboard.
    virtual bool chosenWithKeyboard() const = 0;
};

class EditCommands {
    Q_DECLARE_TR_FUNCTIONS(EditCommands)

public:
    explicit EditCommands(EditEnvironment& env) : env_(env) {}

    // A new box at the mouse, carried until the next release.
    void newMale();
    void newFemale();
    // Asks, then deletes the selection or the current person.
    void deleteSelected();
    void makeHome();
    // What a double click on the box does, without the double click's
    // ending of the press that came before it.
    void editProperties();
    void makeAlias();
    void makeThisAnAlias();
    void goToAlias();
    // A link command waits for the click on the other box.
    void linkToFather();
    void linkToMother();
    void linkToRelative();
    void deleteLinkToFather();
    void deleteLinkToMother();
    // Chooses one of the current person's relationships to delete.
    void deleteLinkToRelative();
    void align(AlignSide side);
    void undo();
    void redo();

private:
    void applyResult(const EditResult& result);
    // Runs a command that may leave a new box on the mouse.
    void runCreation(const EditResult& result);
    void startLink(LinkKind kind);
    void takeHistoryStep(bool back);

    EditEnvironment& env_;
};

}  // namespace lineara
