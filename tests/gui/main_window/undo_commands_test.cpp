// "&Cofnij" and "&Ponów" as the user reaches them: the menu items, their
// keys and tool bar buttons, the step named in the status bar, and the
// save question after undoing back to the saved tree.
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include "gui/canvas/tree_canvas.h"
#include "support/edit_fixture.h"

namespace lineara {
namespace {

using test::EditFixture;

class UndoCommands : public EditFixture {
protected:
    QAction* undo() { return main->undoAction(); }
    QAction* redo() { return main->redoAction(); }
    void keys(QKeySequence k) {
        QTest::keySequence(main, k);
        QApplication::processEvents();
    }
};

TEST_F(UndoCommands, EachCommandIsOneStepNamedInTheStatusBarAndKeysTakeItBackAndForth) {
    PersonRecord* p = add("Jan", "Kowalski", 100, 100);
    PersonRecord* q = add("Anna", "Nowak", 400, 300);
    PersonRecord* r = add("Ewa", "Nowak", 700, 50);
    main->doc().markSaved();
    main->refreshCommandStates();
    EXPECT_FALSE(undo()->isEnabled());
    EXPECT_FALSE(redo()->isEnabled());
    ASSERT_TRUE(main->findChild<QToolBar*>()->actions().contains(undo()));

    persons().setSelection({p, q, r});
    main->refreshCommandStates();  // as the release that ends the band does
    trigger("AlignTop1");
    EXPECT_EQ(q->posY(), 50);
    EXPECT_TRUE(undo()->isEnabled());
    EXPECT_EQ(undo()->statusTip(), QStringLiteral("Cofnij: wyrównanie 3 osób"));

    t.user.yesNoAnswers = {true};
    persons().setSelection({q});
    main->refreshCommandStates();
    trigger("Slettperson1");
    EXPECT_EQ(persons().count(), 2u);
    EXPECT_EQ(undo()->statusTip(), QStringLiteral("Cofnij: usunięcie 1 osoby"));

    keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(persons().count(), 3u);
    EXPECT_EQ(q->posY(), 50);  // back with its aligned place
    EXPECT_EQ(redo()->statusTip(), QStringLiteral("Ponów: usunięcie 1 osoby"));
    keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
    EXPECT_EQ(q->posY(), 300);
    EXPECT_EQ(p->posY(), 100);
    EXPECT_FALSE(undo()->isEnabled());
    EXPECT_FALSE(main->doc().treeModified());  // as saved: closing asks nothing
    EXPECT_TRUE(main->checkModified());
    EXPECT_EQ(t.user.asked.size(), 1);  // only the deletion's question

    keys(QKeySequence(Qt::CTRL | Qt::Key_Y));
    EXPECT_EQ(q->posY(), 50);
    keys(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    EXPECT_EQ(persons().count(), 2u);
    EXPECT_FALSE(redo()->isEnabled());
    EXPECT_TRUE(main->doc().treeModified());
}

}  // namespace
}  // namespace lineara
