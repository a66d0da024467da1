#include "gui/main_window/report_commands.h"

#include <QDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "gui/lists/list_commands.h"
#include "gui/printing/printer_pages.h"
#include "render/printing/tree_printer.h"

namespace lineara {

void ReportCommands::showPrintTreeWindow() {
    env_.gestures().disarmPanning();
    if (printTreeWindow_ == nullptr) return;
    printTreeWindow_->show();
    printTreeWindow_->raise();
    printTreeWindow_->activateWindow();
}

void ReportCommands::printScreen() {
    QPrinter printer(QPrinter::HighResolution);
    const bool accepted = screenPrintDialog_ ? screenPrintDialog_(printer) : [&] {
        QPrintDialog dialog(&printer, env_.dialogParent());
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        return dialog.exec() == QDialog::Accepted;
    }();
    if (!accepted) return;
    const QImage picture = env_.windowPicture();
    std::string error;
    printOnPrinter(
        printer, [&](PageTarget& pages) { return printImageFitted(pages, picture); }, error);
    if (!error.empty()) env_.showError(QString::fromStdString(error));
}

void ReportCommands::saveAllPersonsList() {
    const Document& doc = env_.document();
    ListCommands(doc.persons(), env_.codec(), env_.ui(), env_.shell(), env_.fileProposals(),
                 doc.currentFileName())
        .SavetoFile1Click();
}

void ReportCommands::saveSurnamesList() {
    const Document& doc = env_.document();
    ListCommands(doc.persons(), env_.codec(), env_.ui(), env_.shell(), env_.fileProposals(),
                 doc.currentFileName())
        .Surnames1Click();
}

void ReportCommands::generateHtml() {
    env_.gestures().disarmPanning();
    if (env_.document().persons().personListHead() == nullptr) {
        env_.ui().inform(QStringLiteral("Lineara"), ReportCommands::tr("Twoje drzewo jest puste."));
        return;
    }
    if (!env_.checkModified() || htmlReport_ == nullptr) return;
    env_.runDialog(*htmlReport_);
    env_.repaintTree();
}

}  // namespace lineara
