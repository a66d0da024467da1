// The import of trees of the two older versions from the File menu: the
// modified check, the open dialog, the reader, then the tree shown from its
// home person at 100 %. The reading is in core/formats.
#include <QFile>
#include <QMenu>

#include "core/formats/legacy_v1.h"
#include "core/formats/legacy_v1_5.h"
#include "core/view/viewport.h"
#include "gui/common/busy_cursor.h"
#include "gui/main_window/main_window.h"

namespace lineara {

struct TZudezezor::LegacyImportCommand {
    const char* title;
    const char* filter;
    bool version15;
};

void TZudezezor::buildLegacyImportItems(QMenu* file) {
    file->addSeparator();
    addRows(file,
            {{"Import version 1.&0", "Version101", QKeySequence(), &TZudezezor::Version101Click},
             {"Import version 1.&5.x", "Openversion1531", QKeySequence(),
              &TZudezezor::Openversion1531Click}});
}

void TZudezezor::Version101Click() {
    importLegacyTree({"Import from version 1.0", "Stirpex version 1.0 (*.ln)", false});
}

void TZudezezor::Openversion1531Click() {
    importLegacyTree({"Import from version 1.5.x", "Stirpex version 1.5.x (*.ln2)", true});
}

void TZudezezor::importLegacyTree(const LegacyImportCommand& command) {
    if (!CheckModified()) return;
    FileDialogOptions dialog;
    dialog.title = QString::fromLatin1(command.title);
    dialog.filter = QString::fromLatin1(command.filter);
    // Both dialogs have always completed a bare name with ".ln".
    dialog.defaultSuffix = QStringLiteral("ln");
    const QString path = ctx_.ui->chooseOpenFile(dialog);
    if (path.isEmpty()) return;

    LegacyImportResult result;
    {
        BusyCursor busy;
        const std::string local = QFile::encodeName(path).toStdString();
        result = command.version15
                     ? ReadfromFilev1_5(doc_, local, ctx_.settings.dateStandardization)
                     : ReadfromFilev1(doc_, local);
        // A failed import has left the tree and its view as they were.
        if (result.ok) {
            const QSize window = windowSize();
            centreOnHome(view_, doc_.persons(), WindowExtent{window.width(), window.height()});
        }
    }
    if (!result.ok) {
        ctx_.ui->inform(QStringLiteral("Lineara"), QString::fromStdString(result.message),
                        MessageIcon::Error);
    }
    FormPaint();
}

}  // namespace lineara
