// The automatic layout commands: organising the ancestors of the current
// person, creating an empty pedigree above a person, and arranging the
// whole tree. The work is in core/layout; here are the dialog, the
// question and the messages.
#pragma once

#include <QCoreApplication>
#include <QPointer>
#include <QSize>

#include "core/layout/ancestor_walk.h"
#include "core/layout/pedigree_pattern.h"
#include "core/model/document.h"
#include "core/view/view_state.h"
#include "gui/dialogs/create_tree_dialog.h"
#include "gui/platform/user_interaction.h"
#include "render/platform/record_codec.h"

namespace lineara {

class LayoutEnvironment {
public:
    virtual ~LayoutEnvironment() = default;
    virtual Document& document() = 0;
    virtual ViewState& view() = 0;
    virtual QSize windowSize() const = 0;
    virtual UserInteraction& ui() = 0;
    virtual const RecordCodec& codec() const = 0;
    virtual void repaintTree() = 0;
    virtual void refreshCommandStates() = 0;
    virtual void setStatusText(const QString& text) = 0;
    virtual void runDialog(QDialog& dialog) = 0;
    virtual QWidget* dialogParent() = 0;
    // The Help button of the arrangement's question.
    virtual void showAutoArrangeHelp() = 0;
};

class LayoutCommands {
    Q_DECLARE_TR_FUNCTIONS(LayoutCommands)

public:
    explicit LayoutCommands(LayoutEnvironment& env) : env_(env) {}

    // "&Organizuj drzewo przodków": the ancestors of the current person.
    void organizeAncestors(TreeStyle style);
    // "&Utwórz drzewo przodków": asks for the number of generations.
    void createAncestorTree(TreeStyle style);
    // "&Automatyczne porządkowanie pozycji": the whole tree, once asked.
    void autoArrange();

    // Made once and kept, so the number last entered is offered again.
    CreateTreeDialog* createTreeDialog();
    const AncestorTable& ancestorTable() const { return ancestorTable_; }

private:
    void showCurrentPersonStatus();

    LayoutEnvironment& env_;
    // The walk's table and depth stay from one organisation to the next.
    AncestorTable ancestorTable_;
    QPointer<CreateTreeDialog> createTreeDialog_;
};

}  // namespace lineara
