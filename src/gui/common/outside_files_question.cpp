#include "gui/common/outside_files_question.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace lineara {

namespace {

constexpr size_t kListed = 15;

}  // namespace

StoredFileLocator storedFileLocator(const RecordCodec& codec, const QString& folder) {
    return StoredFileLocator(QFile::encodeName(folder).toStdString(),
                             [&codec](std::string_view stored) {
                                 return QFile::encodeName(codec.decode(stored)).toStdString();
                             });
}

std::vector<OutsideFile> treeFilesOutside(const PersonList& list, const RecordCodec& codec,
                                          const QString& folder) {
    return filesOutsideFolder(list, storedFileLocator(codec, folder),
                              QFile::encodeName(folder).toStdString());
}

Answer askAboutOutsideFiles(UserInteraction& ui, const std::vector<OutsideFile>& files,
                            const QString& folder, const QString& use) {
    QString text = QCoreApplication::translate("OutsideFiles",
                                               "The tree names %1 file(s) outside its folder %2:\n")
                       .arg(files.size())
                       .arg(QDir::toNativeSeparators(folder));
    for (size_t i = 0; i < files.size() && i < kListed; ++i) {
        text += QLatin1Char('\n') + QFile::decodeName(QByteArray::fromStdString(files[i].path));
    }
    if (files.size() > kListed) {
        text += QCoreApplication::translate("OutsideFiles", "\n... and %1 more")
                    .arg(files.size() - kListed);
    }
    text += QCoreApplication::translate("OutsideFiles",
                                        "\n\nShould Lineara %1 too? Yes: %1. No: leave them out.")
                .arg(use);
    return ui.askYesNoCancel(QStringLiteral("Lineara"), text);
}

}  // namespace lineara
