#include "gui/app/application.h"

#include <QAction>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>

#include "gui/app/help_commands.h"
#include "gui/canvas/navigator_window.h"
#include "gui/checks/date_convert_window.h"
#include "gui/checks/quality_check_window.h"
#include "gui/dialogs/about_box.h"
#include "gui/dialogs/options_dialog.h"
#include "gui/dialogs/welcome_screen.h"
#include "gui/editor/person_editor.h"
#include "gui/gedcom/gedcom_import_window.h"
#include "gui/lists/go_to_dialog.h"
#include "gui/lists/person_search_window.h"
#include "gui/main_window/document_commands.h"
#include "gui/main_window/edit_commands.h"
#include "gui/main_window/import_export_commands.h"
#include "gui/main_window/main_window.h"
#include "gui/main_window/report_commands.h"
#include "gui/main_window/search_commands.h"
#include "gui/platform/file_association.h"
#include "gui/printing/print_tree_window.h"
#include "gui/recovery/recovery_keeper.h"
#include "gui/recovery/recovery_offer.h"
#include "gui/reports/html_report_window.h"

namespace lineara {

Application::Application(AppContext& ctx, const StartOptions& options) : ctx_(ctx) {
    // The main window's creation: the file association (failures are of no
    // concern to the user), then the settings it paints with. An installed
    // program keeps only its own keys: a desktop entry of its own in the
    // user's folder would shadow the package's for as long as it lives.
    if (!options.dataHome.isEmpty()) {
        registerFileAssociation(*ctx_.registry, ctx_.executablePath,
                                options.installed ? QString() : options.dataHome);
    }
    ctx_.settings = loadAppSettings(*ctx_.registry);
    fileToOpen_ = options.arguments.join(QLatin1Char(' '));

    // The windows, in the order the program has always made them; the
    // others join this list as they are built.
    mainWindow_ = new MainWindow(ctx_);
    navigator_ = new NavigatorWindow(mainWindow_);
    mainWindow_->setNavigator(navigator_);
    personEditor_ = new PersonEditor(ctx_, mainWindow_);
    about_ = new AboutBox(mainWindow_);
    gedcomImport_ = new GedcomImportWindow(mainWindow_);
    mainWindow_->importExport().setGedcomImportWindow(gedcomImport_);
    welcome_ = new WelcomeScreen(ctx_, options.welcomeSwapDraw);
    options_ = new OptionsDialog(ctx_, mainWindow_);
    createCheckWindows();
    printTree_ = new PrintTreeWindow(
        mainWindow_->doc().persons(), ctx_.settings, ctx_.codec, [this] { chooseScreenFont(); },
        mainWindow_);
    mainWindow_->reports().setPrintTreeWindow(printTree_);
    printTree_->setErrorReport([this](const QString& message) {
        ctx_.ui->inform(QStringLiteral("Lineara"), message, MessageIcon::Error);
    });
    createHtmlReport();
    createListWindows();
    help_ = new HelpCommands(ctx_);
    createRecoveryKeeper();
    wireCommands();
    wirePersonEditor();
    wireCheckWindows();
}

Application::~Application() {
    keeper_.reset();
    delete dateConvert_;
    delete qualityCheck_;
    delete help_;
    delete welcome_;
    // The list windows tell the main window when they hide, so they go
    // while it is still whole.
    delete searchWindow_;
    delete goToDialog_;
    delete mainWindow_;  // owns the navigator and the dialogs
}

void Application::wireCommands() {
    connect(welcome_, &WelcomeScreen::startRequested, this, &Application::start);
    connect(welcome_, &WelcomeScreen::homePageRequested, this, [this] { help_->homePage(); });
    connect(mainWindow_, &MainWindow::optionsRequested, options_, [this] { options_->exec(); });
    connect(mainWindow_, &MainWindow::aboutRequested, about_, [this] { about_->exec(); });
    connect(mainWindow_, &MainWindow::screenFontRequested, this, &Application::chooseScreenFont);
    connect(mainWindow_, &MainWindow::helpContentsRequested, this, [this] { help_->contents(); });
    connect(mainWindow_, &MainWindow::autoArrangeHelpRequested, this,
            [this] { help_->topic(HelpCommands::kAutoArrangeTopic); });
    connect(mainWindow_, &MainWindow::helpSearchRequested, this,
            [this] { help_->keywordSearch(); });
    connect(mainWindow_, &MainWindow::homePageRequested, this, [this] { help_->homePage(); });
    connect(mainWindow_, &MainWindow::supportPageRequested, this, [this] { help_->supportPage(); });
    connect(mainWindow_, &MainWindow::feedbackPageRequested, this,
            [this] { help_->feedbackPage(); });
    connect(mainWindow_, &MainWindow::closing, welcome_, &QWidget::close);
    connect(options_, &OptionsDialog::screenFontChanged, mainWindow_, &MainWindow::paintTree);
    connect(options_, &OptionsDialog::charsetChosen, this, &Application::applyCharset);
}

// The editor works on the record the main window asks for (a double
// click, Enter, the Properties items); it finds the record's files from the
// tree file's folder itself.
void Application::wirePersonEditor() {
    connect(mainWindow_, &MainWindow::editPersonRequested, this,
            [this](const PersonRecord* person, bool relationshipPage) {
                if (personEditor_->editPerson(mainWindow_->doc(), person, relationshipPage)) {
                    mainWindow_->paintTree();
                }
            });
}

void Application::show() {
    mainWindow_->setEnabled(false);
    mainWindow_->showMaximized();
    welcome_->show();
    welcome_->raise();
}

void Application::start() {
    welcome_->hide();
    applyCharset(ctx_.settings.charsetChoice);
    navigator_->placeOnScreen();
    navigator_->show();
    navigator_->setEnabled(true);
    mainWindow_->setEnabled(true);
    // A tree brought back takes the place of the one named on the command
    // line: the user chose it just now, knowing what it is.
    const bool restored = offerRecoveries();
    if (!restored && !fileToOpen_.isEmpty()) mainWindow_->openFile(fileToOpen_);
    mainWindow_->show();
    mainWindow_->paintTree();
    mainWindow_->activateWindow();
    mainWindow_->setFocus();
}

void Application::applyCharset(int choice) {
    options_->selectCharset(choice);
    applyCharsetChoice(ctx_, choice);
    mainWindow_->paintTree();
}

void Application::chooseScreenFont() {
    // The options dialog's "Zmień" runs the same command and repaints.
    options_->changeScreenFont();
}

void Application::createCheckWindows() {
    Document& doc = mainWindow_->doc();
    auto edit = [this](const PersonRecord* person) { editPerson(person); };
    auto repaint = [this] { mainWindow_->paintTree(); };
    qualityCheck_ = new QualityCheckWindow(
        doc, ctx_.codec, edit, [this] { help_->topic(HelpCommands::kQualityCheckTopic); }, repaint);
    dateConvert_ = new DateConvertWindow(
        doc, ctx_.codec, edit, [this] { help_->topic(HelpCommands::kDateConversionTopic); },
        repaint);
}

void Application::wireCheckWindows() {
    mainWindow_->setQualityCheck([this] { return qualityCheck_->runCheck(); },
                                 [this](bool modal) { showQualityCheck(modal); });
    connect(mainWindow_, &MainWindow::qualityCheckRequested, qualityCheck_, [this] {
        showQualityCheck(false);
        qualityCheck_->runCheck();
    });
    connect(mainWindow_, &MainWindow::dateConversionRequested, dateConvert_,
            [this] { dateConvert_->askAndConvert(*ctx_.ui); });
}

// The editor opens exactly as for a double click on the canvas: on the
// current person.
void Application::editPerson(const PersonRecord* person) {
    mainWindow_->doc().setCurrentPerson(person);
    mainWindow_->editing().editProperties();
}

void Application::createHtmlReport() {
    HtmlReportWindow::Hooks hooks;
    hooks.qualityCheck = [this] { return qualityCheck_->runCheck(); };
    // The presentation's window is modal, so the check's window must be
    // too for the user to work in it.
    hooks.showQualityCheck = [this] { showQualityCheck(true); };
    hooks.treeFileName = [this] {
        return QFile::decodeName(mainWindow_->doc().currentFileName().c_str());
    };
    hooks.personCount = [this] { return mainWindow_->personCount(); };
    hooks.itemCount = [this] { return mainWindow_->itemCount(); };
    hooks.screenDepth = [] {
        const QScreen* screen = QGuiApplication::primaryScreen();
        return screen != nullptr ? screen->depth() : 24;
    };
    htmlReport_ =
        new HtmlReportWindow(ctx_, mainWindow_->doc().persons(), std::move(hooks), mainWindow_);
    mainWindow_->reports().setHtmlReportWindow(htmlReport_);
}

void Application::showQualityCheck(bool modal) {
    if (modal) {
        qualityCheck_->exec();
        return;
    }
    qualityCheck_->show();
    qualityCheck_->raise();
}

// Both windows move the focus as the main window's own go-to commands do.
// The search window edits as the check windows do: the editor of the
// double click, without the double click's hold on the next press on the
// tree, which the user makes in another window.
void Application::createListWindows() {
    MainWindow* main = mainWindow_;
    ListHost host;
    host.doc = &main->doc();
    host.codec = &ctx_.codec;
    host.goTo = [main](const PersonRecord* person) { main->search().goToPerson(person); };
    host.editCurrent = [main] { main->editing().editProperties(); };
    host.enableMainWindow = [main] { main->setEnabled(true); };
    host.emptyMenu = [main](bool empty) { main->setMenuEmpty(empty); };
    host.searchShown = [main](bool shown) { main->search().searchWindowShown(shown); };
    for (const char* name : {"Search2", "Browser1"}) {
        if (const QAction* a = main->action(QString::fromLatin1(name))) {
            host.searchKeys << a->shortcuts();
        }
    }
    goToDialog_ = new GoToDialog(host, main);
    searchWindow_ = new PersonSearchWindow(host, main);
    connect(main, &MainWindow::childrenListRequested, goToDialog_, &GoToDialog::showChildren);
    connect(main, &MainWindow::siblingsListRequested, goToDialog_, &GoToDialog::showSiblings);
    connect(main, &MainWindow::relativesListRequested, goToDialog_, &GoToDialog::showRelatives);
    connect(main, &MainWindow::browserShowRequested, searchWindow_,
            &PersonSearchWindow::showSearch);
    connect(main, &MainWindow::browserCloseRequested, searchWindow_, &QWidget::close);
    connect(main, &MainWindow::treeChanged, goToDialog_, &GoToDialog::treeChanged);
    connect(main, &MainWindow::treeChanged, searchWindow_, &PersonSearchWindow::treeChanged);
    connect(main, &MainWindow::treeOpenedAnew, searchWindow_, [this] {
        if (searchWindow_->isVisible()) searchWindow_->refresh();
    });
}

}  // namespace lineara

namespace lineara {

void Application::createRecoveryKeeper() {
    keeper_ = std::make_unique<RecoveryKeeper>(mainWindow_->doc(), ctx_.recoveryFolder);
    RecoveryKeeper* keeper = keeper_.get();
    keeper->setWarning([this](const QString& text) { mainWindow_->setStatusText(text); });
    keeper->setIntervalMinutes(ctx_.settings.recoveryMinutes);
    connect(mainWindow_, &MainWindow::treeChanged, keeper, &RecoveryKeeper::treeChanged);
    connect(mainWindow_, &MainWindow::treeSaved, keeper, &RecoveryKeeper::treeSaved);
    // The window has let itself be closed: whatever the answer to the save
    // question, the user no longer wants this tree's changes kept.
    connect(mainWindow_, &MainWindow::closing, keeper, &RecoveryKeeper::discard);
    connect(options_, &OptionsDialog::recoveryIntervalChanged, keeper,
            &RecoveryKeeper::setIntervalMinutes);
    connect(qGuiApp, &QGuiApplication::applicationStateChanged, keeper,
            [keeper](Qt::ApplicationState state) {
                if (state != Qt::ApplicationActive) keeper->focusLost();
            });
}

bool Application::offerRecoveries() {
    RecoveryOfferHooks hooks;
    hooks.checkModified = [this] { return mainWindow_->checkModified(); };
    hooks.restore = [this](const LeftRecovery& left, QString& problem) {
        return mainWindow_->documentCommands().openRecovered(
            QFile::decodeName(QByteArray::fromStdString(left.treePath)),
            QFile::decodeName(QByteArray::fromStdString(left.description.treeFile)), problem);
    };
    hooks.keepRestored = [this] {
        // With the copies switched off the user has chosen to go without.
        if (keeper_->intervalMinutes() == 0) return true;
        keeper_->writeIfChanged();
        keeper_->waitForWrite();
        return keeper_->session() != nullptr && keeper_->session()->hasFiles();
    };
    return offerLeftRecoveries(ctx_.recoveryFolder, *ctx_.ui, hooks) > 0;
}

}  // namespace lineara
