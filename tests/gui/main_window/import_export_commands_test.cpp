// The import and export commands on their own, through a stand-in window:
// the modified check comes where it must, a refusal or a failure leaves the
// open tree as it was, and an import shows what it read.
#include <QDir>
#include <QFile>

#include "gui/gedcom/gedcom_import_window.h"
#include "support/add_person.h"
#include "support/fake_window.h"

namespace lineara::test {
namespace {

class ImportExportAlone : public ::testing::Test {
protected:
    QString file(const char* name) { return QString::fromStdString(dir.file(name)); }
    void write(const char* name, const QByteArray& bytes) {
        QFile f(file(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    TempDir dir;
    FakeWindow win;
    ImportExportCommands commands{win};
};

TEST_F(ImportExportAlone, AGedcomImportReplacesTheTreeOnlyOnceTheUserLetsIt) {
    write("in.ged", "0 HEAD\n0 @I1@ INDI\n1 NAME Jan /Kowalski/\n1 SEX M\n0 TRLR\n");
    addPerson(writable(win.doc), "Stary", "", 10, 10);

    commands.importGedcom();  // no import window yet: nothing at all
    EXPECT_TRUE(win.user.asked.isEmpty());

    GedcomImportWindow window(&win.parent);
    commands.setGedcomImportWindow(&window);
    win.saveAnswer = false;  // the user keeps the open tree
    win.user.fileAnswers = {file("in.ged")};
    commands.importGedcom();
    EXPECT_EQ(win.modifiedChecks, 1);
    EXPECT_EQ(win.doc.persons().personListHead()->text(field::givenNames), "Stary");
    EXPECT_FALSE(window.isVisible());

    win.saveAnswer = true;
    win.user.fileAnswers = {file("in.ged")};
    win.viewState.zoomPercent = 20;
    commands.importGedcom();
    ASSERT_EQ(win.doc.persons().count(), 1u);
    EXPECT_EQ(win.doc.persons().personListHead()->text(field::givenNames), "Jan");
    EXPECT_DOUBLE_EQ(win.viewState.zoomPercent, 100);  // the person read, at 100 %
    EXPECT_TRUE(win.doc.canUndo());
    window.close();
}

TEST_F(ImportExportAlone, AnExportThatCannotBeWrittenSaysWhyAndChangesNothing) {
    addPerson(writable(win.doc), "Jan", "Kowalski");
    win.doc.markSaved();
    ASSERT_TRUE(QDir().mkpath(file("folder.ged")));
    win.user.fileAnswers = {file("folder.ged")};
    commands.exportGedcom();
    ASSERT_EQ(win.errors.size(), 1);
    EXPECT_FALSE(win.doc.treeModified());

    win.user.fileAnswers = {file("out.ged")};
    commands.exportGedcom();
    EXPECT_TRUE(QFile::exists(file("out.ged")));
    EXPECT_EQ(win.errors.size(), 1);
    EXPECT_FALSE(win.doc.treeModified());
    EXPECT_EQ(win.modifiedChecks, 0);  // writing it is not giving the tree up
}

TEST_F(ImportExportAlone, AnOlderFileIsOnlyAskedForOnceTheTreeMayGo) {
    addPerson(writable(win.doc), "Stary");
    win.saveAnswer = false;
    commands.importVersion15();
    EXPECT_TRUE(win.user.fileDialogs.isEmpty());

    win.saveAnswer = true;
    win.user.fileAnswers = {file("missing.ln2")};
    commands.importVersion10();
    ASSERT_EQ(win.user.fileDialogs.size(), 1);
    EXPECT_EQ(win.user.fileDialogs[0].title, QStringLiteral("Import from version 1.0"));
    EXPECT_EQ(win.user.fileDialogs[0].defaultSuffix, QStringLiteral("ln"));
    ASSERT_EQ(win.user.messages().size(), 1);  // why it failed
    EXPECT_EQ(win.doc.persons().personListHead()->text(field::givenNames), "Stary");
}

}  // namespace
}  // namespace lineara::test
