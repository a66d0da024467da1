// lineara: the desktop program. Everything is built and wired in
// Application; this only provides the pieces that are real here: the
// settings file, the dialogs and the desktop.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QStandardPaths>
#include <csignal>
#include <cstdlib>

#include "core/platform/recovery_store.h"
#include "gui/app/application.h"
#include "gui/app/translations.h"
#include "gui/main_window/main_window.h"
#include "gui/platform/desktop_shell.h"
#include "gui/platform/program_data.h"
#include "gui/platform/qt_user_interaction.h"

int main(int argc, char** argv) {
    // Past a file-size limit a write fails with "File too large", which every
    // writer reports, leaving the old file and no temporary one; the signal
    // sent as well would end the process there and then.
    signal(SIGXFSZ, SIG_IGN);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("lineara"));

    QString configDir = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(configDir);
    lineara::Registry registry(
        QFile::encodeName(configDir + QStringLiteral("/registry.ini")).toStdString());
    lineara::QtUserInteraction ui;
    lineara::DesktopShell shell(registry);

    lineara::AppContext ctx;
    ctx.registry = &registry;
    ctx.ui = &ui;
    ctx.shell = &shell;
    ctx.executablePath = QCoreApplication::applicationFilePath();
    const lineara::ProgramData data =
        lineara::locateProgramData(QCoreApplication::applicationDirPath());
    ctx.programDir = data.folder;
    lineara::installTranslations(app, QLocale().uiLanguages(), data.folder);
    ctx.recoveryFolder = QFile::decodeName(
        lineara::recoveryFolderFrom(std::getenv("XDG_STATE_HOME"), std::getenv("HOME")).c_str());

    lineara::StartOptions options;
    options.arguments = QCoreApplication::arguments().mid(1);
    options.dataHome = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    options.installed = data.installed;

    lineara::Application program(ctx, options);
    ui.setParent(program.mainWindow());
    program.show();
    return app.exec();
}
