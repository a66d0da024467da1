// The rows of the menu bar's first menus: "&Plik", "&Edytuj", "&Szukaj",
// "&Łącza" and "&Alias", in the order the bar shows them.
#include "core/gedcom/gedcom_texts.h"
#include "gui/main_window/document_commands.h"
#include "gui/main_window/edit_commands.h"
#include "gui/main_window/import_export_commands.h"
#include "gui/main_window/layout_commands.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/report_commands.h"
#include "gui/main_window/search_commands.h"
#include "gui/main_window/window_parts.h"

namespace lineara {

namespace {

QKeySequence ctrl(Qt::Key key) { return QKeySequence(Qt::CTRL | key); }

ActionRows fileRows(MainWindow& w) {
    DocumentCommands& files = w.documentCommands();
    ImportExportCommands& transfer = w.importExport();
    ReportCommands& reports = w.reports();
    const Home h = Home::File;
    return {
        submenu(Home::MenuBar, h, QT_TRANSLATE_NOOP("Menu", "&Plik")),
        item(h, QT_TRANSLATE_NOOP("Menu", "&Nowy"), "New1", [&files] { files.newTree(); }),
        item(h, QT_TRANSLATE_NOOP("Menu", "&Otwórz"), "Open1", {ctrl(Qt::Key_O)},
             [&files] { files.openTree(); }),
        item(h, QT_TRANSLATE_NOOP("Menu", "&Zapisz"), "Save1", {ctrl(Qt::Key_S)},
             [&files] { files.save(); }),
        item(h, QT_TRANSLATE_NOOP("Menu", "Zapisz j&ako"), "SaveAs1", [&files] { files.saveAs(); }),
        item(h, QT_TRANSLATE_NOOP("Menu", "Zapisz wszystkie p&liki"), "Exportallfiles1",
             [&files] { files.collectAllFiles(); }),
        separator(h),
        item(h, kGedcomImportMenuItem, "Read1", [&transfer] { transfer.importGedcom(); }),
        item(h, kGedcomExportMenuItem, "Write1", [&transfer] { transfer.exportGedcom(); }),
        item(h, QT_TRANSLATE_NOOP("Menu", "Eksportuj o&braz drzewa..."), "ExportImage1",
             [&transfer] { transfer.exportTreeImage(); }),
        separator(h),
        item(h, QT_TRANSLATE_NOOP("Menu", "Import version 1.&0"), "Version101",
             [&transfer] { transfer.importVersion10(); }),
        item(h, QT_TRANSLATE_NOOP("Menu", "Import version 1.&5.x"), "Openversion1531",
             [&transfer] { transfer.importVersion15(); }),
        separator(h),
        item(h, QT_TRANSLATE_NOOP("Menu", "&Drukuj drzewo"), "Printtree1",
             [&reports] { reports.showPrintTreeWindow(); }),
        item(h, QT_TRANSLATE_NOOP("Menu", "Drukuj ek&ran"), "Print1",
             [&reports] { reports.printScreen(); }),
        separator(h),
        item(h, QT_TRANSLATE_NOOP("Menu", "&Wyjście"), "Exit1", [&w] { w.close(); }),
    };
}

ActionRows editRows(MainWindow& w, const CommandRuleStates& s) {
    EditCommands& edit = w.editing();
    LayoutCommands& layout = w.layoutCommands();
    const Home h = Home::Edit;
    Document& doc = w.doc();
    const auto align = [&edit](AlignSide side) { return [&edit, side] { edit.align(side); }; };
    const auto organize = [&layout](TreeStyle style) {
        return [&layout, style] { layout.organizeAncestors(style); };
    };
    const auto create = [&layout](TreeStyle style) {
        return [&layout, style] { layout.createAncestorTree(style); };
    };
    return {
        submenu(Home::MenuBar, h, QT_TRANSLATE_NOOP("Menu", "&Edytuj"), "Edit1"),
        item(h, QT_TRANSLATE_NOOP("Menu", "&Cofnij"), "Undo1", {ctrl(Qt::Key_Z)},
             [&edit] { edit.undo(); })
            .when([&doc] { return doc.canUndo(); }),
        item(h, QT_TRANSLATE_NOOP("Menu", "&Ponów"), "Redo1",
             {ctrl(Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
             [&edit] { edit.redo(); })
            .when([&doc] { return doc.canRedo(); }),
        separator(h),
        item(h, QT_TRANSLATE_NOOP("Menu", "Nowy &mężczyzna"), "Nyperson1", {ctrl(Qt::Key_N)},
             [&edit] { edit.newMale(); }),
        item(h, QT_TRANSLATE_NOOP("Menu", "Nowa &kobieta"), "NewFemaleItem1", {ctrl(Qt::Key_F)},
             [&edit] { edit.newFemale(); }),
        item(h, QT_TRANSLATE_NOOP("Menu", "&Usuń"), "Slettperson1", {Qt::Key_Delete},
             [&edit] { edit.deleteSelected(); })
            .when([&s] { return s.edit.deletePerson; }),
        item(h, QT_TRANSLATE_NOOP("Menu", "Ustaw pozycję jako &startową"), "Makehome1",
             {ctrl(Qt::Key_Home)}, [&edit] { edit.makeHome(); })
            .when([&s] { return s.edit.makeHome; }),
        item(h, QT_TRANSLATE_NOOP("Menu", "&Właściwości"), "Properties1", {Qt::Key_Return},
             [&edit] { edit.editProperties(); })
            .when([&s] { return s.edit.properties; }),
        separator(h),
        item(h, QT_TRANSLATE_NOOP("Menu", "Wyrównaj do &góry"), "AlignTop1", align(AlignSide::Top))
            .when([&s] { return s.edit.align; }),
        item(h, QT_TRANSLATE_NOOP("Menu", "Wyrównaj do &dołu"), "AlignBottom1",
             align(AlignSide::Bottom))
            .when([&s] { return s.edit.align; }),
        item(h, QT_TRANSLATE_NOOP("Menu", "Wyrównaj do &lewej"), "AlignLeft1",
             align(AlignSide::Left))
            .when([&s] { return s.edit.align; }),
        item(h, QT_TRANSLATE_NOOP("Menu", "Wyrównaj do pr&awej"), "AlignRight1",
             align(AlignSide::Right))
            .when([&s] { return s.edit.align; }),
        separator(h),
        submenu(h, Home::Organize, QT_TRANSLATE_NOOP("Menu", "&Organizuj drzewo przodków"),
                "Organizetree1")
            .when([&s] { return s.edit.organizeAncestors; }),
        item(Home::Organize, QT_TRANSLATE_NOOP("Menu", "&Compact"), "Compact2",
             organize(TreeStyle::Compact)),
        item(Home::Organize, QT_TRANSLATE_NOOP("Menu", "&Fractal Style"), "Fractal2",
             organize(TreeStyle::Fractal)),
        submenu(h, Home::Create, QT_TRANSLATE_NOOP("Menu", "U&twórz drzewo przodków"),
                "Createtree1")
            .when([&s] { return s.edit.createAncestorTree; }),
        item(Home::Create, QT_TRANSLATE_NOOP("Menu", "&Compact"), "Compact1",
             create(TreeStyle::Compact)),
        item(Home::Create, QT_TRANSLATE_NOOP("Menu", "&Fractal style"), "Fractal1",
             create(TreeStyle::Fractal)),
    };
}

ActionRows searchRows(MainWindow& w) {
    SearchCommands& search = w.search();
    return {
        submenu(Home::MenuBar, Home::Search, QT_TRANSLATE_NOOP("Menu", "&Szukaj"), "SearchMenu1"),
        item(Home::Search, QT_TRANSLATE_NOOP("Menu", "&Szukaj"), "Search2", {Qt::Key_F3},
             [&search] { search.toggleSearchWindow(); }),
    };
}

ActionRows linkRows(MainWindow& w, const CommandRuleStates& s) {
    EditCommands& edit = w.editing();
    const Home h = Home::Link;
    const Home del = Home::DeleteLink;
    return {
        submenu(Home::MenuBar, h, QT_TRANSLATE_NOOP("Menu", "&Łącza"), "Link1"),
        item(h, QT_TRANSLATE_NOOP("Menu", "Łącz z &ojcem"), "LinktoFather1", {Qt::Key_F},
             [&edit] { edit.linkToFather(); })
            .when([&s] { return s.link.linkToFather; }),
        item(h, QT_TRANSLATE_NOOP("Menu", "Łącz z &matką"), "LinktoMother2", {Qt::Key_M},
             [&edit] { edit.linkToMother(); })
            .when([&s] { return s.link.linkToMother; }),
        item(h, QT_TRANSLATE_NOOP("Menu", "Łącz z &krewnym"), "LinkMarriage1", {Qt::Key_L},
             [&edit] { edit.linkToRelative(); })
            .when([&s] { return s.link.linkToRelative; }),
        submenu(h, del, QT_TRANSLATE_NOOP("Menu", "Usuń łącze do..."), "DeleteLink1"),
        // Ctrl+F is "Nowa &kobieta"'s; the menu shows it here too, but a
        // second binding would make the key ambiguous.
        item(del, QT_TRANSLATE_NOOP("Menu", "Ojca\tCtrl+F"), "DeleteLinktoFather1",
             [&edit] { edit.deleteLinkToFather(); })
            .when([&s] { return s.link.deleteLinkToFather; }),
        item(del, QT_TRANSLATE_NOOP("Menu", "Matki"), "DeleteLinktoMother1", {ctrl(Qt::Key_M)},
             [&edit] { edit.deleteLinkToMother(); })
            .when([&s] { return s.link.deleteLinkToMother; }),
        item(del, QT_TRANSLATE_NOOP("Menu", "Krewnego"), "DeleteLinktoMarriage1", {ctrl(Qt::Key_L)},
             [&edit] { edit.deleteLinkToRelative(); })
            .when([&s] { return s.link.deleteLinkToRelative; }),
    };
}

ActionRows aliasRows(MainWindow& w, const CommandRuleStates& s) {
    EditCommands& edit = w.editing();
    const Home h = Home::Alias;
    return {
        submenu(Home::MenuBar, h, QT_TRANSLATE_NOOP("Menu", "&Alias"), "Alias1"),
        item(h, QT_TRANSLATE_NOOP("Menu", "Stwórz &alias"), "MakeAlias1", {ctrl(Qt::Key_A)},
             [&edit] { edit.makeAlias(); })
            .when([&s] { return s.alias.makeAlias; }),
        item(h, QT_TRANSLATE_NOOP("Menu", "Stwórz &to jako alias"), "MakeThisAlias1",
             {ctrl(Qt::Key_T)}, [&edit] { edit.makeThisAnAlias(); })
            .when([&s] { return s.alias.makeThisAnAlias; }),
        item(h, QT_TRANSLATE_NOOP("Menu", "&Idź do aliasu"), "GotoAlias1", {ctrl(Qt::Key_G)},
             [&edit] { edit.goToAlias(); })
            .when([&s] { return s.alias.goToAlias; })
            .captionFrom([&s] {
                return s.alias.goToAliasCaption.empty()
                           ? QString()
                           : menuText(s.alias.goToAliasCaption.c_str());
            }),
    };
}

}  // namespace

ActionRows MainWindow::menuRows() {
    const CommandRuleStates& s = parts_->rules;
    return joinRows({fileRows(*this), editRows(*this, s), searchRows(*this), linkRows(*this, s),
                     aliasRows(*this, s), viewRows(), zoomRows(), toolsAndHelpRows()});
}

}  // namespace lineara
