// The notes file behind the person editor's memo, when writing it fails
// half-way: the file keeps what it had.
#include <signal.h>
#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>

#include "support/add_person.h"
#include "support/program_fixture.h"

namespace lineara::test {
namespace {

class NotesFile : public ProgramFixture {};

TEST_F(NotesFile, AWriteThatFailsHalfWayKeepsTheOldNotes) {
    const QString notes = t.folder() + QStringLiteral("/jan.txt");
    {
        QFile f(notes);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old notes\r\n");
    }
    PersonRecord* p = addPerson(test::writable(main->doc()), "Jan", "Nowak");
    p->setText(field::notesFile, notes.toStdString());
    main->doc().setCurrentPerson(p);

    PersonEditor* editor = program->personEditor();
    editor->setRunner([&](PersonEditor& window) {
        window.show();
        window.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))
            ->setPlainText(QString(200, QLatin1Char('x')));
        // A disk that is full after a few bytes, for this one click.
        struct rlimit old;
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
        struct rlimit small = old;
        small.rlim_cur = 4;
        auto oldHandler = signal(SIGXFSZ, SIG_IGN);
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
        window.findChild<QPushButton*>(QStringLiteral("Button1"))->click();
        setrlimit(RLIMIT_FSIZE, &old);
        signal(SIGXFSZ, oldHandler);
        window.hide();
    });
    main->interaction().doubleClick();

    // The failure was reported (and the offered new place declined).
    ASSERT_FALSE(t.user.messages().isEmpty());
    QFile f(notes);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("old notes\r\n"));
    const QStringList left = QDir(t.folder()).entryList({QStringLiteral("jan.txt*")}, QDir::Files);
    EXPECT_EQ(left, QStringList{QStringLiteral("jan.txt")});
}

}  // namespace
}  // namespace lineara::test
