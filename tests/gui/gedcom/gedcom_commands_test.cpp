// GEDCOM export and import from the File menu of the running program, with
// a scripted user choosing the files and answering the questions.

// Before any Qt header: it names a variable "slots", which Qt takes for
// its keyword.
#include "support/gedcom_support.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "core/formats/tree_file.h"
#include "core/gedcom/gedcom7_export.h"
#include "core/gedcom/gedcom_export.h"
#include "core/gedcom/gedcom_texts.h"
#include "core/history/step_names.h"
#include "core/layout/auto_arrange.h"
#include "core/platform/codepage.h"
#include "core/settings/settings.h"
#include "core/view/viewport.h"
#include "gui/canvas/tree_canvas.h"
#include "gui/gedcom/gedcom_import_window.h"
#include "support/edit_fixture.h"
#include "testdata/sample_family.h"

namespace lineara::test {
namespace {

const char kSaveQuestion[] = "yesnocancel|Potwierdz|Zapisac zmiany w Twoim drzewie?";

// A family of three and a grandchild's family, individuals first as an
// export writes them.
const std::vector<std::string> kFamilyLines = {"0 HEAD",
                                               "1 SOUR TEST",
                                               "0 @I1@ INDI",
                                               "1 NAME Jan /Kowalski/",
                                               "1 SEX M",
                                               "0 @I2@ INDI",
                                               "1 NAME Anna /Nowak/",
                                               "1 SEX F",
                                               "0 @I3@ INDI",
                                               "1 NAME Piotr /Kowalski/",
                                               "1 SEX M",
                                               "0 @I4@ INDI",
                                               "1 NAME Ewa /Lis/",
                                               "1 SEX F",
                                               "0 @I5@ INDI",
                                               "1 NAME Adam /Kowalski/",
                                               "0 @F1@ FAM",
                                               "1 HUSB @I1@",
                                               "1 WIFE @I2@",
                                               "1 MARR",
                                               "2 DATE 1 JAN 1950",
                                               "1 CHIL @I3@",
                                               "0 @F2@ FAM",
                                               "1 HUSB @I3@",
                                               "1 WIFE @I4@",
                                               "1 CHIL @I5@",
                                               "0 TRLR"};

class GedcomCommandsTest : public EditFixture {
protected:
    void SetUp() override {
        EditFixture::SetUp();
        window = program->gedcomImportWindow();
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        // Each test leaves the window closed for the next program.
        if (window->isVisible()) window->okButton()->click();
    }

    QString writeFile(const std::string& name, const std::string& bytes) {
        const std::string path = t.dir.file(name);
        std::ofstream(path, std::ios::binary) << bytes;
        return QString::fromStdString(path);
    }
    void importThroughMenu(const QString& path) {
        t.user.fileAnswers.push_back(path);
        trigger("Read1");
    }
    std::map<std::string, std::pair<int32_t, int32_t>> positions(const PersonList& list) {
        std::map<std::string, std::pair<int32_t, int32_t>> at;
        for (const PersonRecord* r = list.personListHead(); r != nullptr; r = r->nextPerson) {
            at[std::string(r->text(field::gedcomImportXref))] = {r->posX(), r->posY()};
        }
        return at;
    }
    QStringList informed() const { return t.user.messages(); }
    // The names in the test folder, sorted.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(t.dir.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    GedcomImportWindow* window = nullptr;
};

TEST_F(GedcomCommandsTest, ImportReadsArrangesCentresAndIsOneStep) {
    const std::string text = gedcomLines(kFamilyLines);
    const QString path = writeFile("family.ged", text);
    importThroughMenu(path);

    // The open dialog, and no save question for the empty new tree.
    ASSERT_EQ(t.user.fileDialogs.size(), 1);
    EXPECT_EQ(t.user.fileDialogs[0].filter,
              QStringLiteral("Gedcom files (*.ged);;GEDZIP archives (*.gdz);;Text files (*.txt);;"
                             "All files (*.*)"));
    EXPECT_EQ(t.user.fileDialogs[0].defaultSuffix, QStringLiteral("ged"));
    EXPECT_EQ(t.user.asked.size(), 1);
    EXPECT_TRUE(informed().isEmpty());

    // The window, still open with the outcome.
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Import pliku GEDCOM"));
    EXPECT_EQ(window->pathBox()->text(), path);
    EXPECT_EQ(window->personsBox()->text(), QStringLiteral("5 "));
    EXPECT_EQ(window->familiesBox()->text(), QStringLiteral("2 "));
    EXPECT_EQ(window->progressBar()->value(), 100);
    EXPECT_EQ(window->statusLine()->text(), QStringLiteral("Done."));
    EXPECT_TRUE(window->okButton()->isEnabled());
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);

    // Arranged as the arrangement places a tree read from the same text.
    Document reference;
    ASSERT_TRUE(importText(reference, text).done());
    reference.change("arrange", [](TreeEdit& list) { autoArrangeOnList(list); });
    const PersonList& list = main->doc().persons();
    EXPECT_EQ(positions(list), positions(reference.persons()));
    std::set<std::pair<int32_t, int32_t>> places;
    for (const auto& [xref, at] : positions(list)) places.insert(at);
    EXPECT_EQ(places.size(), 5u) << "every box has a place of its own";

    // The first person current, centred at 100 %.
    ASSERT_EQ(list.currentPerson(), list.personListHead());
    ViewState expected;
    centreAt100(expected, WindowExtent{main->canvas()->width(), main->canvas()->height()},
                list.personListHead()->posX(), list.personListHead()->posY());
    EXPECT_EQ(main->viewState().zoomPercent, 100.0);
    EXPECT_EQ(main->viewState().scrollX, expected.scrollX);
    EXPECT_EQ(main->viewState().scrollY, expected.scrollY);

    // A new tree without a file, changed, and one step that takes it all back.
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Lineara ") + QString::fromLatin1(kVersionText));
    EXPECT_TRUE(main->doc().treeModified());
    EXPECT_EQ(main->doc().undoName(), step_name::kImportGedcom);
    main->editing().undo();
    EXPECT_TRUE(main->doc().persons().empty());
    EXPECT_FALSE(main->doc().canUndo());
    EXPECT_FALSE(main->doc().treeModified());

    window->okButton()->click();
    EXPECT_FALSE(window->isVisible());
}

// The file is chosen before the open tree is given up; a cancel at either
// question leaves the tree, its name and its flag as they were, and undo
// brings back the tree that was there before the import.
TEST_F(GedcomCommandsTest, TheFileComesFirstAndNothingIsLostByACancelOrAnImport) {
    const QString path = writeFile("family.ged", gedcomLines(kFamilyLines));
    add("Stary", "Zapis");
    const std::string old = t.dir.file("stare.ln3");
    main->doc().setCurrentFileName(old);
    main->paintTree();
    const QString caption = main->windowTitle();
    ASSERT_TRUE(caption.contains(QStringLiteral("stare.ln3")));
    ASSERT_TRUE(main->doc().treeModified());
    const auto unchanged = [&](const char* how) {
        ASSERT_EQ(main->doc().persons().count(), 1u) << how;
        EXPECT_EQ(main->doc().currentFileName(), old) << how;
        EXPECT_TRUE(main->doc().treeModified()) << how;
        EXPECT_EQ(main->windowTitle(), caption) << how;
        EXPECT_FALSE(window->isVisible()) << how;
    };

    // The file dialog cancelled: not even the question is asked.
    importThroughMenu(QString());
    EXPECT_EQ(t.user.fileDialogs.size(), 1);
    EXPECT_EQ(t.user.asked.size(), 1);  // the dialog alone
    unchanged("file dialog cancelled");

    // The question cancelled, after the file was chosen.
    t.user.asked.clear();
    t.user.yesNoCancelAnswers = {Answer::Cancel};
    importThroughMenu(path);
    ASSERT_EQ(t.user.asked.size(), 2);
    EXPECT_TRUE(t.user.asked[0].startsWith(QLatin1String("open|")));
    EXPECT_EQ(t.user.asked[1], QString::fromLatin1(kSaveQuestion));
    unchanged("question cancelled");

    // No: the file comes in place of the tree, untitled and changed.
    t.user.yesNoCancelAnswers = {Answer::No};
    importThroughMenu(path);
    EXPECT_EQ(main->doc().persons().count(), 5u);
    EXPECT_EQ(imported(main->doc().persons(), "@I1@")->text(field::surname), "Kowalski");
    EXPECT_EQ(main->doc().currentFileName(), "");
    window->okButton()->click();

    // Ctrl+Z: the tree before, its name in the caption and its flag too.
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    QTest::keyClick(main, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(main->doc().persons().personListHead()->text(field::givenNames), "Stary");
    EXPECT_EQ(main->doc().persons().count(), 1u);
    EXPECT_EQ(main->doc().currentFileName(), old);
    EXPECT_TRUE(main->doc().treeModified());
    EXPECT_EQ(main->windowTitle(), caption);
    QTest::keyClick(main, Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(main->doc().persons().count(), 5u);
    QTest::keyClick(main, Qt::Key_Z, Qt::ControlModifier);

    // Yes: the old tree is saved first, and after undo counts as saved.
    t.user.yesNoCancelAnswers = {Answer::Yes};
    importThroughMenu(path);
    EXPECT_EQ(main->doc().persons().count(), 5u);
    window->okButton()->click();
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    QTest::keyClick(main, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(main->doc().currentFileName(), old);
    EXPECT_FALSE(main->doc().treeModified());
    PersonList saved;
    ASSERT_EQ(ReadfromFile(saved, old).status, LoadResult::Loaded);
    EXPECT_EQ(saved.personListHead()->text(field::givenNames), "Stary");
}

TEST_F(GedcomCommandsTest, FailureKeepsWhatWasReadUnarrangedAndSaysWhere) {
    std::vector<std::string> lines(kFamilyLines.begin(), kFamilyLines.begin() + 9);
    lines.push_back(std::string("x\0INDI", 6));  // line 10: no level, and no text
    lines.push_back("0 @I9@ INDI");
    main->viewState().scrollX = 123456;  // where an earlier tree was looked at
    importThroughMenu(writeFile("broken.ged", gedcomLines(lines)));

    EXPECT_EQ(window->statusLine()->text(),
              QStringLiteral("GEDCOM import failed - file possibly corrupted (reached line 10)"));
    EXPECT_EQ(informed(), QStringList{QStringLiteral("GEDCOM import failed")});
    // Kept above other windows no more, so that the message can be read;
    // still open, and above again for the next import.
    EXPECT_FALSE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->okButton()->isEnabled());
    EXPECT_EQ(window->personsBox()->text(), QStringLiteral("3 "));
    const PersonList& list = main->doc().persons();
    ASSERT_EQ(list.count(), 3u);
    for (const PersonRecord* r = list.personListHead(); r != nullptr; r = r->nextPerson) {
        EXPECT_EQ(r->posX(), 0);
        EXPECT_EQ(r->posY(), 0);
    }
    // The view shows what was read, at 100 % around the last person made,
    // wherever the tree before it had been scrolled to.
    EXPECT_EQ(list.currentPerson(), imported(list, "@I3@"));
    ViewState expected;
    centreAt100(expected, WindowExtent{main->canvas()->width(), main->canvas()->height()}, 0, 0);
    EXPECT_EQ(main->viewState().scrollX, expected.scrollX);
    EXPECT_EQ(main->viewState().scrollY, expected.scrollY);
    // What was read is one step, as a finished import is.
    EXPECT_EQ(main->doc().undoName(), step_name::kImportGedcom);
}

TEST_F(GedcomCommandsTest, FullRelationshipSlotsAreToldOnceAndCounted) {
    // One man in ten families: the last two find no free slot on him.
    std::vector<std::string> lines = {"0 HEAD", "0 @H@ INDI", "1 SEX M"};
    for (int i = 1; i <= 10; ++i) {
        lines.push_back("0 @W" + std::to_string(i) + "@ INDI");
    }
    for (int i = 1; i <= 10; ++i) {
        lines.push_back("0 @F" + std::to_string(i) + "@ FAM");
        lines.push_back("1 HUSB @H@");
        lines.push_back("1 WIFE @W" + std::to_string(i) + "@");
    }
    lines.push_back("0 TRLR");
    const std::string text = gedcomLines(lines);
    Document reference;
    const GedcomImportResult expected = importText(reference, text);
    ASSERT_EQ(expected.relationshipsLeftOut, 2);
    ASSERT_EQ(expected.messages.size(), 1u);

    importThroughMenu(writeFile("many.ged", text));
    EXPECT_EQ(informed(), QStringList{QString::fromStdString(expected.messages[0])});
    EXPECT_EQ(window->statusLine()->text(),
              QStringLiteral("Done. Relationships left out (at most 8 per person): 2"));
    EXPECT_EQ(window->familiesBox()->text(), QStringLiteral("10 "));
}

// A file read to its end but not as it should be: every note in the one
// status text, each on a line of its own; the tree read is arranged as
// after any finished import.
TEST_F(GedcomCommandsTest, NotesOfAFileCutShortAreAllInTheStatus) {
    std::vector<std::string> lines(kFamilyLines.begin(), kFamilyLines.end() - 1);  // no TRLR
    lines.insert(lines.begin() + 4, "1 NOTE a note");
    lines.insert(lines.begin() + 5, "pasted with its line breaks");
    lines.insert(lines.begin() + 1, "1 CHAR UTF-8");
    lines.push_back("0 @I6@ INDI");
    lines.push_back("1 NAME Иван /Петров/");
    importThroughMenu(writeFile("cut.ged", gedcomLines(lines)));

    EXPECT_EQ(window->statusLine()->text(),
              QStringLiteral("Done.\n"
                             "Lines read as continuations: 1\n"
                             "Letters replaced (not in the tree's code page): 10\n"
                             "The file ends before its end record (TRLR): it may be incomplete."));
    EXPECT_TRUE(informed().isEmpty());
    EXPECT_EQ(window->personsBox()->text(), QStringLiteral("6 "));
    const PersonList& list = main->doc().persons();
    ASSERT_EQ(list.count(), 6u);
    EXPECT_NE(imported(list, "@I1@")->posY(), imported(list, "@I3@")->posY()) << "arranged";
    EXPECT_EQ(imported(list, "@I1@")->text(field::surname), "Kowalski");
}

TEST_F(GedcomCommandsTest, AnEmptyFileIsAnErrorAndChangesNothing) {
    importThroughMenu(writeFile("empty.ged", ""));
    EXPECT_EQ(informed(), QStringList{QStringLiteral("The file is empty: nothing was imported.")});
    EXPECT_EQ(window->statusLine()->text(), informed().value(0));
    EXPECT_TRUE(window->okButton()->isEnabled());
    EXPECT_TRUE(main->doc().persons().empty());
    EXPECT_FALSE(main->doc().canUndo());
    EXPECT_FALSE(main->doc().treeModified());
}

TEST_F(GedcomCommandsTest, FileThatCannotBeReadIsReportedAndChangesNothing) {
    importThroughMenu(QString::fromStdString(t.dir.path()));  // a folder
    ASSERT_EQ(informed().size(), 1);
    EXPECT_FALSE(informed()[0].isEmpty());
    EXPECT_EQ(window->statusLine()->text(), informed()[0]);
    EXPECT_TRUE(window->okButton()->isEnabled());
    EXPECT_TRUE(main->doc().persons().empty());
    EXPECT_FALSE(main->doc().canUndo());
    EXPECT_FALSE(main->doc().treeModified());
}

TEST_F(GedcomCommandsTest, WhileReadingTheWindowIsModalAndClosingItStopsTheImport) {
    std::vector<std::string> lines;
    for (int i = 1; i <= 200; ++i) {
        lines.push_back("0 @I" + std::to_string(i) + "@ INDI");
        lines.push_back("1 NAME Osoba" + std::to_string(i) + " /Testowa/");
    }
    int refreshes = 0;
    bool modalWhileReading = true;
    bool stayedOpen = true;
    window->setRefreshHook([&] {
        ++refreshes;
        modalWhileReading =
            modalWhileReading && window->reading() && QApplication::activeModalWidget() == window;
        if (refreshes == 3) {
            window->reject();  // Escape
            window->close();   // the title bar
            stayedOpen = window->isVisible();
        }
    });
    importThroughMenu(writeFile("long.ged", gedcomLines(lines)));
    window->setRefreshHook({});

    EXPECT_TRUE(modalWhileReading);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(refreshes, 3);
    const QString status = window->statusLine()->text();
    EXPECT_TRUE(status.startsWith(QStringLiteral("GEDCOM import cancelled (reached line")))
        << status.toStdString();
    // Kept, not arranged, and no message: the user asked for it.
    const size_t kept = main->doc().persons().count();
    EXPECT_GT(kept, 0u);
    EXPECT_LT(kept, 200u);
    EXPECT_EQ(window->personsBox()->text(), QString::number(kept) + QLatin1Char(' '));
    EXPECT_TRUE(informed().isEmpty());
    EXPECT_EQ(main->doc().persons().personListHead()->posX(), 0);

    // Reading over, the window closes again.
    window->reject();
    EXPECT_FALSE(window->isVisible());
}

// --- export ---

class GedcomExportTest : public GedcomCommandsTest, public ::testing::WithParamInterface<bool> {};

TEST_P(GedcomExportTest, WritesTheFileAndLeavesTheModifiedFlagAsItWas) {
    const bool modified = GetParam();
    add("Jan", "Kowalski");
    add("Anna", "Nowak", 200, 0);
    if (!modified) main->doc().markSaved();
    ASSERT_EQ(main->doc().treeModified(), modified);

    const std::string target = t.dir.file("out.ged");
    t.user.fileAnswers.push_back(QString::fromStdString(target));
    trigger("Write1");

    ASSERT_EQ(t.user.fileDialogs.size(), 1);
    const FileDialogOptions& dialog = t.user.fileDialogs[0];
    EXPECT_EQ(dialog.title, QStringLiteral("Eksport do pliku GEDCOM"));
    // The program's own form first, the standard form second.
    EXPECT_EQ(dialog.filter, QStringLiteral("GEDCOM files (*.ged);;GEDCOM 5.5.1, UTF-8 (*.ged);;"
                                            "GEDCOM 7 (*.ged);;GEDZIP with pictures and notes "
                                            "(*.gdz)"));
    EXPECT_EQ(dialog.defaultSuffix, QStringLiteral("ged"));
    EXPECT_TRUE(dialog.confirmOverwrite);
    EXPECT_TRUE(informed().isEmpty());

    const std::vector<uint8_t> bytes = readBytes(target);
    const std::vector<std::string> lines =
        exportedLines(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(lines.front(), "0 HEAD");
    EXPECT_EQ(lines.back(), "0 TRLR");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "1 NAME Jan/Kowalski/"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "1 NAME Anna/Nowak/"), lines.end());

    EXPECT_EQ(main->doc().treeModified(), modified);
    EXPECT_FALSE(main->doc().canUndo());
}

INSTANTIATE_TEST_SUITE_P(ModifiedOrNot, GedcomExportTest, ::testing::Bool());

TEST_F(GedcomCommandsTest, TheSecondChoiceWritesTheStandardFormInUtf8) {
    add(toCodePage("Łucja", "CP1250").c_str(), toCodePage("Żak", "CP1250").c_str());
    const std::string target = t.dir.file("standard.ged");
    t.user.fileAnswers.push_back(QString::fromStdString(target));
    t.user.filterAnswers.push_back(1);
    trigger("Write1");
    EXPECT_TRUE(informed().isEmpty());
    const std::vector<uint8_t> bytes = readBytes(target);
    const std::vector<std::string> lines =
        exportedLines(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    for (const char* line : {"2 VERS 5.5.1", "2 FORM LINEAGE-LINKED", "1 CHAR UTF-8",
                             "1 NAME Łucja /Żak/", "2 GIVN Łucja", "2 SURN Żak"}) {
        EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line;
    }
    // The first choice is still the program's own form.
    t.user.fileAnswers.push_back(QString::fromStdString(target));
    trigger("Write1");
    const std::vector<uint8_t> own = readBytes(target);
    const std::string text(own.begin(), own.end());
    EXPECT_NE(text.find("1 CHAR ANSI\r\n"), std::string::npos);
    EXPECT_NE(text.find("1 NAME " + toCodePage("Łucja", "CP1250") + "/"), std::string::npos);
}

TEST_F(GedcomCommandsTest, TheThirdAndFourthChoicesWriteGedcom7AndAGedzip) {
    std::filesystem::create_directories(t.dir.file("tree"));
    std::ofstream(t.dir.file("tree/face.jpg"), std::ios::binary) << "face";
    std::ofstream(t.dir.file("outside.jpg"), std::ios::binary) << "outside";
    main->doc().setCurrentFileName(t.dir.file("tree/tree.ln3"));
    add("Jan", "Kowalski")->setText(field::pictureFile, "face.jpg");
    add("Anna", "Nowak")->setText(field::pictureFile, "../outside.jpg");

    // GEDCOM 7, the outside picture left out.
    t.user.fileAnswers.push_back(QString::fromStdString(t.dir.file("seven.ged")));
    t.user.filterAnswers.push_back(2);
    t.user.yesNoCancelAnswers.push_back(Answer::No);
    trigger("Write1");
    EXPECT_TRUE(informed().isEmpty());
    ASSERT_EQ(t.user.asked.size(), 2);  // the file dialog, then the question
    EXPECT_TRUE(t.user.asked.back().contains(QStringLiteral("outside.jpg")));
    std::vector<uint8_t> bytes = readBytes(t.dir.file("seven.ged"));
    const std::string seven(bytes.begin(), bytes.end());
    EXPECT_NE(seven.find("1 GEDC\r\n2 VERS 7.0\r\n"), std::string::npos);
    EXPECT_NE(seven.find("1 FILE face.jpg\r\n"), std::string::npos);
    EXPECT_NE(seven.find("1 FILE ../outside.jpg\r\n"), std::string::npos);  // named, not read

    // The archive gets its own extension, and takes the outside picture
    // when the user says so.
    t.user.fileAnswers.push_back(QString::fromStdString(t.dir.file("zipped.ged")));
    t.user.filterAnswers.push_back(3);
    t.user.yesNoCancelAnswers.push_back(Answer::Yes);
    trigger("Write1");
    EXPECT_TRUE(informed().isEmpty());
    EXPECT_FALSE(std::filesystem::exists(t.dir.file("zipped.ged")));
    bytes = readBytes(t.dir.file("zipped.gdz"));
    const std::string zipped(bytes.begin(), bytes.end());
    EXPECT_EQ(zipped.rfind("PK", 0), 0u);
    EXPECT_NE(zipped.find("media/0001_face.jpg"), std::string::npos);
    EXPECT_NE(zipped.find("media/0002_outside.jpg"), std::string::npos);

    // Cancel at the question writes nothing.
    t.user.fileAnswers.push_back(QString::fromStdString(t.dir.file("none.gdz")));
    t.user.filterAnswers.push_back(3);
    t.user.yesNoCancelAnswers.push_back(Answer::Cancel);
    trigger("Write1");
    EXPECT_FALSE(std::filesystem::exists(t.dir.file("none.gdz")));
}

TEST_F(GedcomCommandsTest, AGedzipImportsWithItsPicturesBesideTheArchive) {
    PersonList source;
    std::ofstream(t.dir.file("face.jpg"), std::ios::binary) << "face";
    test::addPerson(source, "Jan", "Kowalski", 40, 60)->setText(field::pictureFile, "face.jpg");
    Gedcom7FileOptions options;
    options.treeFolder = t.dir.path();
    ASSERT_TRUE(ExportGedcom7(source, t.dir.file("family.gdz"), {2026, 1, 1, 0, 0}, options).ok);

    importThroughMenu(QString::fromStdString(t.dir.file("family.gdz")));
    EXPECT_TRUE(informed().isEmpty());
    const PersonRecord* jan = main->doc().persons().personListHead();
    ASSERT_NE(jan, nullptr);
    EXPECT_EQ(jan->text(field::givenNames), "Jan");
    EXPECT_EQ(jan->posX(), 40);  // the drawing is kept, not arranged
    EXPECT_EQ(jan->text(field::pictureFile), t.dir.file("family_media/media/0001_face.jpg"));
    EXPECT_EQ(readBytes(t.dir.file("family_media/media/0001_face.jpg")),
              std::vector<uint8_t>({'f', 'a', 'c', 'e'}));

    // A hostile archive is refused and the tree stays as it was.
    std::ofstream(t.dir.file("bad.gdz"), std::ios::binary) << "no zip";
    t.user.yesNoCancelAnswers.push_back(Answer::No);  // the imported tree is not saved
    importThroughMenu(QString::fromStdString(t.dir.file("bad.gdz")));
    ASSERT_FALSE(informed().isEmpty());
    EXPECT_TRUE(informed().back().contains(QStringLiteral("The GEDZIP archive was refused")));
    EXPECT_EQ(main->doc().persons().personListHead()->text(field::givenNames), "Jan");
}

TEST_F(GedcomCommandsTest, ExportCancelledWritesNothing) {
    add("Jan", "Kowalski");
    const std::vector<std::string> before = entries();
    trigger("Write1");
    EXPECT_EQ(t.user.fileDialogs.size(), 1);
    EXPECT_TRUE(informed().isEmpty());
    EXPECT_EQ(entries(), before);
    EXPECT_TRUE(main->doc().treeModified());
}

TEST_F(GedcomCommandsTest, ExportThatCannotBeWrittenIsReportedAndLeavesNoFile) {
    add("Jan", "Kowalski");
    const bool modified = main->doc().treeModified();
    std::filesystem::create_directories(t.dir.file("busy"));
    const std::vector<std::string> before = entries();

    // A folder that is not there, and a folder where the file should go.
    const std::string missing = t.dir.file("nowhere/out.ged");
    const std::string folder = t.dir.file("busy");
    for (const std::string& target : {missing, folder}) {
        t.user.asked.clear();
        t.user.fileAnswers.push_back(QString::fromStdString(target));
        trigger("Write1");
        ASSERT_EQ(informed().size(), 1) << target;
        const QString message = informed()[0];
        const char* reason = target == missing ? "No such file or directory" : "Is a directory";
        EXPECT_TRUE(message.contains(QString::fromLatin1(reason))) << message.toStdString();
        EXPECT_TRUE(t.user.asked[1].startsWith(QStringLiteral("inform|Lineara|")));
    }
    EXPECT_FALSE(fileExists(missing));
    EXPECT_TRUE(std::filesystem::is_directory(folder));
    // Nothing half-written beside where the files were to go.
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    EXPECT_EQ(entries(), before);
    EXPECT_EQ(main->doc().treeModified(), modified);
}

TEST_F(GedcomCommandsTest, ExportedSampleComesBackThroughTheImport) {
    std::string error;
    ASSERT_TRUE(buildSampleFamily(persons(), error)) << error;
    std::map<int32_t, std::string> names;  // by person id, alias boxes aside
    for (const PersonRecord* r = main->doc().persons().personListHead(); r != nullptr;
         r = r->nextPerson) {
        if (r->text(field::aliasMark) == "REF") continue;
        names[r->personId()] =
            std::string(r->text(field::givenNames)) + "/" + std::string(r->text(field::surname));
    }
    main->doc().markSaved();
    const QString path = QString::fromStdString(t.dir.file("sample.ged"));
    t.user.fileAnswers.push_back(path);
    trigger("Write1");
    ASSERT_TRUE(informed().isEmpty()) << informed().join(QLatin1Char('\n')).toStdString();

    importThroughMenu(path);
    // Polish letters in a file that says only ANSI: the status tells, on a
    // line of its own, which code page they were read in.
    EXPECT_EQ(window->statusLine()->text(),
              QStringLiteral("Done.\nRead as Windows-1250 (the options' code page)"));
    EXPECT_EQ(window->personsBox()->text(), QString::number(names.size()) + QLatin1Char(' '));
    std::map<int32_t, std::string> back;
    for (const PersonRecord* r = main->doc().persons().personListHead(); r != nullptr;
         r = r->nextPerson) {
        const std::string xref(r->text(field::gedcomImportXref));  // "@I<id>@"
        back[std::stoi(xref.substr(2, xref.size() - 3))] =
            std::string(r->text(field::givenNames)) + "/" + std::string(r->text(field::surname));
    }
    EXPECT_EQ(back, names);
}

}  // namespace
}  // namespace lineara::test
