// The rows of the menu bar's later menus ("&View", "&Zoom", "&Tools",
// "&Reports", "&Help"), of the window itself and of the tool bar.
#include <QStatusBar>
#include <QToolBar>

#include "gui/main_window/document_commands.h"
#include "gui/main_window/edit_commands.h"
#include "gui/main_window/layout_commands.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/report_commands.h"
#include "gui/main_window/search_commands.h"
#include "gui/main_window/view_commands.h"
#include "gui/main_window/window_parts.h"

namespace lineara {

namespace {

QKeySequence ctrl(Qt::Key key) { return QKeySequence(Qt::CTRL | key); }

}  // namespace

ActionRows MainWindow::viewRows() {
    const CommandRuleStates& s = parts_->rules;
    SearchCommands& search = this->search();
    const Home h = Home::View;
    const Home codes = Home::ColourCodes;
    const auto show = [this](ColourCode code) {
        return [this, code] {
            view_.colourCode = code;
            paintTree();
        };
    };
    const auto withCurrent = [&s] { return s.current; };
    return {
        submenu(Home::MenuBar, h, QT_TRANSLATE_NOOP("Menu", "&View")),
        submenu(h, codes, QT_TRANSLATE_NOOP("Menu", "Kolory k&odowania"), "Colorcodes"),
        item(codes, QT_TRANSLATE_NOOP("Menu", "&Płeć"), "ColorcodeGender", show(ColourCode::Gender))
            .checkMark(false),
        item(codes, QT_TRANSLATE_NOOP("Menu", "N&otatki"), "ColorcodeNotes",
             show(ColourCode::Notes))
            .checkMark(false),
        item(codes, QT_TRANSLATE_NOOP("Menu", "&Zdjęcie"), "ColorcodePicture",
             show(ColourCode::Picture))
            .checkMark(false),
        item(codes, QT_TRANSLATE_NOOP("Menu", "&Nic"), "ColorcodeNone", show(ColourCode::None))
            .checkMark(true),
        separator(h),
        item(h, QT_TRANSLATE_NOOP("Menu", "&Pasek narzędzi"), "ShowToolBar1", {Qt::Key_F7},
             [this](bool on) { toolBar_->setVisible(on); })
            .checkMark(true),
        item(h, QT_TRANSLATE_NOOP("Menu", "&Nawigator"), "ShowNavigator1", {Qt::Key_F8},
             [this](bool on) { showNavigator(on); })
            .checkMark(true),
        item(h, QT_TRANSLATE_NOOP("Menu", "Pasek st&atusu"), "ShowStatusBar1", {Qt::Key_F10},
             [this](bool on) { statusBar()->setVisible(on); })
            .checkMark(true),
        separator(h),
        item(h, QT_TRANSLATE_NOOP("Menu", "Szukaj osoby"), "Browser1", {Qt::Key_F9},
             [&search] { search.toggleSearchWindow(); })
            .checkMark(false),
        item(h, QT_TRANSLATE_NOOP("Menu", "Lista &dzieci"), "Child1",
             [&search] { search.showChildren(); })
            .when(withCurrent),
        item(h, QT_TRANSLATE_NOOP("Menu", "Lista &rodzeństwa"), "ListofSiblings1",
             [&search] { search.showSiblings(); })
            .when(withCurrent),
        item(h, QT_TRANSLATE_NOOP("Menu", "Lista &krewnych"), "Spouse1",
             [&search] { search.showRelatives(); })
            .when(withCurrent),
    };
}

ActionRows MainWindow::zoomRows() {
    ViewCommands& view = viewing();
    const Home h = Home::Zoom;
    const auto preset = [&view](double percent) {
        return [&view, percent] { view.zoomTo(percent); };
    };
    return {
        submenu(Home::MenuBar, h, QT_TRANSLATE_NOOP("Menu", "&Zoom")),
        item(h, QT_TRANSLATE_NOOP("Menu", "Pow&iększ"), "ZoomIn1", {Qt::Key_I},
             [&view] { view.zoomIn(); }),
        item(h, QT_TRANSLATE_NOOP("Menu", "P&omniejsz"), "ZoomOut1", {Qt::Key_O},
             [&view] { view.zoomOut(); }),
        separator(h),
        item(h, "200%", "ZoomPreset200", {ctrl(Qt::Key_F1)}, preset(200)),
        item(h, "100%", "ZoomPreset100", {ctrl(Qt::Key_F2)}, preset(100)),
        item(h, "50%", "ZoomPreset50", {ctrl(Qt::Key_F3)}, preset(50)),
        item(h, "35%", "ZoomPreset35", {ctrl(Qt::Key_F4)}, preset(35)),
        item(h, "20%", "ZoomPreset20", {ctrl(Qt::Key_F5)}, preset(20)),
        item(h, "10%", "ZoomPreset10", {ctrl(Qt::Key_F6)}, preset(10)),
        item(h, "5%", "ZoomPreset5", {ctrl(Qt::Key_F7)}, preset(5)),
        item(h, "1%", "ZoomPreset1", {ctrl(Qt::Key_F8)}, preset(1)),
        separator(h),
        item(h, QT_TRANSLATE_NOOP("Menu", "&Powiększ wybraną osobę"), "Zoom1", {Qt::Key_Z},
             [&view] { view.zoomToCurrentPerson(); }),
        // Next to the presets' keys, as the last of them.
        item(h, QT_TRANSLATE_NOOP("Menu", "&Całe drzewo"), "WholeTree1", {ctrl(Qt::Key_F9)},
             [&view] { view.showWholeTree(); }),
        // The action has already flipped its check mark when the mode
        // follows it.
        item(h, QT_TRANSLATE_NOOP("Menu", "Powiększ do obsz&aru"), "Area1",
             [&view](bool on) { view.setAreaZoomMode(on); })
            .checkMark(false),
    };
}

ActionRows MainWindow::toolsAndHelpRows() {
    LayoutCommands& layout = layoutCommands();
    ReportCommands& reports = this->reports();
    const Home tools = Home::Tools;
    const Home help = Home::Help;
    return {
        submenu(Home::MenuBar, tools, QT_TRANSLATE_NOOP("Menu", "&Tools")),
        item(tools, QT_TRANSLATE_NOOP("Menu", "&Opcje"), "Options1",
             [this] { emit optionsRequested(); }),
        item(tools, QT_TRANSLATE_NOOP("Menu", "&Czcionka ekranu..."), "ScreenFont1",
             [this] { emit screenFontRequested(); }),
        item(tools, QT_TRANSLATE_NOOP("Menu", "&Automatyczne porządkowanie pozycji"),
             "AutoArrange1", [&layout] { layout.autoArrange(); }),
        separator(tools),
        item(tools, QT_TRANSLATE_NOOP("Menu", "&Sprawdź jakość"), "Qualitycheckfile1",
             [this] { emit qualityCheckRequested(); }),
        item(tools, QT_TRANSLATE_NOOP("Menu", "Konwertuj &daty"), "Convertdates1",
             [this] { emit dateConversionRequested(); }),

        submenu(Home::MenuBar, Home::Reports, QT_TRANSLATE_NOOP("Menu", "&Reports")),
        item(Home::Reports, QT_TRANSLATE_NOOP("Menu", "Generuj strony &HTML"), "HTML1",
             [&reports] { reports.generateHtml(); }),
        submenu(Home::Reports, Home::Lists, QT_TRANSLATE_NOOP("Menu", "&Alfabetyczna lista")),
        item(Home::Lists, QT_TRANSLATE_NOOP("Menu", "&Wszystkie osoby"), "SavetoFile1",
             [&reports] { reports.saveAllPersonsList(); }),
        item(Home::Lists, QT_TRANSLATE_NOOP("Menu", "&Nazwiska"), "Surnames1",
             [&reports] { reports.saveSurnamesList(); }),

        submenu(Home::MenuBar, help, QT_TRANSLATE_NOOP("Menu", "&Help")),
        item(help, QT_TRANSLATE_NOOP("Menu", "&Kontestowa"), "Contents1", {Qt::Key_F1},
             [this] { emit helpContentsRequested(); }),
        item(help, QT_TRANSLATE_NOOP("Menu", "&Wyszukiwanie"), "Search1",
             {QKeySequence(Qt::SHIFT | Qt::Key_F1)}, [this] { emit helpSearchRequested(); }),
        separator(help),
        item(help, QT_TRANSLATE_NOOP("Menu", "Strona &domowa"), "HomePage1",
             [this] { emit homePageRequested(); }),
        item(help, QT_TRANSLATE_NOOP("Menu", "&Pomoc techniczna"), "Support1",
             [this] { emit supportPageRequested(); }),
        item(help, QT_TRANSLATE_NOOP("Menu", "&Napisz do nas"), "Feedback1",
             [this] { emit feedbackPageRequested(); }),
        separator(help),
        item(help, QT_TRANSLATE_NOOP("Menu", "&O programie"), "About1",
             [this] { emit aboutRequested(); }),

        // The plain arrows scroll wherever the keyboard is in the window.
        item(Home::Window, QT_TRANSLATE_NOOP("Menu", "Przesuń w lewo"), "ScrollLeft1",
             {Qt::Key_Left}, [this] { viewing().scroll(ScrollDirection::Left); }),
        item(Home::Window, QT_TRANSLATE_NOOP("Menu", "Przesuń w prawo"), "ScrollRight1",
             {Qt::Key_Right}, [this] { viewing().scroll(ScrollDirection::Right); }),
        item(Home::Window, QT_TRANSLATE_NOOP("Menu", "Przesuń w górę"), "ScrollUp1", {Qt::Key_Up},
             [this] { viewing().scroll(ScrollDirection::Up); }),
        item(Home::Window, QT_TRANSLATE_NOOP("Menu", "Przesuń w dół"), "ScrollDown1",
             {Qt::Key_Down}, [this] { viewing().scroll(ScrollDirection::Down); }),
    };
}

// The buttons that follow the current person and the selection are
// enabled as their menu items are, except that the link buttons stay
// enabled on an alias box.
ActionRows MainWindow::toolBarRows() {
    const CommandRuleStates& s = parts_->rules;
    DocumentCommands& files = documentCommands();
    EditCommands& edit = editing();
    const Home h = Home::ToolBar;
    const auto align = [&edit](AlignSide side) { return [&edit, side] { edit.align(side); }; };
    const auto aligning = [&s] { return s.edit.align; };
    const auto linking = [&s] { return s.edit.linkButtons; };
    return {
        item(h, QT_TRANSLATE_NOOP("Menu", "&Nowy"), "NewButton", [&files] { files.newTree(); })
            .withIcon(QStyle::SP_FileIcon),
        item(h, QT_TRANSLATE_NOOP("Menu", "&Otwórz"), "OpenButton", [&files] { files.openTree(); })
            .withIcon(QStyle::SP_DialogOpenButton),
        item(h, QT_TRANSLATE_NOOP("Menu", "&Zapisz"), "SaveButton", [&files] { files.save(); })
            .withIcon(QStyle::SP_DialogSaveButton),
        separator(h),
        again(h, "Undo1"),
        again(h, "Redo1"),
        separator(h),
        item(h, QT_TRANSLATE_NOOP("Menu", "&Właściwości"), "PropertiesButton",
             [&edit] { edit.editProperties(); })
            .when([&s] { return s.edit.properties; }),
        item(h, QT_TRANSLATE_NOOP("Menu", "&Usuń"), "DeleteButton",
             [&edit] { edit.deleteSelected(); })
            .when([&s] { return s.edit.deletePerson; }),
        item(h, QT_TRANSLATE_NOOP("Menu", "Łącz z &ojcem"), "LinkFatherButton",
             [&edit] { edit.linkToFather(); })
            .when(linking),
        item(h, QT_TRANSLATE_NOOP("Menu", "Łącz z &matką"), "LinkMotherButton",
             [&edit] { edit.linkToMother(); })
            .when(linking),
        item(h, QT_TRANSLATE_NOOP("Menu", "Łącz z &krewnym"), "LinkRelativeButton",
             [&edit] { edit.linkToRelative(); })
            .when(linking),
        item(h, QT_TRANSLATE_NOOP("Menu", "Do &góry"), "AlignTopButton", align(AlignSide::Top))
            .when(aligning),
        item(h, QT_TRANSLATE_NOOP("Menu", "Do &dołu"), "AlignBottomButton",
             align(AlignSide::Bottom))
            .when(aligning),
        item(h, QT_TRANSLATE_NOOP("Menu", "Do &lewej"), "AlignLeftButton", align(AlignSide::Left))
            .when(aligning),
        item(h, QT_TRANSLATE_NOOP("Menu", "Do &prawej"), "AlignRightButton",
             align(AlignSide::Right))
            .when(aligning),
        separator(h),
        // The tool bar's button and the menu item show the same mode;
        // either one switches it.
        item(h, QT_TRANSLATE_NOOP("Menu", "Zoom to &Area"), "AreaButton",
             [this](bool on) { viewing().setAreaZoomMode(on); })
            .checkMark(false),
    };
}

}  // namespace lineara
