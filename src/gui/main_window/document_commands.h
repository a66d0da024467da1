// The File menu's commands over the document: New, Open, Save, Save as,
// Collect all files, and the modified check they share.
//
// They see the main window only through DocumentEnvironment, so tests can
// run them against a scripted user without the rest of the program.
#pragma once

#include <QCoreApplication>
#include <QSize>
#include <QString>

#include "core/model/document.h"
#include "core/settings/settings.h"
#include "core/view/view_state.h"
#include "gui/common/file_proposals.h"
#include "gui/platform/user_interaction.h"
#include "render/platform/record_codec.h"

namespace lineara {

class DocumentEnvironment {
public:
    virtual ~DocumentEnvironment() = default;
    virtual Document& document() = 0;
    virtual ViewState& view() = 0;
    virtual QSize windowSize() const = 0;
    virtual UserInteraction& ui() = 0;
    virtual const AppSettings& settings() const = 0;
    virtual const RecordCodec& codec() const = 0;
    virtual void repaintTree() = 0;
    virtual void setStatusText(const QString& text) = 0;
    // The general error handler: shows a file error's message.
    virtual void showError(const QString& message) = 0;
    // The quality check of picture and notes files; returns the number of
    // problems found. `modal` says how its window is shown when asked for.
    virtual int runQualityCheck() = 0;
    virtual void showQualityCheckWindow(bool modal) = 0;
    // Called after a tree was opened (e.g. to refill an open search list).
    virtual void treeOpened() {}
    // Called after the tree was written to its own file.
    virtual void treeSaved() {}
    // The folders the file dialogs offer; none: the dialogs' own choice.
    virtual FileProposals* fileProposals() { return nullptr; }
};

extern const char kTreeFileFilter[];  // "Lineara files (*.ln3)"

class DocumentCommands {
    Q_DECLARE_TR_FUNCTIONS(DocumentCommands)

public:
    explicit DocumentCommands(DocumentEnvironment& env) : env_(env) {}

    // Asks to save a modified tree; false when the user stopped (Cancel, or
    // a save that did not happen).
    bool checkModified();
    void newTree();
    // Chooses a tree file, then opens it.
    void openTree();
    void openFile(const QString& path);
    // The two save commands, telling whether the tree is now in its file:
    // false after a cancelled dialog, a refused name or a failed write.
    bool save();
    bool saveAs();
    // Opens the tree kept in the recovery file `recovered` as the modified
    // tree of `treeFile` ("" for an untitled tree), so that a save puts it
    // where it belongs. False, with the tree emptied and the reason in
    // `problem`, when the file does not read as a tree.
    bool openRecovered(const QString& recovered, const QString& treeFile, QString& problem);
    // "Zapisz wszystkie p&liki": the tree and every file it names, copied
    // to the folder of a new tree file.
    void collectAllFiles();

private:
    enum class QualityRow { Open, Save, SaveAs };
    void qualityCheckStep(QualityRow row);
    // The tree written to `path`, with the cursor and the outcome handled; true if written.
    bool saveTo(const QString& path);
    FileDialogOptions treeFileDialog(const QString& title, const QString& initial) const;

    DocumentEnvironment& env_;
};

}  // namespace lineara
