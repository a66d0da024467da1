// The menu bar and the tool bar of the main window.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

#include "gui/main_window/main_window.h"

namespace lineara {

namespace {

// A row that runs one of the document commands.
RowCommand onDocument(DocumentCommands& commands, void (DocumentCommands::*command)()) {
    return [&commands, command] { (commands.*command)(); };
}

}  // namespace

QList<QAction*> TZudezezor::addRows(QWidget* target, const std::vector<ActionRow>& rows) {
    QList<QAction*> added;
    for (const ActionRow& row : rows) {
        auto* a = new QAction(QString::fromUtf8(row.caption), target);
        a->setObjectName(QString::fromLatin1(row.name));
        if (!row.icon.isNull()) a->setIcon(row.icon);
        if (!row.key.isEmpty()) a->setShortcut(row.key);
        if (row.options & kCheckable) a->setCheckable(true);
        if (row.options & kChecked) a->setChecked(true);
        if (row.options & kHidden) a->setVisible(false);
        target->addAction(a);
        if (row.command.member() != nullptr) {
            connect(a, &QAction::triggered, this, row.command.member());
        } else if (row.command.checkMember() != nullptr) {
            connect(a, &QAction::triggered, this, row.command.checkMember());
        } else if (row.command.function()) {
            connect(a, &QAction::triggered, this, row.command.function());
        }
        if (row.keep != nullptr) *row.keep = a;
        added << a;
    }
    return added;
}

QAction* TZudezezor::action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void TZudezezor::buildMenus() {
    buildFileMenu();
    buildEditMenus();
    buildSearchMenu();
    buildViewMenu();
    buildZoomMenu();
    buildToolsAndHelpMenus();
    buildReportsMenu();
    addViewInput();
}

void TZudezezor::buildFileMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Plik"));
    DocumentCommands& c = commands_;
    addRows(
        file,
        {{"&Nowy", "New1", QKeySequence(), onDocument(c, &DocumentCommands::New1Click)},
         {"&Otwórz", "Open1", Qt::CTRL | Qt::Key_O, onDocument(c, &DocumentCommands::Open1Click)},
         {"&Zapisz", "Save1", Qt::CTRL | Qt::Key_S, onDocument(c, &DocumentCommands::Save1Click)},
         {"Zapisz j&ako", "SaveAs1", QKeySequence(),
          onDocument(c, &DocumentCommands::SaveAs1Click)},
         {"Zapisz wszystkie p&liki", "Exportallfiles1", QKeySequence(),
          onDocument(c, &DocumentCommands::Exportallfiles1Click)}});
    buildGedcomCommands(file);
    buildLegacyImportItems(file);
    buildPrintCommands(file);
    file->addSeparator();
    addRows(file, {{"&Wyjście", "Exit1", QKeySequence(), [this] { close(); }}});
}

void TZudezezor::buildViewMenu() {
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    QMenu* codes = view->addMenu(QStringLiteral("Kolory k&odowania"));
    codes->setObjectName(QStringLiteral("Colorcodes"));
    colourCodes_ = new QActionGroup(this);
    colourCodes_->setExclusive(true);
    const auto show = [this](ColourCode code) {
        return [this, code] {
            view_.colourCode = code;
            FormPaint();
        };
    };
    const QList<QAction*> items =
        addRows(codes, {{"&Płeć", "ColorcodeGender", QKeySequence(), show(ColourCode::Gender),
                         nullptr, kCheckable},
                        {"N&otatki", "ColorcodeNotes", QKeySequence(), show(ColourCode::Notes),
                         nullptr, kCheckable},
                        {"&Zdjęcie", "ColorcodePicture", QKeySequence(), show(ColourCode::Picture),
                         nullptr, kCheckable},
                        {"&Nic", "ColorcodeNone", QKeySequence(), show(ColourCode::None), nullptr,
                         kCheckable | kChecked}});
    // setColourCode finds its item by the code kept in the item's data.
    const ColourCode shown[] = {ColourCode::Gender, ColourCode::Notes, ColourCode::Picture,
                                ColourCode::None};
    for (int i = 0; i < items.size(); ++i) {
        items[i]->setData(static_cast<int>(shown[i]));
        colourCodes_->addAction(items[i]);
    }
    addViewToggles(view);
    addSearchViewItems(view);
}

void TZudezezor::buildToolsAndHelpMenus() {
    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    addRows(tools, {{"&Opcje", "Options1", QKeySequence(), &TZudezezor::optionsRequested},
                    {"&Czcionka ekranu...", "ScreenFont1", QKeySequence(),
                     &TZudezezor::screenFontRequested}});
    buildLayoutToolItem(tools);
    buildCheckCommands(tools);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    addRows(help, {{"&Kontestowa", "Contents1", Qt::Key_F1, &TZudezezor::helpContentsRequested},
                   {"&Wyszukiwanie", "Search1", Qt::SHIFT | Qt::Key_F1,
                    &TZudezezor::helpSearchRequested}});
    help->addSeparator();
    addRows(help,
            {{"Strona &domowa", "HomePage1", QKeySequence(), &TZudezezor::homePageRequested},
             {"&Pomoc techniczna", "Support1", QKeySequence(), &TZudezezor::supportPageRequested},
             {"&Napisz do nas", "Feedback1", QKeySequence(), &TZudezezor::feedbackPageRequested}});
    help->addSeparator();
    addRows(help, {{"&O programie", "About1", QKeySequence(), &TZudezezor::aboutRequested}});
}

void TZudezezor::buildToolBar() {
    toolBar_ = addToolBar(QStringLiteral("Pasek narzędzi"));
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const auto icon = [this](QStyle::StandardPixmap which) { return style()->standardIcon(which); };
    DocumentCommands& c = commands_;
    addRows(toolBar_,
            {{"&Nowy", "NewButton", QKeySequence(), onDocument(c, &DocumentCommands::New1Click),
              nullptr, 0, icon(QStyle::SP_FileIcon)},
             {"&Otwórz", "OpenButton", QKeySequence(), onDocument(c, &DocumentCommands::Open1Click),
              nullptr, 0, icon(QStyle::SP_DialogOpenButton)},
             {"&Zapisz", "SaveButton", QKeySequence(), onDocument(c, &DocumentCommands::Save1Click),
              nullptr, 0, icon(QStyle::SP_DialogSaveButton)}});
}

void TZudezezor::buildCheckCommands(QMenu* tools) {
    tools->addSeparator();
    addRows(tools, {{"&Sprawdź jakość", "Qualitycheckfile1", QKeySequence(),
                     &TZudezezor::qualityCheckRequested},
                    {"Konwertuj &daty", "Convertdates1", QKeySequence(),
                     &TZudezezor::dateConversionRequested}});
}

}  // namespace lineara
