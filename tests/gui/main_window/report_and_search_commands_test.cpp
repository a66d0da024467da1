// The report and search commands on their own, through a stand-in window:
// what an empty tree or a kept tree stops, and the search window's check
// mark that follows the window rather than the click.
#include <QFile>
#include <QPrinter>

#include "support/add_person.h"
#include "support/fake_window.h"

namespace lineara::test {
namespace {

class ReportCommandsAlone : public ::testing::Test {
protected:
    TempDir dir;
    FakeWindow win;
    ReportCommands reports{win};
};

TEST_F(ReportCommandsAlone, ThePresentationNeedsATreeAndTheUsersLeave) {
    QDialog presentation(&win.parent);
    presentation.setObjectName(QStringLiteral("THTML_REPORT"));
    reports.setHtmlReportWindow(&presentation);

    reports.generateHtml();
    EXPECT_EQ(win.user.messages(), QStringList{QStringLiteral("Twoje drzewo jest puste.")});
    EXPECT_EQ(win.gesturesSeen.disarmed, 1);
    EXPECT_EQ(win.modifiedChecks, 0);

    addPerson(writable(win.doc), "Jan");
    win.saveAnswer = false;
    reports.generateHtml();
    EXPECT_EQ(win.modifiedChecks, 1);
    EXPECT_TRUE(win.dialogsRun.isEmpty());

    win.saveAnswer = true;
    reports.generateHtml();
    EXPECT_EQ(win.dialogsRun, QStringList{QStringLiteral("THTML_REPORT")});
    EXPECT_EQ(win.repaints, 1);
}

TEST_F(ReportCommandsAlone, TheScreenIsPrintedOnlyAfterThePrintDialog) {
    const QString pdf = QString::fromStdString(dir.file("screen.pdf"));
    bool accept = false;
    reports.setScreenPrintDialog([&](QPrinter& printer) {
        printer.setOutputFileName(pdf);
        return accept;
    });
    reports.printScreen();
    EXPECT_FALSE(QFile::exists(pdf));
    accept = true;
    reports.printScreen();
    EXPECT_TRUE(QFile::exists(pdf));
    EXPECT_TRUE(win.errors.isEmpty());
}

TEST_F(ReportCommandsAlone, TheListsAreWrittenAndOpened) {
    addPerson(writable(win.doc), "Jan", "Kowalski");
    const QString list = QString::fromStdString(dir.file("all.txt"));
    win.user.fileAnswers = {list};
    win.desktop.programs.insert(QStringLiteral(".txt"), QStringLiteral("viewer"));
    reports.saveAllPersonsList();
    EXPECT_TRUE(QFile::exists(list));
    EXPECT_EQ(win.desktop.opened.size(), 1);
}

class SearchCommandsAlone : public ::testing::Test {
protected:
    FakeWindow win;
    SearchCommands search{win};
};

TEST_F(SearchCommandsAlone, TheSearchItemsCheckMarkIsTheWindowsToSet) {
    search.toggleSearchWindow();
    EXPECT_EQ(win.searchWindows, std::vector<bool>{true});
    EXPECT_EQ(win.checkMark, false);  // until the window says it is shown
    search.searchWindowShown(true);
    EXPECT_EQ(win.checkMark, true);
    search.toggleSearchWindow();
    EXPECT_EQ(win.searchWindows, (std::vector<bool>{true, false}));
    EXPECT_EQ(win.checkMark, true);
    search.searchWindowShown(false);
    EXPECT_EQ(win.checkMark, false);
    EXPECT_EQ(win.menuEmpty, false);  // the full menu bar comes back with it
    EXPECT_EQ(win.gesturesSeen.disarmed, 2);
}

TEST_F(SearchCommandsAlone, JumpsMakeThePersonCurrentAndNameIt) {
    search.goHome();  // an empty tree
    search.moveToNearest(ScrollDirection::Left);
    EXPECT_EQ(win.repaints, 0);

    PersonRecord* home = addPerson(writable(win.doc), "Jan", "Kowalski", 2000, 2000);
    PersonRecord* child = addPerson(writable(win.doc), "Piotr", "Kowalski", 2000, 2400);
    child->setText(field::birthDate, "1950");
    child->father = home;
    win.viewState.zoomPercent = 50;
    search.goToFather();
    EXPECT_EQ(win.doc.persons().currentPerson(), home);
    EXPECT_DOUBLE_EQ(win.viewState.zoomPercent, 50);  // at the present zoom
    search.goToFather();                              // Jan has none: nothing changes
    EXPECT_EQ(win.doc.persons().currentPerson(), home);

    search.moveToNearest(ScrollDirection::Down);
    EXPECT_EQ(win.doc.persons().currentPerson(), child);
    EXPECT_EQ(win.statusTexts.last(), QStringLiteral("Piotr Kowalski (1950 - )"));

    search.goHome();
    EXPECT_EQ(win.doc.persons().currentPerson(), home);
    EXPECT_DOUBLE_EQ(win.viewState.zoomPercent, 100);

    search.showSiblings();
    EXPECT_EQ(win.lists, std::vector<GoToListKind>{GoToListKind::Siblings});
}

}  // namespace
}  // namespace lineara::test
