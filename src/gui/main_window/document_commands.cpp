#include "gui/main_window/document_commands.h"

#include "core/view/viewport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "gui/common/busy_cursor.h"
#include "gui/common/core_texts.h"
#include "gui/common/outside_files_question.h"
#include "render/files/collect_files.h"

namespace lineara {

const char kTreeFileFilter[] = QT_TRANSLATE_NOOP("DocumentCommands", "Lineara files (*.ln3)");

namespace {

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }
QString fromLocalPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

}  // namespace

FileDialogOptions DocumentCommands::treeFileDialog(const QString& title,
                                                   const QString& initial) const {
    FileDialogOptions dialog;
    dialog.title = title;
    dialog.filter = DocumentCommands::tr(kTreeFileFilter);
    dialog.defaultSuffix = QStringLiteral("ln3");
    dialog.initialPath = initial;
    return dialog;
}

bool DocumentCommands::checkModified() {
    if (!env_.document().treeModified()) return true;
    Answer a = env_.ui().askYesNoCancel(DocumentCommands::tr("Potwierdz"),
                                        DocumentCommands::tr("Zapisac zmiany w Twoim drzewie?"));
    if (a == Answer::Cancel) return false;
    // A user who asked to save must not lose the tree because the save did
    // not happen: that stops the caller just as Cancel does.
    if (a == Answer::Yes) return save();
    return true;
}

void DocumentCommands::qualityCheckStep(QualityRow row) {
    env_.setStatusText(DocumentCommands::tr("Performing Quality Check..."));
    int n;
    {
        BusyCursor busy;
        n = env_.runQualityCheck();
    }
    QString result = DocumentCommands::tr("Quality Check Result: ") + QString::number(n);
    env_.setStatusText(result + DocumentCommands::tr(" error(s)"));
    if (n <= 0) return;
    QString question = row == QualityRow::Save
                           ? DocumentCommands::tr(" error(s). Would you like to see the details?")
                           : DocumentCommands::tr(" error(s). Chcesz zobaczyc szczegoly?");
    if (env_.ui().askYesNo(QStringLiteral("Lineara"), result + question, MessageIcon::Error)) {
        env_.showQualityCheckWindow(row != QualityRow::Open);
    }
}

void DocumentCommands::newTree() {
    if (!checkModified()) return;
    Document& doc = env_.document();
    doc.setCurrentFileName(std::string());
    doc.clear();
    env_.repaintTree();
}

void DocumentCommands::openTree() {
    if (!checkModified()) return;
    FileProposals* proposals = env_.fileProposals();
    const QString folder =
        proposals ? proposals->folder(FileKind::Tree, env_.document().currentFileName())
                  : QString();
    QString path = env_.ui().chooseOpenFile(treeFileDialog(DocumentCommands::tr("Otwórz"), folder));
    if (path.isEmpty()) return;
    if (proposals) proposals->remember(FileKind::Tree, path);
    openFile(path);
}

void DocumentCommands::openFile(const QString& path) {
    Document& doc = env_.document();
    {
        BusyCursor busy;
        doc.setCurrentFileName(localPath(path));
        QSize w = env_.windowSize();
        LoadResult r = doc.ReadfromFile(localPath(path));
        if (r.status == LoadResult::Loaded) {
            centreOnHome(env_.view(), doc.persons(), WindowExtent{w.width(), w.height()});
        }
        if (r.status == LoadResult::FileError) {
            env_.repaintTree();
            env_.showError(coreText(r.message));
            return;
        }
        if (r.status == LoadResult::Unrecognized) {
            env_.ui().inform(QStringLiteral("Lineara"), coreText(r.message), MessageIcon::Error);
        }
        env_.repaintTree();
    }
    if (env_.settings().qualityCheckOnOpen) qualityCheckStep(QualityRow::Open);
    env_.treeOpened();
    env_.setStatusText(QStringLiteral("OK"));
}

bool DocumentCommands::openRecovered(const QString& recovered, const QString& treeFile,
                                     QString& problem) {
    Document& doc = env_.document();
    BusyCursor busy;
    LoadResult r = doc.ReadfromFile(localPath(recovered));
    if (!r.loaded()) {
        doc.clear();
        doc.setCurrentFileName(std::string());
        env_.repaintTree();
        problem = coreText(r.message);
        return false;
    }
    doc.setCurrentFileName(localPath(treeFile));
    doc.markModified(ModifiedWithoutStep::TreeRecovered);
    const QSize w = env_.windowSize();
    centreOnHome(env_.view(), doc.persons(), WindowExtent{w.width(), w.height()});
    env_.repaintTree();
    env_.treeOpened();
    return true;
}

bool DocumentCommands::saveTo(const QString& path) {
    Document& doc = env_.document();
    SaveResult r;
    {
        BusyCursor busy;
        r = doc.SavetoFile(localPath(path));
    }
    env_.repaintTree();
    switch (r.status) {
    case SaveResult::Saved:
        env_.treeSaved();
        return true;
    case SaveResult::Refused:
        env_.ui().inform(DocumentCommands::tr("Error"), coreText(r.message), MessageIcon::Error);
        return false;
    case SaveResult::FileError:
        env_.showError(coreText(r.message));
        return false;
    }
    return false;
}

bool DocumentCommands::save() {
    if (env_.settings().qualityCheckOnSave) qualityCheckStep(QualityRow::Save);
    const std::string& name = env_.document().currentFileName();
    bool saved = !name.empty() ? saveTo(fromLocalPath(name)) : saveAs();
    env_.setStatusText(QStringLiteral("OK"));
    return saved;
}

bool DocumentCommands::saveAs() {
    if (env_.settings().qualityCheckOnSave) qualityCheckStep(QualityRow::SaveAs);
    // The tree's own file, or for an untitled tree the folder trees were
    // last saved in or opened from.
    QString initial = fromLocalPath(env_.document().currentFileName());
    FileProposals* proposals = env_.fileProposals();
    if (initial.isEmpty() && proposals) initial = proposals->folder(FileKind::Tree, std::string());
    QString path =
        env_.ui().chooseSaveFile(treeFileDialog(DocumentCommands::tr("Zapisz jako"), initial));
    bool saved = false;
    if (!path.isEmpty()) {
        if (proposals) proposals->remember(FileKind::Tree, path);
        // The document takes the name even when the save refuses it.
        env_.document().setCurrentFileName(localPath(path));
        saved = saveTo(path);
    }
    env_.setStatusText(QStringLiteral("OK"));
    return saved;
}

void DocumentCommands::collectAllFiles() {
    // Read, never changed: the process's working folder is nobody's state.
    // It only stands in for the folder of a tree that has no file yet.
    const QString workingFolder = QDir::currentPath();
    QString chosen = env_.ui().chooseSaveFile(
        treeFileDialog(DocumentCommands::tr("Collect all files"), QString()));
    if (chosen.isEmpty()) return;
    // Fixed once, so that the document's name never depends on a folder.
    QString path = QFileInfo(QDir(workingFolder), chosen).absoluteFilePath();
    Document& doc = env_.document();
    // The tree's files are those of its folder; a tree without a file yet
    // is the working folder's.
    const std::string oldName = doc.currentFileName();
    CollectOptions options;
    options.sourceFolder =
        oldName.empty() ? workingFolder : QFileInfo(fromLocalPath(oldName)).absolutePath();
    const std::vector<OutsideFile> outside =
        treeFilesOutside(doc.persons(), env_.codec(), options.sourceFolder);
    if (!outside.empty()) {
        Answer a = askAboutOutsideFiles(env_.ui(), outside, options.sourceFolder,
                                        DocumentCommands::tr("copy them"));
        if (a == Answer::Cancel) return;
        options.allowOutside = a == Answer::Yes;
    }

    CollectOutcome outcome;
    QString folder = QFileInfo(path).absolutePath() + QLatin1Char('/');
    SaveResult saved;
    QStringList notRemoved;
    {
        BusyCursor busy;
        doc.setCurrentFileName(localPath(path));
        bool modified = doc.treeModified();
        outcome = collectPersonFiles(doc, folder, env_.codec(), options);
        saved = doc.SavetoFile(localPath(path));
        if (!saved.written()) {
            // Without the tree beside them the copies are nobody's: they go,
            // and the tree keeps its files' old names and its own name.
            notRemoved = removeCollectedCopies(outcome);
            if (outcome.namesChanged) doc.takeBackLastStep();
            doc.setCurrentFileName(oldName);
        }
        // Collecting leaves the flag as it was, even though the tree is saved.
        if (modified) doc.markModified(ModifiedWithoutStep::CollectedFilesSaved);
    }
    env_.repaintTree();
    if (!saved.written()) {
        QString text = DocumentCommands::tr("The tree could not be saved as %1:\n%2\n\n")
                           .arg(path, coreText(saved.message));
        if (notRemoved.isEmpty()) {
            text += DocumentCommands::tr("The %1 files copied to %2 were removed again.")
                        .arg(outcome.created.size())
                        .arg(folder);
        } else {
            text += DocumentCommands::tr("These copies could not be removed:\n") +
                    notRemoved.join(QLatin1Char('\n'));
        }
        env_.ui().inform(DocumentCommands::tr("Error"), text, MessageIcon::Error);
        return;
    }
    ++outcome.collected;
    QString text = DocumentCommands::tr("Collected ") + QString::number(outcome.collected) +
                   DocumentCommands::tr(" files to directory ") + folder;
    if (!outcome.failures.isEmpty()) {
        text += DocumentCommands::tr(
                    "\n\nThese files could not be copied and keep their old names:\n") +
                outcome.failures.join(QLatin1Char('\n'));
    }
    if (!outcome.outside.isEmpty()) {
        text += DocumentCommands::tr(
                    "\n\nThese files are outside the tree's folder; they were not "
                    "copied and keep their old names:\n") +
                outcome.outside.join(QLatin1Char('\n'));
    }
    env_.ui().inform(DocumentCommands::tr("Files saved"), text, MessageIcon::Information);
}

}  // namespace lineara
