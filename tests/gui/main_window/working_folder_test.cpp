// The process's working folder is nobody's state: opening a tree, the
// check windows, the editor and collecting the files leave it where it
// was, and the tree's relative picture and notes names are found from the
// tree file's folder all the same.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "gui/checks/date_convert_window.h"
#include "gui/checks/quality_check_window.h"
#include "gui/editor/person_editor.h"
#include "support/add_person.h"
#include "support/program_fixture.h"

namespace lineara::test {
namespace {

class WorkingFolder : public ProgramFixture {
protected:
    void SetUp() override {
        start = QDir::currentPath();
        ProgramFixture::SetUp();
        for (const char* folder : {"elsewhere", "family/photos", "family/notes", "collected"}) {
            ASSERT_TRUE(QDir().mkpath(path(folder)));
        }
        QImage picture(8, 6, QImage::Format_RGB32);
        picture.fill(Qt::red);
        ASSERT_TRUE(picture.save(path("family/photos/p.png")));
        writeText("family/notes/n.txt", "notatki\n");
        ASSERT_TRUE(QDir::setCurrent(path("elsewhere")));
    }
    void TearDown() override { QDir::setCurrent(start); }

    QString path(const char* name) { return t.folder() + QLatin1Char('/') + QLatin1String(name); }
    void writeText(const char* name, const QByteArray& text) {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    QByteArray readText(const QString& file) {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(none)");
    }
    // Opens the editor on the tree's only person; `act` works in it.
    void edit(const std::function<void(PersonEditor&)>& act) {
        program->personEditor()->setRunner([&act](PersonEditor& window) {
            window.show();
            act(window);
            window.hide();
        });
        main->doc().setCurrentPerson(main->doc().persons().personListHead());
        main->editing().editProperties();
    }
    static QString memoOf(PersonEditor& window) {
        return window.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->toPlainText();
    }
    static bool pictureShown(PersonEditor& window) {
        return !window.findChild<QLabel*>(QStringLiteral("AdvImage1"))->pixmap().isNull();
    }

    QString start;
};

TEST_F(WorkingFolder, StaysPutWhileTheTreesFilesAreFoundFromItsFolder) {
    const QString here = QDir::currentPath();
    {
        Document made;
        PersonRecord* p = addPerson(writable(made), "Jan", "Nowak");
        p->setText(field::pictureFile, "photos/p.png");
        p->setText(field::notesFile, "notes/n.txt");
        ASSERT_TRUE(made.SavetoFile(path("family/tree.ln3").toStdString()).written());
    }

    main->openFile(path("family/tree.ln3"));
    ASSERT_EQ(main->doc().persons().count(), 1u);
    EXPECT_EQ(QDir::currentPath(), here) << "open";

    EXPECT_EQ(program->qualityCheckWindow()->runCheck(), 0);
    EXPECT_EQ(QDir::currentPath(), here) << "quality check";
    program->dateConvertWindow()->convertDates();
    EXPECT_EQ(QDir::currentPath(), here) << "date conversion";

    // The editor shows both files and writes the notes back where they are;
    // its file dialogs start from the tree's folder.
    edit([this](PersonEditor& window) {
        EXPECT_EQ(memoOf(window), QStringLiteral("notatki"));
        EXPECT_TRUE(pictureShown(window));
        window.findChild<QPushButton*>(QStringLiteral("Button6"))->click();  // cancelled
        ASSERT_FALSE(t.user.fileDialogs.isEmpty());
        EXPECT_EQ(t.user.fileDialogs.last().initialPath, QStringLiteral("photos/p.png"));
        EXPECT_EQ(t.user.fileDialogs.last().baseFolder, path("family"));
        window.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))
            ->setPlainText(QStringLiteral("zmienione"));
        window.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
    });
    EXPECT_EQ(readText(path("family/notes/n.txt")), QByteArray("zmienione\n"));
    EXPECT_FALSE(QFile::exists(path("elsewhere/notes/n.txt")));
    EXPECT_EQ(QDir::currentPath(), here) << "editor";

    // Collected elsewhere, the tree's names are the new folder's.
    t.user.fileAnswers = {path("collected/tree.ln3")};
    main->documentCommands().collectAllFiles();
    ASSERT_TRUE(t.user.asked.last().startsWith(QStringLiteral("inform|Files saved|")))
        << t.user.asked.last().toStdString();
    EXPECT_EQ(QDir::currentPath(), here) << "collect";
    ASSERT_TRUE(QFile::remove(path("family/photos/p.png")));
    ASSERT_TRUE(QFile::remove(path("family/notes/n.txt")));
    EXPECT_EQ(program->qualityCheckWindow()->runCheck(), 0);
    edit([](PersonEditor& window) {
        EXPECT_EQ(memoOf(window), QStringLiteral("zmienione"));
        EXPECT_TRUE(pictureShown(window));
    });
    EXPECT_EQ(QDir::currentPath(), here);
}

// A tree without a file has no folder of its own: its relative names are
// the working folder's, as they always were.
TEST_F(WorkingFolder, AnUntitledTreesNamesAreTheWorkingFolders) {
    writeText("elsewhere/own.txt", "tu\n");
    PersonRecord* p = addPerson(writable(main->doc()), "Ewa", "Nowak");
    p->setText(field::notesFile, "own.txt");
    edit([](PersonEditor& window) { EXPECT_EQ(memoOf(window), QStringLiteral("tu")); });
    EXPECT_EQ(program->qualityCheckWindow()->runCheck(), 0);
}

}  // namespace
}  // namespace lineara::test
