#include "gui/platform/program_data.h"

#include <QDir>
#include <QFileInfo>

namespace lineara {

// Set by the build from the install folders it was configured with.
const char kInstalledDataFromBinary[] = LINEARA_INSTALLED_DATA_FROM_BINARY;

namespace {

QString withSlash(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

}  // namespace

ProgramData locateProgramData(const QString& executableFolder, const QString& relativeDataFolder,
                              const std::function<bool(const QString&)>& isFolder) {
    // A build folder has no such sibling (build/src/../share/lineara), and a
    // binary copied by hand into some bin/ without its data keeps working as
    // from the build folder rather than pointing into nothing.
    const QString installed = QDir::cleanPath(withSlash(executableFolder) + relativeDataFolder);
    if (!relativeDataFolder.isEmpty() && isFolder(installed)) return {withSlash(installed), true};
    return {withSlash(QDir::cleanPath(executableFolder)), false};
}

ProgramData locateProgramData(const QString& executableFolder) {
    return locateProgramData(executableFolder, QString::fromUtf8(kInstalledDataFromBinary),
                             [](const QString& path) { return QFileInfo(path).isDir(); });
}

}  // namespace lineara
