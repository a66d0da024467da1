// The canvas's context menu. It is built once from its rows; each time it
// opens, and before any of its keys acts, its items are shown, enabled and
// captioned for the current person and the selection.
#include <QMenu>

#include "core/model/editing_states.h"
#include "gui/canvas/canvas_interaction.h"
#include "gui/main_window/edit_commands.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/search_commands.h"
#include "gui/main_window/view_commands.h"
#include "gui/main_window/window_parts.h"

namespace lineara {

namespace {

QKeySequence ctrl(Qt::Key key) { return QKeySequence(Qt::CTRL | key); }

// A name is shown as written: an "&" in it marks no letter, and a tab
// would push the rest of it into the shortcut column.
QString captionOf(const NamedCaption& caption, const RecordCodec& codec) {
    QString names = codec.decode(caption.names);
    names.replace(QLatin1Char('&'), QStringLiteral("&&"));
    names.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return menuText(caption.fixed.c_str()) + names;
}

}  // namespace

ActionRows MainWindow::contextMenuRows() {
    const ContextMenuState& s = parts_->rules.context;
    EditCommands& edit = editing();
    ViewCommands& view = viewing();
    SearchCommands& search = this->search();
    const RecordCodec& codec = ctx_.codec;
    const Home h = Home::Context;
    const Home del = Home::ContextDeleteLink;
    const Home go = Home::ContextGoTo;
    const Home zoom = Home::ContextZoom;
    const Home align = Home::ContextAlign;
    const auto on = [&s](bool ContextMenuState::*rule) { return [&s, rule] { return s.*rule; }; };
    const auto aligned = [&edit](AlignSide side) { return [&edit, side] { edit.align(side); }; };
    const auto scroll = [&view](ScrollDirection d) { return [&view, d] { view.scroll(d); }; };
    return {
        item(h, QT_TRANSLATE_NOOP("Menu", "&Nowy mężczyzna"), "PopupNewMale", {ctrl(Qt::Key_N)},
             [&edit] { edit.newMale(); })
            .shownWhen(on(&ContextMenuState::newPersonVisible)),
        item(h, QT_TRANSLATE_NOOP("Menu", "Nowa ko&bieta"), "PopupNewFemale", {ctrl(Qt::Key_F)},
             [&edit] { edit.newFemale(); })
            .shownWhen(on(&ContextMenuState::newPersonVisible)),
        item(h, QT_TRANSLATE_NOOP("Menu", "Edytuj &właściwości"), "PopupProperties",
             {Qt::Key_Return}, [&edit] { edit.editProperties(); })
            .when(on(&ContextMenuState::properties)),
        item(h, QT_TRANSLATE_NOOP("Menu", "&Usuń"), "PopupDelete", {Qt::Key_Delete},
             [&edit] { edit.deleteSelected(); })
            .when(on(&ContextMenuState::deletePerson)),
        separator(h),
        item(h, QT_TRANSLATE_NOOP("Menu", "Łącz z &ojcem"), "PopupLinkFather", {Qt::Key_F},
             [&edit] { edit.linkToFather(); })
            .when(on(&ContextMenuState::linkToFather)),
        item(h, QT_TRANSLATE_NOOP("Menu", "Łącz z &matką"), "PopupLinkMother", {Qt::Key_M},
             [&edit] { edit.linkToMother(); })
            .when(on(&ContextMenuState::linkToMother)),
        item(h, QT_TRANSLATE_NOOP("Menu", "Łącz z &krewnym"), "PopupLinkRelative", {Qt::Key_L},
             [&edit] { edit.linkToRelative(); })
            .when(on(&ContextMenuState::linkToRelative)),
        submenu(h, del, QT_TRANSLATE_NOOP("Menu", "Usuń łącz&e"), "PopupDeleteLink")
            .menuActionNamed("PopupDeleteLinkMenu")
            .when(on(&ContextMenuState::deleteLinkMenu)),
        // Ctrl+F is "Nowa ko&bieta"'s, which comes first: shown, never bound.
        item(del, QT_TRANSLATE_NOOP("Menu", "z &ojcem\tCtrl+F"), "PopupDeleteLinkFather",
             [&edit] { edit.deleteLinkToFather(); })
            .shownWhen(on(&ContextMenuState::deleteLinkItemsVisible))
            .when(on(&ContextMenuState::deleteLinkToFather)),
        item(del, QT_TRANSLATE_NOOP("Menu", "z &matką"), "PopupDeleteLinkMother", {ctrl(Qt::Key_M)},
             [&edit] { edit.deleteLinkToMother(); })
            .shownWhen(on(&ContextMenuState::deleteLinkItemsVisible))
            .when(on(&ContextMenuState::deleteLinkToMother)),
        item(del, QT_TRANSLATE_NOOP("Menu", "z &krewnym"), "PopupDeleteLinkRelative",
             {ctrl(Qt::Key_L)}, [&edit] { edit.deleteLinkToRelative(); })
            .shownWhen(on(&ContextMenuState::deleteLinkItemsVisible))
            .when(on(&ContextMenuState::deleteLinkToRelative)),
        separator(h),
        submenu(h, go, QT_TRANSLATE_NOOP("Menu", "&Idź do "), "PopupGoTo"),
        item(go, QT_TRANSLATE_NOOP("Menu", "&Ojca"), "PopupGoToFather",
             [&search] { search.goToFather(); })
            .when(on(&ContextMenuState::goToFather))
            .captionFrom([&s, &codec] { return captionOf(s.goToFatherCaption, codec); }),
        item(go, QT_TRANSLATE_NOOP("Menu", "&Matki"), "PopupGoToMother",
             [&search] { search.goToMother(); })
            .when(on(&ContextMenuState::goToMother))
            .captionFrom([&s, &codec] { return captionOf(s.goToMotherCaption, codec); }),
        item(go, QT_TRANSLATE_NOOP("Menu", "&Alias"), "PopupGoToAlias", {ctrl(Qt::Key_G)},
             [&edit] { edit.goToAlias(); })
            .when(on(&ContextMenuState::goToAlias))
            .captionFrom([&s] {
                return s.goToAliasCaption.empty() ? QString()
                                                  : menuText(s.goToAliasCaption.c_str());
            }),
        item(go, QT_TRANSLATE_NOOP("Menu", "Osoby &początkowej"), "PopupGoToHome", {Qt::Key_Home},
             [&search] { search.goHome(); }),
        separator(go),
        item(go, QT_TRANSLATE_NOOP("Menu", "Listy &krewnych"), "PopupRelativesList",
             [&search] { search.showRelatives(); })
            .when(on(&ContextMenuState::relativesList)),
        item(go, QT_TRANSLATE_NOOP("Menu", "Listy &rodzeństwa"), "PopupSiblingsList",
             [&search] { search.showSiblings(); })
            .when(on(&ContextMenuState::siblingsList)),
        item(go, QT_TRANSLATE_NOOP("Menu", "Listy &dzieci"), "PopupChildrenList",
             [&search] { search.showChildren(); })
            .when(on(&ContextMenuState::childrenList)),
        separator(h),
        submenu(h, zoom, QT_TRANSLATE_NOOP("Menu", "&Powiększenie"), "PopupZoom"),
        item(zoom, QT_TRANSLATE_NOOP("Menu", "&Powiększ wybraną osobę"), "PopupZoomPerson",
             {Qt::Key_Z}, [&view] { view.zoomToCurrentPerson(); })
            .when(on(&ContextMenuState::zoomToPerson)),
        item(zoom, QT_TRANSLATE_NOOP("Menu", "Pow&iększ"), "PopupZoomIn", {Qt::Key_I},
             [&view] { view.zoomIn(); }),
        item(zoom, QT_TRANSLATE_NOOP("Menu", "P&omniejsz"), "PopupZoomOut", {Qt::Key_O},
             [&view] { view.zoomOut(); }),
        item(zoom, QT_TRANSLATE_NOOP("Menu", "Powiększ obsz&ar"), "PopupArea",
             [&view] { view.toggleAreaZoom(); }),
        submenu(h, align, QT_TRANSLATE_NOOP("Menu", "Wyrównaj"), "PopupAlign")
            .menuActionNamed("PopupAlignMenu")
            .when(on(&ContextMenuState::align)),
        item(align, QT_TRANSLATE_NOOP("Menu", "Do &góry"), "PopupAlignTop",
             aligned(AlignSide::Top)),
        item(align, QT_TRANSLATE_NOOP("Menu", "&Do dołu"), "PopupAlignBottom",
             aligned(AlignSide::Bottom)),
        item(align, QT_TRANSLATE_NOOP("Menu", "Do &lewej"), "PopupAlignLeft",
             aligned(AlignSide::Left)),
        item(align, QT_TRANSLATE_NOOP("Menu", "Do &prawej"), "PopupAlignRight",
             aligned(AlignSide::Right)),
        // Hidden: they are here for their keys, the plain arrows.
        item(h, QT_TRANSLATE_NOOP("Menu", "Przesuń w górę"), "PopupScrollUp", {Qt::Key_Up},
             scroll(ScrollDirection::Up))
            .keyOnly(),
        item(h, QT_TRANSLATE_NOOP("Menu", "Przesuń w dół"), "PopupScrollDown", {Qt::Key_Down},
             scroll(ScrollDirection::Down))
            .keyOnly(),
        item(h, QT_TRANSLATE_NOOP("Menu", "Przesuń w lewo"), "PopupScrollLeft", {Qt::Key_Left},
             scroll(ScrollDirection::Left))
            .keyOnly(),
        item(h, QT_TRANSLATE_NOOP("Menu", "Przesuń w prawo"), "PopupScrollRight", {Qt::Key_Right},
             scroll(ScrollDirection::Right))
            .keyOnly(),
        separator(h),
        item(h, QT_TRANSLATE_NOOP("Menu", "Stwórz &alias"), "PopupMakeAlias", {ctrl(Qt::Key_A)},
             [&edit] { edit.makeAlias(); })
            .when(on(&ContextMenuState::makeAlias)),
        item(h, QT_TRANSLATE_NOOP("Menu", "Wybierz &to jako alias"), "PopupMakeThisAlias",
             {ctrl(Qt::Key_T)}, [&edit] { edit.makeThisAnAlias(); })
            .when(on(&ContextMenuState::makeThisAnAlias)),
        item(h, QT_TRANSLATE_NOOP("Menu", "Wybierz to jako osobę po&czątkową"), "PopupMakeHome",
             {ctrl(Qt::Key_Home)}, [&edit] { edit.makeHome(); }),
    };
}

void MainWindow::prepareContextMenu() {
    setStatusText(QString());
    interaction().hideHint();
    parts_->rules.context = contextMenuState(doc_.persons());
    parts_->actions.refresh({Home::Context, Home::ContextDeleteLink, Home::ContextGoTo,
                             Home::ContextZoom, Home::ContextAlign});
}

}  // namespace lineara
