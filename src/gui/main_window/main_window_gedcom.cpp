// GEDCOM export and import from the File menu. The file formats live in
// core/gedcom; here they meet the dialogs, the import window, the cursor
// and the view.
#include <QApplication>
#include <QFile>
#include <QMenu>

#include "core/gedcom/gedcom_export.h"
#include "core/gedcom/gedcom_import.h"
#include "core/gedcom/gedcom_texts.h"
#include "core/history/step_names.h"
#include "core/layout/auto_arrange.h"
#include "gui/common/busy_cursor.h"
#include "gui/gedcom/gedcom_import_window.h"
#include "gui/main_window/main_window.h"

namespace lineara {

namespace {

std::string localPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

FileDialogOptions gedcomDialog(const QString& title, const char* filter) {
    FileDialogOptions dialog;
    dialog.title = title;
    dialog.filter = qtFileFilter(filter);
    dialog.defaultSuffix = QString::fromLatin1(kGedcomDefaultExtension);
    return dialog;
}

}  // namespace

void TZudezezor::buildGedcomCommands(QMenu* file) {
    file->addSeparator();
    addRows(file, {{kGedcomImportMenuItem, "Read1", QKeySequence(), &TZudezezor::Read1Click},
                   {kGedcomExportMenuItem, "Write1", QKeySequence(), &TZudezezor::Write1Click}});
}

void TZudezezor::setGedcomImport(TGedcomImport* window) { gedcomImport_ = window; }

// The export only reads the tree, and the file holds less than the tree
// file does (no pictures, notes or places of the boxes): writing it is not
// saving the tree, so the modified flag stays as it was.
//
// The dialog's first choice is the program's own form; the second writes
// the standard form, in UTF-8, for other programs.
void TZudezezor::Write1Click() {
    FileDialogOptions dialog =
        gedcomDialog(QString::fromUtf8(kGedcomExportDialogTitle), kGedcomExportFilter);
    const QString standard = qtFileFilter(kGedcomStandardExportFilter);
    dialog.filter += QStringLiteral(";;") + standard;
    dialog.confirmOverwrite = true;
    dialog.initialPath =
        proposals_.proposal(FileKind::Gedcom, doc_.currentFileName(), dialog.defaultSuffix);
    QString chosen;
    dialog.selectedFilter = &chosen;
    const QString path = ctx_.ui->chooseSaveFile(dialog);
    if (path.isEmpty()) return;
    proposals_.remember(FileKind::Gedcom, path);
    GedcomExportOptions options;
    if (chosen == standard) {
        options.form = GedcomForm::Standard;
        options.codePage = ctx_.codec.codePage();
    }
    GedcomExportResult result;
    {
        BusyCursor busy;
        result = ExportGedcom(doc_.persons(), localPath(path), currentLocalTime(), options);
    }
    FormPaint();
    if (!result.ok) showError(QString::fromStdString(result.message));
}

// The file is chosen first and the open tree is given up only then: a
// cancel at either question leaves it as it was. The file is read into a
// tree of its own, which then replaces the open one in one undo step that
// brings the old tree back, file name and all.
void TZudezezor::Read1Click() {
    if (!gedcomImport_) return;
    FileDialogOptions dialog = gedcomDialog(QStringLiteral("Otwórz"), kGedcomImportFilter);
    dialog.initialPath = proposals_.folder(FileKind::Gedcom, doc_.currentFileName());
    const QString path = ctx_.ui->chooseOpenFile(dialog);
    if (path.isEmpty()) return;
    proposals_.remember(FileKind::Gedcom, path);
    if (!CheckModified()) return;

    TGedcomImport* window = gedcomImport_;
    window->begin(path);
    GedcomImportResult result;
    bool replaced = false;
    {
        BusyCursor busy;
        Document read;
        // The boxes are arranged only when the whole file was read; a
        // failed import leaves what it read where it was made.
        const auto arrange = [window](TreeEdit& list) {
            window->showBusyStatus(QString::fromLatin1(kGedcomStatusArranging));
            autoArrangeOnList(list);
        };
        result = importGedcom(
            read, localPath(path),
            [window](const GedcomImportProgress& progress) {
                return window->showProgress(progress);
            },
            arrange, ctx_.codec.codePage());
        // A file that gave nobody, unless it was read to its end (an empty
        // file is an empty tree), leaves the open tree as it was.
        replaced = result.done() || !read.persons().empty();
        if (replaced) {
            // After a failure the last person made is current.
            const PersonRecord* current =
                result.done() ? read.persons().personListHead() : read.persons().currentPerson();
            std::vector<std::unique_ptr<PersonRecord>> records = read.takeRecords();
            doc_.replaceTree(step_name::kImportGedcom, false, [&](TreeEdit& list) {
                for (std::unique_ptr<PersonRecord>& r : records) list.appendLoaded(std::move(r));
                list.setCurrentPerson(current);
            });
        }
    }
    window->finish(result);
    // After a failure too the view goes to what was read (the last person
    // made is current then): the old tree's place would show an empty
    // canvas.
    if (replaced && doc_.persons().currentPerson() != nullptr) {
        Zoom1Click();
    } else {
        FormPaint();
    }
    QApplication::beep();
    // Each text once: a file with many over-full families still brings one
    // message about them, with the count in the status line.
    if (!result.messages.empty()) window->makeRoomForMessages();
    for (const std::string& message : result.messages) {
        const MessageIcon icon = result.done() ? MessageIcon::Warning : MessageIcon::Error;
        ctx_.ui->inform(QStringLiteral("Lineara"), QString::fromStdString(message), icon);
    }
}

}  // namespace lineara
