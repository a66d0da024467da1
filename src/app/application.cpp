#include "app/application.h"

#include <QAction>

#include "app/about_box.h"
#include "app/help_commands.h"
#include "app/main_window.h"
#include "app/options_dialog.h"
#include "app/welcome_screen.h"
#include "canvas/navigator.h"
#include "platform/file_association.h"

namespace lineara {

Application::Application(AppContext& ctx, const StartOptions& options) : ctx_(ctx) {
    // The main window's creation: the file association (failures are of no
    // concern to the user), then the settings it paints with.
    if (!options.dataHome.isEmpty()) {
        registerFileAssociation(*ctx_.registry, ctx_.executablePath, options.dataHome);
    }
    ctx_.settings = loadAppSettings(*ctx_.registry);
    fileToOpen_ = options.arguments.join(QLatin1Char(' '));

    // The windows, in the order the program has always made them; the
    // others join this list as they are built.
    mainWindow_ = new TZudezezor(ctx_);
    navigator_ = new TKontroll(mainWindow_);
    mainWindow_->setNavigator(navigator_);
    about_ = new AboutBox(mainWindow_);
    welcome_ = new WelcomeScreen(ctx_, options.welcomeSwapDraw);
    options_ = new OptionsDialog(ctx_, mainWindow_);
    help_ = new HelpCommands(ctx_);
    wireCommands();
}

Application::~Application() {
    delete help_;
    delete welcome_;
    delete mainWindow_;  // owns the navigator and the dialogs
}

void Application::wireCommands() {
    connect(welcome_, &WelcomeScreen::startRequested, this, &Application::start);
    connect(welcome_, &WelcomeScreen::homePageRequested, this,
            [this] { help_->homePage(); });
    connect(mainWindow_, &TZudezezor::optionsRequested, options_, [this] { options_->exec(); });
    connect(mainWindow_, &TZudezezor::aboutRequested, about_, [this] { about_->exec(); });
    connect(mainWindow_, &TZudezezor::screenFontRequested, this, &Application::chooseScreenFont);
    connect(mainWindow_, &TZudezezor::helpContentsRequested, this, [this] { help_->contents(); });
    connect(mainWindow_, &TZudezezor::helpSearchRequested, this,
            [this] { help_->keywordSearch(); });
    connect(mainWindow_, &TZudezezor::homePageRequested, this, [this] { help_->homePage(); });
    connect(mainWindow_, &TZudezezor::supportPageRequested, this,
            [this] { help_->supportPage(); });
    connect(mainWindow_, &TZudezezor::feedbackPageRequested, this,
            [this] { help_->feedbackPage(); });
    connect(mainWindow_, &TZudezezor::closing, welcome_, &QWidget::close);
    connect(options_, &OptionsDialog::screenFontChanged, mainWindow_, &TZudezezor::FormPaint);
    connect(options_, &OptionsDialog::charsetChosen, this, &Application::applyCharset);
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
    if (!fileToOpen_.isEmpty()) mainWindow_->OpenFile(fileToOpen_);
    mainWindow_->show();
    mainWindow_->FormPaint();
    mainWindow_->activateWindow();
    mainWindow_->setFocus();
}

void Application::applyCharset(int choice) {
    options_->selectCharset(choice);
    applyCharsetChoice(ctx_, choice);
    mainWindow_->FormPaint();
}

void Application::chooseScreenFont() {
    // The options dialog's "Zmień" runs the same command and repaints.
    options_->changeScreenFont();
}

}  // namespace lineara
