// The underlined letters: within one menu or one window no two items share
// a letter, for a letter that two items share chooses neither of them.
#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QTabWidget>
#include <map>

#include "gui/app/translations.h"
#include "gui/canvas/tree_canvas.h"
#include "gui/printing/print_tree_window.h"
#include "gui/reports/presentation_created_dialog.h"
#include "support/edit_fixture.h"
#include "support/menu_keys.h"

namespace lineara::test {
namespace {

// The letter "&" marks in a caption ("&&" is an ampersand), small; none: 0.
QChar letterOf(const QString& caption) {
    for (int i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&')) continue;
        if (caption[i + 1] == QLatin1Char('&')) {
            ++i;
            continue;
        }
        return caption[i + 1].toLower();
    }
    return QChar();
}

// Reports every pair of captions of one place that share a letter.
void expectOwnLetters(const QString& where, const QStringList& captions) {
    std::map<QChar, QString> taken;
    for (const QString& caption : captions) {
        const QChar letter = letterOf(caption);
        if (letter.isNull()) continue;
        const auto [at, fresh] = taken.emplace(letter, caption);
        EXPECT_TRUE(fresh) << where.toStdString() << ": \"" << at->second.toStdString()
                           << "\" and \"" << caption.toStdString() << "\" share the letter "
                           << QString(letter).toStdString();
    }
}

QStringList captionsOf(const QMenu* menu) {
    QStringList captions;
    for (const QAction* a : menu->actions()) captions << a->text();
    return captions;
}

// What a window's controls show with a letter: buttons, group titles,
// labels that lead to a field, tabs.
QStringList captionsOf(const QWidget* window) {
    QStringList captions;
    for (const QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (b->window() == window) captions << b->text();
    }
    for (const QGroupBox* g : window->findChildren<QGroupBox*>()) {
        if (g->window() == window) captions << g->title();
    }
    for (const QLabel* l : window->findChildren<QLabel*>()) {
        if (l->window() == window && l->buddy() != nullptr) captions << l->text();
    }
    for (const QTabWidget* tabs : window->findChildren<QTabWidget*>()) {
        if (tabs->window() != window) continue;
        for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
    }
    return captions;
}

class MenuLetters : public EditFixture {
protected:
    void expectEveryMenuHasItsOwnLetters(const char* state) {
        SCOPED_TRACE(state);
        main->prepareContextMenu();
        for (const char* menu : {"Alias1", "Link1", "Edit1"}) showMenu(menu);
        QStringList titles;
        for (const QAction* a : main->menuBar()->actions()) titles << a->text();
        expectOwnLetters(QStringLiteral("the menu bar"), titles);
        for (const QMenu* menu : main->findChildren<QMenu*>()) {
            const QString where = menu->title().isEmpty() ? menu->objectName() : menu->title();
            expectOwnLetters(where, captionsOf(menu));
        }
    }

    void walkEveryMenuInEveryState() {
        expectEveryMenuHasItsOwnLetters("nobody current");
        PersonRecord* father = add("Jan", "Kowalski");
        PersonRecord* mother = add("Anna&Maria", "Nowak");
        PersonRecord* child = add("Piotr", "Kowalski");
        child->father = father;
        child->mother = mother;
        main->doc().setCurrentPerson(child);
        expectEveryMenuHasItsOwnLetters("a child with both parents");
        // Its alias box, then the original itself.
        QTest::keyClick(main, Qt::Key_A, Qt::ControlModifier);
        ASSERT_TRUE(persons().currentPerson()->isAliasBox());
        main->interaction().endDrag();  // the new box stays where it is
        expectEveryMenuHasItsOwnLetters("an alias box");
        main->doc().setCurrentPerson(child);
        expectEveryMenuHasItsOwnLetters("an original");
        main->doc().setSelection(std::vector<const PersonRecord*>{father, mother});
        expectEveryMenuHasItsOwnLetters("a selection");
    }

    void expectEveryWindowHasItsOwnLetters() {
        // Made by the presentation when it is done.
        PresentationCreatedDialog created(t.shell, t.user);
        int windows = 0;
        for (const QWidget* window : QApplication::topLevelWidgets()) {
            if (qobject_cast<const QMenu*>(window) != nullptr) continue;
            const QString where =
                window->windowTitle().isEmpty() ? window->objectName() : window->windowTitle();
            expectOwnLetters(where, captionsOf(window));
            ++windows;
        }
        EXPECT_GT(windows, 10);
    }
};

TEST_F(MenuLetters, EveryMenuInEveryStateHasItsOwnLetters) { walkEveryMenuInEveryState(); }

TEST_F(MenuLetters, EveryWindowHasItsOwnLetters) { expectEveryWindowHasItsOwnLetters(); }

// The English captions have letters of their own too.
class EnglishMenuLetters : public MenuLetters {
protected:
    void SetUp() override {
        installTranslations(*qApp, {QStringLiteral("en-US")},
                            QStringLiteral(LINEARA_BUILT_PROGRAM_DATA));
        MenuLetters::SetUp();
        ASSERT_EQ(main->menuBar()->actions().value(0)->text(), QStringLiteral("&File"));
    }
    void TearDown() override {
        MenuLetters::TearDown();
        program.reset();
        removeTranslations(*qApp);
    }
};

TEST_F(EnglishMenuLetters, EveryMenuInEveryStateHasItsOwnLetters) { walkEveryMenuInEveryState(); }

TEST_F(EnglishMenuLetters, EveryWindowHasItsOwnLetters) { expectEveryWindowHasItsOwnLetters(); }

// The parents' names in "&Idź do " are captions of their own, not text in
// the column where keys are shown; a name's "&" marks no letter.
TEST_F(MenuLetters, TheParentsInTheContextMenuAreNamedAsCaptions) {
    PersonRecord* father = add("Jan", "Kowalski", 0, 0);
    PersonRecord* mother = add("Anna&Maria", "Nowak\tSmith", 400, 0);
    PersonRecord* child = add("Piotr", "Kowalski", 200, 300);
    child->father = father;
    child->mother = mother;
    main->doc().setCurrentPerson(nullptr);
    main->viewState().zoomPercent = 100;
    main->viewState().scrollX = main->viewState().scrollY = 0;
    main->paintTree();

    QTest::mousePress(main->canvas(), Qt::RightButton, Qt::NoModifier, QPoint(270, 340));
    QTest::mouseRelease(main->canvas(), Qt::RightButton, Qt::NoModifier, QPoint(270, 340));
    ASSERT_EQ(persons().currentPerson(), child);
    QTRY_VERIFY(QApplication::activePopupWidget() == main->contextMenu());
    const QString fatherItem = action("PopupGoToFather")->text();
    const QString motherItem = action("PopupGoToMother")->text();
    QTest::keyClick(main->contextMenu(), Qt::Key_Escape);
    EXPECT_EQ(fatherItem, QStringLiteral("&Ojciec: Jan Kowalski"));
    EXPECT_EQ(motherItem, QStringLiteral("&Matka: Anna&&Maria Nowak Smith"));
    for (const QString& item : {fatherItem, motherItem}) {
        EXPECT_FALSE(item.contains(QLatin1Char('\t'))) << item.toStdString();
    }
}

// Chosen with the keyboard, every letter of a path reaches its item.
TEST_F(MenuLetters, ItemsWithLettersOnceSharedAreReachedByTheirKeys) {
    add("Jan", "Kowalski");
    // File: "Drukuj ek&ran" prints the screen, "&Drukuj drzewo" opens its
    // window, "Zapisz wszystkie p&liki" collects.
    bool printed = false;
    main->reports().setScreenPrintDialog([&printed](QPrinter&) {
        printed = true;
        return false;
    });
    EXPECT_TRUE(chooseByKeys(main, "pr"));
    EXPECT_TRUE(printed);
    EXPECT_TRUE(chooseByKeys(main, "pd"));
    EXPECT_TRUE(program->printTreeWindow()->isVisible());
    program->printTreeWindow()->close();
    t.user.fileAnswers = {QString()};
    EXPECT_TRUE(chooseByKeys(main, "pl"));
    ASSERT_FALSE(t.user.fileDialogs.isEmpty());
    EXPECT_EQ(t.user.fileDialogs.last().title, QStringLiteral("Collect all files"));

    // Edit: "&Usuń" asks about the person, "U&twórz drzewo przodków" opens
    // its submenu, whose "&Compact" asks for the generations.
    t.user.yesNoAnswers = {false};
    t.user.asked.clear();
    EXPECT_TRUE(chooseByKeys(main, "eu"));
    EXPECT_EQ(t.user.asked.size(), 1);
    int dialogs = 0;
    main->setDialogRunner([&dialogs](QDialog& d) {
        ++dialogs;
        d.setResult(QDialog::Rejected);
    });
    EXPECT_TRUE(chooseByKeys(main, "etc"));
    EXPECT_EQ(dialogs, 1);
}

}  // namespace
}  // namespace lineara::test
