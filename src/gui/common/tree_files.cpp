#include "gui/common/tree_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace lineara {

QString treeFolder(const std::string& currentFileName) {
    if (currentFileName.empty()) return QString();
    return QFileInfo(QFile::decodeName(QByteArray::fromStdString(currentFileName))).absolutePath();
}

QString fileOfTree(const std::string& currentFileName, const QString& name) {
    const QString folder = treeFolder(currentFileName);
    if (name.isEmpty() || folder.isEmpty() || QDir::isAbsolutePath(name)) return name;
    return QDir(folder).filePath(name);
}

}  // namespace lineara
