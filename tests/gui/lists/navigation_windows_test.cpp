// Going to relatives and searching by name in the running program: the
// go-to commands, the go-to window and the search window, driven as a user
// drives them.
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include "core/view/view_math.h"
#include "gui/canvas/tree_canvas.h"
#include "gui/lists/go_to_dialog.h"
#include "support/edit_fixture.h"

namespace lineara::test {
namespace {

class NavigationWindows : public EditFixture {
protected:
    void SetUp() override {
        EditFixture::SetUp();
        goTo = program->goToDialog();
        ASSERT_NE(goTo, nullptr);
    }
    const ViewState& view() { return main->viewState(); }
    // The box's centre is at the canvas's centre, within rounding.
    void expectCentred(const PersonRecord* p, const char* how) {
        const QSize window = main->canvas()->size();
        EXPECT_NEAR(treeToPixelX(view(), p->posX() + kBoxWidth / 2), window.width() / 2, 1) << how;
        EXPECT_NEAR(treeToPixelY(view(), p->posY() + kBoxHeight / 2), window.height() / 2, 1)
            << how;
    }
    static QStringList lines(QListWidget* list) {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) out << list->item(i)->text();
        return out;
    }
    static void select(QListWidget* list, int row) {
        list->setCurrentRow(row);
        list->item(row)->setSelected(true);
    }
    // Opens, as far as its states go, the menu holding the item.
    void openMenuOf(const char* item) {
        for (QObject* o : action(item)->associatedObjects()) {
            if (auto* menu = qobject_cast<QMenu*>(o)) emit menu->aboutToShow();
        }
    }
    const PersonRecord* current() { return main->doc().persons().currentPerson(); }

    GoToDialog* goTo = nullptr;
};

TEST_F(NavigationWindows, GoingToAParentKeepsTheZoomAndGoingHomeEndsAt100) {
    PersonRecord* dad = add("Jan", "Nowak", 1000, 200);
    PersonRecord* mum = add("Ewa", "Nowak", 3000, -700);
    PersonRecord* kid = add("Ola", "Nowak", 2000, 900);
    kid->father = dad;
    kid->mother = mum;
    main->paintTree();

    main->viewing().zoomTo(35);
    main->doc().setCurrentPerson(kid);
    main->prepareContextMenu();
    trigger("PopupGoToFather");
    EXPECT_EQ(current(), dad);
    EXPECT_DOUBLE_EQ(view().zoomPercent, 35);
    expectCentred(dad, "father");

    main->doc().setCurrentPerson(kid);
    main->prepareContextMenu();
    trigger("PopupGoToMother");
    EXPECT_EQ(current(), mum);
    EXPECT_DOUBLE_EQ(view().zoomPercent, 35);
    expectCentred(mum, "mother");

    QTest::keyClick(main, Qt::Key_Home);
    EXPECT_EQ(current(), dad);
    EXPECT_DOUBLE_EQ(view().zoomPercent, 100);
    expectCentred(dad, "home");
}

TEST_F(NavigationWindows, TheGoToWindowListsChildrenThroughAnAliasBoxAndMovesTheFocus) {
    PersonRecord* dad = add("Jan", "Nowak", 0, 0);
    PersonRecord* first = add("Adam", "Nowak", 600, 400);
    first->father = dad;
    first->setText(field::birthDate, "1900");
    PersonRecord* box = add("Jan", "Nowak", 3000, 0);
    dad->setText(field::aliasMark, "ALIAS");
    box->setText(field::aliasMark, "REF");
    box->father = dad;
    PersonRecord* second = add("Ola", "Nowak", 3600, 2400);
    second->father = box;
    main->paintTree();
    main->viewing().zoomTo(50);

    // From the alias box's context menu.
    main->doc().setCurrentPerson(box);
    main->prepareContextMenu();
    trigger("PopupChildrenList");
    ASSERT_TRUE(goTo->isVisible());
    EXPECT_EQ(goTo->windowTitle(), QStringLiteral("Dzieci dla Jan Nowak"));
    EXPECT_EQ(lines(goTo->list()), (QStringList{QStringLiteral("Ola Nowak (-) [4]"),
                                                QStringLiteral("Adam Nowak (1900-) [2]")}));
    // Nothing selected: "&Idź" only closes.
    QTest::mouseClick(goTo->goButton(), Qt::LeftButton);
    EXPECT_FALSE(goTo->isVisible());
    EXPECT_EQ(current(), box);

    // From the View menu, on the person itself: the same family.
    main->doc().setCurrentPerson(dad);
    openMenuOf("Child1");
    trigger("Child1");
    ASSERT_TRUE(goTo->isVisible());
    EXPECT_EQ(lines(goTo->list()), (QStringList{QStringLiteral("Adam Nowak (1900-) [2]"),
                                                QStringLiteral("Ola Nowak (-) [4]")}));
    select(goTo->list(), 1);
    QTest::mouseClick(goTo->goButton(), Qt::LeftButton);
    EXPECT_FALSE(goTo->isVisible());
    EXPECT_EQ(current(), second);
    EXPECT_DOUBLE_EQ(view().zoomPercent, 50);
    expectCentred(second, "chosen child");
}

TEST_F(NavigationWindows, SiblingsAndRelativesAndALineWhosePersonIsGone) {
    PersonRecord* dad = add("Jan", "Nowak", 0, 0);
    PersonRecord* mumA = add("Ewa", "Nowak", 400, 0);
    PersonRecord* mumB = add("Anna", "Lis", 800, 0);
    PersonRecord* a = add("Adam", "Nowak", 0, 400);
    a->father = dad;
    a->mother = mumA;
    PersonRecord* b = add("Basia", "Nowak", 400, 400);
    b->father = dad;
    b->mother = mumB;
    ASSERT_TRUE(persons().AddMarriage(dad, mumA).ok);
    ASSERT_TRUE(persons().AddMarriage(dad, mumB).ok);
    main->paintTree();

    main->doc().setCurrentPerson(a);
    trigger("ListofSiblings1");
    EXPECT_EQ(goTo->windowTitle(), QStringLiteral("Rodzenstwo Adam Nowak"));
    EXPECT_EQ(lines(goTo->list()), QStringList{QStringLiteral("Basia Nowak ( - ) [5]")});
    EXPECT_EQ(current(), a);  // filling the list moves nothing

    main->doc().setCurrentPerson(dad);
    main->prepareContextMenu();
    trigger("PopupRelativesList");
    EXPECT_EQ(goTo->windowTitle(), QStringLiteral("Krewni dla Jan Nowak"));
    EXPECT_EQ(lines(goTo->list()), (QStringList{QStringLiteral("Ewa Nowak (-) [2]"),
                                                QStringLiteral("Anna Lis (-) [3]")}));

    // Anna is deleted while her line is shown: choosing it changes nothing.
    persons().setCurrentPerson(mumB);
    persons().removePerson();
    main->doc().setCurrentPerson(dad);
    select(goTo->list(), 1);
    goTo->goToSelected();
    EXPECT_EQ(current(), dad);
    EXPECT_FALSE(goTo->isVisible());
}

TEST_F(NavigationWindows, TheViewMenuOffersTheListsOnlyWithACurrentPerson) {
    add("Jan", "Nowak");
    const QStringList items{QStringLiteral("Child1"), QStringLiteral("ListofSiblings1"),
                            QStringLiteral("Spouse1")};
    for (bool withPerson : {false, true}) {
        main->doc().setCurrentPerson(withPerson ? main->doc().persons().personListHead() : nullptr);
        openMenuOf("Child1");
        for (const QString& name : items) {
            EXPECT_EQ(main->action(name)->isEnabled(), withPerson) << name.toStdString();
        }
    }
}

}  // namespace
}  // namespace lineara::test
