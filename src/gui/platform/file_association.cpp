#include "gui/platform/file_association.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QStringList>
#include <string>

#include "core/platform/atomic_file.h"

namespace lineara {

const char kTreeMimeType[] = "application/x-lineara-tree";

namespace {

// The cache tools take well under a second; a stuck one is left behind
// rather than waited for.
constexpr int kToolTimeoutMs = 5000;

void writeAssociationKeys(Registry& registry, const std::string& executable) {
    registry.write(".ln3", "", "lineara_file");
    registry.write("lineara_file", "", "Lineara Tree");
    registry.write("lineara_file\\DefaultIcon", "", executable + ",0");
    registry.createKey("lineara_file\\shell");
    registry.createKey("lineara_file\\shell\\open");
    registry.write("lineara_file\\shell\\open\\command", "", "\"" + executable + "\" %1");
}

QString mimePackage() {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"") +
           QLatin1String(kTreeMimeType) +
           QStringLiteral(
               "\">\n"
               "    <comment>Lineara Tree</comment>\n"
               "    <glob pattern=\"*.ln3\"/>\n"
               "  </mime-type>\n"
               "</mime-info>\n");
}

QString desktopEntry(const QString& executablePath) {
    QStringList lines{
        QStringLiteral("[Desktop Entry]"),
        QStringLiteral("Type=Application"),
        QStringLiteral("Name=Lineara"),
        QStringLiteral("Comment=Family tree designer"),
        QStringLiteral("Exec=") + desktopExecArgument(executablePath) + QStringLiteral(" %f"),
        QStringLiteral("MimeType=") + QLatin1String(kTreeMimeType) + QLatin1Char(';'),
        QStringLiteral("Terminal=false"),
        QStringLiteral("Categories=Office;"),
    };
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

// Writes the file unless it already holds exactly this text; tells whether
// it was written.
bool writeIfChanged(const QString& path, const QString& text) {
    const QByteArray bytes = text.toUtf8();
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == bytes) return false;
    existing.close();
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
    std::string ignored;
    return writeFileAtomically(QFile::encodeName(path).toStdString(), bytes.constData(),
                               static_cast<size_t>(bytes.size()), ignored);
}

void runTool(const QString& name, const QString& folder) {
    const QString program = QStandardPaths::findExecutable(name);
    if (program.isEmpty()) return;
    QProcess tool;
    tool.start(program, {folder});
    if (!tool.waitForFinished(kToolTimeoutMs)) {
        tool.kill();
        tool.waitForFinished(kToolTimeoutMs);
    }
}

}  // namespace

QString desktopExecArgument(const QString& path) {
    // "%" introduces a field code anywhere on the line.
    QString arg = path;
    arg.replace(QLatin1Char('%'), QStringLiteral("%%"));
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = false;
    for (QChar c : arg) needsQuotes = needsQuotes || reserved.contains(c);
    if (!needsQuotes) return arg;
    // Inside quotes these four take a backslash, and the backslashes of
    // the result are then escaped once more as any value's are.
    QString quoted;
    for (QChar c : arg) {
        if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')) {
            quoted += QStringLiteral("\\\\");
        } else if (c == QLatin1Char('\\')) {
            quoted += QStringLiteral("\\\\\\");
        }
        quoted += c;
    }
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void registerFileAssociation(Registry& registry, const QString& executablePath,
                             const QString& dataHome) {
    writeAssociationKeys(registry, executablePath.toStdString());
    if (dataHome.isEmpty()) return;

    const QDir home(dataHome);
    const QString mimeFolder = home.filePath(QStringLiteral("mime"));
    const QString appFolder = home.filePath(QStringLiteral("applications"));
    bool mimeChanged = writeIfChanged(
        QDir(mimeFolder).filePath(QStringLiteral("packages/lineara.xml")), mimePackage());
    bool entryChanged = writeIfChanged(QDir(appFolder).filePath(QStringLiteral("lineara.desktop")),
                                       desktopEntry(executablePath));
    if (mimeChanged) runTool(QStringLiteral("update-mime-database"), mimeFolder);
    if (entryChanged) runTool(QStringLiteral("update-desktop-database"), appFolder);
}

}  // namespace lineara
