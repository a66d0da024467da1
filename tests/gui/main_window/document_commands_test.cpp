// New, Open, Save, Save as and Collect all files, with a scripted user
// answering the questions and a stand-in for the main window.
#include "gui/main_window/document_commands.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "support/add_person.h"
#include "support/scripted_user.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

using test::readBytes;
using test::ScriptedUser;
using test::TempDir;

class FakeWindow : public DocumentEnvironment {
public:
    Document doc;
    ViewState viewState;
    ScriptedUser user;
    AppSettings appSettings;
    RecordCodec recordCodec;
    QStringList statusTexts;
    QStringList errors;
    int repaints = 0;
    int problems = 0;  // what the quality check finds
    int checks = 0;
    QList<bool> qualityWindows;  // shown, modal or not

    Document& document() override { return doc; }
    ViewState& view() override { return viewState; }
    QSize windowSize() const override { return QSize(800, 600); }
    UserInteraction& ui() override { return user; }
    const AppSettings& settings() const override { return appSettings; }
    const RecordCodec& codec() const override { return recordCodec; }
    void repaintTree() override { ++repaints; }
    void setStatusText(const QString& text) override { statusTexts << text; }
    void showError(const QString& message) override { errors << message; }
    int runQualityCheck() override {
        ++checks;
        return problems;
    }
    void showQualityCheckWindow(bool modal) override { qualityWindows << modal; }
};

class DocumentCommandsTest : public ::testing::Test {
protected:
    PersonRecord* addPerson(const char* name) {
        return test::addPerson(test::writable(win.doc), name);
    }
    QString path(const char* name) { return QString::fromStdString(dir.file(name)); }
    void saveAs(const QString& target) {
        win.user.fileAnswers.push_back(target);
        commands.saveAs();
    }

    TempDir dir;
    FakeWindow win;
    DocumentCommands commands{win};
};

const char kSaveQuestion[] = "yesnocancel|Potwierdz|Zapisac zmiany w Twoim drzewie?";

TEST_F(DocumentCommandsTest, NewAsksOnlyWhenModifiedAndCancelKeepsEverything) {
    addPerson("Jan");
    win.doc.setCurrentFileName("/x/t.ln3");
    win.doc.markSaved();
    commands.newTree();
    EXPECT_TRUE(win.user.asked.isEmpty());
    EXPECT_TRUE(win.doc.persons().empty());
    EXPECT_EQ(win.doc.currentFileName(), "");

    addPerson("Ewa");
    win.doc.setCurrentFileName("/x/t.ln3");
    win.user.yesNoCancelAnswers = {Answer::Cancel};
    commands.newTree();
    EXPECT_EQ(win.user.asked, QStringList{QString::fromLatin1(kSaveQuestion)});
    EXPECT_EQ(win.doc.persons().count(), 1u);
    EXPECT_EQ(win.doc.currentFileName(), "/x/t.ln3");
    EXPECT_TRUE(win.doc.treeModified());

    win.user.yesNoCancelAnswers = {Answer::No};
    commands.newTree();
    EXPECT_TRUE(win.doc.persons().empty());
    EXPECT_FALSE(win.doc.treeModified());
}

TEST_F(DocumentCommandsTest, YesSavesBeforeDiscardingAndStopsWhenTheSaveAsIsCancelled) {
    addPerson("Jan");
    QString target = path("kept.ln3");
    win.doc.setCurrentFileName(target.toStdString());
    win.user.yesNoCancelAnswers = {Answer::Yes};
    commands.newTree();
    EXPECT_EQ(readBytes(target.toStdString()).size(), size_t(kRecordSize));
    EXPECT_TRUE(win.doc.persons().empty());

    // Untitled: Yes runs Save as; cancelling it stops New, as Cancel would.
    addPerson("Ewa");
    win.user.yesNoCancelAnswers = {Answer::Yes};
    commands.newTree();
    EXPECT_TRUE(win.user.asked.last().startsWith(QLatin1String("save|Zapisz jako|")));
    EXPECT_EQ(win.doc.persons().count(), 1u);
    EXPECT_TRUE(win.doc.treeModified());
}

// Whatever keeps the tree from its file after the user said Yes, the
// command that asked stops and the tree stays as it was, still modified.
TEST_F(DocumentCommandsTest, YesWithoutASavedTreeStopsNewAndOpen) {
    QDir().mkdir(path("folder.ln3"));
    struct Case {
        const char* what;
        std::string fileName;  // the document's name before asking
        QString saveAsAnswer;  // what the Save as dialog gives, if shown
    } cases[] = {
        {"Save as cancelled", "", QString()},
        {"extension refused", "", path("tree.txt")},
        {"write failed", dir.file("folder.ln3"), QString()},
    };
    for (const Case& c : cases) {
        for (bool open : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (open ? ", Open" : ", New"));
            test::writable(win.doc).ClearMemory();
            addPerson("Jan");
            win.doc.setCurrentFileName(c.fileName);
            win.user.asked.clear();
            win.user.yesNoCancelAnswers = {Answer::Yes};
            win.user.fileAnswers = {c.saveAsAnswer, path("other.ln3")};
            if (open) {
                commands.openTree();
            } else {
                commands.newTree();
            }
            EXPECT_EQ(win.doc.persons().count(), 1u);
            EXPECT_TRUE(win.doc.treeModified());
            EXPECT_TRUE(win.user.asked.filter(QStringLiteral("open|")).isEmpty());
        }
    }
}

TEST_F(DocumentCommandsTest, SaveAsTakesTheNameEvenWhenTheExtensionIsRefused) {
    addPerson("Jan");
    saveAs(path("tree.txt"));
    EXPECT_EQ(win.doc.currentFileName(), dir.file("tree.txt"));
    EXPECT_TRUE(win.doc.treeModified());
    EXPECT_EQ(win.user.messages(),
              QStringList{QStringLiteral("Incorrect file type. Lineara did not save the file.")});
    EXPECT_FALSE(test::fileExists(dir.file("tree.txt")));
    EXPECT_EQ(win.statusTexts.last(), QStringLiteral("OK"));
    // The next Save is refused again.
    commands.save();
    EXPECT_EQ(win.user.messages().size(), 2);
    EXPECT_TRUE(win.doc.treeModified());

    saveAs(path("tree.ln3"));
    EXPECT_FALSE(win.doc.treeModified());
    const FileDialogOptions& dialog = win.user.fileDialogs.last();
    EXPECT_EQ(dialog.filter, QStringLiteral("Lineara files (*.ln3)"));
    EXPECT_EQ(dialog.defaultSuffix, QStringLiteral("ln3"));
    EXPECT_EQ(dialog.initialPath, path("tree.txt"));
}

TEST_F(DocumentCommandsTest, FailedSaveKeepsTheOldFileAndTheFlag) {
    addPerson("Jan");
    QString target = path("t.ln3");
    saveAs(target);
    std::vector<uint8_t> old = readBytes(target.toStdString());
    addPerson("Ewa");
    // A tree file that has become a folder's name cannot be replaced.
    win.doc.setCurrentFileName(dir.file("folder.ln3"));
    QDir().mkdir(path("folder.ln3"));
    commands.save();
    ASSERT_EQ(win.errors.size(), 1);
    EXPECT_TRUE(win.errors[0].contains(path("folder.ln3"))) << win.errors[0].toStdString();
    EXPECT_TRUE(win.doc.treeModified());
    EXPECT_EQ(readBytes(target.toStdString()), old);
}

TEST_F(DocumentCommandsTest, OpenReadsTheFileAndCentresTheHomePerson) {
    PersonRecord* p = addPerson("Jan");
    p->setPos(100, 50);
    saveAs(path("t.ln3"));
    test::writable(win.doc).ClearMemory();
    test::writable(win.doc).setTreeModified(true);
    win.user.yesNoCancelAnswers = {Answer::No};
    win.user.fileAnswers = {path("t.ln3")};
    commands.openTree();
    EXPECT_EQ(win.doc.persons().count(), 1u);
    EXPECT_FALSE(win.doc.treeModified());
    EXPECT_EQ(win.doc.currentFileName(), dir.file("t.ln3"));
    EXPECT_EQ(win.viewState.scrollX, 400 - 100 - 70);
    EXPECT_EQ(win.viewState.scrollY, 300 - 50 - 40);
    EXPECT_EQ(win.statusTexts.last(), QStringLiteral("OK"));
    EXPECT_EQ(win.checks, 0);  // the check is off by default

    // A damaged file: the message, then an empty untitled tree.
    QFile bad(path("bad.ln3"));
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(QByteArray(kRecordSize + 1, 'x'));
    bad.close();
    commands.openFile(path("bad.ln3"));
    EXPECT_EQ(win.user.messages().last(),
              QStringLiteral("Error: Lineara did not recognize the file"));
    EXPECT_TRUE(win.doc.persons().empty());
    EXPECT_EQ(win.doc.currentFileName(), "");
    EXPECT_FALSE(win.doc.treeModified());

    // A missing file goes to the error handler and stops there.
    win.statusTexts.clear();
    commands.openFile(path("missing.ln3"));
    ASSERT_EQ(win.errors.size(), 1);
    EXPECT_TRUE(win.errors[0].contains(QStringLiteral("No such file")));
    EXPECT_TRUE(win.statusTexts.isEmpty());
}

TEST_F(DocumentCommandsTest, QualityCheckStepsFollowTheOptions) {
    win.appSettings.qualityCheckOnOpen = true;
    win.appSettings.qualityCheckOnSave = true;
    addPerson("Jan");
    saveAs(path("t.ln3"));
    // Nothing found: only the status texts, no question.
    EXPECT_EQ(win.statusTexts.mid(0, 2),
              (QStringList{QStringLiteral("Performing Quality Check..."),
                           QStringLiteral("Quality Check Result: 0 error(s)")}));
    EXPECT_EQ(win.user.asked.size(), 1);  // the save dialog

    win.problems = 2;
    win.user.yesNoAnswers = {true, true, false};
    commands.save();
    commands.openFile(path("t.ln3"));
    commands.saveAs();  // cancelled dialog after the check
    QStringList questions = win.user.asked.filter(QStringLiteral("yesno|"));
    ASSERT_EQ(questions.size(), 3);
    EXPECT_TRUE(questions[0].endsWith(
        QStringLiteral("Quality Check Result: 2 error(s). Would you like to see the details?")));
    EXPECT_TRUE(questions[1].endsWith(
        QStringLiteral("Quality Check Result: 2 error(s). Chcesz zobaczyc szczegoly?")));
    EXPECT_EQ(win.qualityWindows, (QList<bool>{true, false}));  // Save modal, Open not

    // Save on an untitled tree checks twice: for Save and for Save as.
    win.checks = 0;
    win.user.yesNoAnswers = {false, false};
    win.doc.setCurrentFileName("");
    commands.save();
    EXPECT_EQ(win.checks, 2);
}

class CollectTest : public DocumentCommandsTest {
protected:
    void SetUp() override {
        QDir().mkpath(path("src"));
        QDir().mkpath(path("dest"));
        writeFile("src/a.jpg");
        writeFile("src/b.jpg");
        QDir::setCurrent(path("src"));
    }
    void writeFile(const char* name) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("data");
    }
    void TearDown() override { QDir::setCurrent(QDir::tempPath()); }
};

TEST_F(CollectTest, CopiesPicturesCountsThemAndShortensThePaths) {
    addPerson("Jan")->setText(field::pictureFile, path("src/a.jpg").toStdString());
    addPerson("Ewa")->setText(field::pictureFile, "b.jpg");  // relative to the working folder
    win.doc.markSaved();
    win.user.fileAnswers = {path("dest/t.ln3")};
    commands.collectAllFiles();

    QString folder = path("dest") + QLatin1Char('/');
    EXPECT_EQ(win.user.asked.last(),
              QStringLiteral("inform|Files saved|Collected 3 files to directory ") + folder);
    EXPECT_EQ(win.user.fileDialogs[0].title, QStringLiteral("Collect all files"));
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("a.jpg")));
    EXPECT_TRUE(QFile::exists(folder + QStringLiteral("b.jpg")));
    EXPECT_EQ(win.doc.persons().personListHead()->text(field::pictureFile), "a.jpg");
    EXPECT_EQ(QDir::currentPath(), path("src"));  // the working folder stays
    EXPECT_EQ(win.doc.currentFileName(), dir.file("dest/t.ln3"));
    EXPECT_FALSE(win.doc.treeModified());
    EXPECT_TRUE(QFile::exists(path("dest/t.ln3")));

    // Again into the same folder: nothing to copy, all counted.
    win.user.fileAnswers = {path("dest/t.ln3")};
    commands.collectAllFiles();
    EXPECT_TRUE(
        win.user.asked.last().endsWith(QStringLiteral("Collected 3 files to directory ") + folder));
}

TEST_F(CollectTest, AFileThatCannotBeCopiedKeepsItsPathAndIsNamed) {
    addPerson("Jan")->setText(field::pictureFile, path("src/a.jpg").toStdString());
    addPerson("Ewa")->setText(field::notesFile, path("src/gone.txt").toStdString());
    win.user.fileAnswers = {path("dest/t.ln3")};
    commands.collectAllFiles();
    QString message = win.user.messages().last();
    EXPECT_TRUE(message.startsWith(QStringLiteral("Collected 2 files to directory ")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(path("src/gone.txt")));
    EXPECT_EQ(win.doc.persons().personListTail()->text(field::notesFile), dir.file("src/gone.txt"));
}

TEST_F(CollectTest, ARelativeNameIsFixedBeforeTheWorkingFolderMoves) {
    QDir::setCurrent(QString::fromStdString(dir.path()));
    addPerson("Jan")->setText(field::pictureFile, "src/a.jpg");
    win.user.fileAnswers = {QStringLiteral("dest/t.ln3")};
    commands.collectAllFiles();
    EXPECT_EQ(win.doc.currentFileName(), dir.file("dest/t.ln3"));
    EXPECT_TRUE(win.user.asked.last().endsWith(QStringLiteral("Collected 2 files to directory ") +
                                               path("dest/")));
    EXPECT_TRUE(QFile::exists(path("dest/a.jpg")));

    // The working folder is now the tree's; Save still finds the tree.
    addPerson("Ewa");
    commands.save();
    EXPECT_TRUE(win.errors.isEmpty());
    EXPECT_FALSE(win.doc.treeModified());
    EXPECT_EQ(readBytes(dir.file("dest/t.ln3")).size(), size_t(2 * kRecordSize));
}

// A tree that cannot be saved beside its copies takes them back: nothing
// is left in the folder, the persons keep their files' names and the tree
// its own name, and the user is told why.
TEST_F(CollectTest, ATreeThatCannotBeSavedTakesItsCopiesBack) {
    addPerson("Jan")->setText(field::pictureFile, path("src/a.jpg").toStdString());
    addPerson("Ewa")->setText(field::notesFile, "b.jpg");
    win.doc.setCurrentFileName(dir.file("src/t.ln3"));
    win.doc.markSaved();
    QDir().mkpath(path("dest/t.ln3"));  // a folder where the tree should go
    win.user.fileAnswers = {path("dest/t.ln3")};
    commands.collectAllFiles();

    EXPECT_FALSE(QFile::exists(path("dest/a.jpg")));
    EXPECT_FALSE(QFile::exists(path("dest/b.jpg")));
    EXPECT_EQ(win.doc.persons().personListHead()->text(field::pictureFile), dir.file("src/a.jpg"));
    EXPECT_EQ(win.doc.persons().personListTail()->text(field::notesFile), "b.jpg");
    EXPECT_EQ(win.doc.currentFileName(), dir.file("src/t.ln3"));
    EXPECT_FALSE(win.doc.treeModified());
    EXPECT_FALSE(win.doc.canUndo());
    EXPECT_EQ(QDir::currentPath(), path("src"));  // the working folder stays
    const QString message = win.user.asked.last();
    EXPECT_TRUE(message.startsWith(QStringLiteral("inform|Error|The tree could not be saved as ") +
                                   path("dest/t.ln3")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("The 2 files copied to ") + path("dest/") +
                                 QStringLiteral(" were removed again.")))
        << message.toStdString();
}

// Files outside the tree's folder are gathered only when the user says so.
TEST_F(CollectTest, FilesOutsideTheTreesFolderAreCopiedOnlyWhenTheUserSaysSo) {
    QDir().mkpath(path("elsewhere"));
    writeFile("elsewhere/secret.txt");
    win.doc.setCurrentFileName(dir.file("src/t.ln3"));
    addPerson("Jan")->setText(field::pictureFile, "a.jpg");
    addPerson("Ewa")->setText(field::notesFile, "../elsewhere/secret.txt");

    const struct {
        Answer answer;
        bool copied;
    } rows[] = {{Answer::Cancel, false}, {Answer::No, false}, {Answer::Yes, true}};
    for (const auto& row : rows) {
        QDir(path("dest")).removeRecursively();
        QDir().mkpath(path("dest"));
        QDir::setCurrent(path("src"));
        win.user.asked.clear();
        win.user.fileAnswers = {path("dest/t.ln3")};
        win.user.yesNoCancelAnswers = {row.answer};
        commands.collectAllFiles();
        ASSERT_GE(win.user.asked.size(), 2);
        const QString question = win.user.asked[1];  // after the file dialog
        EXPECT_TRUE(question.startsWith(QStringLiteral("yesnocancel|Lineara|The tree names 1 "
                                                       "file(s) outside its folder ") +
                                        path("src")))
            << question.toStdString();
        EXPECT_TRUE(question.contains(path("src/../elsewhere/secret.txt")))
            << question.toStdString();
        EXPECT_EQ(QFile::exists(path("dest/secret.txt")), row.copied) << int(row.answer);
        EXPECT_EQ(QFile::exists(path("dest/t.ln3")), row.answer != Answer::Cancel);
        if (row.answer == Answer::No) {
            EXPECT_TRUE(win.user.asked.last().contains(
                QStringLiteral("outside the tree's folder; they were not copied")));
            EXPECT_EQ(win.doc.persons().personListTail()->text(field::notesFile),
                      "../elsewhere/secret.txt");
        }
        if (row.answer == Answer::Yes) {
            EXPECT_EQ(win.doc.persons().personListTail()->text(field::notesFile), "secret.txt");
        }
        // The next round starts from the tree in its first folder.
        win.doc.setCurrentFileName(dir.file("src/t.ln3"));
    }
}

}  // namespace
}  // namespace lineara
