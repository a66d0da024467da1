#include "gui/app/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace lineara {

namespace {

// The program's own language, that of its texts as written.
const char kOwnLanguage[] = "pl_PL";
const char kTranslatorName[] = "lineara-translation";

// Qt's translations name the keys too, and the menus show those names
// beside their items ("Ctrl+Katalog domowy" for Ctrl+Home). Asked after
// Qt's, this keeps the key names the menus have always shown, in every
// language; the dialogs stay translated.
class KeyNamesAsWritten : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char*,
                      int) const override {
        if (qstrcmp(context, "QShortcut") == 0) return QString::fromUtf8(sourceText);
        return QString();
    }
};

}  // namespace

LanguageChoice chooseLanguages(const QStringList& uiLanguages) {
    LanguageChoice choice;
    // Only the first language counts: a Polish or German user who names
    // English as a fallback still gets the texts as written.
    const QLocale first(uiLanguages.isEmpty() ? QStringLiteral("C") : uiLanguages.first());
    if (first.language() == QLocale::English) {
        choice.program = QStringLiteral("en");
        return choice;  // Qt speaks English by itself
    }
    if (first.language() == QLocale::C || first.language() == QLocale::AnyLanguage) {
        choice.qt = QString::fromLatin1(kOwnLanguage);
        return choice;
    }
    choice.qt = first.name();
    return choice;
}

QString translationsFolder(const QString& programDataFolder) {
    return programDataFolder + QStringLiteral("translations/");
}

LanguageChoice installTranslations(QCoreApplication& app, const QStringList& uiLanguages,
                                   const QString& programDataFolder) {
    const LanguageChoice wanted = chooseLanguages(uiLanguages);
    LanguageChoice installed;
    // The file of the language, or of its country's form (qtbase_pt_BR),
    // else of the language alone (qtbase_de for de_AT).
    const auto install = [&app](const QString& locale, const QString& name, const QString& folder) {
        auto* translator = new QTranslator(&app);
        translator->setObjectName(QLatin1String(kTranslatorName));
        if (translator->load(QLocale(locale), name, QStringLiteral("_"), folder) &&
            QCoreApplication::installTranslator(translator)) {
            return true;
        }
        delete translator;
        return false;
    };
    if (!wanted.qt.isEmpty() && install(wanted.qt, QStringLiteral("qtbase"),
                                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        installed.qt = wanted.qt;
        auto* keys = new KeyNamesAsWritten(&app);
        keys->setObjectName(QLatin1String(kTranslatorName));
        QCoreApplication::installTranslator(keys);
    }
    if (!wanted.program.isEmpty() &&
        install(wanted.program, QStringLiteral("lineara"), translationsFolder(programDataFolder))) {
        installed.program = wanted.program;
    }
    return installed;
}

void removeTranslations(QCoreApplication& app) {
    const QString name = QLatin1String(kTranslatorName);
    for (QTranslator* translator :
         app.findChildren<QTranslator*>(name, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(translator);
        delete translator;
    }
}

}  // namespace lineara
