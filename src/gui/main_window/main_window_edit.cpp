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
#include "gui/dialogs/delete_marriage_dialog.h"
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
    connect(addAction(edit, QStringLiteral("Nowy &mężczyzna"), "Nyperson1",
                      QKeySequence(Qt::CTRL | Qt::Key_N)),
            &QAction::triggered, this, &TZudezezor::Nyperson1Click);
    connect(addAction(edit, QStringLiteral("Nowa &kobieta"), "NewFemaleItem1",
                      QKeySequence(Qt::CTRL | Qt::Key_F)),
            &QAction::triggered, this, &TZudezezor::NewFemaleItem1Click);
    connect(addAction(edit, QStringLiteral("&Usuń"), "Slettperson1", QKeySequence(Qt::Key_Delete)),
            &QAction::triggered, this, &TZudezezor::Slettperson1Click);
    connect(addAction(edit, QStringLiteral("Ustaw pozycję jako &startową"), "Makehome1",
                      QKeySequence(Qt::CTRL | Qt::Key_Home)),
            &QAction::triggered, this, &TZudezezor::Makehome1Click);
    connect(addAction(edit, QStringLiteral("&Właściwości"), "Properties1",
                      QKeySequence(Qt::Key_Return)),
            &QAction::triggered, this, &TZudezezor::PropertiesClick);
    edit->addSeparator();
    const struct {
        const char* caption;
        const char* name;
        AlignSide side;
    } aligns[] = {{"Wyrównaj do &góry", "AlignTop1", AlignSide::Top},
                  {"Wyrównaj do &dołu", "AlignBottom1", AlignSide::Bottom},
                  {"Wyrównaj do &lewej", "AlignLeft1", AlignSide::Left},
                  {"Wyrównaj do &prawej", "AlignRight1", AlignSide::Right}};
    for (const auto& a : aligns) {
        connect(addAction(edit, QString::fromUtf8(a.caption), a.name), &QAction::triggered, this,
                [this, side = a.side] { alignSelectionTo(side); });
    }
    connect(edit, &QMenu::aboutToShow, this, &TZudezezor::refreshCommandStates);
}

void TZudezezor::buildLinkMenu() {
    QMenu* link = menuBar()->addMenu(QStringLiteral("&Łącza"));
    link->setObjectName(QStringLiteral("Link1"));
    connect(
        addAction(link, QStringLiteral("Łącz z &ojcem"), "LinktoFather1", QKeySequence(Qt::Key_F)),
        &QAction::triggered, this, &TZudezezor::LinktoFather1Click);
    connect(
        addAction(link, QStringLiteral("Łącz z &matką"), "LinktoMother2", QKeySequence(Qt::Key_M)),
        &QAction::triggered, this, &TZudezezor::LinktoMother2Click);
    connect(addAction(link, QStringLiteral("Łącz z &krewnym"), "LinkMarriage1",
                      QKeySequence(Qt::Key_L)),
            &QAction::triggered, this, &TZudezezor::LinkMarriage1Click);
    QMenu* remove = link->addMenu(QStringLiteral("Usuń łącze do..."));
    remove->setObjectName(QStringLiteral("DeleteLink1"));
    // Ctrl+F is "Nowa &kobieta"'s; the menu shows it here too, but a second
    // binding would make the key ambiguous and neither item would get it.
    connect(addAction(remove, QStringLiteral("Ojca\tCtrl+F"), "DeleteLinktoFather1"),
            &QAction::triggered, this, &TZudezezor::DeleteLinktoFather1Click);
    connect(addAction(remove, QStringLiteral("Matki"), "DeleteLinktoMother1",
                      QKeySequence(Qt::CTRL | Qt::Key_M)),
            &QAction::triggered, this, &TZudezezor::DeleteLinktoMother1Click);
    connect(addAction(remove, QStringLiteral("Krewnego"), "DeleteLinktoMarriage1",
                      QKeySequence(Qt::CTRL | Qt::Key_L)),
            &QAction::triggered, this, &TZudezezor::DeleteLinktoMarriage1Click);
    connect(link, &QMenu::aboutToShow, this, &TZudezezor::updateLinkMenu);
}

void TZudezezor::buildAliasMenu() {
    QMenu* alias = menuBar()->addMenu(QStringLiteral("&Alias"));
    alias->setObjectName(QStringLiteral("Alias1"));
    connect(addAction(alias, QStringLiteral("Stwórz &alias"), "MakeAlias1",
                      QKeySequence(Qt::CTRL | Qt::Key_A)),
            &QAction::triggered, this, &TZudezezor::MakeAliasClick);
    connect(addAction(alias, QStringLiteral("Stwórz &to jako alias"), "MakeThisAlias1",
                      QKeySequence(Qt::CTRL | Qt::Key_T)),
            &QAction::triggered, this, &TZudezezor::MakeThisAliasClick);
    connect(addAction(alias, QStringLiteral("&Idź do aliasu"), "GotoAlias1",
                      QKeySequence(Qt::CTRL | Qt::Key_G)),
            &QAction::triggered, this, &TZudezezor::GotoAlias1Click);
    connect(alias, &QMenu::aboutToShow, this, &TZudezezor::updateAliasMenu);
}

void TZudezezor::buildEditToolButtons() {
    addUndoToolButtons();
    toolBar_->addSeparator();
    const struct {
        const char* caption;
        const char* name;
        void (TZudezezor::*command)();
    } buttons[] = {{"&Właściwości", "PropertiesButton", &TZudezezor::PropertiesClick},
                   {"&Usuń", "DeleteButton", &TZudezezor::Slettperson1Click},
                   {"Łącz z &ojcem", "LinkFatherButton", &TZudezezor::LinktoFather1Click},
                   {"Łącz z &matką", "LinkMotherButton", &TZudezezor::LinktoMother2Click},
                   {"Łącz z &krewnym", "LinkRelativeButton", &TZudezezor::LinkMarriage1Click}};
    for (const auto& b : buttons) {
        QAction* a = toolBar_->addAction(QString::fromUtf8(b.caption));
        a->setObjectName(QString::fromLatin1(b.name));
        connect(a, &QAction::triggered, this, b.command);
    }
    const struct {
        const char* caption;
        const char* name;
        AlignSide side;
    } aligns[] = {{"Do &góry", "AlignTopButton", AlignSide::Top},
                  {"Do &dołu", "AlignBottomButton", AlignSide::Bottom},
                  {"Do &lewej", "AlignLeftButton", AlignSide::Left},
                  {"Do &prawej", "AlignRightButton", AlignSide::Right}};
    for (const auto& b : aligns) {
        QAction* a = toolBar_->addAction(QString::fromUtf8(b.caption));
        a->setObjectName(QString::fromLatin1(b.name));
        connect(a, &QAction::triggered, this, [this, side = b.side] { alignSelectionTo(side); });
    }
    refreshCommandStates();
}

// --- states ---

void TZudezezor::refreshCommandStates() {
    refreshUndoActions();
    const EditCommandStates s = editCommandStates(doc_.persons());
    const auto enable = [this](const char* name, bool on) {
        if (QAction* a = action(QString::fromLatin1(name))) a->setEnabled(on);
    };
    for (const char* name : {"PropertiesButton", "Properties1"}) enable(name, s.properties);
    for (const char* name : {"DeleteButton", "Slettperson1"}) enable(name, s.deletePerson);
    enable("Makehome1", s.makeHome);
    for (const char* name :
         {"AlignTopButton", "AlignBottomButton", "AlignLeftButton", "AlignRightButton", "AlignTop1",
          "AlignBottom1", "AlignLeft1", "AlignRight1"}) {
        enable(name, s.align);
    }
    for (const char* name : {"LinkFatherButton", "LinkMotherButton", "LinkRelativeButton"}) {
        enable(name, s.linkButtons);
    }
}

void TZudezezor::updateLinkMenu() {
    const LinkMenuState s = linkMenuState(doc_.persons());
    action(QStringLiteral("LinktoFather1"))->setEnabled(s.linkToFather);
    action(QStringLiteral("LinktoMother2"))->setEnabled(s.linkToMother);
    action(QStringLiteral("LinkMarriage1"))->setEnabled(s.linkToRelative);
    action(QStringLiteral("DeleteLinktoFather1"))->setEnabled(s.deleteLinkToFather);
    action(QStringLiteral("DeleteLinktoMother1"))->setEnabled(s.deleteLinkToMother);
    action(QStringLiteral("DeleteLinktoMarriage1"))->setEnabled(s.deleteLinkToRelative);
}

void TZudezezor::updateAliasMenu() {
    const AliasMenuState s = aliasMenuState(doc_.persons());
    action(QStringLiteral("MakeAlias1"))->setEnabled(s.makeAlias);
    action(QStringLiteral("MakeThisAlias1"))->setEnabled(s.makeThisAnAlias);
    QAction* go = action(QStringLiteral("GotoAlias1"));
    go->setEnabled(s.goToAlias);
    if (!s.goToAliasCaption.empty()) go->setText(utf8(s.goToAliasCaption));
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
    PersonRecord* target = goToAliasOrOriginal(doc_);
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
    TDeleteMarriageForm dialog(texts, this);
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
