// The File menu's imports of older tree files as the user reaches them:
// the question before, the dialogs, the tree shown afterwards, the failure
// message and undo.
#include <QMenu>

#include "core/formats/legacy_file.h"
#include "core/history/step_names.h"
#include "gui/canvas/tree_canvas.h"
#include "support/edit_fixture.h"
#include "support/legacy_writer.h"

namespace lineara {
namespace {

using test::EditFixture;
using test::LegacyPerson;

class LegacyImportCommands : public EditFixture {
protected:
    QString write(const char* name, const std::string& bytes) {
        std::string path = t.dir.file(name);
        test::writeBytes(path, std::vector<uint8_t>(bytes.begin(), bytes.end()));
        return QString::fromStdString(path);
    }
    std::vector<LegacyPerson> family() {
        std::vector<LegacyPerson> p(2);
        p[0].given = "Jan";
        p[0].id = 4;
        p[0].x = 300;
        p[0].y = -200;
        p[0].birthDate = "5.12.1850";
        p[0].spouseId = 5;
        p[1].given = "Anna";
        p[1].id = 5;
        return p;
    }
    // A saved tree of one person, named after its file.
    void savedTree() {
        add("Stary", "", 10, 10);
        main->doc().setCurrentFileName("/drzewa/stare.ln3");
        main->doc().markSaved();
    }
    std::string given(const PersonRecord* p) { return std::string(p->text(field::givenNames)); }
};

TEST_F(LegacyImportCommands, BothItemsAreInTheFileMenuWithTheirDialogs) {
    QMenu* file = nullptr;
    for (QMenu* m : main->findChildren<QMenu*>()) {
        if (m->title() == QStringLiteral("&Plik")) file = m;
    }
    ASSERT_NE(file, nullptr);
    struct Case {
        const char* name;
        const char* caption;
        const char* title;
        const char* filter;
    } cases[] = {
        {"Version101", "Import version 1.&0", "Import from version 1.0",
         "Stirpex version 1.0 (*.ln)"},
        {"Openversion1531", "Import version 1.&5.x", "Import from version 1.5.x",
         "Stirpex version 1.5.x (*.ln2)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QAction* a = action(c.name);
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->text(), QString::fromUtf8(c.caption));
        EXPECT_TRUE(file->actions().contains(a));
        // Cancelling the dialog changes nothing.
        savedTree();
        t.user.fileDialogs.clear();
        t.user.asked.clear();
        a->trigger();
        ASSERT_EQ(t.user.fileDialogs.size(), 1);
        EXPECT_EQ(t.user.fileDialogs[0].title, QString::fromLatin1(c.title));
        EXPECT_EQ(t.user.fileDialogs[0].filter, QString::fromLatin1(c.filter));
        EXPECT_EQ(t.user.fileDialogs[0].defaultSuffix, QStringLiteral("ln"));
        EXPECT_EQ(t.user.asked.size(), 1);  // the dialog, no question: nothing was changed
        EXPECT_EQ(main->doc().currentFileName(), "/drzewa/stare.ln3");
        persons().ClearMemory();
    }
}

TEST_F(LegacyImportCommands, CancelInTheSaveQuestionStopsTheImport) {
    add("Zmieniony", "");
    ASSERT_TRUE(main->doc().treeModified());
    t.user.yesNoCancelAnswers = {Answer::Cancel};
    t.user.fileAnswers = {write("a.ln", test::legacyFile(family(), test::kV1Size))};
    trigger("Version101");
    EXPECT_EQ(t.user.asked,
              QStringList{QStringLiteral("yesnocancel|Potwierdz|Zapisac zmiany w Twoim drzewie?")});
    EXPECT_EQ(main->doc().persons().count(), 1u);
    EXPECT_TRUE(main->doc().treeModified());
}

TEST_F(LegacyImportCommands, TheImportedTreeIsShownFromItsHomePersonAndUndoes) {
    for (bool standardize : {true, false}) {
        SCOPED_TRACE(standardize);
        t.ctx.settings.dateStandardization = standardize;
        savedTree();
        main->viewing().zoomTo(40);
        main->viewState().scrollX = 1234;
        main->viewState().scrollY = -321;
        const QString caption = main->windowTitle();
        t.user.fileAnswers = {write("b.ln2", test::legacyFile(family(), test::kV15Size))};
        trigger("Openversion1531");
        const PersonList& list = main->doc().persons();
        ASSERT_EQ(list.count(), 2u);
        const PersonRecord* jan = list.personListHead();
        EXPECT_EQ(given(jan), "Jan");
        EXPECT_EQ(jan->text(field::birthDate), standardize ? "5 Dec 1850" : "5.12.1850");
        EXPECT_EQ(jan->partner[1], jan->nextPerson.get());
        EXPECT_EQ(list.currentPerson(), nullptr);
        EXPECT_EQ(main->doc().currentFileName(), "");
        EXPECT_FALSE(main->doc().treeModified());
        EXPECT_FALSE(main->windowTitle().contains(QLatin1Char('[')));
        // The home person in the middle of the window at 100 %.
        const QSize window = main->canvas()->size();
        EXPECT_EQ(main->viewState().zoomPercent, 100.0);
        EXPECT_EQ(main->viewState().scrollX, window.width() / 2 - 300 - kBoxWidth / 2);
        EXPECT_EQ(main->viewState().scrollY, window.height() / 2 + 200 - kBoxHeight / 2);

        ASSERT_TRUE(main->undoAction()->isEnabled());
        EXPECT_EQ(main->doc().undoName(), step_name::kImportLegacy);
        main->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(main));
        QTest::keyClick(main, Qt::Key_Z, Qt::ControlModifier);
        ASSERT_EQ(list.count(), 1u);
        EXPECT_EQ(given(list.personListHead()), "Stary");
        // The old tree as it was left: its name, saved, and where it was
        // looked at, so its box is on the canvas again.
        EXPECT_EQ(main->doc().currentFileName(), "/drzewa/stare.ln3");
        EXPECT_EQ(main->windowTitle(), caption);
        EXPECT_FALSE(main->doc().treeModified());
        EXPECT_EQ(main->viewState().zoomPercent, 40.0);
        EXPECT_EQ(main->viewState().scrollX, 1234);
        EXPECT_EQ(main->viewState().scrollY, -321);
        // And forward again: the imported tree where it was shown.
        QTest::keyClick(main, Qt::Key_Y, Qt::ControlModifier);
        EXPECT_EQ(list.count(), 2u);
        EXPECT_EQ(main->doc().currentFileName(), "");
        EXPECT_EQ(main->viewState().zoomPercent, 100.0);
        persons().ClearMemory();
        main->doc().clear();
    }
}

TEST_F(LegacyImportCommands, AFileThatCannotBeReadIsReportedAndTheTreeStays) {
    savedTree();
    std::string bytes = test::legacyFile(family(), test::kV1Size);
    t.user.fileAnswers = {write("c.ln", bytes.substr(0, bytes.size() - 100))};
    trigger("Version101");
    EXPECT_EQ(t.user.asked.last(),
              QStringLiteral("inform|Lineara|") + QString::fromLatin1(kMsgLegacyFileError));
    EXPECT_EQ(t.user.messages().last(), QStringLiteral("There was an error opening the file"));
    ASSERT_EQ(main->doc().persons().count(), 1u);
    EXPECT_EQ(given(main->doc().persons().personListHead()), "Stary");
    EXPECT_EQ(main->doc().currentFileName(), "/drzewa/stare.ln3");
    EXPECT_FALSE(main->doc().treeModified());
    EXPECT_FALSE(main->doc().canUndo());
}

}  // namespace
}  // namespace lineara
