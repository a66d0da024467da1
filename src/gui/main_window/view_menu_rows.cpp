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
        submenu(Home::MenuBar, h, "&View"),
        submenu(h, codes, "Kolory k&odowania", "Colorcodes"),
        item(codes, "&Płeć", "ColorcodeGender", show(ColourCode::Gender)).checkMark(false),
        item(codes, "N&otatki", "ColorcodeNotes", show(ColourCode::Notes)).checkMark(false),
        item(codes, "&Zdjęcie", "ColorcodePicture", show(ColourCode::Picture)).checkMark(false),
        item(codes, "&Nic", "ColorcodeNone", show(ColourCode::None)).checkMark(true),
        separator(h),
        item(h, "&Pasek narzędzi", "ShowToolBar1", {Qt::Key_F7},
             [this](bool on) { toolBar_->setVisible(on); })
            .checkMark(true),
        item(h, "&Nawigator", "ShowNavigator1", {Qt::Key_F8},
             [this](bool on) { showNavigator(on); })
            .checkMark(true),
        item(h, "Pasek st&atusu", "ShowStatusBar1", {Qt::Key_F10},
             [this](bool on) { statusBar()->setVisible(on); })
            .checkMark(true),
        separator(h),
        item(h, "Szukaj osoby", "Browser1", {Qt::Key_F9},
             [&search] { search.toggleSearchWindow(); })
            .checkMark(false),
        item(h, "Lista &dzieci", "Child1", [&search] { search.showChildren(); }).when(withCurrent),
        item(h, "Lista &rodzeństwa", "ListofSiblings1", [&search] { search.showSiblings(); })
            .when(withCurrent),
        item(h, "Lista &krewnych", "Spouse1", [&search] { search.showRelatives(); })
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
        submenu(Home::MenuBar, h, "&Zoom"),
        item(h, "Pow&iększ", "ZoomIn1", {Qt::Key_I}, [&view] { view.zoomIn(); }),
        item(h, "P&omniejsz", "ZoomOut1", {Qt::Key_O}, [&view] { view.zoomOut(); }),
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
        item(h, "&Powiększ wybraną osobę", "Zoom1", {Qt::Key_Z},
             [&view] { view.zoomToCurrentPerson(); }),
        // Next to the presets' keys, as the last of them.
        item(h, "&Całe drzewo", "WholeTree1", {ctrl(Qt::Key_F9)},
             [&view] { view.showWholeTree(); }),
        // The action has already flipped its check mark when the mode
        // follows it.
        item(h, "Powiększ do obsz&aru", "Area1", [&view](bool on) { view.setAreaZoomMode(on); })
            .checkMark(false),
    };
}

ActionRows MainWindow::toolsAndHelpRows() {
    LayoutCommands& layout = layoutCommands();
    ReportCommands& reports = this->reports();
    const Home tools = Home::Tools;
    const Home help = Home::Help;
    return {
        submenu(Home::MenuBar, tools, "&Tools"),
        item(tools, "&Opcje", "Options1", [this] { emit optionsRequested(); }),
        item(tools, "&Czcionka ekranu...", "ScreenFont1", [this] { emit screenFontRequested(); }),
        item(tools, "&Automatyczne porządkowanie pozycji", "AutoArrange1",
             [&layout] { layout.autoArrange(); }),
        separator(tools),
        item(tools, "&Sprawdź jakość", "Qualitycheckfile1",
             [this] { emit qualityCheckRequested(); }),
        item(tools, "Konwertuj &daty", "Convertdates1", [this] { emit dateConversionRequested(); }),

        submenu(Home::MenuBar, Home::Reports, "&Reports"),
        item(Home::Reports, "Generuj strony &HTML", "HTML1",
             [&reports] { reports.generateHtml(); }),
        submenu(Home::Reports, Home::Lists, "&Alfabetyczna lista"),
        item(Home::Lists, "&Wszystkie osoby", "SavetoFile1",
             [&reports] { reports.saveAllPersonsList(); }),
        item(Home::Lists, "&Nazwiska", "Surnames1", [&reports] { reports.saveSurnamesList(); }),

        submenu(Home::MenuBar, help, "&Help"),
        item(help, "&Kontestowa", "Contents1", {Qt::Key_F1},
             [this] { emit helpContentsRequested(); }),
        item(help, "&Wyszukiwanie", "Search1", {QKeySequence(Qt::SHIFT | Qt::Key_F1)},
             [this] { emit helpSearchRequested(); }),
        separator(help),
        item(help, "Strona &domowa", "HomePage1", [this] { emit homePageRequested(); }),
        item(help, "&Pomoc techniczna", "Support1", [this] { emit supportPageRequested(); }),
        item(help, "&Napisz do nas", "Feedback1", [this] { emit feedbackPageRequested(); }),
        separator(help),
        item(help, "&O programie", "About1", [this] { emit aboutRequested(); }),

        // The plain arrows scroll wherever the keyboard is in the window.
        item(Home::Window, "Przesuń w lewo", "ScrollLeft1", {Qt::Key_Left},
             [this] { viewing().scroll(ScrollDirection::Left); }),
        item(Home::Window, "Przesuń w prawo", "ScrollRight1", {Qt::Key_Right},
             [this] { viewing().scroll(ScrollDirection::Right); }),
        item(Home::Window, "Przesuń w górę", "ScrollUp1", {Qt::Key_Up},
             [this] { viewing().scroll(ScrollDirection::Up); }),
        item(Home::Window, "Przesuń w dół", "ScrollDown1", {Qt::Key_Down},
             [this] { viewing().scroll(ScrollDirection::Down); }),
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
        item(h, "&Nowy", "NewButton", [&files] { files.newTree(); }).withIcon(QStyle::SP_FileIcon),
        item(h, "&Otwórz", "OpenButton", [&files] { files.openTree(); })
            .withIcon(QStyle::SP_DialogOpenButton),
        item(h, "&Zapisz", "SaveButton", [&files] { files.save(); })
            .withIcon(QStyle::SP_DialogSaveButton),
        separator(h),
        again(h, "Undo1"),
        again(h, "Redo1"),
        separator(h),
        item(h, "&Właściwości", "PropertiesButton", [&edit] { edit.editProperties(); }).when([&s] {
            return s.edit.properties;
        }),
        item(h, "&Usuń", "DeleteButton", [&edit] { edit.deleteSelected(); }).when([&s] {
            return s.edit.deletePerson;
        }),
        item(h, "Łącz z &ojcem", "LinkFatherButton", [&edit] { edit.linkToFather(); })
            .when(linking),
        item(h, "Łącz z &matką", "LinkMotherButton", [&edit] { edit.linkToMother(); })
            .when(linking),
        item(h, "Łącz z &krewnym", "LinkRelativeButton", [&edit] { edit.linkToRelative(); })
            .when(linking),
        item(h, "Do &góry", "AlignTopButton", align(AlignSide::Top)).when(aligning),
        item(h, "Do &dołu", "AlignBottomButton", align(AlignSide::Bottom)).when(aligning),
        item(h, "Do &lewej", "AlignLeftButton", align(AlignSide::Left)).when(aligning),
        item(h, "Do &prawej", "AlignRightButton", align(AlignSide::Right)).when(aligning),
        separator(h),
        // The tool bar's button and the menu item show the same mode;
        // either one switches it.
        item(h, "Zoom to &Area", "AreaButton", [this](bool on) { viewing().setAreaZoomMode(on); })
            .checkMark(false),
    };
}

}  // namespace lineara
