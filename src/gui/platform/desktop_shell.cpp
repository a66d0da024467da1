#include "gui/platform/desktop_shell.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QTextStream>

namespace lineara {

namespace {

// xdg-mime is a shell script that answers at once; a desktop that hangs
// must not hang the program with it.
constexpr int kQueryTimeoutMs = 3000;

std::string storeText(const QString& text) { return text.toStdString(); }

QString storedDefault(const Registry& registry, const std::string& key) {
    return QString::fromStdString(registry.value(key, std::string()).value_or(std::string()));
}

}  // namespace

QString DesktopShell::defaultProgramFor(const QString& extension) {
    QString program = registeredProgramFor(extension);
    if (!program.isEmpty()) return program;
    return desktopProgramFor(extension);
}

QString DesktopShell::registeredProgramFor(const QString& extension) const {
    const std::string ext = storeText(extension);
    if (!registry_.keyExists(ext)) return QString();
    const std::string fileClass = storeText(storedDefault(registry_, ext));
    // The extension names a file class that carries the command; without
    // one the command may sit under the extension itself.
    const std::string command = (fileClass.empty() ? ext : fileClass) + "\\shell\\open\\command";
    if (!registry_.keyExists(command)) return QString();
    return storedDefault(registry_, command);
}

QString DesktopShell::desktopProgramFor(const QString& extension) {
    QMimeDatabase mimes;
    QString suffix = extension.startsWith(QLatin1Char('.')) ? extension.mid(1) : extension;
    if (suffix.isEmpty()) return QString();
    const QList<QMimeType> types = mimes.mimeTypesForFileName(QStringLiteral("x.") + suffix);
    if (types.isEmpty()) return QString();
    QString desktopId = defaultApplicationFor(types.constFirst().name());
    if (desktopId.isEmpty()) return QString();
    QString path = findDesktopFile(desktopId);
    return path.isEmpty() ? QString() : execLineOf(path);
}

QString DesktopShell::defaultApplicationFor(const QString& mimeType) {
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()) return QString();
    QProcess query;
    query.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    if (!query.waitForFinished(kQueryTimeoutMs)) {
        query.kill();
        query.waitForFinished(kQueryTimeoutMs);
        return QString();
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0) return QString();
    QString answer = QString::fromLocal8Bit(query.readAllStandardOutput());
    return answer.section(QLatin1Char('\n'), 0, 0).trimmed();
}

QStringList DesktopShell::applicationFolders() const {
    return QStandardPaths::standardLocations(QStandardPaths::ApplicationsLocation);
}

// A desktop file id stands for a path below an applications folder, with
// "-" for each folder separator ("kde-okular.desktop" may be
// "kde/okular.desktop").
QString DesktopShell::findDesktopFile(const QString& desktopId) const {
    if (desktopId.contains(QLatin1Char('/'))) return QString();
    QStringList candidates{desktopId};
    QString nested = desktopId;
    for (qsizetype dash = nested.indexOf(QLatin1Char('-')); dash >= 0;
         dash = nested.indexOf(QLatin1Char('-'), dash + 1)) {
        nested[dash] = QLatin1Char('/');
        candidates << nested;
    }
    for (const QString& folder : applicationFolders()) {
        for (const QString& candidate : candidates) {
            QString path = QDir(folder).filePath(candidate);
            if (QFileInfo(path).isFile()) return path;
        }
    }
    return QString();
}

QString DesktopShell::execLineOf(const QString& desktopFilePath) {
    QFile file(desktopFilePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return QString();
    QTextStream in(&file);
    bool inEntry = false;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.startsWith(QLatin1Char('['))) {
            inEntry = line == QLatin1String("[Desktop Entry]");
        } else if (inEntry && line.startsWith(QLatin1String("Exec"))) {
            qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq >= 0 && line.left(eq).trimmed() == QLatin1String("Exec")) {
                return line.mid(eq + 1).trimmed();
            }
        }
    }
    return QString();
}

bool DesktopShell::open(const QString& fileOrUrl) {
    // An address names its scheme ("https:", "mailto:"); anything else is a
    // file. A one-letter scheme would be a drive letter, which has no
    // meaning here, so it counts as a file as well.
    QUrl url(fileOrUrl, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().size() < 2) {
        url = QUrl::fromLocalFile(QFileInfo(fileOrUrl).absoluteFilePath());
    }
    return openUrl(url);
}

bool DesktopShell::openUrl(const QUrl& url) { return QDesktopServices::openUrl(url); }

}  // namespace lineara
