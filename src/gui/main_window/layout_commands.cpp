#include "gui/main_window/layout_commands.h"

#include "core/layout/auto_arrange.h"
#include "core/layout/create_tree.h"
#include "core/layout/organize_tree.h"
#include "core/view/viewport.h"
#include "gui/common/busy_cursor.h"
#include "gui/common/core_texts.h"
#include "gui/main_window/search_commands.h"

namespace lineara {

namespace {

// The program's messages carry their own caption, or the program's.
QString captionOr(const std::string& caption) {
    return caption.empty() ? QStringLiteral("Lineara") : coreText(caption);
}

}  // namespace

CreateTreeDialog* LayoutCommands::createTreeDialog() {
    if (createTreeDialog_ == nullptr) createTreeDialog_ = new CreateTreeDialog(env_.dialogParent());
    return createTreeDialog_;
}

void LayoutCommands::showCurrentPersonStatus() {
    env_.setStatusText(currentPersonStatus(env_.document().persons(), env_.codec()));
}

void LayoutCommands::organizeAncestors(TreeStyle style) {
    OrganizeResult result;
    {
        BusyCursor busy;
        result = lineara::organizeAncestors(env_.document(), ancestorTable_, style);
    }
    if (!result.message.empty()) {
        env_.ui().inform(captionOr(result.caption), coreText(result.message), MessageIcon::Error);
    }
    env_.repaintTree();
    env_.refreshCommandStates();
    // Nobody is current afterwards: the name of whoever was goes too.
    showCurrentPersonStatus();
}

void LayoutCommands::createAncestorTree(TreeStyle style) {
    // Asked again until the number is one the command takes, or the user
    // gives up; the dialog keeps what was typed, refused or not.
    CreateTreeDialog& dialog = *createTreeDialog();
    GenerationsEntry entry;
    for (;;) {
        env_.runDialog(dialog);
        if (dialog.result() != QDialog::Accepted) return;
        entry = checkGenerations(dialog.text().toStdString());
        if (entry.status == GenerationsEntry::Accepted) break;
        env_.ui().inform(captionOr(entry.caption), coreText(entry.message), MessageIcon::Warning);
        if (entry.status == GenerationsEntry::NotANumber) return;
    }
    Outcome made;
    {
        BusyCursor busy;
        made = lineara::createAncestorTree(env_.document(), style, entry.generations);
    }
    if (!made) {
        env_.ui().inform(QStringLiteral("Lineara"), coreText(made.message), MessageIcon::Warning);
    }
    env_.repaintTree();
    env_.refreshCommandStates();
}

void LayoutCommands::autoArrange() {
    Document& doc = env_.document();
    if (doc.persons().empty()) {
        env_.ui().inform(QStringLiteral("Lineara"), coreText(kMsgNothingToArrange));
        return;
    }
    if (!env_.ui().askYesNoWithHelp(QStringLiteral("Lineara"), coreText(kAskAutoArrange),
                                    [this] { env_.showAutoArrangeHelp(); })) {
        return;
    }
    {
        BusyCursor busy;
        lineara::autoArrange(doc);
    }
    // The arrangement leaves the home person current: it is shown at 100 %
    // and named in the status bar.
    if (const PersonRecord* person = doc.persons().currentPerson()) {
        const QSize size = env_.windowSize();
        centreAt100(env_.view(), WindowExtent{size.width(), size.height()}, person->posX(),
                    person->posY());
        env_.repaintTree();
    }
    env_.repaintTree();
    env_.refreshCommandStates();
    showCurrentPersonStatus();
}

}  // namespace lineara
