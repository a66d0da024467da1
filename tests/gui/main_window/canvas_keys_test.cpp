// The canvas between the keyboard, the menus and the mouse: which clicks
// count after a jump, where the keys go after a menu, what Escape ends, and
// the commands' states and hints that follow the canvas.
#include <QApplication>
#include <QMenuBar>
#include <QPushButton>
#include <QToolBar>

#include "core/model/editing.h"
#include "core/view/view_math.h"
#include "gui/canvas/navigator_window.h"
#include "gui/canvas/tree_canvas.h"
#include "support/edit_fixture.h"

namespace lineara {
namespace {

using test::EditFixture;

class CanvasKeys : public EditFixture {
protected:
    void SetUp() override {
        EditFixture::SetUp();
        view().zoomPercent = 100;
        view().scrollX = view().scrollY = 0;
    }
    ViewState& view() { return main->viewState(); }
    const GestureState& gestures() { return main->interaction().state(); }
    QWidget* canvas() { return main->canvas(); }
    // The centre of a box on the screen, wherever the view is now.
    QPoint centreOf(const PersonRecord* r) {
        const PixelPoint p = treeToPixel(view(), r->posX() + 70, r->posY() + 40);
        return QPoint(int(p.x), int(p.y));
    }
    void press(QPoint p) { QTest::mousePress(canvas(), Qt::LeftButton, Qt::NoModifier, p); }
    void move(QPoint p) { QTest::mouseMove(canvas(), p); }
    void release(QPoint p) { QTest::mouseRelease(canvas(), Qt::LeftButton, Qt::NoModifier, p); }
    void click(QPoint p) {
        press(p);
        release(p);
    }
    // A key as the window system delivers it: to whichever widget has the
    // keyboard.
    void typeKey(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(main->windowHandle(), key, mods);
    }
    void escape() { QTest::keyClick(main, Qt::Key_Escape); }
    QMenu* menu(const char* name) { return main->findChild<QMenu*>(QString::fromLatin1(name)); }
};

TEST_F(CanvasKeys, OnlyAMouseChoiceOfGoToAliasSwallowsTheNextClick) {
    PersonRecord* dad = add("Jan", "Kowalski", 102, 102);
    PersonRecord* mum = add("Ewa", "Kowalska", 302, 102);
    PersonRecord* child = add("Piotr", "Kowalski", 202, 302);
    child->father = dad;
    child->mother = mum;
    main->paintTree();

    // Home by its key, father and mother from the context menu: the next
    // click on the tree counts.
    const struct {
        const char* how;
        std::function<void()> go;
        PersonRecord* target;
    } jumps[] = {{"Home", [this] { QTest::keyClick(main, Qt::Key_Home); }, dad},
                 {"father",
                  [this] {
                      main->prepareContextMenu();
                      trigger("PopupGoToFather");
                  },
                  dad},
                 {"mother",
                  [this] {
                      main->prepareContextMenu();
                      trigger("PopupGoToMother");
                  },
                  mum}};
    for (const auto& j : jumps) {
        persons().setCurrentPerson(child);
        j.go();
        EXPECT_EQ(persons().currentPerson(), j.target) << j.how;
        click(centreOf(child));
        EXPECT_EQ(persons().currentPerson(), child) << j.how;
    }

    // The alias pair: Ctrl+G and Enter in the menu leave no click behind,
    // a mouse choice in the menu does.
    PersonRecord* original = add("Anna", "Nowak", 502, 302);
    PersonRecord* aliasBox = add("Anna", "Nowak", 702, 302);
    original->setText(field::aliasMark, "ALIAS");
    aliasBox->setText(field::aliasMark, "REF");
    aliasBox->father = original;
    main->paintTree();
    QMenu* alias = menu("Alias1");
    QAction* goTo = action("GotoAlias1");

    persons().setCurrentPerson(original);
    QTest::keyClick(main, Qt::Key_G, Qt::ControlModifier);
    EXPECT_EQ(persons().currentPerson(), aliasBox);
    click(centreOf(original));
    EXPECT_EQ(persons().currentPerson(), original) << "Ctrl+G";

    alias->popup(main->mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(alias));
    alias->setActiveAction(goTo);
    QTest::keyClick(alias, Qt::Key_Return);
    EXPECT_EQ(persons().currentPerson(), aliasBox);
    click(centreOf(original));
    EXPECT_EQ(persons().currentPerson(), original) << "Enter in the menu";

    alias->popup(main->mapToGlobal(QPoint(10, 10)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(alias));
    QTest::mouseClick(alias, Qt::LeftButton, Qt::NoModifier, alias->actionGeometry(goTo).center());
    EXPECT_EQ(persons().currentPerson(), aliasBox);
    click(centreOf(original));
    EXPECT_EQ(persons().currentPerson(), aliasBox) << "the click after the menu is swallowed";
    click(centreOf(original));
    EXPECT_EQ(persons().currentPerson(), original);
}

TEST_F(CanvasKeys, AClickOnTheCanvasTakesTheKeysBackFromTheMenuBar) {
    PersonRecord* p = add("Jan", "Kowalski", 102, 102);
    persons().setCurrentPerson(nullptr);
    main->paintTree();
    QMenuBar* bar = main->menuBar();
    QMenu* edit = menu("Edit1");
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                      bar->actionGeometry(edit->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(edit));
    QTest::keyClick(edit, Qt::Key_Escape);
    ASSERT_FALSE(edit->isVisible());
    ASSERT_EQ(QApplication::focusWidget(), bar);  // the bar keeps the keyboard

    click(centreOf(p));
    EXPECT_EQ(persons().currentPerson(), p);
    EXPECT_EQ(QApplication::focusWidget(), canvas());
    typeKey(Qt::Key_Return);
    EXPECT_EQ(edited, std::vector<const PersonRecord*>{p});
    const int32_t scrollY = view().scrollY;
    typeKey(Qt::Key_Down);
    EXPECT_EQ(view().scrollY, scrollY - main->viewing().scrollStep());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    typeKey(Qt::Key_F);
    EXPECT_TRUE((waitingLink(gestures()) == LinkKind::Father));
    if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

TEST_F(CanvasKeys, EscapeEndsWhatWaitsOnTheCanvasAsIfItHadNotBegun) {
    PersonRecord* dad = add("Jan", "Kowalski", 102, 102);
    PersonRecord* child = add("Piotr", "Kowalski", 302, 302);
    child->father = dad;
    persons().setTreeModified(false);
    main->paintTree();
    const int32_t highest = persons().highestPersonId();

    // A link waiting for its click: the click then only starts a band.
    for (Qt::Key key : {Qt::Key_F, Qt::Key_M, Qt::Key_L}) {
        persons().setCurrentPerson(child);
        QTest::keyClick(main, key);
        escape();
        EXPECT_FALSE(waitingLink(gestures()).has_value());
        EXPECT_NE(canvas()->cursor().shape(), Qt::CrossCursor);
        click(QPoint(600, 60));
        EXPECT_EQ(persons().count(), 2u) << key;
        EXPECT_EQ(child->father, dad);
        EXPECT_EQ(child->mother, nullptr);
        EXPECT_EQ(child->partner[1], nullptr);
        EXPECT_TRUE(edited.empty());
    }
    EXPECT_FALSE(persons().treeModified());

    // A carried new box, or alias box, goes as if never made.
    for (Qt::Key key : {Qt::Key_N, Qt::Key_A, Qt::Key_T}) {
        persons().setCurrentPerson(child);
        child->father = nullptr;  // Ctrl+T needs a box without parents
        move(QPoint(500, 100));
        QTest::keyClick(main, key, Qt::ControlModifier);
        ASSERT_EQ(persons().count(), 3u) << key;
        escape();
        EXPECT_EQ(persons().count(), 2u) << key;
        EXPECT_EQ(persons().highestPersonId(), highest) << key;
        EXPECT_EQ(persons().currentPerson(), child) << key;
        EXPECT_EQ(text(child, field::aliasMark), "") << key;
        EXPECT_EQ(child->father, nullptr) << key;
        EXPECT_FALSE(carriesNewBox(gestures()));
        EXPECT_FALSE(isDragging(gestures()));
        EXPECT_FALSE(persons().treeModified()) << key;
        click(QPoint(600, 60));
        EXPECT_TRUE(edited.empty()) << key;
    }

    // A drag in progress: the box goes back.
    press(centreOf(dad));
    move(centreOf(dad) + QPoint(60, 60));
    ASSERT_TRUE(isDragging(gestures()));
    escape();
    release(centreOf(dad) + QPoint(60, 60));
    EXPECT_EQ(dad->posX(), 102);
    EXPECT_EQ(dad->posY(), 102);
    EXPECT_FALSE(persons().treeModified());

    // A band selects nothing once Escape has ended it.
    press(QPoint(60, 60));
    move(QPoint(600, 600));
    escape();
    EXPECT_FALSE(isBand(gestures()));
    release(QPoint(600, 600));
    EXPECT_TRUE(persons().selection().empty());

    // And the dragged selection goes back whole.
    press(QPoint(60, 60));
    move(QPoint(600, 600));
    release(QPoint(600, 600));
    ASSERT_EQ(persons().selection().size(), 2u);
    press(centreOf(child));
    move(centreOf(child) + QPoint(-40, 30));
    escape();
    release(centreOf(child) + QPoint(-40, 30));
    EXPECT_EQ(child->posX(), 302);
    EXPECT_EQ(dad->posY(), 102);

    trigger("Area1");
    ASSERT_TRUE(main->interaction().areaZoomMode());
    escape();
    EXPECT_FALSE(main->interaction().areaZoomMode());
}

TEST_F(CanvasKeys, CommandStatesAndTheHintFollowTheCanvas) {
    PersonRecord* home = add("Jan", "Kowalski", 102, 102);
    add("Ewa", "Nowak", 302, 102);
    persons().setCurrentPerson(nullptr);
    main->paintTree();
    EXPECT_FALSE(action("PropertiesButton")->isEnabled());
    EXPECT_FALSE(action("LinkFatherButton")->isEnabled());

    QTest::mouseClick(program->navigator()->findChild<QPushButton*>(QStringLiteral("Home")),
                      Qt::LeftButton);
    ASSERT_EQ(persons().currentPerson(), home);
    EXPECT_TRUE(action("PropertiesButton")->isEnabled());
    EXPECT_TRUE(action("LinkFatherButton")->isEnabled());
    EXPECT_TRUE(action("Properties1")->isEnabled());

    // Another window leaves no one current and repaints.
    persons().setCurrentPerson(nullptr);
    main->paintTree();
    EXPECT_FALSE(action("PropertiesButton")->isEnabled());
    EXPECT_FALSE(action("DeleteButton")->isEnabled());

    // The hint is gone while a button is held, and back after.
    move(centreOf(home));
    ASSERT_FALSE(main->interaction().hintText().isEmpty());
    press(centreOf(home));
    EXPECT_TRUE(main->interaction().hintText().isEmpty());
    move(centreOf(home) + QPoint(3, 3));  // below the drag threshold
    EXPECT_TRUE(main->interaction().hintText().isEmpty());
    release(centreOf(home) + QPoint(3, 3));
    move(centreOf(home) + QPoint(4, 4));
    EXPECT_FALSE(main->interaction().hintText().isEmpty());
}

TEST_F(CanvasKeys, TheToolBarHasTheZoomToAreaButton) {
    QAction* button = action("AreaButton");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("Zoom to &Area"));
    QToolBar* bar = main->findChild<QToolBar*>(QStringLiteral("ToolBar1"));
    QTest::mouseClick(bar->widgetForAction(button), Qt::LeftButton);
    EXPECT_TRUE(main->interaction().areaZoomMode());
    EXPECT_TRUE(action("Area1")->isChecked());
    EXPECT_TRUE(button->isChecked());
    main->paintTree();  // any paint ends the mode, on both
    EXPECT_FALSE(action("Area1")->isChecked());
    EXPECT_FALSE(button->isChecked());
    trigger("Area1");
    EXPECT_TRUE(button->isChecked());
}

}  // namespace
}  // namespace lineara
