// Printing the tree and the screen, and the alphabetical lists.
#include <QAction>
#include <QMenuBar>
#include <QPrintDialog>
#include <QPrinter>

#include "gui/lists/list_commands.h"
#include "gui/main_window/main_window.h"
#include "gui/printing/pdf_file_pages.h"
#include "gui/printing/tree_printer.h"

namespace lineara {

// The two print commands join the File menu above "&Wyjście"; the lists
// have a menu of their own before Help.
void TZudezezor::buildPrintCommands(QMenu* file) {
    file->addSeparator();
    addRows(file, {{"&Drukuj drzewo", "Printtree1", QKeySequence(), &TZudezezor::Printtree1Click},
                   {"Drukuj ek&ran", "Print1", QKeySequence(), &TZudezezor::Print1Click}});
}

void TZudezezor::buildReportsMenu() {
    QMenu* reports = new QMenu(QStringLiteral("&Reports"), menuBar());
    buildHtmlCommand(reports);
    QMenu* lists = reports->addMenu(QStringLiteral("&Alfabetyczna lista"));
    addRows(lists,
            {{"&Wszystkie osoby", "SavetoFile1", QKeySequence(), &TZudezezor::SavetoFile1Click},
             {"&Nazwiska", "Surnames1", QKeySequence(), &TZudezezor::Surnames1Click}});
    QAction* help = nullptr;
    for (QAction* a : menuBar()->actions()) {
        if (a->text() == QStringLiteral("&Help")) help = a;
    }
    menuBar()->insertMenu(help, reports);
}

void TZudezezor::Printtree1Click() {
    gestures_.panArmed = false;
    if (printTreeWindow_ == nullptr) return;
    printTreeWindow_->show();
    printTreeWindow_->raise();
    printTreeWindow_->activateWindow();
}

void TZudezezor::Print1Click() {
    QPrinter printer(QPrinter::HighResolution);
    const bool accepted = screenPrintDialog_ ? screenPrintDialog_(printer) : [&] {
        QPrintDialog dialog(&printer, this);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        return dialog.exec() == QDialog::Accepted;
    }();
    if (!accepted) return;
    const QImage picture = grab().toImage();
    std::string error;
    printOnPrinter(
        printer, [&](PageTarget& pages) { return printImageFitted(pages, picture); }, error);
    if (!error.empty()) showError(QString::fromStdString(error));
}

void TZudezezor::SavetoFile1Click() {
    ListCommands(doc_.persons(), ctx_.codec, *ctx_.ui, *ctx_.shell, &proposals_,
                 doc_.currentFileName())
        .SavetoFile1Click();
}

void TZudezezor::Surnames1Click() {
    ListCommands(doc_.persons(), ctx_.codec, *ctx_.ui, *ctx_.shell, &proposals_,
                 doc_.currentFileName())
        .Surnames1Click();
}

}  // namespace lineara
