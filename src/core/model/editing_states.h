// When the editing commands are available, and the captions that follow
// the current person: one struct per menu, filled each time the menu opens
// (or after every press and release on the canvas, for the toolbar and the
// Edit menu), which the windows copy onto their actions.
//
// Captions come in two parts: the fixed text (UTF-8) and, where a person is
// named, that person's names as raw record bytes, which the window decodes
// with the tree's code page and appends. An empty fixed caption means the
// item keeps the caption it has.
//
// Items that are always available (new person in the Edit menu, make home
// in the context menu, zoom in and out, go to the home person) have no
// field here.
#pragma once

#include <string>

#include "core/model/person_list.h"

namespace lineara {

// The main menu's "&Alias".
struct AliasMenuState {
    bool makeAlias = false;        // "Stwórz &alias"
    bool makeThisAnAlias = false;  // "Stwórz &to jako alias"
    bool goToAlias = false;        // "&Idź do aliasu"
    std::string goToAliasCaption;  // "&Do aliasy" / "&Do oryginalu"
};
AliasMenuState aliasMenuState(const PersonList& list);

// The main menu's "&Łącza" with its submenu "Usuń łącze do...".
struct LinkMenuState {
    bool linkToFather = false;          // "Łącz z &ojcem"
    bool linkToMother = false;          // "Łącz z &matką"
    bool linkToRelative = false;        // "Łącz z &krewnym"
    bool deleteLinkToFather = false;    // "Ojca"
    bool deleteLinkToMother = false;    // "Matki"
    bool deleteLinkToRelative = false;  // "Krewnego"
};
LinkMenuState linkMenuState(const PersonList& list);

// The "&Edytuj" menu and the toolbar buttons that follow the current person
// and the selection.
struct EditCommandStates {
    bool properties = false;          // "&Właściwości" (menu and toolbar)
    bool deletePerson = false;        // "&Usuń" (menu and toolbar)
    bool makeHome = false;            // "Ustaw pozycję jako &startową"
    bool align = false;               // the four alignments (menu and toolbar)
    bool linkButtons = false;         // the three link buttons of the toolbar
    bool organizeAncestors = false;   // "&Organizuj drzewo przodków", "&Compact", "&Fractal Style"
    bool createAncestorTree = false;  // "&Utwórz drzewo przodków"
};
EditCommandStates editCommandStates(const PersonList& list);

// A caption that may end in a person's names.
struct NamedCaption {
    std::string fixed;  // UTF-8
    std::string names;  // record bytes: givenNames + " " + surname; empty for none
};

// The canvas's context menu.
struct ContextMenuState {
    bool newPersonVisible = false;  // "&Nowy mężczyzna", "Nowa &kobieta"
    bool properties = false;        // "Edytuj &właściwości"
    bool deletePerson = false;      // "&Usuń"
    bool linkToFather = false;      // "Łącz z &ojcem"
    bool linkToMother = false;      // "Łącz z &matką"
    bool linkToRelative = false;    // "Łącz z &krewnym"
    bool deleteLinkMenu = false;    // submenu "&Usuń łącze"
    bool deleteLinkItemsVisible = false;
    bool deleteLinkToFather = false;    // "z &ojcem"
    bool deleteLinkToMother = false;    // "z &matką"
    bool deleteLinkToRelative = false;  // "z &krewnym"
    bool goToFather = false;            // "&Idź do " / "&Ojca"
    bool goToMother = false;            // "&Idź do " / "&Matki"
    NamedCaption goToFatherCaption;
    NamedCaption goToMotherCaption;
    bool relativesList = false;    // "Listy &krewnych"
    bool siblingsList = false;     // "Listy &rodzeństwa"
    bool childrenList = false;     // "Listy &dzieci"
    bool goToAlias = false;        // "&Alias" (Ctrl+G)
    std::string goToAliasCaption;  // "Ory&ginal" / "&Alias"
    bool zoomToPerson = false;     // "&Powiększ wybraną osobę"
    bool align = false;            // submenu "Wyrównaj"
    bool makeAlias = false;        // "Stwórz &alias"
    bool makeThisAnAlias = false;  // "Wybierz &to jako alias"
};
ContextMenuState contextMenuState(const PersonList& list);

}  // namespace lineara
