// The table of actions: the menus, the tool bar and the context menu made
// from its rows, the rules applied again, and the keys looked up in it;
// then the window's one key path over the real table.
#include "gui/main_window/action_table.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

#include "gui/main_window/window_actions.h"
#include "support/edit_fixture.h"

namespace lineara {
namespace {

TEST(ActionTable, RowsBecomeMenusButtonsAndKeysWithTheirRules) {
    QMainWindow window;
    QToolBar* bar = window.addToolBar(QStringLiteral("bar"));
    WindowActions actions(window, *bar);
    bool enabled = false;
    bool shown = true;
    QString caption;
    int ran = 0;
    int contextRan = 0;
    actions.build(
        {submenu(Home::MenuBar, Home::File, "&Plik", "FileMenu"),
         item(Home::File, "&Jeden", "One", {Qt::Key_F}, [&] { ++ran; }).when([&] {
             return enabled;
         }),
         separator(Home::File),
         submenu(Home::File, Home::Organize, "&Pod", "Sub").when([&] { return enabled; }),
         item(Home::Organize, "Dwa", "Two", [] {}).captionFrom([&] { return caption; }),
         item(Home::ToolBar, "&Jeden", "OneButton", [&] { ++ran; }), again(Home::ToolBar, "One"),
         item(Home::Context, "&Kontekst", "ContextOne", {Qt::Key_F}, [&] { ++contextRan; })
             .shownWhen([&] { return shown; }),
         item(Home::Window, "Klawisz", "KeyOnly", {Qt::Key_Up}, [] {}).keyOnly()},
        &window);

    QMenu* file = actions.menu(Home::File);
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->objectName(), QStringLiteral("FileMenu"));
    EXPECT_EQ(window.menuBar()->actions(), QList<QAction*>{file->menuAction()});
    ASSERT_EQ(file->actions().size(), 3);
    EXPECT_EQ(file->actions()[0], actions.action("One"));
    EXPECT_TRUE(file->actions()[1]->isSeparator());
    EXPECT_EQ(file->actions()[2], actions.menu(Home::Organize)->menuAction());
    EXPECT_EQ(bar->actions(),
              (QList<QAction*>{actions.action("OneButton"), actions.action("One")}));
    EXPECT_FALSE(actions.action("KeyOnly")->isVisible());
    EXPECT_EQ(actions.action("ContextOne")->shortcutContext(), Qt::WidgetShortcut);
    EXPECT_EQ(actions.action("One")->shortcutContext(), Qt::WindowShortcut);

    // The context menu's row has the key, though the File menu's comes first.
    const ActionRow* f = actions.rowForKey(QKeySequence(Qt::Key_F));
    ASSERT_NE(f, nullptr);
    EXPECT_STREQ(f->name, "ContextOne");
    EXPECT_EQ(actions.rowForKey(QKeySequence(Qt::CTRL | Qt::Key_F)), nullptr);
    EXPECT_TRUE(actions.inMenuBar(*actions.rowForKey(QKeySequence(Qt::Key_Up))) == false);

    // The rules apply to the homes refreshed, and only there.
    actions.refresh({Home::File});
    EXPECT_FALSE(actions.action("One")->isEnabled());
    EXPECT_FALSE(actions.menu(Home::Organize)->menuAction()->isEnabled());
    EXPECT_EQ(actions.action("Two")->text(), QStringLiteral("Dwa"));  // not refreshed
    caption = QStringLiteral("Trzy");
    enabled = true;
    shown = false;
    actions.refresh({Home::File, Home::Organize});
    EXPECT_TRUE(actions.action("One")->isEnabled());
    EXPECT_EQ(actions.action("Two")->text(), QStringLiteral("Trzy"));
    EXPECT_TRUE(actions.action("ContextOne")->isVisible());
    caption.clear();  // a null caption keeps the one shown
    actions.refresh({Home::Organize, Home::Context});
    EXPECT_EQ(actions.action("Two")->text(), QStringLiteral("Trzy"));
    EXPECT_FALSE(actions.action("ContextOne")->isVisible());

    actions.action("OneButton")->trigger();
    bar->actions()[1]->trigger();  // the File menu's action, once more
    EXPECT_EQ(ran, 2);
    EXPECT_EQ(contextRan, 0);
}

class WindowKeyPath : public test::EditFixture {};

// A key whose row is disabled, or whose menu is off the bar, goes on as a
// key no row has: its character shows in the status bar.
TEST_F(WindowKeyPath, AKeyNoRowTakesGoesOnAsACharacter) {
    // (The test's key events carry the letter as their text.)
    QTest::keyClick(main, Qt::Key_Z, Qt::ControlModifier);  // nothing to undo
    EXPECT_EQ(main->statusText(), QStringLiteral("Key = 122"));

    add("Jan", "Kowalski");
    add("Ewa", "Kowalska", 300, 0);
    main->editing().makeHome();
    ASSERT_TRUE(main->doc().canUndo());
    main->setStatusText(QString());
    QTest::keyClick(main, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(main->doc().canUndo());
    EXPECT_EQ(main->statusText(), QString());

    main->setMenuEmpty(true);
    QTest::keyClick(main, Qt::Key_S, Qt::ControlModifier);
    EXPECT_TRUE(t.user.fileDialogs.isEmpty());
    EXPECT_EQ(main->statusText(), QStringLiteral("Key = 115"));
    main->setMenuEmpty(false);
    QTest::keyClick(main, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(t.user.fileDialogs.size(), 1);  // Save as, for a tree without a file
}

}  // namespace
}  // namespace lineara
