// The main window's one table of actions. Every item of the menus, the
// tool bar and the context menu is a row: where it goes, its caption and
// object name, its keys, what it runs, and the rules that enable, show and
// caption it. The menus and the tool bar are built from the rows, the
// states refreshed from their rules, and the keys run through them, so a
// key and the item that shows it can never disagree.
#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <QStyle>
#include <functional>
#include <initializer_list>
#include <type_traits>
#include <utility>
#include <vector>

namespace lineara {

// The captions of the rows are marked QT_TRANSLATE_NOOP("Menu", ...) (as are
// the core's texts that become captions) and translated where the actions
// are made.
constexpr char kMenuContext[] = "Menu";
// A caption in the user's language.
QString menuText(const char* caption);

// Where an action goes: a menu of the bar or a submenu, the tool bar, the
// context menu or one of its submenus, or the window itself (an action
// kept for its key only).
enum class Home {
    MenuBar,
    File,
    Edit,
    Organize,
    Create,
    Search,
    Link,
    DeleteLink,
    Alias,
    View,
    ColourCodes,
    Zoom,
    Tools,
    Reports,
    Lists,
    Help,
    ToolBar,
    Window,
    Context,
    ContextDeleteLink,
    ContextGoTo,
    ContextZoom,
    ContextAlign,
};

// The context menu and its submenus, whose keys go before all others and
// follow the context menu's rules.
bool inContextMenu(Home home);

// What a row runs when chosen, given the action's new check state.
class RowRun {
public:
    RowRun() = default;
    template <typename F, std::enable_if_t<std::is_invocable_v<F&>, int> = 0>
    RowRun(F run) : run_([run](bool) mutable { run(); }) {}
    template <typename F,
              std::enable_if_t<std::is_invocable_v<F&, bool> && !std::is_invocable_v<F&>, int> = 0>
    RowRun(F run) : run_(std::move(run)) {}
    const std::function<void(bool)>& function() const { return run_; }

private:
    std::function<void(bool)> run_;
};

using Rule = std::function<bool()>;

struct ActionRow {
    enum class Kind { Item, Separator, Submenu, Again };

    Kind kind = Kind::Item;
    Home home = Home::MenuBar;
    const char* caption = "";  // UTF-8, untranslated; a submenu's title
    const char* name = "";     // the action's object name; a submenu's menu's
    QList<QKeySequence> keys;
    RowRun run;
    Rule enabled;  // none: always enabled
    Rule visible;  // none: always shown
    // A caption that follows the tree; a null string keeps the one shown.
    std::function<QString()> text;
    bool checkable = false;
    bool checked = false;
    bool hidden = false;                                  // kept for its key only
    QStyle::StandardPixmap icon = QStyle::SP_CustomBase;  // SP_CustomBase: none
    Home opens = Home::MenuBar;                           // a submenu: the home of its rows
    const char* menuActionName = "";                      // a submenu: its action's object name

    ActionRow& when(Rule rule) {
        enabled = std::move(rule);
        return *this;
    }
    ActionRow& shownWhen(Rule rule) {
        visible = std::move(rule);
        return *this;
    }
    ActionRow& captionFrom(std::function<QString()> caption) {
        text = std::move(caption);
        return *this;
    }
    ActionRow& checkMark(bool on) {
        checkable = true;
        checked = on;
        return *this;
    }
    ActionRow& keyOnly() {
        hidden = true;
        return *this;
    }
    ActionRow& withIcon(QStyle::StandardPixmap pixmap) {
        icon = pixmap;
        return *this;
    }
    ActionRow& menuActionNamed(const char* actionName) {
        menuActionName = actionName;
        return *this;
    }
};

using ActionRows = std::vector<ActionRow>;

ActionRow item(Home home, const char* caption, const char* name, QList<QKeySequence> keys,
               RowRun run);
ActionRow item(Home home, const char* caption, const char* name, RowRun run);
ActionRow separator(Home home);
// A submenu of `home` whose rows name `opens`.
ActionRow submenu(Home home, Home opens, const char* title, const char* menuName = "");
// The action of the row named `name`, once more in another place.
ActionRow again(Home home, const char* name);

// Appends the rows of each list in turn.
ActionRows joinRows(std::initializer_list<ActionRows> parts);

}  // namespace lineara
