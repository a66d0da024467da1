// The HTML presentation's window: the estimate, the folder, the checks
// before a generation, the generation and its failures, the design page
// and its stored settings, the completion window, and the menu command.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "core/model/document.h"
#include "core/reports/html_settings.h"
#include "gui/reports/background_dialog.h"
#include "gui/reports/html_report_window.h"
#include "gui/reports/presentation_created_dialog.h"
#include "render/reports/html_box_image.h"
#include "support/add_person.h"
#include "support/fake_shell.h"
#include "support/program_fixture.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

using test::addPerson;
using test::writable;

class HtmlWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        hooks.qualityCheck = [this] {
            ++checksRun;
            return problems;
        };
        hooks.showQualityCheck = [this] { ++checkWindowShown; };
        hooks.treeFileName = [this] { return QString::fromStdString(doc.currentFileName()); };
        hooks.personCount = [this] { return personCount; };
        hooks.itemCount = [this] { return personCount; };
        hooks.screenDepth = [this] { return depth; };
        window = std::make_unique<HtmlReportWindow>(t.ctx, doc.persons(), hooks);
        window->setDialogRunner([this](QDialog& dialog) {
            shownDialogs << dialog.objectName();
            return dialogAnswer;
        });
        out = t.folder() + QStringLiteral("/out");
        QDir().mkpath(out);
    }
    void addFamily() {
        PersonList& list = writable(doc);
        PersonRecord* father = addPerson(list, "Jan", "Kowalski");
        PersonRecord* mother = addPerson(list, "Anna", "Nowak");
        PersonRecord* child = addPerson(list, "Ewa", "Kowalska");
        child->father = father;
        child->mother = mother;
        doc.setCurrentFileName(t.dir.file("tree.ln3"));
    }
    void showWindow() {
        window->show();
        window->setOutputFolder(out);
    }
    QStringList outputFiles() const { return QDir(out).entryList(QDir::Files, QDir::Name); }
    // "&Generuj!" pressed as the user presses it.
    void pressGenerate() {
        auto* generate = window->findChild<QPushButton*>(QStringLiteral("GenerateButton"));
        ASSERT_NE(generate, nullptr);
        QTest::mouseClick(generate, Qt::LeftButton);
    }
    QString page(const char* name) const {
        QFile file(out + QLatin1Char('/') + QLatin1String(name));
        return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
    }

    test::TestContext t;
    Document doc;
    HtmlReportWindow::Hooks hooks;
    std::unique_ptr<HtmlReportWindow> window;
    QStringList shownDialogs;
    int dialogAnswer = 0;
    int problems = 0, checksRun = 0, checkWindowShown = 0;
    int personCount = 0;
    int depth = 24;
    QString out;
};

TEST_F(HtmlWindowTest, EstimatesTheSizeFromThePersonsOfTheLastPaint) {
    const struct {
        int persons;
        const char* text;
    } table[] = {{0, "W przyblizeniu 0.0KB"},
                 {21, "W przyblizeniu 67.7KB"},      // 69,279 bytes
                 {317, "W przyblizeniu 1,021.3KB"},  // just under a megabyte
                 {318, "W przyblizeniu 1.0MB"},
                 {1000000, "W przyblizeniu 3,146.2MB"}};
    for (const auto& row : table) {
        personCount = row.persons;
        window->show();
        EXPECT_EQ(window->estimateText(), QLatin1String(row.text)) << row.persons;
        window->hide();
    }
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Stwórz prezentację HTML"));
}

TEST_F(HtmlWindowTest, GeneratesTheFilesFromMemoryAndOffersTheResult) {
    addFamily();
    personCount = 3;
    showWindow();
    window->generate();
    EXPECT_EQ(window->lastResult().status, HtmlResult::Status::Done) << window->lastResult().error;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(doc.currentFileName())));  // not saved
    EXPECT_EQ(checksRun, 1);  // the check button was still enabled
    for (const char* name : {"index.html", "left.html", "blank.gif", "arrow.gif", "1.html", "1.gif",
                             "3.html", "3.gif"})
        EXPECT_TRUE(outputFiles().contains(QLatin1String(name))) << name;
    EXPECT_EQ(window->lastResult().filesWritten, outputFiles().size());
    EXPECT_EQ(shownDialogs, QStringList{QStringLiteral("Form5")});
    EXPECT_EQ(window->progressText(), QStringLiteral("Done."));
    EXPECT_FALSE(window->isVisible());
    // Closing wrote the settings back.
    EXPECT_EQ(t.registry.value("Software\\Lineara\\Html_report", "Use_frames"), "Yes");
}

TEST_F(HtmlWindowTest, StopsBeforeGeneratingWhenAskedOrWhenItCannotGoOn) {
    addFamily();
    showWindow();
    // A failed quality check: OK shows the details and stops.
    problems = 2;
    window->generate();
    EXPECT_EQ(window->progressText(), QStringLiteral("Quality Check Result: 2 error(s)"));
    EXPECT_EQ(t.user.asked.last(),
              QStringLiteral("okignore|Error|Quality check failed. Press OK to see the details"));
    EXPECT_EQ(checkWindowShown, 1);
    EXPECT_TRUE(outputFiles().isEmpty());

    // A screen of 256 colours: OK stops.
    t.user.okIgnoreAnswers = {false, true};
    depth = 8;
    window->generate();
    EXPECT_TRUE(t.user.asked.last().startsWith(QStringLiteral(
        "okignore|Information|It is highly recommended that you set the amount of colors")));
    EXPECT_TRUE(outputFiles().isEmpty());

    // "&Sprawdź jakość" with no problems turns itself off, and the next
    // generation does not check again.
    depth = 24;
    problems = 0;
    window->runQualityCheck();
    EXPECT_FALSE(window->qualityCheckEnabled());
    const int checks = checksRun;
    window->generate();
    EXPECT_EQ(checksRun, checks);
    EXPECT_EQ(window->lastResult().status, HtmlResult::Status::Done);
}

TEST_F(HtmlWindowTest, AnEmptyTreeOrAFailedWriteIsReportedAndTheWindowStays) {
    showWindow();
    window->generate();
    EXPECT_EQ(t.user.asked.last(),
              QStringLiteral("inform|No files created|The genealogy tree is empty"));

    addFamily();
    // The chosen folder went away before the generation. The message keeps
    // its words and says below them which file failed and why.
    QDir(out).removeRecursively();
    pressGenerate();
    EXPECT_EQ(window->lastResult().status, HtmlResult::Status::Failed);
    const QString message = t.user.asked.last();
    EXPECT_TRUE(message.startsWith(QStringLiteral(
        "inform|Error|An error occured while exporting to HTML. Please check that you have "
        "enough disk space available and try again.\n\n")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(out + QLatin1Char('/'))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("No such file or directory")))
        << message.toStdString();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->pagesEnabled());
    EXPECT_TRUE(shownDialogs.isEmpty());
}

TEST_F(HtmlWindowTest, ClosingWhileGeneratingStopsAtTheNextPersonAndKeepsWhatWasWritten) {
    generateSyntheticTree(writable(doc), 3000, 7);
    doc.setCurrentFileName(t.dir.file("tree.ln3"));
    showWindow();
    QTimer::singleShot(0, window.get(), [this] { window->close(); });
    window->generate();
    EXPECT_EQ(window->lastResult().status, HtmlResult::Status::Cancelled);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(shownDialogs.isEmpty());
    EXPECT_EQ(window->lastResult().filesWritten, outputFiles().size());
    EXPECT_LT(outputFiles().size(), 3000);
}

// The Stop button is there only while the pages are made, and stops them
// at the next person as Escape does; what was written stays.
TEST_F(HtmlWindowTest, TheStopButtonShowsWhileGeneratingAndStopsIt) {
    generateSyntheticTree(writable(doc), 3000, 7);
    doc.setCurrentFileName(t.dir.file("tree.ln3"));
    showWindow();
    QPushButton* stop = window->stopButton();
    ASSERT_NE(stop, nullptr);
    EXPECT_EQ(stop->text(), QStringLiteral("Stop"));
    EXPECT_FALSE(stop->isVisible());
    bool shownWhileRunning = false;
    QTimer::singleShot(0, window.get(), [&] {
        shownWhileRunning = stop->isVisible() && stop->isEnabled();
        QTest::mouseClick(stop, Qt::LeftButton);
    });
    pressGenerate();
    EXPECT_TRUE(shownWhileRunning);
    EXPECT_EQ(window->lastResult().status, HtmlResult::Status::Cancelled);
    EXPECT_FALSE(stop->isVisible());
    EXPECT_TRUE(window->isVisible());  // stopped, not closed
    EXPECT_TRUE(window->progressText().startsWith(QStringLiteral("Stopped: ")));
    EXPECT_EQ(window->lastResult().filesWritten, outputFiles().size());
    EXPECT_LT(outputFiles().size(), 3000);
}

// A tree that has no file yet finds its pictures and notes in the working
// folder; what is not there is said plainly, with where it was looked for.
TEST_F(HtmlWindowTest, AnUntitledTreeFindsItsFilesInTheWorkingFolderAndSaysWhatIsMissing) {
    const QString work = t.folder() + QStringLiteral("/work");
    QDir().mkpath(work);
    {
        QFile notes(work + QStringLiteral("/jan.txt"));
        ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
        notes.write("Born in a snowstorm\n");
    }
    const QString before = QDir::currentPath();
    QDir::setCurrent(work);
    PersonRecord* jan = addPerson(writable(doc), "Jan", "Kos");
    jan->setText(field::notesFile, "jan.txt");
    jan->setText(field::pictureFile, "jan.jpg");  // not there
    showWindow();
    pressGenerate();
    QDir::setCurrent(before);
    ASSERT_EQ(window->lastResult().status, HtmlResult::Status::Done) << window->lastResult().error;
    EXPECT_TRUE(page("1.html").contains(QStringLiteral("Born in a snowstorm<BR>")));
    const QString told = t.user.messages().join(QLatin1Char('|'));
    EXPECT_TRUE(told.contains(QStringLiteral("These files were left out of the pages")))
        << told.toStdString();
    EXPECT_TRUE(
        told.contains(QStringLiteral("Jan Kos: ") + work + QStringLiteral("/jan.jpg (not found)")))
        << told.toStdString();
    for (const QString& asked : t.user.asked)
        EXPECT_FALSE(asked.startsWith(QStringLiteral("save|"))) << asked.toStdString();
    EXPECT_EQ(doc.currentFileName(), "");
}

// Notes outside the tree's folder go into the pages only when the user
// says so; Cancel makes nothing.
TEST_F(HtmlWindowTest, NotesOutsideTheTreesFolderArePublishedOnlyWhenTheUserSaysSo) {
    addFamily();  // tree.ln3 in the test's folder
    test::TempDir elsewhere;
    const std::string secret = elsewhere.file("diary.txt");
    std::ofstream(secret) << "SECRET-DIARY\n";
    writable(doc).edit(writable(doc).personListHead())->setText(field::notesFile, secret);
    showWindow();
    const struct {
        Answer answer;
        bool published;
    } rows[] = {{Answer::Cancel, false}, {Answer::No, false}, {Answer::Yes, true}};
    for (const auto& row : rows) {
        QDir(out).removeRecursively();
        QDir().mkpath(out);
        t.user.asked.clear();
        t.user.yesNoCancelAnswers = {row.answer};
        if (!window->isVisible()) showWindow();
        pressGenerate();
        ASSERT_FALSE(t.user.asked.isEmpty());
        const QString question = t.user.asked.first();
        EXPECT_TRUE(question.startsWith(
            QStringLiteral("yesnocancel|Lineara|The tree names 1 file(s) outside its folder ")))
            << question.toStdString();
        EXPECT_TRUE(question.contains(QString::fromStdString(secret))) << question.toStdString();
        if (row.answer == Answer::Cancel) {
            EXPECT_TRUE(outputFiles().isEmpty());
            EXPECT_TRUE(window->pagesEnabled());
            continue;
        }
        EXPECT_EQ(page("1.html").contains(QStringLiteral("SECRET-DIARY")), row.published)
            << int(row.answer);
        for (const QString& asked : t.user.asked)  // chosen, so not told again
            EXPECT_FALSE(asked.contains(QStringLiteral("left out"))) << asked.toStdString();
    }
}

TEST_F(HtmlWindowTest, MakesANewFolderInsideTheChosenOneOnly) {
    showWindow();
    t.user.textAnswers = {QStringLiteral("site"), QStringLiteral(".."), QStringLiteral("a/b"),
                          QString(), std::nullopt};
    window->makeNewFolder();
    EXPECT_EQ(window->outputFolder(), out + QStringLiteral("/site"));
    EXPECT_TRUE(QFileInfo(out + QStringLiteral("/site")).isDir());
    EXPECT_EQ(t.user.asked.last(),
              QStringLiteral("text|New folder|Enter the name of the new folder"));
    for (int refused = 0; refused < 2; ++refused) {
        window->makeNewFolder();
        EXPECT_TRUE(t.user.asked.last().startsWith(QStringLiteral("inform|New folder|")));
        EXPECT_EQ(window->outputFolder(), out + QStringLiteral("/site"));
    }
    const int asked = int(t.user.asked.size());
    window->makeNewFolder();  // empty answer
    window->makeNewFolder();  // cancelled
    EXPECT_EQ(t.user.asked.size(), asked + 2);
    EXPECT_EQ(window->outputFolder(), out + QStringLiteral("/site"));
}

TEST_F(HtmlWindowTest, DesignChoicesReachTheSettingsAndTheStore) {
    addFamily();
    showWindow();
    // The page area: a colour, then a picture, then no picture.
    dialogAnswer = BackgroundDialog::Colour;
    t.user.colourAnswers = {QColor(0x12, 0x34, 0x56)};
    window->clickPart(HtmlReportWindow::Part::Page);
    EXPECT_EQ(window->settings().backgroundColor, 0x563412);
    dialogAnswer = BackgroundDialog::Picture;
    t.user.fileAnswers = {QStringLiteral("/pictures/paper.gif")};
    window->clickPart(HtmlReportWindow::Part::LinksHeader);
    EXPECT_EQ(window->settings().t1Image, "/pictures/paper.gif");
    EXPECT_TRUE(t.user.fileDialogs.last().filter.startsWith(
        QStringLiteral("Internet images (*.jpg *.jpeg *.gif)")));
    dialogAnswer = BackgroundDialog::NoPicture;
    window->clickPart(HtmlReportWindow::Part::LinksHeader);
    EXPECT_EQ(window->settings().t1Image, "");
    dialogAnswer = BackgroundDialog::Close;
    window->clickPart(HtmlReportWindow::Part::LinksBody);
    EXPECT_EQ(window->settings().linksBgColor, 16777215);
    EXPECT_EQ(shownDialogs.count(QStringLiteral("BK_form")), 4);

    // The samples take their colours; the frame's is the preview's only.
    t.user.colourAnswers = {QColor(255, 0, 0), QColor(0, 255, 0)};
    window->clickPart(HtmlReportWindow::Part::VisitedSample);
    window->clickPart(HtmlReportWindow::Part::LinksFrame);
    EXPECT_EQ(window->settings().vlinkColor, 0x0000FF);
    EXPECT_EQ(window->linksFramePreviewColour(), QColor(0, 255, 0));

    // The box colours redraw the preview of the head person.
    t.user.colourAnswers = {QColor(0, 0, 255)};
    window->chooseBoxColour();
    EXPECT_EQ(window->settings().boxColor, 0xFF0000);
    EXPECT_EQ(window->boxPreview().pixelColor(134, 5), QColor(0, 0, 255));

    window->setFrames(false);
    window->setCharsetEntry(QStringLiteral("Czech (cs): iso-8859-2"));
    window->close();
    HtmlSettings stored = loadHtmlSettings(t.registry);
    EXPECT_EQ(stored.backgroundColor, 0x563412);
    EXPECT_EQ(stored.vlinkColor, 0x0000FF);
    EXPECT_EQ(stored.boxColor, 0xFF0000);
    EXPECT_FALSE(stored.useFrames);
    EXPECT_EQ(stored.charset, "Czech (cs): iso-8859-2");
    // A new window starts from the store.
    HtmlReportWindow again(t.ctx, doc.persons(), hooks);
    EXPECT_EQ(again.settings().backgroundColor, 0x563412);
}

// A font too large for four lines in a box is drawn smaller, and the user
// who chose it is told; the preview shows the boxes as the pages will.
TEST_F(HtmlWindowTest, AFontTooLargeForTheBoxesIsShrunkAndTheUserTold) {
    addFamily();
    showWindow();
    QFont large(QStringLiteral("Liberation Sans"));
    large.setPointSize(20);
    t.user.fontAnswers = {large};
    auto* font = window->findChild<QPushButton*>(QStringLiteral("FontButton"));
    ASSERT_NE(font, nullptr);
    QTest::mouseClick(font, Qt::LeftButton);
    EXPECT_EQ(window->settings().fontSize, 20);
    EXPECT_TRUE(t.user.asked.last().startsWith(QStringLiteral(
        "inform|Lineara|Four lines of 27 pixels do not fit in the boxes of 140 x 50 pixels")))
        << t.user.asked.last().toStdString();
    const HtmlBoxLook look = htmlBoxLook(window->settings());
    EXPECT_TRUE(fourBoxLinesFit(QFontMetrics(look.font)));
    EXPECT_EQ(window->boxPreview(),
              htmlBoxPreview(doc.persons().personListHead(), look, t.ctx.codec));

    // A small size, drawn a pixel larger so that its last line clears the
    // border, is not remarked on.
    const int asked = int(t.user.asked.size());
    QFont small(QStringLiteral("Liberation Sans"));
    small.setPointSize(7);
    t.user.fontAnswers = {small};
    QTest::mouseClick(font, Qt::LeftButton);
    EXPECT_EQ(t.user.asked.size(), asked + 1);  // the font dialog only
}

TEST(PresentationCreated, OpensTheStartPageOnlyWithABrowserForBothKinds) {
    test::TestContext t;
    PresentationCreatedDialog form(t.shell, t.user);
    form.setOutputFolder(t.folder() + QStringLiteral("/my site #1"));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Presentation created"));
    EXPECT_TRUE(form.viewButton()->isDefault());
    t.shell.programs[QStringLiteral(".html")] = QStringLiteral("browser %1");
    form.viewPresentation();
    EXPECT_EQ(t.user.messages(), QStringList{QLatin1String(kNoBrowserMessage)});
    EXPECT_TRUE(t.shell.opened.isEmpty());
    t.shell.programs[QStringLiteral(".htm")] = QStringLiteral("browser %1");
    form.viewPresentation();
    ASSERT_EQ(t.shell.opened.size(), 1);
    EXPECT_EQ(QUrl(t.shell.opened[0]).toLocalFile(),
              t.folder() + QStringLiteral("/my site #1/index.html"));
}

class HtmlMenuTest : public test::ProgramFixture {};

TEST_F(HtmlMenuTest, TheCommandWantsATreeAndTheModifiedCheck) {
    QStringList ran;
    main->setDialogRunner([&](QDialog& dialog) { ran << dialog.objectName(); });
    main->reports().generateHtml();
    EXPECT_EQ(t.user.messages().last(), QStringLiteral("Twoje drzewo jest puste."));
    EXPECT_TRUE(ran.isEmpty());

    main->doc().change("x", [](TreeEdit& list) { (void)list.LagNyPerson(0, 0); });
    t.user.yesNoCancelAnswers = {Answer::Cancel, Answer::No};
    main->reports().generateHtml();  // cancelled at the question
    EXPECT_TRUE(ran.isEmpty());
    main->reports().generateHtml();
    EXPECT_EQ(ran, QStringList{QStringLiteral("HTML_REPORT")});
    EXPECT_NE(main->action(QStringLiteral("HTML1")), nullptr);
    EXPECT_EQ(main->action(QStringLiteral("HTML1"))->text(),
              QStringLiteral("Generuj strony &HTML"));
}

// "Generuj!" after "No" to the save question: the pages show the tree as
// it is in memory, and the tree file stays as the user last saved it.
TEST_F(HtmlMenuTest, TheTreeFileIsNeverWrittenWithoutTheUsersYes) {
    const std::string file = t.dir.file("family.ln3");
    main->doc().change("x", [](TreeEdit& list) {
        (void)list.LagNyPerson(0, 0);
        list.edit(list.currentPerson())->setText(field::givenNames, "Jan");
    });
    ASSERT_TRUE(main->doc().SavetoFile(file).written());
    const std::vector<uint8_t> saved = test::readBytes(file);
    main->doc().change("y", [](TreeEdit& list) {
        (void)list.LagNyPerson(300, 0);
        list.edit(list.currentPerson())->setText(field::givenNames, "Ewa");
    });
    const QString out = t.folder() + QStringLiteral("/site");
    QDir().mkpath(out);
    HtmlReportWindow* report = program->htmlReportWindow();
    report->setDialogRunner([](QDialog&) { return 0; });  // the completion window
    main->setDialogRunner([&](QDialog& dialog) {
        ASSERT_EQ(&dialog, report);
        report->show();
        report->setOutputFolder(out);
        auto* generate = report->findChild<QPushButton*>(QStringLiteral("GenerateButton"));
        ASSERT_NE(generate, nullptr);
        QTest::mouseClick(generate, Qt::LeftButton);
    });
    t.user.yesNoCancelAnswers = {Answer::No};
    main->reports().generateHtml();

    EXPECT_EQ(report->lastResult().status, HtmlResult::Status::Done) << report->lastResult().error;
    EXPECT_EQ(test::readBytes(file), saved);
    EXPECT_TRUE(main->doc().treeModified());
    QFile second(out + QStringLiteral("/2.html"));
    ASSERT_TRUE(second.open(QIODevice::ReadOnly));
    EXPECT_TRUE(second.readAll().contains("<TITLE>The genealogical tree of Ewa "));
}

}  // namespace
}  // namespace lineara
