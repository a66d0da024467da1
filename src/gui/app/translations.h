// The languages the program speaks. Its texts are written in Polish (with
// the English ones it has always had) and that is what everyone gets, but
// for a user whose desktop speaks English, who gets the English
// translation. Qt's own dialogs (files, colours, fonts, printing) follow
// the user's language, and Polish where the desktop names none, so that a
// Polish program never opens English dialogs.
#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

namespace lineara {

struct LanguageChoice {
    QString program;  // the program's translation ("en"); empty: its own texts
    QString qt;       // the locale of Qt's dialogs ("pl_PL", "pt_BR", ...); empty: none
};

// The choice for a user whose languages are `uiLanguages` (QLocale's, most
// wanted first: "en-US", "pl-PL", "C").
LanguageChoice chooseLanguages(const QStringList& uiLanguages);

// The folder of the program's translations within its data folder.
QString translationsFolder(const QString& programDataFolder);

// Loads and installs into `app` the translations the user's languages
// choose: the program's from `programDataFolder` + "translations/", Qt's
// from Qt's own folder. Translators that cannot be loaded are left out (the
// texts stay as written). Returns what was installed.
LanguageChoice installTranslations(QCoreApplication& app, const QStringList& uiLanguages,
                                   const QString& programDataFolder);

// Takes back what installTranslations installed: the texts are as written.
void removeTranslations(QCoreApplication& app);

}  // namespace lineara
