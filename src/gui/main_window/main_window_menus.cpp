// The menus' states: the rules of each menu's rows are applied when it
// opens (the Edit menu and the tool bar after every paint too), and the
// item-less menu bar shown while the search field has the keyboard.
#include <QActionGroup>
#include <QMenuBar>

#include "gui/common/core_texts.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/window_parts.h"

namespace lineara {

namespace {

// The top-level titles of the item-less bar. They are fixed rather than
// copied from the full bar, which may grow menus of its own.
const char* const kEmptyMenuTitles[] = {
    QT_TRANSLATE_NOOP("Menu", "&Plik"),    QT_TRANSLATE_NOOP("Menu", "&Edytuj"),
    QT_TRANSLATE_NOOP("Menu", "&Szukaj"),  QT_TRANSLATE_NOOP("Menu", "&Link"),
    QT_TRANSLATE_NOOP("Menu", "&Alias"),   QT_TRANSLATE_NOOP("Menu", "&View"),
    QT_TRANSLATE_NOOP("Menu", "&Zoom"),    QT_TRANSLATE_NOOP("Menu", "&Tools"),
    QT_TRANSLATE_NOOP("Menu", "&Reports"), QT_TRANSLATE_NOOP("Menu", "&Help")};

}  // namespace

void MainWindow::buildActions() {
    parts_->actions.build(joinRows({menuRows(), toolBarRows(), contextMenuRows()}), this);
}

void MainWindow::wireMenus() {
    WindowActions& actions = parts_->actions;
    for (Home home : {Home::Edit, Home::Link, Home::Alias, Home::View}) {
        connect(actions.menu(home), &QMenu::aboutToShow, this,
                [this, home] { refreshStatesOf(home); });
    }
    QMenu* context = actions.menu(Home::Context);
    connect(context, &QMenu::aboutToShow, this, &MainWindow::prepareContextMenu);
    connect(this, &MainWindow::contextMenuRequested, context,
            [context](QPoint globalPos) { context->popup(globalPos); });
    auto* codes = new QActionGroup(this);
    codes->setExclusive(true);
    for (const char* name :
         {"ColorcodeGender", "ColorcodeNotes", "ColorcodePicture", "ColorcodeNone"}) {
        codes->addAction(actions.action(name));
    }
}

// Each menu's rules read the states worked out here, just before.
void MainWindow::refreshStatesOf(Home home) {
    WindowActions& actions = parts_->actions;
    CommandRuleStates& rules = parts_->rules;
    const PersonList& persons = doc_.persons();
    switch (home) {
    case Home::Link:
    case Home::DeleteLink:
        rules.link = linkMenuState(persons);
        actions.refresh({Home::Link, Home::DeleteLink});
        return;
    case Home::Alias:
        rules.alias = aliasMenuState(persons);
        actions.refresh({Home::Alias});
        return;
    case Home::View:
        rules.current = persons.currentPerson() != nullptr;
        actions.refresh({Home::View});
        return;
    default:
        if (inContextMenu(home)) {
            prepareContextMenu();
        } else {
            refreshCommandStates();
        }
        return;
    }
}

void MainWindow::refreshCommandStates() {
    refreshUndoActions();
    parts_->rules.edit = editCommandStates(doc_.persons());
    parts_->actions.refresh({Home::Edit, Home::ToolBar});
}

// Each of undo and redo names the step it would take back or do again, in
// the status bar as the mouse rests on it, and is disabled without one.
void MainWindow::refreshUndoActions() {
    QAction* undo = undoAction();
    QAction* redo = redoAction();
    if (undo == nullptr || redo == nullptr) return;
    const auto hint = [](const QString& verb, const std::string& step) {
        return step.empty() ? QString() : verb + stepText(step);
    };
    undo->setEnabled(doc_.canUndo());
    undo->setStatusTip(hint(tr("Cofnij: "), doc_.undoName()));
    undo->setToolTip(hint(tr("Cofnij: "), doc_.undoName()));
    redo->setEnabled(doc_.canRedo());
    redo->setStatusTip(hint(tr("Ponów: "), doc_.redoName()));
    redo->setToolTip(hint(tr("Ponów: "), doc_.redoName()));
}

void MainWindow::syncAreaZoomMarks(bool on) {
    for (const char* name : {"Area1", "AreaButton"}) parts_->actions.action(name)->setChecked(on);
}

// The bar keeps its widget; only its top-level entries are swapped. A menu
// whose entry is off the bar does not answer its keys either.
void MainWindow::setMenuEmpty(bool empty) {
    if (empty == menuEmpty_) return;
    QMenuBar* bar = menuBar();
    if (emptyMenuTitles_.isEmpty()) {
        for (const char* title : kEmptyMenuTitles) {
            auto* menu = new QMenu(menuText(title), bar);
            emptyMenuTitles_ << menu->menuAction();
        }
    }
    if (empty) {
        fullMenu_ = bar->actions();
        for (QAction* a : fullMenu_) bar->removeAction(a);
        bar->addActions(emptyMenuTitles_);
    } else {
        for (QAction* a : emptyMenuTitles_) bar->removeAction(a);
        bar->addActions(fullMenu_);
        fullMenu_.clear();
    }
    menuEmpty_ = empty;
}

}  // namespace lineara
