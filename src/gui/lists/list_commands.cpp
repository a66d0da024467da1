#include "gui/lists/list_commands.h"

#include <QDir>

#include "gui/common/busy_cursor.h"

namespace lineara {

const char kNoTextViewer[] = QT_TRANSLATE_NOOP(
    "ListCommands", "File is saved, but Lineara could not find your default text viewer.");

void ListCommands::SavetoFile1Click() {
    std::vector<std::string> lines;
    {
        BusyCursor busy;
        lines = personListText(list_, codec_);
    }
    saveAndOpen(lines, ListCommands::tr("Zapisz alfabetycznie"));
}

void ListCommands::Surnames1Click() {
    std::vector<std::string> lines;
    {
        BusyCursor busy;
        lines = surnameListText(list_, codec_);
    }
    saveAndOpen(lines, ListCommands::tr("Zapisz alfabetycznie nazwiska"));
}

void ListCommands::saveAndOpen(const std::vector<std::string>& lines, const QString& title) {
    FileDialogOptions dialog;
    dialog.title = title;
    dialog.filter = ListCommands::tr("Text file (*.txt)");
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
        ui_.inform(QStringLiteral("Lineara"), tr(kNoTextViewer));
        return;
    }
    shell_.open(QDir::cleanPath(QDir::current().absoluteFilePath(path)));
}

}  // namespace lineara
