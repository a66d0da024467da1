// The recovery copies as the user meets them: kept while the tree is
// modified, gone once it is saved or given up, and offered at the next
// start after the program died.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDateTime>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <thread>

#include "core/formats/tree_file.h"
#include "core/platform/recovery_store.h"
#include "gui/app/application.h"
#include "gui/dialogs/options_dialog.h"
#include "gui/main_window/document_commands.h"
#include "gui/main_window/main_window.h"
#include "gui/recovery/recovery_keeper.h"
#include "support/add_person.h"
#include "support/fake_shell.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

using test::fileExists;
using test::readBytes;

enum { kRestore = 0, kDiscard = 1, kLater = 2 };

class RecoveryTest : public ::testing::Test {
public:
    void SetUp() override { t.ctx.recoveryFolder = QString::fromStdString(recoveryFolder()); }
    std::string recoveryFolder() const { return t.dir.file("state/lineara/recovery"); }

    Application& start(const QStringList& args = {}) {
        StartOptions options;
        options.arguments = args;
        options.welcomeSwapDraw = 0;
        program = std::make_unique<Application>(t.ctx, options);
        program->show();
        program->start();
        return *program;
    }
    MainWindow& main() { return *program->mainWindow(); }
    RecoveryKeeper& keeper() { return *program->recoveryKeeper(); }
    // The program dies without a word: the copy stays, the lock goes.
    void crash() { program.reset(); }

    // A named person added through the document, as every edit is.
    void edit(const char* name) {
        static int x = 0;
        x += 300;
        main().doc().change("Nowa osoba", [&](TreeEdit& e) {
            ASSERT_TRUE(e.LagNyPerson(x, 40).ok);
            e.edit(e.currentPerson())->setText(field::givenNames, name);
        });
    }
    void copyNow() {
        keeper().writeIfChanged();
        keeper().waitForWrite();
    }
    bool copyExists() {
        RecoverySession* s = keeper().session();
        return s != nullptr && fileExists(s->treePath()) && fileExists(s->descriptionPath());
    }
    // A saved tree of two persons.
    QString savedTree(const char* name = "family.ln3") {
        PersonList list;
        for (int i = 0; i < 2; ++i) {
            test::addPerson(list, i == 0 ? "Jan" : "Ewa", "Nowak", i * 300 + 70, 40);
        }
        const std::string path = t.dir.file(name);
        EXPECT_TRUE(SavetoFile(list, path).written());
        return QString::fromStdString(path);
    }
    size_t filesInRecoveryFolder() const {
        if (!std::filesystem::exists(recoveryFolder())) return 0;
        size_t n = 0;
        for (const auto& e : std::filesystem::directory_iterator(recoveryFolder())) {
            (void)e;
            ++n;
        }
        return n;
    }

    test::TestContext t;
    std::unique_ptr<Application> program;
};

TEST_F(RecoveryTest, AModifiedTreeIsCopiedOnlyWhenItChanged) {
    start({savedTree()});
    keeper().writeIfChanged();
    keeper().waitForWrite();
    EXPECT_FALSE(copyExists()) << "an unmodified tree needs no copy";

    QSignalSpy written(&keeper(), &RecoveryKeeper::writeFinished);
    edit("Adam");
    copyNow();
    ASSERT_TRUE(copyExists());
    EXPECT_EQ(readBytes(keeper().session()->treePath()), main().doc().treeBytes());
    struct stat st {};
    stat(keeper().session()->treePath().c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);

    copyNow();  // nothing changed since
    EXPECT_EQ(written.count(), 1);
    edit("Eva");
    copyNow();
    EXPECT_EQ(written.count(), 2);
    EXPECT_EQ(readBytes(keeper().session()->treePath()), main().doc().treeBytes());
}

TEST_F(RecoveryTest, TheCopyGoesWhenThereIsNothingToKeep) {
    const QString other = savedTree("other.ln3");
    struct Way {
        const char* name;
        std::function<void(RecoveryTest&)> act;
    } ways[] = {
        {"save", [](RecoveryTest& r) { EXPECT_TRUE(r.main().documentCommands().save()); }},
        {"undo to the saved state", [](RecoveryTest& r) { EXPECT_TRUE(r.main().doc().undo()); }},
        {"New, not saving",
         [](RecoveryTest& r) {
             r.t.user.yesNoCancelAnswers = {Answer::No};
             r.main().documentCommands().newTree();
         }},
        {"Open another, not saving",
         [&other](RecoveryTest& r) {
             r.t.user.yesNoCancelAnswers = {Answer::No};
             r.t.user.fileAnswers = {other};
             r.main().documentCommands().openTree();
         }},
        {"exit, not saving",
         [](RecoveryTest& r) {
             r.t.user.yesNoCancelAnswers = {Answer::No};
             EXPECT_TRUE(r.main().close());
         }},
        {"exit, saving",
         [](RecoveryTest& r) {
             r.t.user.yesNoCancelAnswers = {Answer::Yes};
             EXPECT_TRUE(r.main().close());
         }},
    };
    for (const Way& way : ways) {
        start({savedTree()});
        edit("Adam");
        copyNow();
        ASSERT_TRUE(copyExists()) << way.name;
        way.act(*this);
        EXPECT_FALSE(copyExists()) << way.name;
        program.reset();
        EXPECT_EQ(filesInRecoveryFolder(), 0u) << way.name;
    }
}

TEST_F(RecoveryTest, LosingTheFocusCopiesAChangedTree) {
    start();
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    keeper().waitForWrite();
    EXPECT_FALSE(copyExists());
    edit("Adam");
    emit qGuiApp->applicationStateChanged(Qt::ApplicationInactive);
    keeper().waitForWrite();
    ASSERT_TRUE(copyExists());
    EXPECT_EQ(readBytes(keeper().session()->treePath()), main().doc().treeBytes());
}

TEST_F(RecoveryTest, CancelledExitKeepsTheCopy) {
    start({savedTree()});
    edit("Adam");
    copyNow();
    t.user.yesNoCancelAnswers = {Answer::Cancel};
    EXPECT_FALSE(main().close());
    EXPECT_TRUE(copyExists());
}

TEST_F(RecoveryTest, IntervalIsAnOptionAndZeroTurnsTheCopiesOff) {
    start();
    EXPECT_EQ(keeper().intervalMinutes(), 2);
    edit("Adam");
    copyNow();
    ASSERT_TRUE(copyExists());
    OptionsDialog* options = program->optionsDialog();
    options->findChild<QSpinBox*>(QStringLiteral("recoveryMinutesBox"))->setValue(0);
    options->reject();
    EXPECT_EQ(t.stored("Recovery_Minutes"), "0");
    EXPECT_EQ(keeper().intervalMinutes(), 0);
    EXPECT_FALSE(copyExists()) << "switched off, the old copy would only mislead";
    edit("Eva");
    copyNow();
    EXPECT_FALSE(copyExists());
}

TEST_F(RecoveryTest, AFailedCopyIsReportedOnceAndTheProgramGoesOn) {
    test::writeBytes(t.dir.file("blocker"), {1});
    t.ctx.recoveryFolder = QString::fromStdString(t.dir.file("blocker/recovery"));
    start();
    edit("Adam");
    copyNow();
    EXPECT_TRUE(main().statusText().startsWith(QStringLiteral("Nie można zapisać kopii")))
        << main().statusText().toStdString();
    EXPECT_TRUE(t.user.asked.isEmpty()) << "no box in the middle of the user's work";
    main().setStatusText(QStringLiteral("OK"));
    edit("Eva");
    copyNow();
    EXPECT_EQ(main().statusText(), QStringLiteral("OK"));
    EXPECT_TRUE(main().doc().treeModified());
    EXPECT_EQ(main().doc().persons().count(), 2u);
}

TEST_F(RecoveryTest, NextStartOffersTheCopyToRestoreDiscardOrKeep) {
    const QString file = savedTree();
    start({file});
    edit("Adam");
    copyNow();
    const std::vector<uint8_t> edited = main().doc().treeBytes();
    const std::vector<uint8_t> text = readBytes(keeper().session()->descriptionPath());
    RecoveryDescription written;
    ASSERT_TRUE(parseDescription(std::string(text.begin(), text.end()), written));
    EXPECT_LT(std::abs(written.writtenAt - QDateTime::currentSecsSinceEpoch()), 60);
    EXPECT_EQ(written.persons, 3);
    crash();

    // Later: nothing changes, and the next start asks again.
    t.user.choiceAnswers = {kLater};
    start();
    ASSERT_EQ(t.user.asked.size(), 1);
    const QString when = QDateTime::fromSecsSinceEpoch(written.writtenAt)
                             .toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    EXPECT_EQ(t.user.asked[0],
              QStringLiteral("choice|Lineara|Lineara nie zakończyła poprzedniej pracy poprawnie. "
                             "Przywrócić niezapisane zmiany drzewa %1 z %2?")
                  .arg(file, when));
    EXPECT_EQ(t.user.choiceButtons,
              (QStringList{QStringLiteral("Przywróć"), QStringLiteral("Odrzuć"),
                           QStringLiteral("Później")}));
    EXPECT_TRUE(main().doc().persons().empty());
    program.reset();

    // Restore: the edited tree, modified, under its own file name.
    t.user.asked.clear();
    t.user.choiceAnswers = {kRestore};
    start();
    EXPECT_EQ(t.user.asked.size(), 1);
    EXPECT_EQ(main().doc().treeBytes(), edited);
    EXPECT_TRUE(main().doc().treeModified());
    EXPECT_EQ(main().doc().currentFileName(), file.toStdString());
    EXPECT_TRUE(copyExists()) << "the restored tree is kept safe at once";
    crash();

    // Discard: gone for good.
    t.user.asked.clear();
    t.user.choiceAnswers = {kDiscard};
    start();
    EXPECT_EQ(t.user.asked.size(), 1);
    EXPECT_TRUE(main().doc().persons().empty());
    program.reset();
    EXPECT_EQ(filesInRecoveryFolder(), 0u);
}

TEST_F(RecoveryTest, UntitledTreeIsRestoredUntitled) {
    start();
    edit("Adam");
    copyNow();
    crash();
    t.user.choiceAnswers = {kRestore};
    start();
    ASSERT_EQ(t.user.asked.size(), 1);
    EXPECT_TRUE(t.user.asked[0].contains(QStringLiteral("drzewa untitled z")));
    EXPECT_EQ(main().doc().currentFileName(), "");
    EXPECT_EQ(main().doc().persons().count(), 1u);
}

TEST_F(RecoveryTest, ATreeEmptiedOfEveryoneIsRestoredEmpty) {
    const QString file = savedTree();
    start({file});
    main().doc().change("Usunięcie", [](TreeEdit& e) { e.removeAll(); });
    copyNow();
    crash();
    t.user.choiceAnswers = {kRestore};
    start();
    ASSERT_EQ(t.user.asked.size(), 1);
    EXPECT_TRUE(t.user.messages().isEmpty())
        << t.user.messages().join(QLatin1Char(' ')).toStdString();
    EXPECT_TRUE(main().doc().persons().empty());
    EXPECT_TRUE(main().doc().treeModified());
    EXPECT_EQ(main().doc().currentFileName(), file.toStdString());
}

TEST_F(RecoveryTest, QuestionSaysWhenTheTreeFileWasDeletedOrChanged) {
    struct Case {
        const char* what;
        std::function<void(const std::string&)> meddle;
        const char* said;
    } cases[] = {
        {"deleted", [](const std::string& f) { std::filesystem::remove(f); }, "usunięty"},
        {"changed",
         [](const std::string& f) {
             std::this_thread::sleep_for(std::chrono::milliseconds(20));
             test::writeBytes(f, std::vector<uint8_t>(2560, 0));
         },
         "zmieniony na dysku"},
    };
    for (const Case& c : cases) {
        const QString file = savedTree();
        start({file});
        edit("Adam");
        copyNow();
        crash();
        c.meddle(file.toStdString());
        t.user.asked.clear();
        t.user.choiceAnswers = {kDiscard};
        start();
        ASSERT_EQ(t.user.asked.size(), 1) << c.what;
        EXPECT_TRUE(t.user.asked[0].contains(QString::fromUtf8(c.said)))
            << c.what << ": " << t.user.asked[0].toStdString();
        program.reset();
    }
}

TEST_F(RecoveryTest, ADamagedCopyIsReportedAndMovedAside) {
    std::filesystem::create_directories(recoveryFolder());
    const std::string tree = recoveryFolder() + "/1-dead.ln3";
    test::writeBytes(tree, std::vector<uint8_t>(1000, 9));
    std::ofstream(recoveryFolder() + "/1-dead.desc") << "file=\nwritten=1\npersons=1\n";
    start();
    ASSERT_EQ(t.user.messages().size(), 1);
    EXPECT_TRUE(t.user.messages()[0].contains(QString::fromStdString(tree)));
    EXPECT_FALSE(fileExists(tree));
    bool aside = false;
    for (const auto& e : std::filesystem::directory_iterator(recoveryFolder())) {
        if (e.path().string().find("1-dead.ln3.damaged-") != std::string::npos) {
            aside = readBytes(e.path().string()) == std::vector<uint8_t>(1000, 9);
        }
    }
    EXPECT_TRUE(aside);
}

TEST_F(RecoveryTest, TwoProgramsOnOneTreeKeepTheirOwnCopies) {
    const QString file = savedTree();
    start({file});
    edit("Adam");
    copyNow();
    // A second program on the same file, while the first runs: nothing of
    // the first's is offered to it, and its copy is its own.
    test::TestContext second;
    second.ctx.recoveryFolder = t.ctx.recoveryFolder;
    StartOptions options;
    options.arguments = {file};
    options.welcomeSwapDraw = 0;
    {
        Application other(second.ctx, options);
        other.show();
        other.start();
        EXPECT_TRUE(second.user.asked.isEmpty());
        other.mainWindow()->doc().change(
            "Nowa osoba", [](TreeEdit& e) { ASSERT_TRUE(e.LagNyPerson(5000, 40).ok); });
        other.recoveryKeeper()->writeIfChanged();
        other.recoveryKeeper()->waitForWrite();
        EXPECT_NE(other.recoveryKeeper()->session()->treePath(), keeper().session()->treePath());
        EXPECT_TRUE(copyExists());
    }
    crash();
    // Both died: both are offered.
    t.user.asked.clear();
    t.user.choiceAnswers = {kLater, kLater};
    start();
    EXPECT_EQ(t.user.asked.size(), 2);
}

// Run alone by the test below, in a process of its own: a program that
// edits a tree, has its copy written, and waits to be killed.
TEST_F(RecoveryTest, DISABLED_ChildEditsAndWaitsForTheKill) {
    const QString folder = qEnvironmentVariable("LINEARA_RECOVERY_CHILD");
    ASSERT_FALSE(folder.isEmpty());
    const std::string base = QFile::encodeName(folder).toStdString();
    t.ctx.recoveryFolder = folder + QStringLiteral("/state/lineara/recovery");
    start({folder + QStringLiteral("/family.ln3")});
    edit("Adam");
    edit("Zofia");
    main().doc().change("Przesunięcie",
                        [](TreeEdit& e) { e.edit(e.personListHead())->setPos(1234, 567); });
    copyNow();
    test::writeBytes(base + "/edited.ln3", main().doc().treeBytes());
    test::writeBytes(base + "/ready", {1});
    for (;;) QTest::qWait(1000);
}

TEST_F(RecoveryTest, KilledProgramsEditsAreRestoredByteForByte) {
    const QString folder = QString::fromStdString(t.dir.path());
    const QString file = savedTree();
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LINEARA_RECOVERY_CHILD"), folder);
    child.setProcessEnvironment(env);
    child.start(
        QStringLiteral("/proc/self/exe"),
        {QStringLiteral("--gtest_filter=RecoveryTest.DISABLED_ChildEditsAndWaitsForTheKill"),
         QStringLiteral("--gtest_also_run_disabled_tests")});
    ASSERT_TRUE(child.waitForStarted());
    for (int i = 0; i < 600 && !fileExists(t.dir.file("ready")); ++i) QTest::qWait(50);
    ASSERT_TRUE(fileExists(t.dir.file("ready"))) << child.readAll().toStdString();
    child.kill();  // SIGKILL
    ASSERT_TRUE(child.waitForFinished());

    t.user.choiceAnswers = {kRestore};
    start();
    ASSERT_EQ(t.user.asked.size(), 1);
    EXPECT_EQ(main().doc().currentFileName(), file.toStdString());
    // Ctrl+S puts it where it belongs, exactly as the killed program had it.
    ASSERT_TRUE(main().documentCommands().save());
    EXPECT_EQ(readBytes(file.toStdString()), readBytes(t.dir.file("edited.ln3")));
    EXPECT_FALSE(copyExists());
    program.reset();
    // The dead program's copy was taken over and is gone too.
    EXPECT_EQ(filesInRecoveryFolder(), 0u);
}

}  // namespace
}  // namespace lineara
