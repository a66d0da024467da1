// The Help menu and the help buttons: the program's HTML help, opened in
// the browser, and the product's web pages.
#pragma once

#include <QCoreApplication>
#include <QString>

#include "core/settings/settings.h"
#include "gui/common/app_context.h"

namespace lineara {

// The product's other web pages (the home page is in the core's settings).
extern const char kSupportPageAddress[];
extern const char kFeedbackPageAddress[];

// Whether the desktop has a browser: a default program both for ".html" and
// for ".htm".
bool defaultBrowserFound(Shell& shell);

class HelpCommands {
    Q_DECLARE_TR_FUNCTIONS(HelpCommands)

public:
    // The help topics that windows open with their help buttons.
    static constexpr int kQualityCheckTopic = 504;
    static constexpr int kDateConversionTopic = 505;
    static constexpr int kAutoArrangeTopic = 506;

    explicit HelpCommands(AppContext& ctx) : ctx_(ctx) {}

    void contents();       // "&Kontestowa" (F1)
    void keywordSearch();  // "&Wyszukiwanie" (Shift+F1)
    void topic(int number);

    void homePage();
    void supportPage();
    void feedbackPage();

    // The help folder, programDir + "help/".
    QString helpFolder() const;

private:
    void openHelpPage(const QString& page);
    void openWebPage(const char* address);
    void informNoBrowser();

    AppContext& ctx_;
};

}  // namespace lineara
