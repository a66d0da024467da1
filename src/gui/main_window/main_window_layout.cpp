// The automatic layout commands of the main window: organising the
// ancestors of the current person, creating an empty pedigree above a
// person, and arranging the whole tree. The work is in core/layout; here
// are the menus, the dialog, the question and the messages.
#include <QMenu>

#include "core/layout/auto_arrange.h"
#include "core/layout/create_tree.h"
#include "core/layout/organize_tree.h"
#include "gui/common/busy_cursor.h"
#include "gui/main_window/main_window.h"

namespace lineara {

namespace {

QString utf8(const std::string& text) { return QString::fromUtf8(text); }

// The program's messages carry their own caption, or the program's.
QString captionOr(const std::string& caption) {
    return caption.empty() ? QStringLiteral("Lineara") : utf8(caption);
}

}  // namespace

void TZudezezor::buildLayoutEditItems(QMenu* edit) {
    edit->addSeparator();
    QMenu* organize = edit->addMenu(QStringLiteral("&Organizuj drzewo przodków"));
    organize->setObjectName(QStringLiteral("Organizetree1"));
    addRows(organize, {{"&Compact", "Compact2", QKeySequence(), &TZudezezor::Compact2Click},
                       {"&Fractal Style", "Fractal2", QKeySequence(), &TZudezezor::Fractal2Click}});
    edit_.organizeAncestors = organize->menuAction();
    QMenu* create = edit->addMenu(QStringLiteral("U&twórz drzewo przodków"));
    create->setObjectName(QStringLiteral("Createtree1"));
    addRows(create, {{"&Compact", "Compact1", QKeySequence(), &TZudezezor::Compact1Click},
                     {"&Fractal style", "Fractal1", QKeySequence(), &TZudezezor::Fractal1Click}});
    edit_.createAncestorTree = create->menuAction();
    createTreeDlg_ = new CreateTreeDialog(this);
}

void TZudezezor::buildLayoutToolItem(QMenu* tools) {
    addRows(tools, {{"&Automatyczne porządkowanie pozycji", "AutoArrange1", QKeySequence(),
                     &TZudezezor::AutoArrangeClick}});
}

void TZudezezor::OrganizeTree(TreeStyle style) {
    OrganizeResult result;
    {
        BusyCursor busy;
        result = organizeAncestors(doc_, ancestorTable_, style);
    }
    if (!result.message.empty()) {
        ctx_.ui->inform(captionOr(result.caption), utf8(result.message), MessageIcon::Error);
    }
    FormPaint();
    refreshCommandStates();
    // Nobody is current afterwards: the name of whoever was goes too.
    showCurrentPersonStatus();
}

void TZudezezor::CreateTree(TreeStyle style) {
    // Asked again until the number is one the command takes, or the user
    // gives up; the dialog keeps what was typed, refused or not.
    GenerationsEntry entry;
    for (;;) {
        runDialog(*createTreeDlg_);
        if (createTreeDlg_->result() != QDialog::Accepted) return;
        entry = checkGenerations(createTreeDlg_->text().toStdString());
        if (entry.status == GenerationsEntry::Accepted) break;
        ctx_.ui->inform(captionOr(entry.caption), utf8(entry.message), MessageIcon::Warning);
        if (entry.status == GenerationsEntry::NotANumber) return;
    }
    Outcome made;
    {
        BusyCursor busy;
        made = createAncestorTree(doc_, style, entry.generations);
    }
    if (!made) {
        ctx_.ui->inform(QStringLiteral("Lineara"), utf8(made.message), MessageIcon::Warning);
    }
    FormPaint();
    refreshCommandStates();
}

void TZudezezor::AutoArrangeClick() {
    if (doc_.persons().empty()) {
        ctx_.ui->inform(QStringLiteral("Lineara"), utf8(kMsgNothingToArrange));
        return;
    }
    if (!ctx_.ui->askYesNoWithHelp(QStringLiteral("Lineara"), utf8(kAskAutoArrange),
                                   [this] { emit autoArrangeHelpRequested(); })) {
        return;
    }
    {
        BusyCursor busy;
        autoArrange(doc_);
    }
    // The arrangement leaves the home person current: it is shown at 100 %
    // and named in the status bar.
    Zoom1Click();
    FormPaint();
    refreshCommandStates();
    showCurrentPersonStatus();
}

}  // namespace lineara
