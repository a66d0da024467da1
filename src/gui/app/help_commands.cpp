#include "gui/app/help_commands.h"

#include <QFileInfo>

namespace lineara {

namespace {
const char kNoBrowser[] =
    QT_TRANSLATE_NOOP("HelpCommands", "Lineara could not find your default internet browser.");
}  // namespace

const char kSupportPageAddress[] = "https://lineara.example/support";
const char kFeedbackPageAddress[] = "https://lineara.example/contact";

bool defaultBrowserFound(Shell& shell) {
    // Both must be there: pages are written as ".html", but the web site
    // and older pages use ".htm", and a half-registered browser is a broken
    // one.
    return !shell.defaultProgramFor(QStringLiteral(".html")).isEmpty() &&
           !shell.defaultProgramFor(QStringLiteral(".htm")).isEmpty();
}

QString HelpCommands::helpFolder() const { return ctx_.programDir + QStringLiteral("help/"); }

void HelpCommands::contents() { openHelpPage(QStringLiteral("index.html")); }

void HelpCommands::keywordSearch() { openHelpPage(QStringLiteral("keywords.html")); }

// A topic the help does not have shows the contents, where the reader can
// find the way on.
void HelpCommands::topic(int number) {
    const QString page = QStringLiteral("topic-%1.html").arg(number);
    if (QFileInfo::exists(helpFolder() + page)) {
        openHelpPage(page);
    } else {
        contents();
    }
}

void HelpCommands::openHelpPage(const QString& page) {
    const QString path = helpFolder() + page;
    if (!QFileInfo::exists(path)) {
        ctx_.ui->inform(
            QStringLiteral("Lineara"),
            HelpCommands::tr("Cannot find the help file \"") + path + QStringLiteral("\"."),
            MessageIcon::Warning);
        return;
    }
    // The pages are HTML and open in the browser; when the desktop has no
    // program for them the user must hear of it, as for the web pages.
    if (!ctx_.shell->open(path)) informNoBrowser();
}

void HelpCommands::homePage() { openWebPage(kHomePageAddress); }

void HelpCommands::supportPage() { openWebPage(kSupportPageAddress); }

void HelpCommands::feedbackPage() { openWebPage(kFeedbackPageAddress); }

void HelpCommands::openWebPage(const char* address) {
    if (!defaultBrowserFound(*ctx_.shell) || !ctx_.shell->open(QLatin1String(address))) {
        informNoBrowser();
    }
}

void HelpCommands::informNoBrowser() { ctx_.ui->inform(QStringLiteral("Lineara"), tr(kNoBrowser)); }

}  // namespace lineara
