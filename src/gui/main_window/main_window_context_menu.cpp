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

// A name is shown as written: an "&" in it marks no letter, and a tab
// would push the rest of it into the shortcut column.
QString captionOf(const NamedCaption& caption, const RecordCodec& codec) {
    QString names = codec.decode(caption.names);
    names.replace(QLatin1Char('&'), QStringLiteral("&&"));
    names.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return QString::fromUtf8(caption.fixed) + names;
}

}  // namespace

// The key only shows in the menu and lets the key filter find the item; the
// filter runs it, so that the context menu's own rules decide (Qt would
// otherwise see the same key on the Edit menu's items and give it to none).
QList<QAction*> TZudezezor::addPopupRows(QMenu* menu, const std::vector<ActionRow>& rows) {
    const QList<QAction*> added = addRows(menu, rows);
    for (QAction* a : added) {
        a->setShortcutContext(Qt::WidgetShortcut);
        if (!a->shortcut().isEmpty()) popupKeyItems_ << a;
    }
    return added;
}

void TZudezezor::buildContextMenu() {
    contextMenu_ = new QMenu(this);
    contextMenu_->setObjectName(QStringLiteral("PopupMenu1"));
    QMenu* m = contextMenu_;
    addPopupRows(m, {{"&Nowy mężczyzna", "PopupNewMale", Qt::CTRL | Qt::Key_N,
                      &TZudezezor::Nyperson1Click, &popup_.newMale},
                     {"Nowa ko&bieta", "PopupNewFemale", Qt::CTRL | Qt::Key_F,
                      &TZudezezor::NewFemaleItem1Click, &popup_.newFemale},
                     {"Edytuj &właściwości", "PopupProperties", Qt::Key_Return,
                      &TZudezezor::PropertiesClick, &popup_.properties},
                     {"&Usuń", "PopupDelete", Qt::Key_Delete, &TZudezezor::Slettperson1Click,
                      &popup_.remove}});
    m->addSeparator();
    buildContextLinkItems();
    m->addSeparator();
    buildContextGoToItems();
    m->addSeparator();
    buildContextViewItems();
    m->addSeparator();
    addPopupRows(m, {{"Stwórz &alias", "PopupMakeAlias", Qt::CTRL | Qt::Key_A,
                      &TZudezezor::MakeAliasClick, &popup_.makeAlias},
                     {"Wybierz &to jako alias", "PopupMakeThisAlias", Qt::CTRL | Qt::Key_T,
                      &TZudezezor::MakeThisAliasClick, &popup_.makeThisAlias},
                     {"Wybierz to jako osobę po&czątkową", "PopupMakeHome", Qt::CTRL | Qt::Key_Home,
                      &TZudezezor::Makehome1Click}});
    connect(m, &QMenu::aboutToShow, this, &TZudezezor::PopupMenu);
    connect(this, &TZudezezor::contextMenuRequested, m,
            [m](QPoint globalPos) { m->popup(globalPos); });
}

void TZudezezor::buildContextLinkItems() {
    QMenu* m = contextMenu_;
    addPopupRows(m, {{"Łącz z &ojcem", "PopupLinkFather", Qt::Key_F,
                      &TZudezezor::LinktoFather1Click, &popup_.linkFather},
                     {"Łącz z &matką", "PopupLinkMother", Qt::Key_M,
                      &TZudezezor::LinktoMother2Click, &popup_.linkMother},
                     {"Łącz z &krewnym", "PopupLinkRelative", Qt::Key_L,
                      &TZudezezor::LinkMarriage1Click, &popup_.linkRelative}});
    QMenu* remove = m->addMenu(QStringLiteral("Usuń łącz&e"));
    remove->setObjectName(QStringLiteral("PopupDeleteLink"));
    popup_.deleteLinkMenu = remove->menuAction();
    popup_.deleteLinkMenu->setObjectName(QStringLiteral("PopupDeleteLinkMenu"));
    // Ctrl+F is "Nowa &kobieta"'s, which comes first: shown, never bound.
    addPopupRows(remove, {{"z &ojcem\tCtrl+F", "PopupDeleteLinkFather", QKeySequence(),
                           &TZudezezor::DeleteLinktoFather1Click, &popup_.deleteLinkFather},
                          {"z &matką", "PopupDeleteLinkMother", Qt::CTRL | Qt::Key_M,
                           &TZudezezor::DeleteLinktoMother1Click, &popup_.deleteLinkMother},
                          {"z &krewnym", "PopupDeleteLinkRelative", Qt::CTRL | Qt::Key_L,
                           &TZudezezor::DeleteLinktoMarriage1Click, &popup_.deleteLinkRelative}});
}

void TZudezezor::buildContextGoToItems() {
    QMenu* go = contextMenu_->addMenu(QStringLiteral("&Idź do "));
    go->setObjectName(QStringLiteral("PopupGoTo"));
    addPopupRows(go,
                 {{"&Ojca", "PopupGoToFather", QKeySequence(), &TZudezezor::Father1Click,
                   &popup_.goToFather},
                  {"&Matki", "PopupGoToMother", QKeySequence(), &TZudezezor::Mother1Click,
                   &popup_.goToMother},
                  {"&Alias", "PopupGoToAlias", Qt::CTRL | Qt::Key_G, &TZudezezor::GotoAlias1Click,
                   &popup_.goToAlias},
                  {"Osoby &początkowej", "PopupGoToHome", Qt::Key_Home, &TZudezezor::Home1Click}});
    go->addSeparator();
    addPopupRows(go, {{"Listy &krewnych", "PopupRelativesList", QKeySequence(),
                       &TZudezezor::Spouse1Click, &popup_.relativesList},
                      {"Listy &rodzeństwa", "PopupSiblingsList", QKeySequence(),
                       &TZudezezor::ListofSiblings1Click, &popup_.siblingsList},
                      {"Listy &dzieci", "PopupChildrenList", QKeySequence(),
                       &TZudezezor::Child1Click, &popup_.childrenList}});
}

void TZudezezor::buildContextViewItems() {
    QMenu* zoom = contextMenu_->addMenu(QStringLiteral("&Powiększenie"));
    zoom->setObjectName(QStringLiteral("PopupZoom"));
    addPopupRows(zoom,
                 {{"&Powiększ wybraną osobę", "PopupZoomPerson", Qt::Key_Z, &TZudezezor::Zoom1Click,
                   &popup_.zoomPerson},
                  {"Pow&iększ", "PopupZoomIn", Qt::Key_I, &TZudezezor::ZoomIn1Click},
                  {"P&omniejsz", "PopupZoomOut", Qt::Key_O, &TZudezezor::ZoomOut1Click},
                  {"Powiększ obsz&ar", "PopupArea", QKeySequence(), &TZudezezor::Area1Click}});

    QMenu* align = contextMenu_->addMenu(QStringLiteral("Wyrównaj"));
    align->setObjectName(QStringLiteral("PopupAlign"));
    popup_.alignMenu = align->menuAction();
    popup_.alignMenu->setObjectName(QStringLiteral("PopupAlignMenu"));
    addPopupRows(align, {{"Do &góry", "PopupAlignTop", QKeySequence(),
                          [this] { alignSelectionTo(AlignSide::Top); }},
                         {"&Do dołu", "PopupAlignBottom", QKeySequence(),
                          [this] { alignSelectionTo(AlignSide::Bottom); }},
                         {"Do &lewej", "PopupAlignLeft", QKeySequence(),
                          [this] { alignSelectionTo(AlignSide::Left); }},
                         {"Do &prawej", "PopupAlignRight", QKeySequence(),
                          [this] { alignSelectionTo(AlignSide::Right); }}});

    // Hidden: they are here for their keys, the plain arrows.
    addPopupRows(contextMenu_,
                 {{"Przesuń w górę", "PopupScrollUp", Qt::Key_Up,
                   [this] { scrollView(ScrollDirection::Up); }, nullptr, kHidden},
                  {"Przesuń w dół", "PopupScrollDown", Qt::Key_Down,
                   [this] { scrollView(ScrollDirection::Down); }, nullptr, kHidden},
                  {"Przesuń w lewo", "PopupScrollLeft", Qt::Key_Left,
                   [this] { scrollView(ScrollDirection::Left); }, nullptr, kHidden},
                  {"Przesuń w prawo", "PopupScrollRight", Qt::Key_Right,
                   [this] { scrollView(ScrollDirection::Right); }, nullptr, kHidden}});
}

// Unlike the go-to-alias command, these leave the next press alone: it is
// the user's next click on the tree and must count.
void TZudezezor::goToRelative(const PersonRecord* person) {
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
    const auto set = [](QAction* a, bool enabled) {
        a->setEnabled(enabled);
        a->setProperty(kRuleDisabled, !enabled);
    };
    for (QAction* a : {popup_.newMale, popup_.newFemale}) a->setVisible(s.newPersonVisible);
    set(popup_.properties, s.properties);
    set(popup_.remove, s.deletePerson);
    set(popup_.linkFather, s.linkToFather);
    set(popup_.linkMother, s.linkToMother);
    set(popup_.linkRelative, s.linkToRelative);
    set(popup_.deleteLinkMenu, s.deleteLinkMenu);
    for (QAction* a :
         {popup_.deleteLinkFather, popup_.deleteLinkMother, popup_.deleteLinkRelative}) {
        a->setVisible(s.deleteLinkItemsVisible);
    }
    set(popup_.deleteLinkFather, s.deleteLinkToFather);
    set(popup_.deleteLinkMother, s.deleteLinkToMother);
    set(popup_.deleteLinkRelative, s.deleteLinkToRelative);
    set(popup_.goToFather, s.goToFather);
    set(popup_.goToMother, s.goToMother);
    popup_.goToFather->setText(captionOf(s.goToFatherCaption, ctx_.codec));
    popup_.goToMother->setText(captionOf(s.goToMotherCaption, ctx_.codec));
    set(popup_.relativesList, s.relativesList);
    set(popup_.siblingsList, s.siblingsList);
    set(popup_.childrenList, s.childrenList);
    set(popup_.goToAlias, s.goToAlias);
    if (!s.goToAliasCaption.empty()) {
        popup_.goToAlias->setText(QString::fromUtf8(s.goToAliasCaption));
    }
    set(popup_.zoomPerson, s.zoomToPerson);
    set(popup_.alignMenu, s.align);
    set(popup_.makeAlias, s.makeAlias);
    set(popup_.makeThisAlias, s.makeThisAnAlias);
}

}  // namespace lineara
