// The program as a whole: every window created once, in a fixed order, the
// welcome screen in front of the still disabled main window, and the start
// sequence that hands over to the main window.
#pragma once

#include <QObject>
#include <QStringList>
#include <memory>

#include "gui/common/app_context.h"

namespace lineara {

class MainWindow;
class NavigatorWindow;
class WelcomeScreen;
class OptionsDialog;
class AboutBox;
class HelpCommands;
class PersonEditor;
class QualityCheckWindow;
class PersonRecord;
class DateConvertWindow;
class GedcomImportWindow;
class PrintTreeWindow;
class HtmlReportWindow;
class GoToDialog;
class PersonSearchWindow;
class RecoveryKeeper;

struct StartOptions {
    QStringList arguments;     // the command line without the program name
    QString dataHome;          // where the file association is installed; "" skips it
    bool installed = false;    // the package put the MIME type and desktop entry in place
    int welcomeSwapDraw = -1;  // -1: drawn at random
};

class Application : public QObject {
    Q_OBJECT
public:
    Application(AppContext& ctx, const StartOptions& options);
    ~Application() override;

    // Shows the welcome screen in front of the disabled main window.
    void show();
    // "Start Lineara": the welcome screen is gone, the main window takes over.
    void start();

    // The file named on the command line, "" when none.
    const QString& fileToOpen() const { return fileToOpen_; }

    MainWindow* mainWindow() const { return mainWindow_; }
    NavigatorWindow* navigator() const { return navigator_; }
    WelcomeScreen* welcomeScreen() const { return welcome_; }
    OptionsDialog* optionsDialog() const { return options_; }
    AboutBox* aboutBox() const { return about_; }
    PersonEditor* personEditor() const { return personEditor_; }
    QualityCheckWindow* qualityCheckWindow() const { return qualityCheck_; }
    DateConvertWindow* dateConvertWindow() const { return dateConvert_; }
    GedcomImportWindow* gedcomImportWindow() const { return gedcomImport_; }
    PrintTreeWindow* printTreeWindow() const { return printTree_; }
    HtmlReportWindow* htmlReportWindow() const { return htmlReport_; }
    GoToDialog* goToDialog() const { return goToDialog_; }
    PersonSearchWindow* personSearchWindow() const { return searchWindow_; }
    RecoveryKeeper* recoveryKeeper() const { return keeper_.get(); }

    // Offers the trees left unsaved by programs that died; true when one
    // was restored. Part of start().
    bool offerRecoveries();

    // The screen-font command: the font dialog, then a repaint.
    void chooseScreenFont();
    void applyCharset(int choice);

private:
    void wireCommands();
    void openWebPage(void (HelpCommands::*page)());
    void wirePersonEditor();
    void createCheckWindows();
    void wireCheckWindows();
    void editPerson(const PersonRecord* person);
    void showQualityCheck(bool modal);
    void createListWindows();
    void createHtmlReport();
    void createRecoveryKeeper();

    AppContext& ctx_;
    QString fileToOpen_;
    MainWindow* mainWindow_ = nullptr;
    NavigatorWindow* navigator_ = nullptr;
    PersonEditor* personEditor_ = nullptr;
    AboutBox* about_ = nullptr;
    GedcomImportWindow* gedcomImport_ = nullptr;  // owned by the main window
    WelcomeScreen* welcome_ = nullptr;
    OptionsDialog* options_ = nullptr;
    HelpCommands* help_ = nullptr;
    // Top-level windows without a parent: they listen to the main window's
    // person list and so must go before it does.
    QualityCheckWindow* qualityCheck_ = nullptr;
    DateConvertWindow* dateConvert_ = nullptr;
    PrintTreeWindow* printTree_ = nullptr;    // a child of the main window
    HtmlReportWindow* htmlReport_ = nullptr;  // a child of the main window
    // The go-to and search windows; the main window owns them.
    GoToDialog* goToDialog_ = nullptr;
    PersonSearchWindow* searchWindow_ = nullptr;
    // Reads the main window's document, so it goes before the window.
    std::unique_ptr<RecoveryKeeper> keeper_;
};

}  // namespace lineara
