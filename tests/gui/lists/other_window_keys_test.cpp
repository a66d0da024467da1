// Keys pressed in the program's other windows do what those windows do
// with them: Enter chooses the line, Escape closes, the search keys hide
// the search window, the arrows move through the list. None of the main
// window's keys acts while another window has the keyboard.
#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <map>

#include "gui/lists/go_to_dialog.h"
#include "gui/lists/person_search_window.h"
#include "gui/printing/print_tree_window.h"
#include "support/edit_fixture.h"
#include "support/item_view_lines.h"

namespace lineara::test {
namespace {

class OtherWindowKeys : public EditFixture {
protected:
    void SetUp() override {
        EditFixture::SetUp();
        goTo = program->goToDialog();
        browser = program->personSearchWindow();
        print = program->printTreeWindow();
        // Nothing is ever printed here.
        print->setPrintDialog([](QPrinter&) { return false; });
        dad = add("Jan", "Nowak", 0, 0);
        first = add("Adam", "Nowak", 0, 500);
        second = add("Ola", "Nowak", 300, 500);
        first->father = dad;
        second->father = dad;
        main->doc().setCurrentPerson(dad);
        main->paintTree();
    }
    // The window shown and given the keyboard, as the user leaves it.
    void activate(QWidget* window) {
        // A window of the program counts as active while its owner is;
        // the keyboard is the window's once it is the active window itself.
        window->activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), window);
    }
    void openChildren() {
        main->doc().setCurrentPerson(dad);
        main->search().showChildren();
        ASSERT_TRUE(goTo->isVisible());
        activate(goTo);
        goTo->list()->setFocus();
    }
    void openSearch() {
        if (!browser->isVisible()) {
            activate(main);
            QTest::keyClick(main, Qt::Key_F3);
        }
        ASSERT_TRUE(browser->isVisible());
        activate(browser);
        browser->searchField()->setFocus();
    }
    QString chosenLine(QAbstractItemView* list) { return chosenViewLine(list); }
    const PersonRecord* current() { return main->doc().persons().currentPerson(); }

    GoToDialog* goTo = nullptr;
    PersonSearchWindow* browser = nullptr;
    PrintTreeWindow* print = nullptr;
    PersonRecord* dad = nullptr;
    PersonRecord* first = nullptr;
    PersonRecord* second = nullptr;
};

TEST_F(OtherWindowKeys, EnterInTheGoToListGoesToTheChosenLineAndEditsNobody) {
    for (const Qt::Key enter : {Qt::Key_Return, Qt::Key_Enter}) {
        openChildren();
        QTest::keyClick(goTo->list(), Qt::Key_End);
        ASSERT_EQ(chosenLine(goTo->list()), QStringLiteral("Ola Nowak (-) [3]"));
        QTest::keyClick(goTo->list(), enter);
        EXPECT_EQ(current(), second);
        EXPECT_TRUE(edited.empty()) << "the main window's person was edited";
        EXPECT_FALSE(goTo->isVisible());
    }
    // Escape only closes.
    openChildren();
    QTest::keyClick(goTo->list(), Qt::Key_Home);
    QTest::keyClick(goTo->list(), Qt::Key_Escape);
    EXPECT_FALSE(goTo->isVisible());
    EXPECT_EQ(current(), dad);
    EXPECT_TRUE(edited.empty());
}

// Every key of every command of the main window, pressed in each of the
// other windows while it has the keyboard: not one command runs.
TEST_F(OtherWindowKeys, NoKeyOfTheMainWindowActsInAnotherWindow) {
    const auto ownedByMain = [this](const QObject* o) {
        for (; o != nullptr; o = o->parent()) {
            const auto* w = qobject_cast<const QWidget*>(o);
            if (w != nullptr && w->isWindow() && w != main &&
                qobject_cast<const QMenu*>(w) == nullptr)
                return false;
        }
        return true;
    };
    std::map<QString, int> ran;
    std::vector<std::pair<QString, QKeySequence>> keys;
    for (QAction* a : main->findChildren<QAction*>()) {
        if (a->shortcuts().isEmpty() || !ownedByMain(a)) continue;
        const QString name = a->objectName().isEmpty() ? a->text() : a->objectName();
        QObject::connect(a, &QAction::triggered, [&ran, name] { ++ran[name]; });
        for (const QKeySequence& key : a->shortcuts()) keys.emplace_back(name, key);
    }
    ASSERT_GT(keys.size(), 30u);

    const struct {
        const char* name;
        std::function<QWidget*()> open;
    } windows[] = {
        {"go-to list",
         [this] {
             openChildren();
             return static_cast<QWidget*>(goTo->list());
         }},
        {"search field",
         [this] {
             openSearch();
             return static_cast<QWidget*>(browser->searchField());
         }},
        {"search list",
         [this] {
             openSearch();
             browser->list()->setFocus();
             return static_cast<QWidget*>(browser->list());
         }},
        {"print window",
         [this] {
             main->reports().showPrintTreeWindow();
             activate(print);
             return print->focusWidget() != nullptr ? print->focusWidget() : print;
         }},
    };
    for (const auto& window : windows) {
        for (const auto& [name, key] : keys) {
            QWidget* target = window.open();
            ASSERT_NE(target, nullptr);
            const int before = ran[name];  // opening may use the main window's keys
            QTest::keySequence(target, key);
            EXPECT_EQ(ran[name], before) << name.toStdString() << " ran from the " << window.name
                                         << " on " << key.toString().toStdString();
        }
    }
    EXPECT_TRUE(edited.empty());
    EXPECT_EQ(persons().count(), 3u);
}

TEST_F(OtherWindowKeys, EscapeClosesThePrintWindowAndTheSearchKeysHideTheSearchWindow) {
    main->reports().showPrintTreeWindow();
    activate(print);
    QTest::keyClick(print->focusWidget() != nullptr ? print->focusWidget() : print, Qt::Key_Escape);
    EXPECT_FALSE(print->isVisible());

    for (const Qt::Key key : {Qt::Key_F3, Qt::Key_F9}) {
        openSearch();
        QTest::keyClick(browser->searchField(), key);
        EXPECT_FALSE(browser->isVisible());
        EXPECT_FALSE(action("Browser1")->isChecked());
        openSearch();
        browser->list()->setFocus();
        QTest::keyClick(browser->list(), key);
        EXPECT_FALSE(browser->isVisible());
    }
    // And the main window's keys show it again.
    activate(main);
    QTest::keyClick(main, Qt::Key_F9);
    EXPECT_TRUE(browser->isVisible());
}

TEST_F(OtherWindowKeys, UpAndDownInTheSearchFieldMoveThroughTheList) {
    openSearch();
    QLineEdit* field = browser->searchField();
    QListView* list = browser->list();
    ASSERT_EQ(viewLines(list).size(), 3);
    QTest::keyClick(field, Qt::Key_Down);
    EXPECT_EQ(chosenLine(list), QStringLiteral("Nowak Adam ( - ) [2]"));
    QTest::keyClick(field, Qt::Key_Down);
    QTest::keyClick(field, Qt::Key_Down);
    EXPECT_EQ(chosenLine(list), QStringLiteral("Nowak Ola ( - ) [3]"));
    QTest::keyClick(field, Qt::Key_Down);  // the last line stays
    EXPECT_EQ(chosenLine(list), QStringLiteral("Nowak Ola ( - ) [3]"));
    QTest::keyClick(field, Qt::Key_Up);
    EXPECT_EQ(chosenLine(list), QStringLiteral("Nowak Jan ( - ) [1]"));
    EXPECT_TRUE(field->hasFocus());
    EXPECT_TRUE(field->text().isEmpty());
    EXPECT_FALSE(browser->searchTimer()->isActive());
    // Enter goes to the line chosen with the arrows.
    main->doc().setCurrentPerson(second);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(current(), dad);

    // With nothing chosen, Up starts from the last line.
    browser->refresh();
    QTest::keyClick(field, Qt::Key_Up);
    EXPECT_EQ(chosenLine(list), QStringLiteral("Nowak Ola ( - ) [3]"));
}

}  // namespace
}  // namespace lineara::test
