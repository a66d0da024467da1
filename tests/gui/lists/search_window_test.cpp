// The search window in the running program: the sorted list, completion
// after the pause in typing, the item-less menu bar while the field has the
// keyboard, and the jumps and editing from the list.
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

#include "core/formats/tree_file.h"
#include "core/view/view_math.h"
#include "gui/canvas/tree_canvas.h"
#include "gui/lists/person_search_window.h"
#include "support/edit_fixture.h"
#include "support/item_view_lines.h"

namespace lineara::test {
namespace {

class SearchWindow : public EditFixture {
protected:
    void SetUp() override {
        EditFixture::SetUp();
        browser = program->personSearchWindow();
        ASSERT_NE(browser, nullptr);
        kowalski = add("Jan", "Kowalski", 0, 0);
        add("Anna", "kowalczyk", 400, 0);
        add("Ewa", "Kot", 800, 0)->setText(field::birthDate, "1901");
        nowak = add("Adam", "Nowak", 4000, 3000);
        PersonRecord* box = add("Jan", "Kowalski", 1200, 0);
        box->setText(field::aliasMark, "REF");
        box->father = kowalski;
        kowalski->setText(field::aliasMark, "ALIAS");
        main->doc().setCurrentPerson(nullptr);
        main->paintTree();
        fullTitles = menuTitles();
    }
    QStringList menuTitles() {
        QStringList titles;
        for (QAction* a : main->menuBar()->actions()) titles << a->text();
        return titles;
    }
    int menuItemCount() {
        int items = 0;
        for (QAction* a : main->menuBar()->actions()) {
            if (a->menu() != nullptr) items += a->menu()->actions().size();
        }
        return items;
    }
    static QStringList lines(QListView* list) { return viewLines(list); }
    // Opens the window from the Search menu's key and gives it the keyboard.
    void openWindow() {
        QTest::keyClick(main, Qt::Key_F3);
        ASSERT_TRUE(browser->isVisible());
        browser->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(browser));
        browser->searchField()->setFocus();
        QTRY_VERIFY(browser->searchField()->hasFocus());
    }
    void waitForTheTimer() { QTest::qWait(PersonSearchWindow::kSearchDelayMs + 150); }
    QString field() { return browser->searchField()->text(); }
    QString completedPart() { return browser->searchField()->selectedText(); }
    QString selectedLine() { return chosenViewLine(browser->list()); }
    const PersonRecord* current() { return main->doc().persons().currentPerson(); }

    PersonSearchWindow* browser = nullptr;
    PersonRecord* kowalski = nullptr;
    PersonRecord* nowak = nullptr;
    QStringList fullTitles;
};

TEST_F(SearchWindow, OpensSortedWithTheMenuItemCheckedAndTheMenuBarEmpty) {
    EXPECT_EQ(browser->windowTitle(), QStringLiteral("Szukaj osoby"));
    EXPECT_EQ(browser->minimumWidth(), 322);
    openWindow();
    EXPECT_EQ(browser->searchField()->width(), browser->width() - 8);
    EXPECT_TRUE(action("Browser1")->isChecked());
    EXPECT_EQ(lines(browser->list()), (QStringList{QStringLiteral("Kot Ewa (1901 - ) [3]"),
                                                   QStringLiteral("kowalczyk Anna ( - ) [2]"),
                                                   QStringLiteral("Kowalski Jan ( - ) [1]"),
                                                   QStringLiteral("Nowak Adam ( - ) [4]")}));
    EXPECT_TRUE(field().isEmpty());

    // While the field has the keyboard: the titles and not one item.
    EXPECT_TRUE(main->menuEmpty());
    EXPECT_EQ(menuTitles(), (QStringList{QStringLiteral("&Plik"), QStringLiteral("&Edytuj"),
                                         QStringLiteral("&Szukaj"), QStringLiteral("&Link"),
                                         QStringLiteral("&Alias"), QStringLiteral("&View"),
                                         QStringLiteral("&Zoom"), QStringLiteral("&Tools"),
                                         QStringLiteral("&Reports"), QStringLiteral("&Help")}));
    EXPECT_EQ(menuItemCount(), 0);

    // The list takes the keyboard: the full menu is back.
    browser->list()->setFocus();
    QTRY_VERIFY(!main->menuEmpty());
    EXPECT_EQ(menuTitles(), fullTitles);
    EXPECT_GT(menuItemCount(), 20);
    browser->searchField()->setFocus();
    QTRY_VERIFY(main->menuEmpty());

    // Closing restores it and takes the check mark off.
    QTest::mouseClick(browser->closeButton(), Qt::LeftButton);
    EXPECT_FALSE(browser->isVisible());
    EXPECT_FALSE(main->menuEmpty());
    EXPECT_EQ(menuTitles(), fullTitles);
    EXPECT_FALSE(action("Browser1")->isChecked());
}

TEST_F(SearchWindow, TheSearchMenuStandsAfterEditAndTheCommandShowsAndHides) {
    ASSERT_GE(fullTitles.size(), 3);
    EXPECT_EQ(fullTitles[1], QStringLiteral("&Edytuj"));
    EXPECT_EQ(fullTitles[2], QStringLiteral("&Szukaj"));
    trigger("Browser1");
    EXPECT_TRUE(browser->isVisible());
    EXPECT_TRUE(action("Browser1")->isChecked());
    trigger("Browser1");
    EXPECT_FALSE(browser->isVisible());
    EXPECT_FALSE(action("Browser1")->isChecked());
    trigger("Search2");
    EXPECT_TRUE(browser->isVisible());
    trigger("Search2");
    EXPECT_FALSE(browser->isVisible());
}

TEST_F(SearchWindow, TypedLettersAreCompletedAfterThePauseAndBackspaceStartsNothing) {
    openWindow();
    const double zoom = main->viewState().zoomPercent;
    QTest::keyClicks(browser->searchField(), QStringLiteral("kow"));
    EXPECT_TRUE(browser->searchTimer()->isActive());
    // O is the canvas's zoom-out key: typed here it is only a letter.
    EXPECT_DOUBLE_EQ(main->viewState().zoomPercent, zoom);
    EXPECT_EQ(field(), QStringLiteral("kow"));  // nothing before the pause
    waitForTheTimer();
    EXPECT_EQ(selectedLine(), QStringLiteral("kowalczyk Anna ( - ) [2]"));
    EXPECT_EQ(field(), QStringLiteral("kowalczyk Anna ( - ) [2]"));
    EXPECT_EQ(browser->searchField()->selectionStart(), 3);
    EXPECT_EQ(completedPart(), QStringLiteral("alczyk Anna ( - ) [2]"));
    EXPECT_FALSE(browser->searchTimer()->isActive());

    // The next letters replace the completed part.
    QTest::keyClicks(browser->searchField(), QStringLiteral("ALS"));
    EXPECT_EQ(field(), QStringLiteral("kowALS"));
    waitForTheTimer();
    EXPECT_EQ(selectedLine(), QStringLiteral("Kowalski Jan ( - ) [1]"));
    EXPECT_EQ(field(), QStringLiteral("Kowalski Jan ( - ) [1]"));
    EXPECT_EQ(completedPart(), QStringLiteral("ki Jan ( - ) [1]"));

    // Backspace takes the completed part away and starts no search; nor do
    // the arrows. Delete does.
    QTest::keyClick(browser->searchField(), Qt::Key_Backspace);
    EXPECT_EQ(field(), QStringLiteral("Kowals"));
    EXPECT_FALSE(browser->searchTimer()->isActive());
    QTest::keyClick(browser->searchField(), Qt::Key_Backspace);
    QTest::keyClick(browser->searchField(), Qt::Key_Left);
    EXPECT_FALSE(browser->searchTimer()->isActive());
    waitForTheTimer();
    EXPECT_EQ(field(), QStringLiteral("Kowal"));
    QTest::keyClick(browser->searchField(), Qt::Key_Delete);
    EXPECT_TRUE(browser->searchTimer()->isActive());

    // A beginning that no line has changes nothing.
    browser->refresh();
    QTest::keyClicks(browser->searchField(), QStringLiteral("x"));
    waitForTheTimer();
    EXPECT_EQ(field(), QStringLiteral("x"));
    EXPECT_EQ(browser->lastSearched(), QString());
}

TEST_F(SearchWindow, PlainLettersCompleteAccentedNamesAndOtherwiseTheListKeepsTheLinesHoldingIt) {
    add("Zofia", "\xAF\xF3\xB3kiewska", 1600, 0);  // Żółkiewska
    openWindow();
    const QString zofiaLine = QStringLiteral("Żółkiewska Zofia ( - ) [6]");
    QTest::keyClicks(browser->searchField(), QStringLiteral("zol"));
    waitForTheTimer();
    EXPECT_EQ(field(), zofiaLine);
    EXPECT_EQ(completedPart(), QStringLiteral("kiewska Zofia ( - ) [6]"));
    EXPECT_EQ(selectedLine(), zofiaLine);
    EXPECT_EQ(lines(browser->list()).size(), 5);

    // No line begins with "an": the lines holding it, the first chosen,
    // the field as typed; Enter goes there.
    browser->refresh();
    QTest::keyClicks(browser->searchField(), QStringLiteral("an"));
    waitForTheTimer();
    EXPECT_EQ(lines(browser->list()), (QStringList{QStringLiteral("kowalczyk Anna ( - ) [2]"),
                                                   QStringLiteral("Kowalski Jan ( - ) [1]")}));
    EXPECT_EQ(field(), QStringLiteral("an"));
    EXPECT_EQ(selectedLine(), QStringLiteral("kowalczyk Anna ( - ) [2]"));
    QTest::keyClick(browser->searchField(), Qt::Key_Down);
    EXPECT_EQ(selectedLine(), QStringLiteral("Kowalski Jan ( - ) [1]"));
    QTest::keyClick(browser->searchField(), Qt::Key_Return);
    EXPECT_EQ(current(), kowalski);

    // A beginning that lines have brings the whole list back.
    browser->searchField()->clear();
    QTest::keyClicks(browser->searchField(), QStringLiteral("no"));
    waitForTheTimer();
    EXPECT_EQ(lines(browser->list()).size(), 5);
    EXPECT_EQ(selectedLine(), QStringLiteral("Nowak Adam ( - ) [4]"));

    // "&Ośwież" also does.
    browser->searchField()->clear();
    QTest::keyClicks(browser->searchField(), QStringLiteral("ofi"));
    waitForTheTimer();
    EXPECT_EQ(lines(browser->list()), QStringList{zofiaLine});
    QTest::mouseClick(browser->refreshButton(), Qt::LeftButton);
    EXPECT_EQ(lines(browser->list()).size(), 5);
    EXPECT_EQ(selectedLine(), QString());
}

TEST_F(SearchWindow, GoingFromTheListKeepsTheWindowAndEditingOpensTheEditor) {
    main->viewing().zoomTo(35);
    openWindow();
    QTest::keyClicks(browser->searchField(), QStringLiteral("n"));
    waitForTheTimer();
    ASSERT_EQ(selectedLine(), QStringLiteral("Nowak Adam ( - ) [4]"));
    QTest::keyClick(browser->searchField(), Qt::Key_Return);  // the default button
    EXPECT_EQ(current(), nowak);
    EXPECT_DOUBLE_EQ(main->viewState().zoomPercent, 35);
    const QSize window = main->canvas()->size();
    EXPECT_NEAR(treeToPixelX(main->viewState(), nowak->posX() + 70), window.width() / 2, 1);
    EXPECT_NEAR(treeToPixelY(main->viewState(), nowak->posY() + 40), window.height() / 2, 1);
    EXPECT_TRUE(browser->isVisible());
    EXPECT_EQ(browser->searchField()->selectedText(), field());

    chooseViewRow(browser->list(), 2);
    QTest::mouseClick(browser->editButton(), Qt::LeftButton);
    EXPECT_EQ(current(), kowalski);
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0], kowalski);

    // A line whose person has been deleted: no jump, and no editor for
    // whoever is current.
    persons().setCurrentPerson(nowak);
    persons().removePerson();
    main->doc().setCurrentPerson(kowalski);
    chooseViewRow(browser->list(), 3);
    QTest::mouseClick(browser->editButton(), Qt::LeftButton);
    EXPECT_EQ(current(), kowalski);
    EXPECT_EQ(edited.size(), 1u);
    // "&Ośwież" lists the tree as it is now.
    QTest::mouseClick(browser->refreshButton(), Qt::LeftButton);
    EXPECT_EQ(lines(browser->list()).size(), 3);
}

TEST_F(SearchWindow, OpeningATreeRefillsTheShownWindow) {
    PersonList other;
    addPerson(other, "Zofia", "Wrona");
    const std::string path = t.dir.file("other.ln3");
    ASSERT_EQ(SavetoFile(other, path).status, SaveResult::Saved);
    persons().setTreeModified(false);

    openWindow();
    QTest::keyClicks(browser->searchField(), QStringLiteral("no"));
    main->openFile(QString::fromStdString(path));
    EXPECT_EQ(lines(browser->list()), QStringList{QStringLiteral("Wrona Zofia ( - ) [1]")});
    EXPECT_TRUE(field().isEmpty());

    // A closed window is left alone until it is opened again.
    browser->close();
    persons().setTreeModified(false);
    main->openFile(QString::fromStdString(path));
    EXPECT_FALSE(browser->isVisible());
}

}  // namespace
}  // namespace lineara::test
