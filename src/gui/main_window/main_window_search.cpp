// Navigation and search in the main window: the home person, the parents,
// the go-to lists and the search window, with their items in the "&Szukaj"
// and "&View" menus, and the item-less menu bar shown while the search
// field has the keyboard.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "gui/main_window/main_window.h"

namespace lineara {

namespace {

// The top-level titles of the item-less bar. They are fixed rather than
// copied from the full bar, which may grow menus of its own.
const char* const kEmptyMenuTitles[] = {"&Plik", "&Edytuj", "&Szukaj", "&Link",    "&Alias",
                                        "&View", "&Zoom",   "&Tools",  "&Reports", "&Help"};

}  // namespace

// Home always ends at 100 %, wherever the view was.
void TZudezezor::Home1Click() {
    const PersonRecord* home = doc_.persons().personListHead();
    if (home == nullptr) return;
    doc_.setCurrentPerson(home);
    Zoom1Click();
}

void TZudezezor::Father1Click() {
    const PersonRecord* p = doc_.persons().currentPerson();
    if (p != nullptr) goToRelative(p->father);
}

void TZudezezor::Mother1Click() {
    const PersonRecord* p = doc_.persons().currentPerson();
    if (p != nullptr) goToRelative(p->mother);
}

void TZudezezor::Browser() {
    gestures_.panArmed = false;
    // The View item has already flipped its own check mark; the window
    // decides what it shows.
    const bool shown = browserViewItem_->property("searchShown").toBool();
    browserViewItem_->setChecked(shown);
    if (shown) {
        emit browserCloseRequested();
    } else {
        emit browserShowRequested();
    }
}

void TZudezezor::setSearchChecked(bool on) {
    browserViewItem_->setProperty("searchShown", on);
    browserViewItem_->setChecked(on);
    if (!on) setMenuEmpty(false);
}

// The bar keeps its widget; only its top-level entries are swapped. A menu
// whose entry is off the bar does not answer its keys either.
void TZudezezor::setMenuEmpty(bool empty) {
    if (empty == menuEmpty_) return;
    QMenuBar* bar = menuBar();
    if (emptyMenuTitles_.isEmpty()) {
        for (const char* title : kEmptyMenuTitles) {
            auto* menu = new QMenu(QString::fromUtf8(title), bar);
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

// "&Szukaj" stands right after "&Edytuj".
void TZudezezor::buildSearchMenu() {
    auto* search = new QMenu(QStringLiteral("&Szukaj"), this);
    search->setObjectName(QStringLiteral("SearchMenu1"));
    addRows(search, {{"&Szukaj", "Search2", Qt::Key_F3, &TZudezezor::Browser}});
    const QList<QAction*> tops = menuBar()->actions();
    QAction* before = nullptr;
    for (int i = 0; i + 1 < tops.size(); ++i) {
        if (tops[i]->text() == QStringLiteral("&Edytuj")) before = tops[i + 1];
    }
    menuBar()->insertMenu(before, search);
}

void TZudezezor::addSearchViewItems(QMenu* view) {
    view->addSeparator();
    addRows(view, {{"Szukaj osoby", "Browser1", Qt::Key_F9, &TZudezezor::Browser, &browserViewItem_,
                    kCheckable}});
    viewListItems_ =
        addRows(view, {{"Lista &dzieci", "Child1", QKeySequence(), &TZudezezor::Child1Click},
                       {"Lista &rodzeństwa", "ListofSiblings1", QKeySequence(),
                        &TZudezezor::ListofSiblings1Click},
                       {"Lista &krewnych", "Spouse1", QKeySequence(), &TZudezezor::Spouse1Click}});
    connect(view, &QMenu::aboutToShow, this, [this] {
        const bool current = doc_.persons().currentPerson() != nullptr;
        for (QAction* a : viewListItems_) a->setEnabled(current);
    });
}

}  // namespace lineara
