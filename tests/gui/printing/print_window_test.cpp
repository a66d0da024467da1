// The print window, the print commands and the list commands in the
// running program.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "gui/printing/print_tree_window.h"
#include "support/add_person.h"
#include "support/menu_keys.h"
#include "support/paint_support.h"
#include "support/program_fixture.h"

namespace lineara {
namespace {

using test::addPerson;
using test::writable;

class PrintWindowTest : public test::ProgramFixture {
protected:
    PrintTreeWindow* window() { return program->printTreeWindow(); }
    template <typename T>
    T* control(const char* name) {
        return window()->findChild<T*>(QString::fromLatin1(name));
    }
    void openWindow() {
        main->reports().showPrintTreeWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window()));
    }
    QByteArray read(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
    }
    // Prints into a PDF file instead of a printer; the dialog answers `ok`.
    QString printToPdf(bool ok) {
        const QString pdf = t.folder() + QStringLiteral("/tree.pdf");
        window()->setPrintDialog([pdf, ok](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return ok;
        });
        return pdf;
    }
};

TEST_F(PrintWindowTest, OpensModelessOnTopWithTheStatesOfTheTree) {
    openWindow();
    EXPECT_EQ(window()->windowTitle(), QStringLiteral("Drukuj drzewo"));
    EXPECT_TRUE(window()->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(window()->isModal());
    auto* selectedOnly = window()->findChild<QCheckBox*>();
    ASSERT_NE(selectedOnly, nullptr);
    // An empty tree: nothing to print, "&Zamknij" has the focus.
    EXPECT_FALSE(control<QPushButton>("PrintButton")->isEnabled());
    EXPECT_EQ(window()->focusWidget(), control<QPushButton>("CloseButton"));
    EXPECT_FALSE(selectedOnly->isEnabled());
    window()->close();

    PersonList& list = writable(main->doc());
    PersonRecord* a = addPerson(list, "Jan", "Nowak", 0, 0);
    addPerson(list, "Anna", "Nowak", 300, 0);
    main->doc().setSelection(std::vector<const PersonRecord*>{a});
    openWindow();
    EXPECT_TRUE(control<QPushButton>("PrintButton")->isEnabled());
    EXPECT_EQ(window()->focusWidget(), control<QPushButton>("PrintButton"));
    EXPECT_TRUE(selectedOnly->isEnabled());
    EXPECT_TRUE(selectedOnly->isChecked());
    // The font fields show the canvas's screen font.
    const QList<QLineEdit*> fields = window()->findChildren<QLineEdit*>();
    ASSERT_EQ(fields.size(), 2);
    EXPECT_EQ(fields[0]->text(), QString::fromStdString(t.ctx.settings.screenFontName));
    EXPECT_EQ(fields[1]->text(), QString::number(t.ctx.settings.screenFontSize));
    EXPECT_EQ(control<QComboBox>("ComboBox1")->count(), 5);
    EXPECT_EQ(control<QComboBox>("ComboBox2")->count(), 8);
}

TEST_F(PrintWindowTest, PrintsAPdfAndClosesOrStaysOpenWhenCancelled) {
    addPerson(writable(main->doc()), "Jan", "Nowak", 0, 0);
    openWindow();
    QString pdf = printToPdf(false);
    control<QPushButton>("PrintButton")->click();
    EXPECT_TRUE(window()->isVisible());
    EXPECT_FALSE(QFile::exists(pdf));

    pdf = printToPdf(true);
    control<QComboBox>("ComboBox2")->setCurrentIndex(1);
    control<QPushButton>("PrintButton")->click();
    EXPECT_FALSE(window()->isVisible());
    const QByteArray bytes = read(pdf);
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page "), 4);
}

TEST_F(PrintWindowTest, ThePreviewShowsThePagesAndFollowsTheChoices) {
    addPerson(writable(main->doc()), "Jan", "Nowak", 0, 0);
    openWindow();
    window()->drawPreview();
    const QImage one = window()->previewImage();
    ASSERT_EQ(one.size(), QSize(239, 239));
    // Landscape paper is wider than high: the corners stay background.
    EXPECT_EQ(one.pixel(119, 1), one.pixel(0, 0));
    EXPECT_EQ(one.pixel(119, 119), test::kWhite);

    control<QComboBox>("ComboBox2")->setCurrentIndex(1);  // 2 x 2: a grid line
    const QImage four = window()->previewImage();
    EXPECT_NE(four, one);
    int gridPixels = 0;
    for (int y = 40; y < 100; ++y) gridPixels += four.pixel(119, y) != test::kWhite;
    for (int y = 40; y < 100; ++y) gridPixels += four.pixel(120, y) != test::kWhite;
    EXPECT_GT(gridPixels, 10);

    window()->findChildren<QRadioButton*>()[1]->setChecked(true);  // portrait
    EXPECT_EQ(window()->previewImage().pixel(1, 119), one.pixel(0, 0));
    EXPECT_EQ(window()->printer().pageLayout().orientation(), QPageLayout::Portrait);
}

// Scaled down fifty times and more, every box and line stays at least a
// pixel wide: the preview shows the tree, not a blank sheet.
TEST_F(PrintWindowTest, ThePreviewShowsEveryBoxAndLineAtAnyScale) {
    PersonList& list = writable(main->doc());
    PersonRecord* father = addPerson(list, "Jan", "Nowak", 0, 0);
    PersonRecord* mother = addPerson(list, "Ewa", "Nowak", 20000, 0);
    PersonRecord* child = addPerson(list, "Ola", "Nowak", 10000, 9000);
    child->father = father;
    child->mother = mother;
    ASSERT_TRUE(list.AddMarriage(father, mother).ok);
    openWindow();
    for (const int pages : {0, 7}) {  // 1 page, 8 x 8 pages
        SCOPED_TRACE(pages);
        control<QComboBox>("ComboBox2")->setCurrentIndex(pages);
        QTest::mouseClick(control<QLabel>("Image1"), Qt::LeftButton);  // "Click here for preview"
        const QImage preview = window()->previewImage();
        // Black is what the tree is drawn in (the sheet's edges are navy).
        // The lines between the three far-apart boxes give long runs of it.
        int black = 0;
        for (int y = 0; y < preview.height(); ++y) {
            for (int x = 0; x < preview.width(); ++x) {
                const QRgb p = preview.pixel(x, y);
                if (qRed(p) < 80 && qGreen(p) < 80 && qBlue(p) < 80) ++black;
            }
        }
        EXPECT_GT(black, 150) << "the preview is (nearly) blank";
    }
}

TEST_F(PrintWindowTest, MenusHoldThePrintAndListCommands) {
    QAction* tree = main->action(QStringLiteral("Printtree1"));
    QAction* screen = main->action(QStringLiteral("Print1"));
    ASSERT_NE(tree, nullptr);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(tree->text(), QStringLiteral("&Drukuj drzewo"));
    EXPECT_EQ(screen->text(), QStringLiteral("Drukuj ek&ran"));
    auto* file = qobject_cast<QMenu*>(tree->parent());
    ASSERT_NE(file, nullptr);
    EXPECT_EQ(file->title(), QStringLiteral("&Plik"));
    EXPECT_EQ(file->actions().last(), main->action(QStringLiteral("Exit1")));
    QStringList titles;
    for (QAction* a : main->menuBar()->actions()) titles << a->text();
    EXPECT_EQ(titles.indexOf(QStringLiteral("&Reports")) + 1,
              titles.indexOf(QStringLiteral("&Help")));
    EXPECT_EQ(main->action(QStringLiteral("SavetoFile1"))->text(),
              QStringLiteral("&Wszystkie osoby"));
    EXPECT_EQ(main->action(QStringLiteral("Surnames1"))->text(), QStringLiteral("&Nazwiska"));

    // The screen goes to one page.
    const QString pdf = t.folder() + QStringLiteral("/screen.pdf");
    main->reports().setScreenPrintDialog([pdf](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    screen->trigger();
    EXPECT_TRUE(read(pdf).startsWith("%PDF"));
}

TEST_F(PrintWindowTest, ListsAreWrittenInUtf8AndOpenedInTheTextViewer) {
    PersonList& list = writable(main->doc());
    PersonRecord* p = addPerson(list, "Zofia", "\xA3uk", 0, 0);  // CP1250 "Łuk"
    p->setText(field::birthDate, "1900");
    addPerson(list, "Adam", "Nowak", 200, 0);
    addPerson(list, "Ewa", "Nowak", 400, 0);
    const QString persons = t.folder() + QStringLiteral("/persons.txt");
    const QString surnames = t.folder() + QStringLiteral("/surnames.txt");

    t.shell.programs[QStringLiteral(".txt")] = QStringLiteral("viewer");
    t.user.fileAnswers = {persons, surnames};
    main->action(QStringLiteral("SavetoFile1"))->trigger();
    main->action(QStringLiteral("Surnames1"))->trigger();
    // In the Polish alphabet: Ł before N.
    EXPECT_EQ(read(persons), QByteArray("\xC5\x81uk Zofia (1900 - )\n"
                                        "Nowak Adam ( - )\nNowak Ewa ( - )\n"));
    EXPECT_EQ(read(surnames), QByteArray("\xC5\x81uk (1)\nNowak (2)\n"));
    EXPECT_EQ(t.shell.opened, (QStringList{persons, surnames}));
    ASSERT_EQ(t.user.fileDialogs.size(), 2);
    EXPECT_EQ(t.user.fileDialogs[0].title, QStringLiteral("Zapisz alfabetycznie"));
    EXPECT_EQ(t.user.fileDialogs[1].title, QStringLiteral("Zapisz alfabetycznie nazwiska"));
    EXPECT_EQ(t.user.fileDialogs[0].defaultSuffix, QStringLiteral("txt"));

    // No viewer: written all the same, and the user is told.
    t.shell.programs.clear();
    QFile::remove(persons);
    t.user.fileAnswers = {persons};
    main->reports().saveAllPersonsList();
    EXPECT_TRUE(QFile::exists(persons));
    EXPECT_EQ(
        t.user.messages().last(),
        QStringLiteral("File is saved, but Lineara could not find your default text viewer."));

    // Cancelled: nothing written, nothing said.
    const int said = int(t.user.asked.size());
    QFile::remove(persons);
    t.user.fileAnswers = {QString()};
    main->reports().saveAllPersonsList();
    EXPECT_FALSE(QFile::exists(persons));
    EXPECT_EQ(int(t.user.asked.size()), said + 1);  // the dialog only
}

// Whatever the locale, the lists are read in an alphabet: small and capital
// letters alike, Ś after S, and where there is no language to follow, the
// Polish one. Each spelling of a surname is counted once, and no name
// breaks a line.
TEST_F(PrintWindowTest, TheListsFollowTheAlphabetInAnyCaseAndKeepOneLinePerEntry) {
    PersonList& list = writable(main->doc());
    // CP1250: "Zielińska", "Świątek".
    for (const char* surname : {"Zieli\xf1ska", "\x8c\x77i\xb9tek", "anna", "Ewa", "Nowak", "nowak",
                                "Sowa", "Nowak", "Kot\r\nLis"}) {
        addPerson(list, "X", surname, 0, 0);
    }
    const QString surnames = t.folder() + QStringLiteral("/nazwiska.txt");
    const QString persons = t.folder() + QStringLiteral("/osoby.txt");
    t.shell.programs[QStringLiteral(".txt")] = QStringLiteral("viewer");
    t.user.fileAnswers = {surnames, persons};
    // "&Reports", "&Alfabetyczna lista", "&Nazwiska"; then "&Wszystkie osoby".
    EXPECT_TRUE(test::chooseByKeys(main, "ran"));
    EXPECT_TRUE(test::chooseByKeys(main, "raw"));
    EXPECT_EQ(read(surnames), QByteArray("anna (1)\nEwa (1)\nKot  Lis (1)\nNowak (2)\nnowak (1)\n"
                                         "Sowa (1)\n\xC5\x9Awi\xC4\x85tek (1)\n"
                                         "Zieli\xC5\x84ska (1)\n"));
    EXPECT_EQ(read(persons), QByteArray("anna X ( - )\nEwa X ( - )\nKot  Lis X ( - )\n"
                                        "Nowak X ( - )\nNowak X ( - )\nnowak X ( - )\n"
                                        "Sowa X ( - )\n\xC5\x9Awi\xC4\x85tek X ( - )\n"
                                        "Zieli\xC5\x84ska X ( - )\n"));
}

TEST_F(PrintWindowTest, AListThatCannotBeWrittenIsReportedWithTheSystemsReason) {
    addPerson(writable(main->doc()), "Jan", "Nowak", 0, 0);
    t.user.fileAnswers = {t.folder() + QStringLiteral("/no/such/folder/list.txt")};
    main->reports().saveSurnamesList();
    ASSERT_FALSE(t.user.messages().isEmpty());
    EXPECT_TRUE(t.user.messages().last().contains(QStringLiteral("No such file or directory")))
        << t.user.messages().last().toStdString();
    EXPECT_TRUE(t.shell.opened.isEmpty());
}

}  // namespace
}  // namespace lineara
