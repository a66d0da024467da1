// The editing commands of the main window: the "&Edytuj", "&Łącza" and
// "&Alias" menus, their tool bar buttons and the states that follow the
// current person. The commands themselves are in model/editing*.h; here
// their results become questions, messages, pointers and repaints.
#include <QAction>
#include <QDialog>
#include <QMenuBar>
#include <QToolBar>

#include "core/model/editing_aliases.h"
#include "core/model/editing_states.h"
#include "gui/canvas/tree_canvas.h"
#include "gui/common/busy_cursor.h"
#include "gui/dialogs/delete_relationship_dialog.h"
#include "gui/main_window/main_window.h"

namespace lineara {

namespace {

QString utf8(const std::string& text) { return QString::fromUtf8(text); }

}  // namespace

// --- menus ---

void TZudezezor::buildEditMenus() {
    buildEditMenu();
    buildLinkMenu();
    buildAliasMenu();
}

void TZudezezor::buildEditMenu() {
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edytuj"));
    edit->setObjectName(QStringLiteral("Edit1"));
    buildUndoActions(edit);
    addRows(edit, {{"Nowy &mężczyzna", "Nyperson1", Qt::CTRL | Qt::Key_N,
                    &TZudezezor::Nyperson1Click, &edit_.newMale},
                   {"Nowa &kobieta", "NewFemaleItem1", Qt::CTRL | Qt::Key_F,
                    &TZudezezor::NewFemaleItem1Click, &edit_.newFemale},
                   {"&Usuń", "Slettperson1", Qt::Key_Delete, &TZudezezor::Slettperson1Click,
                    &edit_.remove},
                   {"Ustaw pozycję jako &startową", "Makehome1", Qt::CTRL | Qt::Key_Home,
                    &TZudezezor::Makehome1Click, &edit_.makeHome},
                   {"&Właściwości", "Properties1", Qt::Key_Return, &TZudezezor::PropertiesClick,
                    &edit_.properties}});
    edit->addSeparator();
    addRows(edit, {{"Wyrównaj do &góry", "AlignTop1", QKeySequence(),
                    [this] { alignSelectionTo(AlignSide::Top); }, &edit_.align.top},
                   {"Wyrównaj do &dołu", "AlignBottom1", QKeySequence(),
                    [this] { alignSelectionTo(AlignSide::Bottom); }, &edit_.align.bottom},
                   {"Wyrównaj do &lewej", "AlignLeft1", QKeySequence(),
                    [this] { alignSelectionTo(AlignSide::Left); }, &edit_.align.left},
                   {"Wyrównaj do pr&awej", "AlignRight1", QKeySequence(),
                    [this] { alignSelectionTo(AlignSide::Right); }, &edit_.align.right}});
    buildLayoutEditItems(edit);
    connect(edit, &QMenu::aboutToShow, this, &TZudezezor::refreshCommandStates);
}

void TZudezezor::buildLinkMenu() {
    QMenu* link = menuBar()->addMenu(QStringLiteral("&Łącza"));
    link->setObjectName(QStringLiteral("Link1"));
    addRows(link, {{"Łącz z &ojcem", "LinktoFather1", Qt::Key_F, &TZudezezor::LinktoFather1Click,
                    &link_.toFather},
                   {"Łącz z &matką", "LinktoMother2", Qt::Key_M, &TZudezezor::LinktoMother2Click,
                    &link_.toMother},
                   {"Łącz z &krewnym", "LinkMarriage1", Qt::Key_L, &TZudezezor::LinkMarriage1Click,
                    &link_.toRelative}});
    QMenu* remove = link->addMenu(QStringLiteral("Usuń łącze do..."));
    remove->setObjectName(QStringLiteral("DeleteLink1"));
    // Ctrl+F is "Nowa &kobieta"'s; the menu shows it here too, but a second
    // binding would make the key ambiguous and neither item would get it.
    addRows(remove, {{"Ojca\tCtrl+F", "DeleteLinktoFather1", QKeySequence(),
                      &TZudezezor::DeleteLinktoFather1Click, &link_.deleteToFather},
                     {"Matki", "DeleteLinktoMother1", Qt::CTRL | Qt::Key_M,
                      &TZudezezor::DeleteLinktoMother1Click, &link_.deleteToMother},
                     {"Krewnego", "DeleteLinktoMarriage1", Qt::CTRL | Qt::Key_L,
                      &TZudezezor::DeleteLinktoMarriage1Click, &link_.deleteToRelative}});
    connect(link, &QMenu::aboutToShow, this, &TZudezezor::updateLinkMenu);
}

void TZudezezor::buildAliasMenu() {
    QMenu* alias = menuBar()->addMenu(QStringLiteral("&Alias"));
    alias->setObjectName(QStringLiteral("Alias1"));
    addRows(alias, {{"Stwórz &alias", "MakeAlias1", Qt::CTRL | Qt::Key_A,
                     &TZudezezor::MakeAliasClick, &alias_.make},
                    {"Stwórz &to jako alias", "MakeThisAlias1", Qt::CTRL | Qt::Key_T,
                     &TZudezezor::MakeThisAliasClick, &alias_.makeThis},
                    {"&Idź do aliasu", "GotoAlias1", Qt::CTRL | Qt::Key_G,
                     &TZudezezor::GotoAlias1Click, &alias_.goTo}});
    connect(alias, &QMenu::aboutToShow, this, &TZudezezor::updateAliasMenu);
}

void TZudezezor::buildEditToolButtons() {
    addUndoToolButtons();
    toolBar_->addSeparator();
    addRows(toolBar_, {{"&Właściwości", "PropertiesButton", QKeySequence(),
                        &TZudezezor::PropertiesClick, &buttons_.properties},
                       {"&Usuń", "DeleteButton", QKeySequence(), &TZudezezor::Slettperson1Click,
                        &buttons_.remove},
                       {"Łącz z &ojcem", "LinkFatherButton", QKeySequence(),
                        &TZudezezor::LinktoFather1Click, &buttons_.linkFather},
                       {"Łącz z &matką", "LinkMotherButton", QKeySequence(),
                        &TZudezezor::LinktoMother2Click, &buttons_.linkMother},
                       {"Łącz z &krewnym", "LinkRelativeButton", QKeySequence(),
                        &TZudezezor::LinkMarriage1Click, &buttons_.linkRelative}});
    addRows(toolBar_, {{"Do &góry", "AlignTopButton", QKeySequence(),
                        [this] { alignSelectionTo(AlignSide::Top); }, &buttons_.align.top},
                       {"Do &dołu", "AlignBottomButton", QKeySequence(),
                        [this] { alignSelectionTo(AlignSide::Bottom); }, &buttons_.align.bottom},
                       {"Do &lewej", "AlignLeftButton", QKeySequence(),
                        [this] { alignSelectionTo(AlignSide::Left); }, &buttons_.align.left},
                       {"Do &prawej", "AlignRightButton", QKeySequence(),
                        [this] { alignSelectionTo(AlignSide::Right); }, &buttons_.align.right}});
    refreshCommandStates();
}

// --- states ---

void TZudezezor::refreshCommandStates() {
    refreshUndoActions();
    const EditCommandStates s = editCommandStates(doc_.persons());
    // The tool bar's buttons come after the menus; until they are there
    // only the menus' items are set.
    const auto enable = [](QAction* a, bool on) {
        if (a != nullptr) a->setEnabled(on);
    };
    for (QAction* a : {buttons_.properties, edit_.properties}) enable(a, s.properties);
    for (QAction* a : {buttons_.remove, edit_.remove}) enable(a, s.deletePerson);
    enable(edit_.makeHome, s.makeHome);
    enable(edit_.organizeAncestors, s.organizeAncestors);
    enable(edit_.createAncestorTree, s.createAncestorTree);
    for (const AlignActions& align : {buttons_.align, edit_.align}) {
        for (QAction* a : align.all()) enable(a, s.align);
    }
    for (QAction* a : {buttons_.linkFather, buttons_.linkMother, buttons_.linkRelative}) {
        enable(a, s.linkButtons);
    }
}

void TZudezezor::updateLinkMenu() {
    const LinkMenuState s = linkMenuState(doc_.persons());
    link_.toFather->setEnabled(s.linkToFather);
    link_.toMother->setEnabled(s.linkToMother);
    link_.toRelative->setEnabled(s.linkToRelative);
    link_.deleteToFather->setEnabled(s.deleteLinkToFather);
    link_.deleteToMother->setEnabled(s.deleteLinkToMother);
    link_.deleteToRelative->setEnabled(s.deleteLinkToRelative);
}

void TZudezezor::updateAliasMenu() {
    const AliasMenuState s = aliasMenuState(doc_.persons());
    alias_.make->setEnabled(s.makeAlias);
    alias_.makeThis->setEnabled(s.makeThisAnAlias);
    alias_.goTo->setEnabled(s.goToAlias);
    if (!s.goToAliasCaption.empty()) alias_.goTo->setText(utf8(s.goToAliasCaption));
}

// --- the commands ---

void TZudezezor::applyEditResult(const EditResult& result) {
    if (!result.message.empty()) {
        ctx_.ui->inform(QStringLiteral("Lineara"), utf8(result.message), MessageIcon::Warning);
    }
    if (result.endDrag) gestures_.dragging = false;
    if (result.repaint) FormPaint();
    refreshCommandStates();
    if (result.openEditorFor != nullptr) {
        emit editPersonRequested(result.openEditorFor,
                                 result.editorPage == EditorPage::Relationship);
    }
}

void TZudezezor::runCreation(const std::function<EditResult()>& create) {
    const EditResult result = create();
    carryNewBox(gestures_, result);
    applyEditResult(result);
}

void TZudezezor::Nyperson1Click() {
    runCreation(
        [this] { return newPerson(doc_, gestures_.mouseTreeX, gestures_.mouseTreeY, 'M'); });
}

void TZudezezor::NewFemaleItem1Click() {
    runCreation(
        [this] { return newPerson(doc_, gestures_.mouseTreeX, gestures_.mouseTreeY, 'F'); });
}

void TZudezezor::Slettperson1Click() {
    const DeleteQuestion q = deleteQuestion(doc_);
    if (!q.ask || !ctx_.ui->askYesNo(utf8(q.caption), utf8(q.text))) return;
    EditResult result;
    {
        // A long selection takes a while; a single person is instant.
        std::unique_ptr<BusyCursor> busy;
        if (!doc_.persons().selection().empty()) busy = std::make_unique<BusyCursor>();
        result = deleteConfirmed(doc_);
    }
    applyEditResult(result);
}

void TZudezezor::Makehome1Click() { applyEditResult(makeHome(doc_)); }

// What a double click on the box does, without the double click's ending
// of the press that came before it.
void TZudezezor::PropertiesClick() { editCurrentPerson(); }

void TZudezezor::MakeAliasClick() {
    runCreation([this] { return makeAlias(doc_, gestures_.mouseTreeX, gestures_.mouseTreeY); });
}

void TZudezezor::MakeThisAliasClick() {
    runCreation(
        [this] { return makeThisAnAlias(doc_, gestures_.mouseTreeX, gestures_.mouseTreeY); });
}

void TZudezezor::GotoAlias1Click() {
    const PersonRecord* target = goToAliasOrOriginal(doc_);
    if (target == nullptr) return;
    // The press to ignore is the one a mouse choice in a menu may leave
    // behind; a key leaves none, and the next click must count.
    gestures_.skipNextMouseDown = !(keyCommand_ || menuChoiceByKey_);
    centreAtPresentZoom(view_, windowExtent(), target->posX(), target->posY());
    FormPaint();
    refreshCommandStates();
}

// The pointer shows that the next click picks the other box, even when
// there is nobody to link from.
void TZudezezor::startLinkCommand(LinkKind kind) {
    // The tool bar's buttons stay enabled on an alias box, whose menu items
    // are not: there the command does nothing at all.
    const PersonRecord* p = doc_.persons().currentPerson();
    if (p != nullptr && !canStartLink(*p, kind)) return;
    canvas_->setCursor(Qt::CrossCursor);
    const LinkStart start = startLink(doc_, kind);
    if (!start.ok) return;
    // Starting a link replaces one that was still waiting.
    clearPendingLinks(gestures_);
    gestures_.pendingLinkFather = kind == LinkKind::Father;
    gestures_.pendingLinkMother = kind == LinkKind::Mother;
    gestures_.pendingLinkPartner = kind == LinkKind::Partner;
    gestures_.gestureLastX = start.lineX;
    gestures_.gestureLastY = start.lineY;
}

void TZudezezor::LinktoFather1Click() { startLinkCommand(LinkKind::Father); }
void TZudezezor::LinktoMother2Click() { startLinkCommand(LinkKind::Mother); }
void TZudezezor::LinkMarriage1Click() { startLinkCommand(LinkKind::Partner); }

void TZudezezor::DeleteLinktoFather1Click() { applyEditResult(deleteLinkToFather(doc_)); }

void TZudezezor::DeleteLinktoMother1Click() { applyEditResult(deleteLinkToMother(doc_)); }

void TZudezezor::DeleteLinktoMarriage1Click() {
    const std::vector<RelationshipLine> lines = relationshipLines(doc_);
    if (lines.empty()) return;
    QStringList texts;
    for (const RelationshipLine& line : lines) texts << ctx_.codec.decode(line.text);
    DeleteRelationshipDialog dialog(texts, this);
    dialog.setDeleteHandler([this](int line) {
        const RelationshipDeletion d = deleteRelationship(doc_, line);
        if (!d.message.empty()) {
            ctx_.ui->inform(QStringLiteral("Lineara"), utf8(d.message), MessageIcon::Warning);
        }
        return d.closeDialog;
    });
    runDialog(dialog);
    FormPaint();
    refreshCommandStates();
}

void TZudezezor::runDialog(QDialog& dialog) {
    if (dialogRunner_) {
        dialogRunner_(dialog);
    } else {
        dialog.exec();
    }
}

}  // namespace lineara
