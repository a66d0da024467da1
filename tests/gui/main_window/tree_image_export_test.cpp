// "Eksportuj obraz drzewa..." through a stand-in window: the picture of the
// whole tree or of the selection, the highlight put back afterwards, and
// the refusals.
#include <QFile>
#include <QImage>
#include <QImageReader>

#include "support/add_person.h"
#include "support/fake_window.h"

namespace lineara::test {
namespace {

class TreeImageExport : public ::testing::Test {
protected:
    QString file(const char* name) { return QString::fromStdString(dir.file(name)); }
    QByteArray read(const char* name) {
        QFile f(file(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    TempDir dir;
    FakeWindow win;
    ImportExportCommands commands{win};
};

TEST_F(TreeImageExport, TheWholeTreeOrTheSelectionAndTheHighlightComesBack) {
    PersonList& list = writable(win.doc);
    const PersonRecord* jan = addPerson(list, "Jan", "Kowalski", 0, 0);
    const PersonRecord* ewa = addPerson(list, "Ewa", "Nowak", 200, 0);
    addPerson(list, "Ola", "Wrona", 400, 300);
    win.doc.markSaved();
    win.doc.setSelection({jan, ewa});
    win.doc.setCurrentPerson(ewa);

    // Only the selected persons, fitted to them.
    win.user.fileAnswers = {file("two.svg")};
    win.user.yesNoAnswers = {true};
    commands.exportTreeImage();
    EXPECT_TRUE(win.errors.isEmpty()) << win.errors.join(QLatin1Char('\n')).toStdString();
    const QByteArray two = read("two.svg");
    EXPECT_TRUE(two.contains(">Jan</text>"));
    EXPECT_TRUE(two.contains(">Ewa</text>"));
    EXPECT_FALSE(two.contains(">Ola</text>"));
    EXPECT_TRUE(two.contains(R"(viewBox="0 0 420 160")"));

    // The whole tree as a PNG at the scale asked (a wrong answer asked
    // again): nothing highlighted in it.
    win.user.fileAnswers = {file("all.png")};
    win.user.yesNoAnswers = {false};
    win.user.textAnswers = {QStringLiteral("1001"), QStringLiteral(" 100 % ")};
    commands.exportTreeImage();
    ASSERT_EQ(win.errors,
              QStringList{QStringLiteral("Skala musi być liczbą całkowitą od 5 do 1000.")});
    const QImage all(file("all.png"));
    ASSERT_EQ(all.size(), QSize(620, 460));
    EXPECT_EQ(all.pixel(40 + 200 + 10, 40 + 10), qRgb(255, 255, 255));  // Ewa's box, not inverted
    // Half the size; the scale is offered again next time, and Cancel
    // writes nothing.
    win.user.fileAnswers = {file("half.png")};
    win.user.textAnswers = {QStringLiteral("50")};
    commands.exportTreeImage();
    EXPECT_EQ(QImage(file("half.png")).size(), QSize(310, 230));
    win.user.fileAnswers = {file("none.png")};
    commands.exportTreeImage();
    EXPECT_EQ(win.user.lastTextInitial, QStringLiteral("50"));
    EXPECT_FALSE(QFile::exists(file("none.png")));

    // The tree, its selection and its current person as they were.
    EXPECT_EQ(win.doc.persons().selection(), (std::vector<const PersonRecord*>{jan, ewa}));
    EXPECT_TRUE(jan->selected());
    EXPECT_EQ(win.doc.persons().currentPerson(), ewa);
    EXPECT_FALSE(win.doc.persons().treeModified());
    EXPECT_FALSE(win.doc.canUndo());
}

TEST_F(TreeImageExport, RefusesOtherNamesAnEmptyTreeAndAPngTooLargeToMake) {
    win.user.fileAnswers = {file("empty.svg")};
    commands.exportTreeImage();
    ASSERT_EQ(win.errors.size(), 1);
    EXPECT_EQ(win.errors[0], QStringLiteral("Drzewo jest puste: nie ma czego narysować."));
    EXPECT_FALSE(QFile::exists(file("empty.svg")));

    addPerson(writable(win.doc), "Jan", "Kowalski", 0, 0);
    addPerson(writable(win.doc), "Ewa", "Nowak", 40000, 0);
    win.user.fileAnswers = {file("tree.jpg")};
    commands.exportTreeImage();
    ASSERT_EQ(win.errors.size(), 2);
    EXPECT_EQ(win.errors[1],
              QStringLiteral("Obraz drzewa zapisuje się jako plik SVG, PDF lub PNG."));

    // Too wide at 100 %: the largest scale that fits is offered instead;
    // No writes nothing, Yes writes it at that scale.
    win.user.fileAnswers = {file("wide.png")};
    win.user.textAnswers = {QStringLiteral("100")};
    win.user.yesNoAnswers = {false};
    commands.exportTreeImage();
    EXPECT_TRUE(win.user.asked.back().contains(
        QStringLiteral("Obraz miałby 40220 x 160 pikseli. Plik PNG może mieć najwyżej 32767 "
                       "pikseli w każdą stronę i 268435456 pikseli w sumie (1 GiB pamięci). "
                       "Zapisać go w skali 81 %?")))
        << win.user.asked.back().toStdString();
    EXPECT_FALSE(QFile::exists(file("wide.png")));
    win.user.fileAnswers = {file("wide.png")};
    win.user.textAnswers = {QStringLiteral("100")};
    win.user.yesNoAnswers = {true};
    commands.exportTreeImage();
    EXPECT_EQ(QImageReader(file("wide.png")).size(), QSize(32578, 130));
    EXPECT_EQ(win.errors.size(), 2);

    // An SVG of the same tree is no trouble.
    win.user.fileAnswers = {file("wide.svg")};
    commands.exportTreeImage();
    EXPECT_EQ(win.errors.size(), 2);
    EXPECT_TRUE(read("wide.svg").contains(">Ewa</text>"));
}

}  // namespace
}  // namespace lineara::test
