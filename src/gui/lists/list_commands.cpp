#include "gui/lists/list_commands.h"

#include <QDir>
#include <QFile>

#include "core/platform/atomic_file.h"
#include "gui/common/busy_cursor.h"

namespace lineara {

const char kNoTextViewer[] = "File is saved, but Lineara could not find your default text viewer.";

Recode utf8From(const RecordCodec& codec) {
    return [&codec](std::string_view text) {
        const QByteArray utf8 = codec.decode(text).toUtf8();
        return std::string(utf8.constData(), size_t(utf8.size()));
    };
}

std::vector<std::string> personListText(const PersonList& list, const RecordCodec& codec) {
    return personListLines(list, readersOrder("UTF-8"), utf8From(codec));
}

std::vector<std::string> surnameListText(const PersonList& list, const RecordCodec& codec) {
    return surnameListLines(list, readersOrder("UTF-8"), utf8From(codec));
}

bool writeListFile(const QString& path, const std::vector<std::string>& lines, std::string& error) {
    const std::string text = joinLines(lines);
    return writeFileAtomically(QFile::encodeName(path).toStdString(), text.data(), text.size(),
                               error);
}

void ListCommands::SavetoFile1Click() {
    std::vector<std::string> lines;
    {
        BusyCursor busy;
        lines = personListText(list_, codec_);
    }
    saveAndOpen(lines, QStringLiteral("Zapisz alfabetycznie"));
}

void ListCommands::Surnames1Click() {
    std::vector<std::string> lines;
    {
        BusyCursor busy;
        lines = surnameListText(list_, codec_);
    }
    saveAndOpen(lines, QStringLiteral("Zapisz alfabetycznie nazwiska"));
}

void ListCommands::saveAndOpen(const std::vector<std::string>& lines, const QString& title) {
    FileDialogOptions dialog;
    dialog.title = title;
    dialog.filter = QStringLiteral("Text file (*.txt)");
    dialog.defaultSuffix = QStringLiteral("txt");
    if (proposals_)
        dialog.initialPath = proposals_->proposal(FileKind::Text, treeFile_, dialog.defaultSuffix);
    const QString path = ui_.chooseSaveFile(dialog);
    if (path.isEmpty()) return;
    if (proposals_) proposals_->remember(FileKind::Text, path);
    std::string error;
    if (!writeListFile(path, lines, error)) {
        ui_.inform(QStringLiteral("Lineara"), QString::fromStdString(error), MessageIcon::Error);
        return;
    }
    if (shell_.defaultProgramFor(QStringLiteral(".txt")).isEmpty()) {
        ui_.inform(QStringLiteral("Lineara"), QLatin1String(kNoTextViewer));
        return;
    }
    shell_.open(QDir::cleanPath(QDir::current().absoluteFilePath(path)));
}

}  // namespace lineara
