// The canvas's context menu. It is built once; each time it opens (and
// before any of its keys acts, see main_window_keys.cpp) its items are
// shown, enabled and captioned for the current person and the selection.
#include <QAction>
#include <QMenu>
#include <QToolTip>

#include "core/model/editing_states.h"
#include "gui/canvas/tree_canvas.h"
#include "gui/main_window/main_window.h"

namespace lineara {

// Shared with the key handling, which asks the same rules.
extern const char kRuleDisabled[];
const char kRuleDisabled[] = "ruleDisabled";

namespace {

QString captionOf(const NamedCaption& caption, const RecordCodec& codec) {
    return QString::fromUtf8(caption.fixed) + codec.decode(caption.names);
}

}  // namespace

// The key only shows in the menu and lets the key filter find the item; the
// filter runs it, so that the context menu's own rules decide (Qt would
// otherwise see the same key on the Edit menu's items and give it to none).
QAction* TZudezezor::addPopupItem(QMenu* menu, const char* caption, const char* name,
                                  const QKeySequence& key, void (TZudezezor::*command)()) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromLatin1(name));
    a->setShortcut(key);
    a->setShortcutContext(Qt::WidgetShortcut);
    if (command != nullptr) connect(a, &QAction::triggered, this, command);
    if (!key.isEmpty()) popupKeyItems_ << a;
    return a;
}

void TZudezezor::buildContextMenu() {
    contextMenu_ = new QMenu(this);
    contextMenu_->setObjectName(QStringLiteral("PopupMenu1"));
    QMenu* m = contextMenu_;
    using K = QKeySequence;
    addPopupItem(m, "&Nowy mężczyzna", "PopupNewMale", K(Qt::CTRL | Qt::Key_N),
                 &TZudezezor::Nyperson1Click);
    addPopupItem(m, "Nowa &kobieta", "PopupNewFemale", K(Qt::CTRL | Qt::Key_F),
                 &TZudezezor::NewFemaleItem1Click);
    addPopupItem(m, "Edytuj &właściwości", "PopupProperties", K(Qt::Key_Return),
                 &TZudezezor::PropertiesClick);
    addPopupItem(m, "&Usuń", "PopupDelete", K(Qt::Key_Delete), &TZudezezor::Slettperson1Click);
    m->addSeparator();
    buildContextLinkItems();
    m->addSeparator();
    buildContextGoToItems();
    m->addSeparator();
    buildContextViewItems();
    m->addSeparator();
    addPopupItem(m, "Stwórz &alias", "PopupMakeAlias", K(Qt::CTRL | Qt::Key_A),
                 &TZudezezor::MakeAliasClick);
    addPopupItem(m, "Wybierz &to jako alias", "PopupMakeThisAlias", K(Qt::CTRL | Qt::Key_T),
                 &TZudezezor::MakeThisAliasClick);
    addPopupItem(m, "Wybierz to jako osobę &początkową", "PopupMakeHome",
                 K(Qt::CTRL | Qt::Key_Home), &TZudezezor::Makehome1Click);
    connect(m, &QMenu::aboutToShow, this, &TZudezezor::PopupMenu);
    connect(this, &TZudezezor::contextMenuRequested, m,
            [m](QPoint globalPos) { m->popup(globalPos); });
}

void TZudezezor::buildContextLinkItems() {
    QMenu* m = contextMenu_;
    using K = QKeySequence;
    addPopupItem(m, "Łącz z &ojcem", "PopupLinkFather", K(Qt::Key_F),
                 &TZudezezor::LinktoFather1Click);
    addPopupItem(m, "Łącz z &matką", "PopupLinkMother", K(Qt::Key_M),
                 &TZudezezor::LinktoMother2Click);
    addPopupItem(m, "Łącz z &krewnym", "PopupLinkRelative", K(Qt::Key_L),
                 &TZudezezor::LinkMarriage1Click);
    QMenu* remove = m->addMenu(QStringLiteral("&Usuń łącze"));
    remove->setObjectName(QStringLiteral("PopupDeleteLink"));
    remove->menuAction()->setObjectName(QStringLiteral("PopupDeleteLinkMenu"));
    // Ctrl+F is "Nowa &kobieta"'s, which comes first: shown, never bound.
    addPopupItem(remove, "z &ojcem\tCtrl+F", "PopupDeleteLinkFather", K(),
                 &TZudezezor::DeleteLinktoFather1Click);
    addPopupItem(remove, "z &matką", "PopupDeleteLinkMother", K(Qt::CTRL | Qt::Key_M),
                 &TZudezezor::DeleteLinktoMother1Click);
    addPopupItem(remove, "z &krewnym", "PopupDeleteLinkRelative", K(Qt::CTRL | Qt::Key_L),
                 &TZudezezor::DeleteLinktoMarriage1Click);
}

void TZudezezor::buildContextGoToItems() {
    QMenu* go = contextMenu_->addMenu(QStringLiteral("&Idź do "));
    go->setObjectName(QStringLiteral("PopupGoTo"));
    using K = QKeySequence;
    connect(addPopupItem(go, "&Ojca", "PopupGoToFather", K(), nullptr), &QAction::triggered, this,
            [this] {
                if (PersonRecord* p = doc_.persons().currentPerson()) goToRelative(p->father);
            });
    connect(addPopupItem(go, "&Matki", "PopupGoToMother", K(), nullptr), &QAction::triggered, this,
            [this] {
                if (PersonRecord* p = doc_.persons().currentPerson()) goToRelative(p->mother);
            });
    addPopupItem(go, "&Alias", "PopupGoToAlias", K(Qt::CTRL | Qt::Key_G),
                 &TZudezezor::GotoAlias1Click);
    connect(addPopupItem(go, "&Osoby początkowej", "PopupGoToHome", K(Qt::Key_Home), nullptr),
            &QAction::triggered, this, [this] { goToRelative(doc_.persons().personListHead()); });
    go->addSeparator();
    // The list windows come with the navigation lists; until then the
    // items are there and follow their rules.
    addPopupItem(go, "Listy &krewnych", "PopupRelativesList", K(), nullptr);
    addPopupItem(go, "Listy &rodzeństwa", "PopupSiblingsList", K(), nullptr);
    addPopupItem(go, "Listy &dzieci", "PopupChildrenList", K(), nullptr);
}

void TZudezezor::buildContextViewItems() {
    using K = QKeySequence;
    QMenu* zoom = contextMenu_->addMenu(QStringLiteral("&Powiększenie"));
    zoom->setObjectName(QStringLiteral("PopupZoom"));
    addPopupItem(zoom, "&Powiększ wybraną osobę", "PopupZoomPerson", K(Qt::Key_Z),
                 &TZudezezor::Zoom1Click);
    addPopupItem(zoom, "Pow&iększ", "PopupZoomIn", K(Qt::Key_I), &TZudezezor::ZoomIn1Click);
    addPopupItem(zoom, "P&omniejsz", "PopupZoomOut", K(Qt::Key_O), &TZudezezor::ZoomOut1Click);
    addPopupItem(zoom, "Powiększ obsz&ar", "PopupArea", K(), &TZudezezor::Area1Click);

    QMenu* align = contextMenu_->addMenu(QStringLiteral("Wyrównaj"));
    align->setObjectName(QStringLiteral("PopupAlign"));
    align->menuAction()->setObjectName(QStringLiteral("PopupAlignMenu"));
    const struct {
        const char* caption;
        const char* name;
        AlignSide side;
    } aligns[] = {{"Do &góry", "PopupAlignTop", AlignSide::Top},
                  {"&Do dołu", "PopupAlignBottom", AlignSide::Bottom},
                  {"Do &lewej", "PopupAlignLeft", AlignSide::Left},
                  {"Do &prawej", "PopupAlignRight", AlignSide::Right}};
    for (const auto& a : aligns) {
        connect(addPopupItem(align, a.caption, a.name, K(), nullptr), &QAction::triggered, this,
                [this, side = a.side] { alignSelectionTo(side); });
    }

    // Hidden: they are here for their keys, the plain arrows.
    const struct {
        const char* caption;
        const char* name;
        Qt::Key key;
        ScrollDirection direction;
    } scrolls[] = {{"Przesuń w górę", "PopupScrollUp", Qt::Key_Up, ScrollDirection::Up},
                   {"Przesuń w dół", "PopupScrollDown", Qt::Key_Down, ScrollDirection::Down},
                   {"Przesuń w lewo", "PopupScrollLeft", Qt::Key_Left, ScrollDirection::Left},
                   {"Przesuń w prawo", "PopupScrollRight", Qt::Key_Right, ScrollDirection::Right}};
    for (const auto& s : scrolls) {
        QAction* a = addPopupItem(contextMenu_, s.caption, s.name, K(s.key), nullptr);
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, d = s.direction] { scrollView(d); });
    }
}

// Unlike the go-to-alias command, these leave the next press alone: it is
// the user's next click on the tree and must count.
void TZudezezor::goToRelative(PersonRecord* person) {
    if (person == nullptr) return;
    doc_.setCurrentPerson(person);
    centreAtPresentZoom(view_, windowExtent(), person->posX(), person->posY());
    FormPaint();
    refreshCommandStates();
}

void TZudezezor::PopupMenu() {
    setStatusText(QString());
    hintText_.clear();
    hintShown_ = false;
    QToolTip::hideText();
    const ContextMenuState s = contextMenuState(doc_.persons());
    // Qt disables hidden actions, but a hidden item still answers its key
    // when its rule allows; the rule's verdict is kept beside the action.
    const auto set = [this](const char* name, bool enabled) {
        QAction* a = action(QString::fromLatin1(name));
        a->setEnabled(enabled);
        a->setProperty(kRuleDisabled, !enabled);
    };
    for (const char* name : {"PopupNewMale", "PopupNewFemale"}) {
        action(QString::fromLatin1(name))->setVisible(s.newPersonVisible);
    }
    set("PopupProperties", s.properties);
    set("PopupDelete", s.deletePerson);
    set("PopupLinkFather", s.linkToFather);
    set("PopupLinkMother", s.linkToMother);
    set("PopupLinkRelative", s.linkToRelative);
    set("PopupDeleteLinkMenu", s.deleteLinkMenu);
    for (const char* name :
         {"PopupDeleteLinkFather", "PopupDeleteLinkMother", "PopupDeleteLinkRelative"}) {
        action(QString::fromLatin1(name))->setVisible(s.deleteLinkItemsVisible);
    }
    set("PopupDeleteLinkFather", s.deleteLinkToFather);
    set("PopupDeleteLinkMother", s.deleteLinkToMother);
    set("PopupDeleteLinkRelative", s.deleteLinkToRelative);
    set("PopupGoToFather", s.goToFather);
    set("PopupGoToMother", s.goToMother);
    action(QStringLiteral("PopupGoToFather"))->setText(captionOf(s.goToFatherCaption, ctx_.codec));
    action(QStringLiteral("PopupGoToMother"))->setText(captionOf(s.goToMotherCaption, ctx_.codec));
    set("PopupRelativesList", s.relativesList);
    set("PopupSiblingsList", s.siblingsList);
    set("PopupChildrenList", s.childrenList);
    set("PopupGoToAlias", s.goToAlias);
    if (!s.goToAliasCaption.empty()) {
        action(QStringLiteral("PopupGoToAlias"))->setText(QString::fromUtf8(s.goToAliasCaption));
    }
    set("PopupZoomPerson", s.zoomToPerson);
    set("PopupAlignMenu", s.align);
    set("PopupMakeAlias", s.makeAlias);
    set("PopupMakeThisAlias", s.makeThisAnAlias);
}

}  // namespace lineara
