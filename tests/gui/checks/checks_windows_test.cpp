// The quality check and date conversion windows in the running program:
// what they list, the menu commands, mending through the editor and the
// record pointers they hold.
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "core/formats/tree_file.h"
#include "gui/canvas/tree_canvas.h"
#include "gui/checks/date_convert_window.h"
#include "gui/checks/quality_check_window.h"
#include "support/edit_fixture.h"

namespace lineara::test {
namespace {

class ChecksWindowsTest : public EditFixture {
protected:
    void SetUp() override {
        startFolder = QDir::currentPath();
        EditFixture::SetUp();
        qc = program->qualityCheckWindow();
        dc = program->dateConvertWindow();
        ASSERT_NE(qc, nullptr);
        ASSERT_NE(dc, nullptr);
    }
    void TearDown() override { QDir::setCurrent(startFolder); }

    // An empty file at `name` inside the test folder; returns its path.
    std::string touch(const std::string& name) {
        const std::string path = t.dir.file(name);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path) << "x";
        return path;
    }
    static QStringList column(QTreeWidget* list, int col) {
        QStringList texts;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            texts << list->topLevelItem(i)->text(col);
        return texts;
    }
    static void select(QTreeWidget* list, int row) {
        list->setCurrentItem(list->topLevelItem(row));
        list->topLevelItem(row)->setSelected(true);
    }

    QString startFolder;
    QualityCheckWindow* qc = nullptr;
    DateConvertWindow* dc = nullptr;
};

// --- the quality check ---

TEST_F(ChecksWindowsTest, MenuCommandOnEmptyTreeShowsNoErrors) {
    trigger("Qualitycheckfile1");
    EXPECT_TRUE(qc->isVisible());
    EXPECT_EQ(qc->windowTitle(), QStringLiteral("Sprawdzanie poprawności"));
    EXPECT_EQ(qc->fileLabel()->text(), QStringLiteral("Plik: (Nowy)"));
    EXPECT_EQ(qc->resultLabel()->text(), QStringLiteral("Sprawdzanie zakonczono: 0 blad(y)"));
    EXPECT_EQ(qc->list()->topLevelItemCount(), 0);
    EXPECT_TRUE(qc->okButton()->isEnabled());
    EXPECT_TRUE(qc->checkButton()->isEnabled());
    EXPECT_FALSE(qc->mendButton()->isEnabled());
    EXPECT_EQ(qc->list()->headerItem()->text(1), QStringLiteral("Wiadomosc"));
}

TEST_F(ChecksWindowsTest, MissingFilesAreListedByPersonAfterSorting) {
    PersonRecord* zeta = add("Anna", "Zeta");
    zeta->setText(field::notesFile, "notes.txt");
    zeta->setText(field::pictureFile, "face.jpg");
    add("Adam", "Alfa")->setText(field::pictureFile, "adam.jpg");
    add("Ewa", "Beta")->setText(field::notesFile, "");  // empty: never a problem
    add("Ola",
        "\xA3"
        "ada")
        ->setText(field::pictureFile, "ola.jpg");  // Łada, after L
    add("Jan", "Lis")->setText(field::pictureFile, "jan.jpg");
    main->doc().setCurrentFileName(t.dir.file("tree.ln3"));

    EXPECT_EQ(qc->runCheck(), 5);
    EXPECT_EQ(column(qc->list(), 0),
              (QStringList{QStringLiteral("Alfa Adam"), QStringLiteral("Lis Jan"),
                           QString::fromUtf8("Łada Ola"), QStringLiteral("Zeta Anna"),
                           QStringLiteral("Zeta Anna")}));
    EXPECT_EQ(column(qc->list(), 1),
              (QStringList{QStringLiteral("Nie znaleziono fotki: adam.jpg"),
                           QStringLiteral("Nie znaleziono fotki: jan.jpg"),
                           QStringLiteral("Nie znaleziono fotki: ola.jpg"),
                           QStringLiteral("Nie ma pliku tekst.: notes.txt"),
                           QStringLiteral("Nie znaleziono fotki: face.jpg")}));
    EXPECT_EQ(qc->resultLabel()->text(), QStringLiteral("Sprawdzanie zakonczono: 5 blad(y)"));
    EXPECT_FALSE(qc->mendButton()->isEnabled());  // until an entry is selected
    select(qc->list(), 1);
    EXPECT_TRUE(qc->mendButton()->isEnabled());
}

TEST_F(ChecksWindowsTest, RelativeNamesAreFoundInTheTreeFolderWhereverTheProgramStarted) {
    touch("family/photos/p.jpg");
    touch("elsewhere/keep");
    add("Jan", "Nowak")->setText(field::pictureFile, "photos/p.jpg");
    main->doc().setCurrentFileName(t.dir.file("family/tree.ln3"));
    QDir::setCurrent(QString::fromStdString(t.dir.file("elsewhere")));

    EXPECT_EQ(qc->runCheck(), 0);
    EXPECT_EQ(QDir::currentPath(), QString::fromStdString(t.dir.file("elsewhere")));
}

TEST_F(ChecksWindowsTest, MendingClearsTheMessageOnlyWhenTheProblemIsGone) {
    touch("have.jpg");
    PersonRecord* fixed = add("Jan", "Alfa", 102, 102);
    fixed->setText(field::pictureFile, "lost.jpg");
    PersonRecord* still = add("Ola", "Beta");
    still->setText(field::notesFile, "lost.txt");
    main->doc().setCurrentFileName(t.dir.file("tree.ln3"));
    // The editor: the user picks an existing picture for Alfa, and mends
    // nothing for Beta.
    QObject::connect(main, &MainWindow::editPersonRequested, [&](const PersonRecord* p, bool) {
        EXPECT_EQ(persons().currentPerson(), p);
        if (p != fixed) return;
        main->doc().change(
            "edit", [p](TreeEdit& list) { list.edit(p)->setText(field::pictureFile, "have.jpg"); });
    });
    ASSERT_EQ(qc->runCheck(), 2);
    main->viewState().zoomPercent = 100;
    main->viewState().scrollX = main->viewState().scrollY = 0;
    persons().setCurrentPerson(fixed);
    main->paintTree();
    auto fill = [this] { return main->canvas()->picture().pixel(106, 177); };
    ASSERT_EQ(fill(), 0xFF000000u);  // highlighted: white inverted

    select(qc->list(), 0);
    qc->mendButton()->click();
    EXPECT_EQ(edited, std::vector<const PersonRecord*>{fixed});
    EXPECT_EQ(qc->list()->topLevelItem(0)->text(1), QString());
    EXPECT_FALSE(qc->mendButton()->isEnabled());
    EXPECT_EQ(persons().currentPerson(), nullptr);
    EXPECT_EQ(fill(), 0xFFFFFFFFu);  // and the canvas no longer shows it current

    select(qc->list(), 1);
    qc->mendButton()->click();
    EXPECT_EQ(edited.back(), still);
    EXPECT_EQ(qc->list()->topLevelItem(1)->text(1),
              QStringLiteral("Nie ma pliku tekst.: lost.txt"));
    EXPECT_TRUE(qc->mendButton()->isEnabled());
}

TEST_F(ChecksWindowsTest, ClearingTheReferenceAlsoMendsIt) {
    PersonRecord* p = add("Jan", "Alfa");
    p->setText(field::notesFile, "lost.txt");
    QObject::connect(main, &MainWindow::editPersonRequested, [this](const PersonRecord* r, bool) {
        // as the editor's OK would: through the document
        main->doc().change("edit",
                           [r](TreeEdit& list) { list.edit(r)->setText(field::notesFile, ""); });
    });
    ASSERT_EQ(qc->runCheck(), 1);
    select(qc->list(), 0);
    emit qc->list()->itemDoubleClicked(qc->list()->topLevelItem(0), 0);
    EXPECT_EQ(edited.size(), 1u);
    EXPECT_EQ(qc->list()->topLevelItem(0)->text(1), QString());
}

TEST_F(ChecksWindowsTest, OpeningWithQualityCheckOnAsksAndShowsTheWindow) {
    add("Jan", "Alfa")->setText(field::pictureFile, "missing.jpg");
    const std::string path = t.dir.file("tree.ln3");
    ASSERT_EQ(SavetoFile(persons(), path).status, SaveResult::Saved);
    t.ctx.settings.qualityCheckOnOpen = true;
    t.user.yesNoAnswers = {true};

    main->openFile(QString::fromStdString(path));
    EXPECT_TRUE(t.user.asked.contains(QStringLiteral(
        "yesno|Lineara|Quality Check Result: 1 error(s). Chcesz zobaczyc szczegoly?")))
        << t.user.asked.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(qc->isVisible());
    EXPECT_FALSE(qc->isModal());
    EXPECT_EQ(qc->list()->topLevelItemCount(), 1);
    EXPECT_EQ(qc->fileLabel()->text(), QStringLiteral("Plik: ") + QString::fromStdString(path));
}

TEST_F(ChecksWindowsTest, RemovedPersonLeavesTheListsWithoutDanglingEntries) {
    PersonRecord* p = add("Jan", "Alfa");
    p->setText(field::pictureFile, "lost.jpg");
    p->setText(field::birthDate, "1.2.1850");
    ASSERT_EQ(qc->runCheck(), 1);
    dc->convertDates();
    select(qc->list(), 0);
    select(dc->list(), 0);

    persons().setCurrentPerson(p);
    persons().removePerson();
    EXPECT_EQ(qc->list()->topLevelItemCount(), 0);
    EXPECT_EQ(dc->list()->topLevelItemCount(), 0);
    qc->mendSelected();
    dc->editSelected();
    EXPECT_TRUE(edited.empty());
    EXPECT_FALSE(qc->mendButton()->isEnabled());
    EXPECT_FALSE(dc->editButton()->isEnabled());
}

TEST_F(ChecksWindowsTest, PersonRemovedInTheEditorWhileMendingLeavesTheList) {
    add("Jan", "Alfa")->setText(field::pictureFile, "lost.jpg");
    add("Ola", "Beta")->setText(field::pictureFile, "lost.jpg");
    QObject::connect(main, &MainWindow::editPersonRequested,
                     [this](const PersonRecord*, bool) { persons().removePerson(); });
    ASSERT_EQ(qc->runCheck(), 2);
    select(qc->list(), 0);
    qc->mendButton()->click();
    EXPECT_EQ(column(qc->list(), 0), QStringList{QStringLiteral("Beta Ola")});
    EXPECT_EQ(persons().currentPerson(), nullptr);
}

TEST_F(ChecksWindowsTest, ClearingTheTreeEmptiesTheLists) {
    add("Jan", "Alfa")->setText(field::pictureFile, "lost.jpg");
    ASSERT_EQ(qc->runCheck(), 1);
    persons().ClearMemory();
    EXPECT_EQ(qc->list()->topLevelItemCount(), 0);
}

// --- the date conversion ---

TEST_F(ChecksWindowsTest, ConvertDatesAsksFirstAndNoDoesNothing) {
    PersonRecord* p = add("Jan", "Alfa");
    p->setText(field::birthDate, "5.12.1850");
    persons().setTreeModified(false);
    touch("help/topic-505.html");
    t.user.helpPresses = 1;  // Help shows its topic and the question stays
    trigger("Convertdates1");
    ASSERT_EQ(t.shell.opened.size(), 1u);
    EXPECT_TRUE(t.shell.opened[0].endsWith(QStringLiteral("topic-505.html")));
    EXPECT_EQ(t.user.asked,
              QStringList{QStringLiteral("yesnohelp|Lineara|Chcesz przekonwertowac wszystkie daty "
                                         "na standardowy format GEDCOM?")});
    EXPECT_FALSE(dc->isVisible());
    EXPECT_EQ(text(p, field::birthDate), "5.12.1850");
    EXPECT_FALSE(main->doc().treeModified());
}

TEST_F(ChecksWindowsTest, ConvertDatesListsEachChangeAndMarksTheTree) {
    PersonRecord* z = add("Anna", "Zeta");
    z->setText(field::deathDate, "~1900");
    z->setText(field::birthDate, "1850");  // already GEDCOM: not listed
    add("Adam", "Alfa")->setText(field::birthDate, "5.12.1850");
    persons().setTreeModified(false);
    t.user.yesNoAnswers = {true};

    trigger("Convertdates1");
    EXPECT_TRUE(dc->isVisible());
    EXPECT_EQ(dc->windowTitle(), QStringLiteral("Konwersja daty"));
    EXPECT_EQ(column(dc->list(), 0),
              (QStringList{QStringLiteral("Alfa Adam"), QStringLiteral("Zeta Anna")}));
    EXPECT_EQ(
        column(dc->list(), 1),
        (QStringList{QStringLiteral("Birth date converted from \"5.12.1850\" to \"5 Dec 1850\""),
                     QStringLiteral("Death date converted from \"~1900\" to \"ABT 1900\"")}));
    EXPECT_EQ(dc->resultLabel()->text(),
              QStringLiteral("Konwersja zakoczona:2 date(y) przekonwertowano"));
    EXPECT_EQ(dc->list()->headerItem()->text(1), QStringLiteral("Akcja"));
    EXPECT_EQ(text(z, field::deathDate), "ABT 1900");
    EXPECT_TRUE(main->doc().treeModified());
    EXPECT_TRUE(dc->okButton()->isEnabled());
}

TEST_F(ChecksWindowsTest, ConvertDatesWithNothingToChangeLeavesTheTreeUnmodified) {
    add("Jan", "Alfa")->setText(field::birthDate, "5 Dec 1850");
    persons().setTreeModified(false);
    EXPECT_EQ(dc->convertDates(), 0);
    EXPECT_EQ(dc->list()->topLevelItemCount(), 0);
    EXPECT_EQ(dc->resultLabel()->text(),
              QStringLiteral("Konwersja zakoczona:0 date(y) przekonwertowano"));
    EXPECT_FALSE(main->doc().treeModified());
}

TEST_F(ChecksWindowsTest, EditingAConvertedEntryOpensTheEditorThenLeavesNoOneCurrent) {
    PersonRecord* p = add("Jan", "Alfa");
    p->setText(field::birthDate, "1/1850");
    persons().setCurrentPerson(nullptr);
    ASSERT_EQ(dc->convertDates(), 1);
    EXPECT_FALSE(dc->editButton()->isEnabled());
    select(dc->list(), 0);
    EXPECT_TRUE(dc->editButton()->isEnabled());
    QObject::connect(main, &MainWindow::editPersonRequested,
                     [&](const PersonRecord* r, bool) { EXPECT_EQ(persons().currentPerson(), r); });
    dc->editButton()->click();
    EXPECT_EQ(edited, std::vector<const PersonRecord*>{p});
    EXPECT_EQ(persons().currentPerson(), nullptr);
}

}  // namespace
}  // namespace lineara::test
