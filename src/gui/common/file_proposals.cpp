#include "gui/common/file_proposals.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/platform/registry.h"
#include "core/settings/settings.h"

namespace lineara {

namespace {

const char* valueName(FileKind kind) {
    switch (kind) {
    case FileKind::Tree:
        return "TreeFolder";
    case FileKind::Gedcom:
        return "GedcomFolder";
    case FileKind::Picture:
        return "PictureFolder";
    case FileKind::Text:
        break;
    }
    return "TextFolder";
}

std::string foldersKey() { return std::string(kSettingsKey) + "\\Folders"; }

QString fromLocal(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

QString FileProposals::folder(FileKind kind, const std::string& treeFile) const {
    QString kept = kept_[static_cast<int>(kind)];
    if (kept.isEmpty() && registry_ != nullptr) {
        if (const auto stored = registry_->value(foldersKey(), valueName(kind))) {
            kept = QString::fromStdString(*stored);
        }
    }
    // A folder since removed or renamed is no help.
    if (!kept.isEmpty() && QFileInfo(kept).isDir()) return kept;
    if (!treeFile.empty()) return QFileInfo(fromLocal(treeFile)).absolutePath();
    return QString();
}

QString FileProposals::proposal(FileKind kind, const std::string& treeFile,
                                const QString& extension) const {
    const QString where = folder(kind, treeFile);
    if (treeFile.empty() || extension.isEmpty()) return where;
    const QString name = QFileInfo(fromLocal(treeFile)).completeBaseName();
    if (name.isEmpty()) return where;
    const QString file = name + QLatin1Char('.') + extension;
    return where.isEmpty() ? file : QDir(where).filePath(file);
}

void FileProposals::remember(FileKind kind, const QString& path) {
    if (path.isEmpty()) return;
    const QString where = QFileInfo(path).absolutePath();
    kept_[static_cast<int>(kind)] = where;
    // Not kept for the next start when the store cannot be written: the
    // folder still serves for this run.
    if (registry_ != nullptr) {
        registry_->write(foldersKey(), valueName(kind), where.toStdString());
    }
}

}  // namespace lineara
