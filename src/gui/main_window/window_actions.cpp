#include "gui/main_window/window_actions.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <cstring>

namespace lineara {

QString menuText(const char* caption) { return QCoreApplication::translate(kMenuContext, caption); }

bool inContextMenu(Home home) {
    switch (home) {
    case Home::Context:
    case Home::ContextDeleteLink:
    case Home::ContextGoTo:
    case Home::ContextZoom:
    case Home::ContextAlign:
        return true;
    default:
        return false;
    }
}

ActionRow item(Home home, const char* caption, const char* name, QList<QKeySequence> keys,
               RowRun run) {
    ActionRow row;
    row.home = home;
    row.caption = caption;
    row.name = name;
    row.keys = std::move(keys);
    row.run = std::move(run);
    return row;
}

ActionRow item(Home home, const char* caption, const char* name, RowRun run) {
    return item(home, caption, name, {}, std::move(run));
}

ActionRow separator(Home home) {
    ActionRow row;
    row.kind = ActionRow::Kind::Separator;
    row.home = home;
    return row;
}

ActionRow submenu(Home home, Home opens, const char* title, const char* menuName) {
    ActionRow row;
    row.kind = ActionRow::Kind::Submenu;
    row.home = home;
    row.opens = opens;
    row.caption = title;
    row.name = menuName;
    return row;
}

ActionRow again(Home home, const char* name) {
    ActionRow row;
    row.kind = ActionRow::Kind::Again;
    row.home = home;
    row.name = name;
    return row;
}

ActionRows joinRows(std::initializer_list<ActionRows> parts) {
    ActionRows all;
    for (const ActionRows& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

WindowActions::WindowActions(QMainWindow& window, QToolBar& toolBar)
    : window_(window), toolBar_(toolBar) {}

void WindowActions::build(ActionRows rows, QObject* receiver) {
    rows_ = std::move(rows);
    actions_.assign(rows_.size(), nullptr);
    auto* context = new QMenu(&window_);
    context->setObjectName(QStringLiteral("PopupMenu1"));
    menus_[Home::Context] = context;
    for (size_t i = 0; i < rows_.size(); ++i) place(rows_[i], i, receiver);
    // The context menu's keys first: its rules decide them.
    for (bool context : {true, false}) {
        for (size_t i = 0; i < rows_.size(); ++i) {
            if (inContextMenu(rows_[i].home) != context) continue;
            for (const QKeySequence& key : rows_[i].keys) keys_.emplace_back(key, i);
        }
    }
}

QWidget* WindowActions::target(Home home) const {
    if (home == Home::ToolBar) return &toolBar_;
    if (home == Home::Window) return &window_;
    if (home == Home::MenuBar) return window_.menuBar();
    return menus_.at(home);
}

void WindowActions::place(const ActionRow& row, size_t index, QObject* receiver) {
    QWidget* where = target(row.home);
    switch (row.kind) {
    case ActionRow::Kind::Separator:
        if (auto* bar = qobject_cast<QToolBar*>(where)) {
            bar->addSeparator();
        } else {
            static_cast<QMenu*>(where)->addSeparator();
        }
        return;
    case ActionRow::Kind::Again:
        actions_[index] = action(row.name);
        where->addAction(actions_[index]);
        return;
    case ActionRow::Kind::Submenu: {
        auto* menu = new QMenu(menuText(row.caption), where);
        if (*row.name != '\0') menu->setObjectName(QString::fromLatin1(row.name));
        if (*row.menuActionName != '\0') {
            menu->menuAction()->setObjectName(QString::fromLatin1(row.menuActionName));
        }
        where->addAction(menu->menuAction());
        menus_[row.opens] = menu;
        parents_[row.opens] = row.home;
        actions_[index] = menu->menuAction();
        return;
    }
    case ActionRow::Kind::Item:
        break;
    }
    auto* a = new QAction(menuText(row.caption), where);
    a->setObjectName(QString::fromLatin1(row.name));
    if (row.icon != QStyle::SP_CustomBase) a->setIcon(window_.style()->standardIcon(row.icon));
    a->setShortcuts(row.keys);
    // The context menu's keys are run by the window's key handling under
    // the context menu's rules; on the action they only show in the menu
    // (and answer while the menu itself is open).
    if (inContextMenu(row.home)) a->setShortcutContext(Qt::WidgetShortcut);
    a->setCheckable(row.checkable);
    a->setChecked(row.checked);
    if (row.hidden) a->setVisible(false);
    where->addAction(a);
    if (const auto& run = row.run.function())
        QObject::connect(a, &QAction::triggered, receiver, run);
    actions_[index] = a;
}

QAction* WindowActions::action(const char* name) const {
    for (size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].kind == ActionRow::Kind::Item && std::strcmp(rows_[i].name, name) == 0) {
            return actions_[i];
        }
    }
    return nullptr;
}

QMenu* WindowActions::menu(Home home) const {
    const auto found = menus_.find(home);
    return found == menus_.end() ? nullptr : found->second;
}

void WindowActions::apply(const ActionRow& row, QAction* action) const {
    if (action == nullptr) return;
    if (row.enabled) action->setEnabled(row.enabled());
    if (row.visible) action->setVisible(row.visible());
    if (row.text) {
        const QString caption = row.text();
        if (!caption.isNull()) action->setText(caption);
    }
}

void WindowActions::refresh(std::initializer_list<Home> homes) {
    for (size_t i = 0; i < rows_.size(); ++i) {
        for (Home home : homes) {
            if (rows_[i].home == home && rows_[i].kind != ActionRow::Kind::Again) {
                apply(rows_[i], actions_[i]);
            }
        }
    }
}

const ActionRow* WindowActions::rowForKey(const QKeySequence& key) const {
    for (const auto& [bound, index] : keys_) {
        if (bound == key) return &rows_[index];
    }
    return nullptr;
}

QAction* WindowActions::actionOf(const ActionRow& row) const {
    return actions_[static_cast<size_t>(&row - rows_.data())];
}

bool WindowActions::inMenuBar(const ActionRow& row) const {
    Home home = row.home;
    while (home != Home::MenuBar) {
        const auto parent = parents_.find(home);
        if (parent == parents_.end()) return false;
        home = parent->second;
    }
    return true;
}

}  // namespace lineara
