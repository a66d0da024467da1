// The main window's actions as its code sees them: one struct per menu for
// the items whose states follow the tree, and the rows from which every
// menu, the context menu and the tool bar are built. The object names stay
// on the actions for tests and for anyone looking the program over; the
// window's own code reaches its actions through these members only.
#pragma once

#include <QIcon>
#include <QKeySequence>
#include <array>
#include <functional>
#include <type_traits>
#include <utility>

class QAction;

namespace lineara {

class TZudezezor;

// The four alignment commands, in the order their menus show them.
struct AlignActions {
    QAction* top = nullptr;
    QAction* bottom = nullptr;
    QAction* left = nullptr;
    QAction* right = nullptr;
    std::array<QAction*, 4> all() const { return {top, bottom, left, right}; }
};

// "&Edytuj" (undo and redo are kept by the undo commands).
struct EditActions {
    QAction* newMale = nullptr;
    QAction* newFemale = nullptr;
    QAction* remove = nullptr;
    QAction* makeHome = nullptr;
    QAction* properties = nullptr;
    AlignActions align;
    // The two submenus "&Organizuj drzewo przodków" and "&Utwórz drzewo
    // przodków", by their menus' actions.
    QAction* organizeAncestors = nullptr;
    QAction* createAncestorTree = nullptr;
};

// "&Łącza" and its "Usuń łącze do..." submenu.
struct LinkActions {
    QAction* toFather = nullptr;
    QAction* toMother = nullptr;
    QAction* toRelative = nullptr;
    QAction* deleteToFather = nullptr;
    QAction* deleteToMother = nullptr;
    QAction* deleteToRelative = nullptr;
};

// "&Alias".
struct AliasActions {
    QAction* make = nullptr;
    QAction* makeThis = nullptr;
    QAction* goTo = nullptr;
};

// The tool bar's buttons that follow the current person and the selection.
struct ToolButtons {
    QAction* properties = nullptr;
    QAction* remove = nullptr;
    QAction* linkFather = nullptr;
    QAction* linkMother = nullptr;
    QAction* linkRelative = nullptr;
    AlignActions align;
};

// The context menu's items whose states, visibility or captions are set
// each time it opens. The two submenu entries are their menus' actions.
struct PopupActions {
    QAction* newMale = nullptr;
    QAction* newFemale = nullptr;
    QAction* properties = nullptr;
    QAction* remove = nullptr;
    QAction* linkFather = nullptr;
    QAction* linkMother = nullptr;
    QAction* linkRelative = nullptr;
    QAction* deleteLinkMenu = nullptr;
    QAction* deleteLinkFather = nullptr;
    QAction* deleteLinkMother = nullptr;
    QAction* deleteLinkRelative = nullptr;
    QAction* goToFather = nullptr;
    QAction* goToMother = nullptr;
    QAction* goToAlias = nullptr;
    QAction* relativesList = nullptr;
    QAction* siblingsList = nullptr;
    QAction* childrenList = nullptr;
    QAction* zoomPerson = nullptr;
    QAction* alignMenu = nullptr;
    QAction* makeAlias = nullptr;
    QAction* makeThisAlias = nullptr;
};

// What a row's action runs when triggered: a member function of the window
// (a command or a signal, connected as it is) or a callable; either may
// take the action's new check state. An empty one connects nothing.
class RowCommand {
public:
    using Member = void (TZudezezor::*)();
    using CheckMember = void (TZudezezor::*)(bool);

    RowCommand() = default;
    RowCommand(Member member) : member_(member) {}
    RowCommand(CheckMember member) : checkMember_(member) {}
    template <typename F, std::enable_if_t<std::is_invocable_v<F&>, int> = 0>
    RowCommand(F run) : run_([run](bool) mutable { run(); }) {}
    template <typename F,
              std::enable_if_t<std::is_invocable_v<F&, bool> && !std::is_invocable_v<F&>, int> = 0>
    RowCommand(F run) : run_(std::move(run)) {}

    Member member() const { return member_; }
    CheckMember checkMember() const { return checkMember_; }
    const std::function<void(bool)>& function() const { return run_; }

private:
    Member member_ = nullptr;
    CheckMember checkMember_ = nullptr;
    std::function<void(bool)> run_;
};

// How a row's action starts out; combine with |.
enum ActionRowOption : unsigned {
    kCheckable = 1u << 0,
    kChecked = 1u << 1,
    // Kept for its key only.
    kHidden = 1u << 2,
};

// One item of a menu or of the tool bar.
struct ActionRow {
    const char* caption = "";  // UTF-8
    const char* name = "";     // the object name
    QKeySequence key = {};
    RowCommand command = {};
    // The typed member that keeps the action, if the code refers to it.
    QAction** keep = nullptr;
    unsigned options = 0;
    QIcon icon = {};
};

}  // namespace lineara
