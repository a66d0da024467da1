// The actions the main window's table of rows is built into: the menus of
// the bar with their submenus, the tool bar's buttons, the context menu
// and the actions kept for their keys. The rows stay beside their actions,
// so the rules can be applied again and the keys looked up.
#pragma once

#include <QKeySequence>
#include <initializer_list>
#include <map>
#include <vector>

#include "gui/main_window/action_table.h"

class QAction;
class QMainWindow;
class QMenu;
class QObject;
class QToolBar;

namespace lineara {

class WindowActions {
public:
    WindowActions(QMainWindow& window, QToolBar& toolBar);

    // Creates every row's action in its place, in the rows' order. A
    // triggered action runs its row, with `receiver` as the context.
    void build(ActionRows rows, QObject* receiver);

    QAction* action(const char* name) const;
    QMenu* menu(Home home) const;

    // Applies the rules of the rows of these homes to their actions.
    void refresh(std::initializer_list<Home> homes);

    // The row a key belongs to: the context menu's first, then the rest in
    // the table's order. Null when no row has the key.
    const ActionRow* rowForKey(const QKeySequence& key) const;
    QAction* actionOf(const ActionRow& row) const;
    // Whether the row is an item of one of the bar's menus.
    bool inMenuBar(const ActionRow& row) const;

private:
    void place(const ActionRow& row, size_t index, QObject* receiver);
    QWidget* target(Home home) const;
    void apply(const ActionRow& row, QAction* action) const;

    QMainWindow& window_;
    QToolBar& toolBar_;
    ActionRows rows_;
    std::vector<QAction*> actions_;  // per row; null for separators
    std::map<Home, QMenu*> menus_;
    std::map<Home, Home> parents_;                       // each submenu's home
    std::vector<std::pair<QKeySequence, size_t>> keys_;  // in the order keys are looked up
};

}  // namespace lineara
