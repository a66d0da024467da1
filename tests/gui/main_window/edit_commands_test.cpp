// The editing commands as the user reaches them in the running program:
// the questions asked, the relationship dialog, the menus' states and the
// context menu's rules.
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QToolBar>

#include "gui/canvas/tree_canvas.h"
#include "gui/dialogs/delete_relationship_dialog.h"
#include "support/edit_fixture.h"

namespace lineara {
namespace {

using test::EditFixture;

class EditCommands : public EditFixture {
protected:
    // An original "Jan Kowalski" with an alias box; the original is current.
    void makeAliasPair() {
        original = add("Jan", "Kowalski", 100, 100);
        original->setText(field::birthDate, "1900");
        trigger("MakeAlias1");
        aliasBox = persons().currentPerson();
        ASSERT_NE(aliasBox, original);
    }
    QString yesNo(const char* text) {
        return QStringLiteral("yesno|Potwierdz|") + QString::fromUtf8(text);
    }
    // Two relationships between a and b, of 1920 and 1935.
    void marryTwice() {
        a = add("Jan", "Kowalski");
        b = add("Ewa", "Nowak");
        b->setText(field::birthDate, "1902");
        const char* dates[] = {"1920", "1935"};
        for (int i = 0; i < 2; ++i) {
            ASSERT_TRUE(persons().AddMarriage(a, b).ok);
            a->setText(field::relationDate(i + 1), dates[i]);
            b->setText(field::relationDate(i + 1), dates[i]);
        }
    }
    // Runs the relationship dialog with `act` instead of a modal loop.
    void onDialog(std::function<void(DeleteRelationshipDialog&)> act) {
        main->setDialogRunner([act](QDialog& d) {
            auto* form = qobject_cast<DeleteRelationshipDialog*>(&d);
            ASSERT_NE(form, nullptr);
            act(*form);
        });
    }
    PersonRecord* original = nullptr;
    const PersonRecord* aliasBox = nullptr;
    PersonRecord* a = nullptr;
    PersonRecord* b = nullptr;
};

TEST_F(EditCommands, DeletingTheOriginalAsksFirstAndLeavesTheAliasBoxAnOrdinaryPerson) {
    makeAliasPair();
    main->interaction().endDrag();
    persons().setCurrentPerson(original);
    t.user.yesNoAnswers = {false};
    trigger("Slettperson1");
    EXPECT_EQ(t.user.asked.last(),
              yesNo("Do you really want to delete this and make the alias the original?"));
    EXPECT_EQ(persons().count(), 2u);

    t.user.yesNoAnswers = {true};
    trigger("Slettperson1");
    ASSERT_EQ(persons().count(), 1u);
    const PersonRecord* left = persons().personListHead();
    EXPECT_EQ(left, aliasBox);
    EXPECT_EQ(text(left, field::givenNames), "Jan");
    EXPECT_EQ(text(left, field::birthDate), "1900");
    EXPECT_EQ(text(left, field::aliasMark), "");
    EXPECT_EQ(left->father, nullptr);
    EXPECT_EQ(persons().currentPerson(), nullptr);
    EXPECT_FALSE(isDragging(main->interaction().state()));
    EXPECT_TRUE(persons().treeModified());
}

TEST_F(EditCommands, DeletingTheAliasBoxMakesTheOriginalOrdinaryAgain) {
    makeAliasPair();
    t.user.yesNoAnswers = {true};
    trigger("Slettperson1");
    EXPECT_EQ(t.user.asked.last(), yesNo("Do you really want to delete this alias?"));
    ASSERT_EQ(persons().count(), 1u);
    EXPECT_EQ(text(original, field::aliasMark), "");
    EXPECT_EQ(persons().currentPerson(), nullptr);
    // The person that was carried is gone: nothing may drag it on.
    EXPECT_FALSE(isDragging(main->interaction().state()));
}

TEST_F(EditCommands, DeletingTheSelectionAsksOnceAndEmptiesIt) {
    PersonRecord* p = add("A", "A");
    PersonRecord* q = add("B", "B");
    add("C", "C");
    persons().setSelection({p, q});
    main->refreshCommandStates();  // as the release that ends the band does
    t.user.yesNoAnswers = {true};
    trigger("Slettperson1");
    EXPECT_EQ(t.user.asked, QStringList{yesNo("Na pewno chcesz usunac ta osobe?")});
    EXPECT_EQ(persons().count(), 1u);
    EXPECT_TRUE(persons().selection().empty());
}

TEST_F(EditCommands, NothingToDeleteAsksNothing) {
    trigger("Slettperson1");
    EXPECT_TRUE(t.user.asked.isEmpty());
}

TEST_F(EditCommands, TheRelationshipDialogListsThePartnersAndDeletesTheChosenPair) {
    marryTwice();
    persons().setCurrentPerson(a);
    onDialog([](DeleteRelationshipDialog& form) {
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Usuń łącze"));
        EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("Header"))->text(),
                  QStringLiteral("Usuń łącze do małżonka:"));
        EXPECT_EQ(form.deleteButton()->text(), QStringLiteral("Usuń"));
        EXPECT_TRUE(form.deleteButton()->isDefault());
        EXPECT_EQ(form.cancelButton()->text(), QStringLiteral("Anuluj"));
        ASSERT_EQ(form.list()->count(), 2);
        EXPECT_EQ(form.list()->item(0)->text(), QStringLiteral("Ewa Nowak (1902 - )"));
        EXPECT_EQ(form.list()->currentRow(), 0);
        form.list()->setCurrentRow(1);
        form.deleteButton()->click();
        EXPECT_EQ(form.result(), QDialog::Accepted);
    });
    trigger("DeleteLinktoMarriage1");
    EXPECT_EQ(a->partner[1], b);
    EXPECT_EQ(a->partner[2], nullptr);
    EXPECT_EQ(b->partner[1], a);
    EXPECT_EQ(b->partner[2], nullptr);

    // The remaining one, from the other side, by a double click.
    persons().setCurrentPerson(b);
    onDialog([](DeleteRelationshipDialog& form) {
        ASSERT_EQ(form.list()->count(), 1);
        emit form.list()->itemDoubleClicked(form.list()->item(0));
    });
    trigger("DeleteLinktoMarriage1");
    EXPECT_EQ(a->partner[1], nullptr);
    EXPECT_EQ(b->partner[1], nullptr);
    EXPECT_TRUE(t.user.messages().isEmpty());
}

TEST_F(EditCommands, WithoutAChosenLineUsunDoesNothingAndAnulujChangesNothing) {
    marryTwice();
    persons().setCurrentPerson(a);
    persons().setTreeModified(false);
    onDialog([](DeleteRelationshipDialog& form) {
        form.list()->clearSelection();
        form.deleteButton()->click();
        EXPECT_EQ(form.result(), 0);  // still open
        form.cancelButton()->click();
        EXPECT_EQ(form.result(), QDialog::Rejected);
    });
    trigger("DeleteLinktoMarriage1");
    EXPECT_EQ(a->partner[1], b);
    EXPECT_EQ(a->partner[2], b);
    EXPECT_FALSE(persons().treeModified());
}

TEST_F(EditCommands, AnUnmatchedPartnerSideIsReportedAndKept) {
    marryTwice();
    a->setText(field::relationPlace(1), "Warszawa");
    persons().setCurrentPerson(a);
    onDialog([](DeleteRelationshipDialog& form) { form.deleteButton()->click(); });
    trigger("DeleteLinktoMarriage1");
    EXPECT_EQ(t.user.messages(),
              QStringList{QStringLiteral("Relationship could not be deleted on both sides "
                                         "because date or place did not match")});
    EXPECT_EQ(a->partner[1], nullptr);
    EXPECT_EQ(b->partner[1], a);
    EXPECT_EQ(b->partner[2], a);
}

TEST_F(EditCommands, AliasMenuFollowsTheMarkOfTheCurrentBox) {
    makeAliasPair();
    persons().setCurrentPerson(original);
    showMenu("Alias1");
    EXPECT_FALSE(action("MakeAlias1")->isEnabled());
    EXPECT_FALSE(action("MakeThisAlias1")->isEnabled());
    EXPECT_TRUE(action("GotoAlias1")->isEnabled());
    EXPECT_EQ(action("GotoAlias1")->text(), QStringLiteral("&Do aliasy"));

    trigger("GotoAlias1");
    EXPECT_EQ(persons().currentPerson(), aliasBox);
    EXPECT_TRUE(main->interaction().ignoresNextPress());
    showMenu("Alias1");
    EXPECT_EQ(action("GotoAlias1")->text(), QStringLiteral("&Do oryginalu"));

    PersonRecord* plain = add("Ola", "Lis");
    plain->father = original;
    showMenu("Alias1");
    EXPECT_TRUE(action("MakeAlias1")->isEnabled());
    EXPECT_FALSE(action("MakeThisAlias1")->isEnabled());  // has a father
    EXPECT_FALSE(action("GotoAlias1")->isEnabled());
}

TEST_F(EditCommands, LinkMenuRefusesAliasBoxesAndNeedsTheLinksItDeletes) {
    makeAliasPair();
    showMenu("Link1");
    for (const char* name :
         {"LinktoFather1", "LinktoMother2", "LinkMarriage1", "DeleteLinktoFather1",
          "DeleteLinktoMother1", "DeleteLinktoMarriage1"}) {
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    }
    persons().setCurrentPerson(original);
    PersonRecord* mother = add("Anna", "Kowalska");
    original->mother = mother;
    persons().setCurrentPerson(original);
    showMenu("Link1");
    EXPECT_TRUE(action("LinktoFather1")->isEnabled());
    EXPECT_FALSE(action("DeleteLinktoFather1")->isEnabled());
    EXPECT_TRUE(action("DeleteLinktoMother1")->isEnabled());
    EXPECT_FALSE(action("DeleteLinktoMarriage1")->isEnabled());
    EXPECT_TRUE(action("DeleteLinktoFather1")->shortcut().isEmpty());

    trigger("DeleteLinktoMother1");
    EXPECT_EQ(original->mother, nullptr);
}

TEST_F(EditCommands, EditMenuAndToolBarFollowThePersonAndTheSelection) {
    main->refreshCommandStates();
    for (const char* name :
         {"Properties1", "Slettperson1", "Makehome1", "AlignTop1", "PropertiesButton",
          "DeleteButton", "LinkFatherButton", "AlignLeftButton"}) {
        EXPECT_FALSE(action(name)->isEnabled()) << name;
    }
    PersonRecord* p = add("Jan", "Kowalski");
    main->refreshCommandStates();
    for (const char* name :
         {"Properties1", "Slettperson1", "Makehome1", "PropertiesButton", "LinkMotherButton"}) {
        EXPECT_TRUE(action(name)->isEnabled()) << name;
    }
    EXPECT_FALSE(action("AlignBottomButton")->isEnabled());

    // Coming to the tool bar brings it up to date.
    persons().setCurrentPerson(nullptr);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(main->findChild<QToolBar*>(QStringLiteral("ToolBar1")), &enter);
    EXPECT_FALSE(action("PropertiesButton")->isEnabled());
    persons().setCurrentPerson(nullptr);
    persons().setSelection({p});
    showMenu("Edit1");
    EXPECT_TRUE(action("Slettperson1")->isEnabled());
    EXPECT_TRUE(action("AlignRight1")->isEnabled());
    EXPECT_FALSE(action("Properties1")->isEnabled());
}

TEST_F(EditCommands, NewPersonsAreCarriedAndLinkCommandsWaitWithTheCross) {
    trigger("NewFemaleItem1");
    const PersonRecord* woman = persons().currentPerson();
    ASSERT_NE(woman, nullptr);
    EXPECT_EQ(text(woman, field::sex), "F");
    EXPECT_TRUE(isDragging(main->interaction().state()));
    EXPECT_TRUE(carriesNewBox(main->interaction().state()));
    main->interaction().endDrag();

    trigger("LinktoFather1");
    EXPECT_TRUE((waitingLink(main->interaction().state()) == LinkKind::Father));
    EXPECT_EQ(main->canvas()->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(std::get<gesture::LinkWaiting>(main->interaction().state()).lineEnd.x,
              woman->posX() + 70);
}

TEST_F(EditCommands, ContextMenuShowsTheItemsForNobodyAndClearsTheStatus) {
    main->setStatusText(QStringLiteral("something"));
    emit main->contextMenu()->aboutToShow();
    EXPECT_EQ(main->statusText(), QString());
    EXPECT_TRUE(action("PopupNewMale")->isVisible());
    EXPECT_TRUE(action("PopupNewFemale")->isVisible());
    EXPECT_FALSE(action("PopupProperties")->isEnabled());
    EXPECT_FALSE(action("PopupDelete")->isEnabled());
    EXPECT_FALSE(action("PopupDeleteLinkMenu")->isEnabled());
    EXPECT_FALSE(action("PopupDeleteLinkMother")->isVisible());
    EXPECT_EQ(action("PopupGoToFather")->text(), QStringLiteral("&Ojciec"));
    EXPECT_TRUE(action("PopupGoToHome")->isEnabled());
    EXPECT_FALSE(action("PopupScrollLeft")->isVisible());
}

TEST_F(EditCommands, ContextMenuNamesTheParentsAndFollowsTheAliasMark) {
    PersonRecord* father = add("Jan", "Kowalski");
    PersonRecord* child = add("Piotr", "Kowalski");
    child->father = father;
    main->prepareContextMenu();
    EXPECT_FALSE(action("PopupNewMale")->isVisible());
    EXPECT_TRUE(action("PopupProperties")->isEnabled());
    EXPECT_TRUE(action("PopupDeleteLinkFather")->isEnabled());
    EXPECT_FALSE(action("PopupDeleteLinkMother")->isEnabled());
    EXPECT_TRUE(action("PopupGoToFather")->isEnabled());
    EXPECT_EQ(action("PopupGoToFather")->text(), QStringLiteral("&Ojciec: Jan Kowalski"));
    EXPECT_EQ(action("PopupGoToMother")->text(), QStringLiteral("&Matka"));
    EXPECT_FALSE(action("PopupMakeThisAlias")->isEnabled());
    EXPECT_FALSE(action("PopupGoToAlias")->isEnabled());

    action("PopupGoToFather")->trigger();
    EXPECT_EQ(persons().currentPerson(), father);

    trigger("MakeAlias1");  // the father becomes an original
    persons().setCurrentPerson(father);
    main->prepareContextMenu();
    EXPECT_TRUE(action("PopupGoToAlias")->isEnabled());
    EXPECT_EQ(action("PopupGoToAlias")->text(), QStringLiteral("&Alias"));
    EXPECT_FALSE(action("PopupMakeAlias")->isEnabled());

    // A selection beside the current person switches the single-person
    // items off.
    persons().setSelection({child});
    main->prepareContextMenu();
    EXPECT_FALSE(action("PopupProperties")->isEnabled());
    EXPECT_TRUE(action("PopupDelete")->isEnabled());
    EXPECT_TRUE(action("PopupAlignMenu")->isEnabled());
}

}  // namespace
}  // namespace lineara
