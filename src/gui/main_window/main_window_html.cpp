// The HTML presentation's command.
#include <QDialog>
#include <QMenu>

#include "gui/main_window/main_window.h"

namespace lineara {

void TZudezezor::buildHtmlCommand(QMenu* reports) {
    addRows(reports, {{"Generuj strony &HTML", "HTML1", QKeySequence(), &TZudezezor::HTML1Click}});
}

void TZudezezor::HTML1Click() {
    gestures_.panArmed = false;
    if (doc_.persons().personListHead() == nullptr) {
        ctx_.ui->inform(QStringLiteral("Lineara"), QStringLiteral("Twoje drzewo jest puste."));
        return;
    }
    if (!CheckModified() || htmlReport_ == nullptr) return;
    runDialog(*htmlReport_);
    FormPaint();
}

}  // namespace lineara
