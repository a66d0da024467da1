// The menu bar and the tool bar of the main window.
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

#include "gui/main_window/main_window.h"

namespace lineara {

QAction* TZudezezor::addAction(QMenu* menu, const QString& caption, const char* name,
                               const QKeySequence& key) {
    QAction* a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty()) a->setShortcut(key);
    return a;
}

QAction* TZudezezor::action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void TZudezezor::buildMenus() {
    buildFileMenu();
    buildEditMenus();
    buildViewMenu();
    buildZoomMenu();
    buildToolsAndHelpMenus();
    addViewInput();
}

void TZudezezor::buildFileMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&Plik"));
    connect(addAction(file, QStringLiteral("&Nowy"), "New1"), &QAction::triggered, this,
            [this] { commands_.New1Click(); });
    connect(addAction(file, QStringLiteral("&Otwórz"), "Open1", QKeySequence(Qt::CTRL | Qt::Key_O)),
            &QAction::triggered, this, [this] { commands_.Open1Click(); });
    connect(addAction(file, QStringLiteral("&Zapisz"), "Save1", QKeySequence(Qt::CTRL | Qt::Key_S)),
            &QAction::triggered, this, [this] { commands_.Save1Click(); });
    connect(addAction(file, QStringLiteral("Zapisz j&ako"), "SaveAs1"), &QAction::triggered, this,
            [this] { commands_.SaveAs1Click(); });
    connect(addAction(file, QStringLiteral("&Zapisz wszystkie pliki"), "Exportallfiles1"),
            &QAction::triggered, this, [this] { commands_.Exportallfiles1Click(); });
    file->addSeparator();
    connect(addAction(file, QStringLiteral("&Wyjście"), "Exit1"), &QAction::triggered, this,
            &QWidget::close);
}

void TZudezezor::buildViewMenu() {
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    QMenu* codes = view->addMenu(QStringLiteral("Kolory &kodowania"));
    codes->setObjectName(QStringLiteral("Colorcodes"));
    colourCodes_ = new QActionGroup(this);
    colourCodes_->setExclusive(true);
    struct Item {
        const char* caption;
        const char* name;
        ColourCode code;
    } items[] = {{"&Płeć", "ColorcodeGender", ColourCode::Gender},
                 {"N&otatki", "ColorcodeNotes", ColourCode::Notes},
                 {"&Zdjęcie", "ColorcodePicture", ColourCode::Picture},
                 {"&Nic", "ColorcodeNone", ColourCode::None}};
    for (const Item& item : items) {
        QAction* a = addAction(codes, QString::fromUtf8(item.caption), item.name);
        a->setCheckable(true);
        a->setData(static_cast<int>(item.code));
        a->setChecked(item.code == ColourCode::None);
        colourCodes_->addAction(a);
        connect(a, &QAction::triggered, this, [this, code = item.code] {
            colourCode_ = code;
            FormPaint();
        });
    }
    addViewToggles(view);
}

void TZudezezor::buildToolsAndHelpMenus() {
    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    connect(addAction(tools, QStringLiteral("&Opcje"), "Options1"), &QAction::triggered, this,
            &TZudezezor::optionsRequested);
    connect(addAction(tools, QStringLiteral("&Czcionka ekranu..."), "ScreenFont1"),
            &QAction::triggered, this, &TZudezezor::screenFontRequested);
    buildCheckCommands(tools);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    connect(addAction(help, QStringLiteral("&Kontestowa"), "Contents1", QKeySequence(Qt::Key_F1)),
            &QAction::triggered, this, &TZudezezor::helpContentsRequested);
    connect(addAction(help, QStringLiteral("&Wyszukiwanie"), "Search1",
                      QKeySequence(Qt::SHIFT | Qt::Key_F1)),
            &QAction::triggered, this, &TZudezezor::helpSearchRequested);
    help->addSeparator();
    connect(addAction(help, QStringLiteral("Strona &domowa"), "HomePage1"), &QAction::triggered,
            this, &TZudezezor::homePageRequested);
    connect(addAction(help, QStringLiteral("&Pomoc techniczna"), "Support1"), &QAction::triggered,
            this, &TZudezezor::supportPageRequested);
    connect(addAction(help, QStringLiteral("&Napisz do nas"), "Feedback1"), &QAction::triggered,
            this, &TZudezezor::feedbackPageRequested);
    help->addSeparator();
    connect(addAction(help, QStringLiteral("&O programie"), "About1"), &QAction::triggered, this,
            &TZudezezor::aboutRequested);
}

void TZudezezor::buildToolBar() {
    toolBar_ = addToolBar(QStringLiteral("Pasek narzędzi"));
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    struct Button {
        const char* caption;
        const char* name;
        QStyle::StandardPixmap icon;
        void (DocumentCommands::*command)();
    } buttons[] = {
        {"&Nowy", "NewButton", QStyle::SP_FileIcon, &DocumentCommands::New1Click},
        {"&Otwórz", "OpenButton", QStyle::SP_DialogOpenButton, &DocumentCommands::Open1Click},
        {"&Zapisz", "SaveButton", QStyle::SP_DialogSaveButton, &DocumentCommands::Save1Click}};
    for (const Button& b : buttons) {
        QAction* a =
            toolBar_->addAction(style()->standardIcon(b.icon), QString::fromUtf8(b.caption));
        a->setObjectName(QString::fromLatin1(b.name));
        connect(a, &QAction::triggered, this,
                [this, command = b.command] { (commands_.*command)(); });
    }
}

void TZudezezor::buildCheckCommands(QMenu* tools) {
    tools->addSeparator();
    connect(addAction(tools, QStringLiteral("&Sprawdź jakość"), "Qualitycheckfile1"),
            &QAction::triggered, this, &TZudezezor::qualityCheckRequested);
    connect(addAction(tools, QStringLiteral("Konwertuj &daty"), "Convertdates1"),
            &QAction::triggered, this, &TZudezezor::dateConversionRequested);
}

}  // namespace lineara
