// The reports: printing the tree (its window, which the program plugs in)
// and the screen, the alphabetical lists, and the HTML presentation (its
// window, which the program plugs in too).
#pragma once

#include <QCoreApplication>
#include <QImage>
#include <QPointer>
#include <functional>

#include "core/model/document.h"
#include "gui/canvas/canvas_interaction.h"
#include "gui/common/file_proposals.h"
#include "gui/platform/shell.h"
#include "gui/platform/user_interaction.h"
#include "render/platform/record_codec.h"

class QDialog;
class QPrinter;
class QWidget;

namespace lineara {

class ReportEnvironment {
public:
    virtual ~ReportEnvironment() = default;
    virtual Document& document() = 0;
    virtual UserInteraction& ui() = 0;
    virtual Shell& shell() = 0;
    virtual const RecordCodec& codec() const = 0;
    virtual FileProposals* fileProposals() = 0;
    virtual GestureControl& gestures() = 0;
    virtual bool checkModified() = 0;
    virtual void repaintTree() = 0;
    virtual void showError(const QString& message) = 0;
    virtual void runDialog(QDialog& dialog) = 0;
    virtual QWidget* dialogParent() = 0;
    // What the window shows now, for "Drukuj ek&ran".
    virtual QImage windowPicture() = 0;
};

class ReportCommands {
    Q_DECLARE_TR_FUNCTIONS(ReportCommands)

public:
    explicit ReportCommands(ReportEnvironment& env) : env_(env) {}

    // "&Drukuj drzewo": the print window.
    void showPrintTreeWindow();
    void setPrintTreeWindow(QWidget* window) { printTreeWindow_ = window; }
    // "Drukuj ek&ran": the print dialog, then the window's picture on one
    // page. Tests replace the dialog.
    void printScreen();
    using PrintDialogRunner = std::function<bool(QPrinter&)>;
    void setScreenPrintDialog(PrintDialogRunner dialog) { screenPrintDialog_ = std::move(dialog); }
    // "&Wszystkie osoby" and "&Nazwiska" of "&Alfabetyczna lista".
    void saveAllPersonsList();
    void saveSurnamesList();
    // "Generuj strony &HTML": the presentation window, shown modally over
    // a tree that is not empty.
    void generateHtml();
    void setHtmlReportWindow(QDialog* window) { htmlReport_ = window; }

private:
    ReportEnvironment& env_;
    QPointer<QWidget> printTreeWindow_;
    PrintDialogRunner screenPrintDialog_;
    QPointer<QDialog> htmlReport_;
};

}  // namespace lineara
