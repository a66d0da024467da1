// "Eksportuj obraz drzewa..." through a stand-in window: the picture of the
// whole tree or of the selection, the highlight put back afterwards, and
// the refusals.
#include <QFile>
#include <QImage>

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

    // The whole tree as a PNG: nothing highlighted in it.
    win.user.fileAnswers = {file("all.png")};
    win.user.yesNoAnswers = {false};
    commands.exportTreeImage();
    const QImage all(file("all.png"));
    ASSERT_EQ(all.size(), QSize(620, 460));
    EXPECT_EQ(all.pixel(40 + 200 + 10, 40 + 10), qRgb(255, 255, 255));  // Ewa's box, not inverted

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

    win.user.fileAnswers = {file("wide.png")};
    commands.exportTreeImage();
    ASSERT_EQ(win.errors.size(), 3);
    EXPECT_TRUE(win.errors[2].startsWith(QStringLiteral("Obraz miałby 40220 x 160 pikseli.")))
        << win.errors[2].toStdString();
    EXPECT_FALSE(QFile::exists(file("wide.png")));

    // An SVG of the same tree is no trouble.
    win.user.fileAnswers = {file("wide.svg")};
    commands.exportTreeImage();
    EXPECT_EQ(win.errors.size(), 3);
    EXPECT_TRUE(read("wide.svg").contains(">Ewa</text>"));
}

}  // namespace
}  // namespace lineara::test
