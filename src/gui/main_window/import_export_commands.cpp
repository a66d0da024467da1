#include "gui/main_window/import_export_commands.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/formats/legacy_v1.h"
#include "core/formats/legacy_v1_5.h"
#include "core/gedcom/gedcom7_export.h"
#include "core/gedcom/gedcom_export.h"
#include "core/gedcom/gedcom_import.h"
#include "core/gedcom/gedcom_texts.h"
#include "core/gedcom/gedzip_reader.h"
#include "core/history/step_names.h"
#include "core/layout/auto_arrange.h"
#include "core/view/viewport.h"
#include "gui/common/busy_cursor.h"
#include "gui/common/core_texts.h"
#include "gui/common/outside_files_question.h"
#include "gui/gedcom/gedcom_import_window.h"

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

void ImportExportCommands::setGedcomImportWindow(GedcomImportWindow* window) {
    importWindow_ = window;
}

void ImportExportCommands::showCurrentPerson() {
    const PersonRecord* person = env_.document().persons().currentPerson();
    if (person != nullptr) {
        const QSize size = env_.windowSize();
        centreAt100(env_.view(), WindowExtent{size.width(), size.height()}, person->posX(),
                    person->posY());
    }
    env_.repaintTree();
}

// The export only reads the tree, and the file holds less than the tree
// file does (no pictures, notes or places of the boxes): writing it is not
// saving the tree, so the modified flag stays as it was.
//
// The dialog's first choice is the program's own form; the second writes
// the standard form, in UTF-8, for other programs.
void ImportExportCommands::exportGedcom() {
    Document& doc = env_.document();
    FileDialogOptions dialog =
        gedcomDialog(coreText(kGedcomExportDialogTitle), kGedcomExportFilter);
    const QString standard = qtFileFilter(kGedcomStandardExportFilter);
    const QString version7 = qtFileFilter(kGedcom7ExportFilter);
    const QString gedzip = qtFileFilter(kGedzipExportFilter);
    dialog.filter += QStringLiteral(";;") + standard + QStringLiteral(";;") + version7 +
                     QStringLiteral(";;") + gedzip;
    dialog.confirmOverwrite = true;
    FileProposals* proposals = env_.fileProposals();
    if (proposals != nullptr) {
        dialog.initialPath =
            proposals->proposal(FileKind::Gedcom, doc.currentFileName(), dialog.defaultSuffix);
    }
    QString chosen;
    dialog.selectedFilter = &chosen;
    const QString path = env_.ui().chooseSaveFile(dialog);
    if (path.isEmpty()) return;
    if (proposals != nullptr) proposals->remember(FileKind::Gedcom, path);
    if (chosen == gedzip && !isGedzipName(localPath(path))) {
        // The dialog's default suffix is that of the other choices: the
        // archive gets its own, and a file of that name is not replaced
        // unasked.
        QString archive = path;
        if (archive.endsWith(QStringLiteral(".ged"), Qt::CaseInsensitive)) archive.chop(4);
        archive += QStringLiteral(".gdz");
        if (QFileInfo::exists(archive) &&
            !env_.ui().askYesNo(
                QStringLiteral("Lineara"),
                ImportExportCommands::tr("%1 already exists.\nDo you want to replace it?")
                    .arg(QDir::toNativeSeparators(archive)))) {
            return;
        }
        exportGedcom7(archive);
        return;
    }
    if (chosen == version7 || isGedzipName(localPath(path))) {
        exportGedcom7(path);
        return;
    }
    GedcomExportOptions options;
    if (chosen == standard) {
        options.form = GedcomForm::Standard;
        options.codePage = env_.codec().codePage();
    }
    GedcomExportResult result;
    {
        BusyCursor busy;
        result = ExportGedcom(doc.persons(), localPath(path), currentLocalTime(), options);
    }
    env_.repaintTree();
    if (!result.ok) env_.showError(coreText(result.message));
}

// GEDCOM 7, or a GEDZIP for a .gdz. The files the tree names outside its
// folder go into the file only when the user says so, as for the other
// ways the tree's files leave the computer.
void ImportExportCommands::exportGedcom7(const QString& path) {
    Document& doc = env_.document();
    const std::string treeName = doc.currentFileName();
    const QString folder = treeName.empty()
                               ? QDir::currentPath()
                               : QFileInfo(QFile::decodeName(treeName.c_str())).absolutePath();
    Gedcom7FileOptions options;
    options.treeFolder = localPath(folder);
    options.codePage = env_.codec().codePage();
    const std::vector<OutsideFile> outside = treeFilesOutside(doc.persons(), env_.codec(), folder);
    if (!outside.empty()) {
        const Answer answer = askAboutOutsideFiles(env_.ui(), outside, folder,
                                                   isGedzipName(localPath(path))
                                                       ? ImportExportCommands::tr("pack them")
                                                       : ImportExportCommands::tr("use them"));
        if (answer == Answer::Cancel) return;
        options.allowOutside = answer == Answer::Yes;
    }
    Gedcom7ExportResult result;
    {
        BusyCursor busy;
        result = ExportGedcom7(doc.persons(), localPath(path), currentLocalTime(), options);
    }
    env_.repaintTree();
    if (!result.ok) env_.showError(coreText(result.message));
}

// The file is chosen first and the open tree is given up only then: a
// cancel at either question leaves it as it was. The file is read into a
// tree of its own, which then replaces the open one in one undo step that
// brings the old tree back, file name and all.
void ImportExportCommands::importGedcom() {
    if (!importWindow_) return;
    Document& doc = env_.document();
    FileProposals* proposals = env_.fileProposals();
    FileDialogOptions dialog =
        gedcomDialog(ImportExportCommands::tr("Otwórz"), kGedcomImportFilter);
    if (proposals != nullptr) {
        dialog.initialPath = proposals->folder(FileKind::Gedcom, doc.currentFileName());
    }
    const QString path = env_.ui().chooseOpenFile(dialog);
    if (path.isEmpty()) return;
    if (proposals != nullptr) proposals->remember(FileKind::Gedcom, path);
    if (!env_.checkModified()) return;

    GedcomImportWindow* window = importWindow_;
    window->begin(path);
    GedcomImportResult result;
    bool replaced = false;
    {
        BusyCursor busy;
        Document read;
        // The boxes are arranged only when the whole file was read; a
        // failed import leaves what it read where it was made.
        const auto arrange = [window](TreeEdit& list) {
            window->showBusyStatus(coreText(kGedcomStatusArranging));
            autoArrangeOnList(list);
        };
        const GedcomProgress progress = [window](const GedcomImportProgress& p) {
            return window->showProgress(p);
        };
        // The new tree has no name yet: the persons' notes go into a folder
        // beside the file read, as a GEDZIP's files do, and are named by
        // their whole paths.
        const std::string notesFolder = gedcomNotesFolder(localPath(path));
        WrittenFiles unpackedFiles;
        if (isGedzipName(localPath(path))) {
            // The archive's files go into a folder beside it, which the
            // persons' pictures and notes files then name.
            const std::string mediaFolder = gedcomMediaFolder(localPath(path));
            GedzipUnpacked unpacked = unpackGedzip(localPath(path), mediaFolder);
            if (!unpacked.ok) {
                result.status = GedcomImportResult::CannotOpen;
                result.statusText = unpacked.message;
                result.messages.push_back(unpacked.message);
            } else {
                unpackedFiles = unpacked.written;
                const auto size = static_cast<int64_t>(unpacked.gedcom.size());
                MemorySource source(std::move(unpacked.gedcom));
                GedcomInputInfo info(localPath(path), true, size, env_.codec().codePage());
                info.mediaFolder = mediaFolder;
                info.notesFolder = notesFolder;
                result = lineara::importGedcom(read, source, info, progress, arrange);
            }
        } else {
            result = lineara::importGedcom(read, localPath(path), progress, arrange,
                                           env_.codec().codePage(), {}, notesFolder);
        }
        // A file that gave nobody, unless it was read to its end (an empty
        // file is an empty tree), leaves the open tree as it was.
        replaced = result.done() || !read.persons().empty();
        if (!replaced) {
            // No tree names them.
            removeWrittenFiles(result.notesWritten);
            removeWrittenFiles(unpackedFiles);
        }
        if (replaced) {
            // After a failure the last person made is current.
            const PersonRecord* current =
                result.done() ? read.persons().personListHead() : read.persons().currentPerson();
            std::vector<std::unique_ptr<PersonRecord>> records = read.takeRecords();
            doc.replaceTree(step_name::kImportGedcom, false, [&](TreeEdit& list) {
                for (std::unique_ptr<PersonRecord>& r : records) list.appendLoaded(std::move(r));
                list.setCurrentPerson(current);
            });
        }
    }
    window->finish(result);
    // After a failure too the view goes to what was read (the last person
    // made is current then): the old tree's place would show an empty
    // canvas.
    if (replaced) {
        showCurrentPerson();
    } else {
        env_.repaintTree();
    }
    QApplication::beep();
    // Each text once: a file with many over-full families still brings one
    // message about them, with the count in the status line.
    if (!result.messages.empty()) window->makeRoomForMessages();
    for (const std::string& message : result.messages) {
        const MessageIcon icon = result.done() ? MessageIcon::Warning : MessageIcon::Error;
        env_.ui().inform(QStringLiteral("Lineara"), coreText(message), icon);
    }
}

// --- the older tree formats ---

struct ImportExportCommands::LegacyFormat {
    const char* title;
    const char* filter;
    bool version15;
};

void ImportExportCommands::importVersion10() {
    importLegacyTree(
        {QT_TR_NOOP("Import from version 1.0"), QT_TR_NOOP("Stirpex version 1.0 (*.ln)"), false});
}

void ImportExportCommands::importVersion15() {
    importLegacyTree({QT_TR_NOOP("Import from version 1.5.x"),
                      QT_TR_NOOP("Stirpex version 1.5.x (*.ln2)"), true});
}

// The modified check, the open dialog, the reader, then the tree shown
// from its home person at 100 %.
void ImportExportCommands::importLegacyTree(const LegacyFormat& format) {
    if (!env_.checkModified()) return;
    FileDialogOptions dialog;
    dialog.title = tr(format.title);
    dialog.filter = tr(format.filter);
    // Both dialogs have always completed a bare name with ".ln".
    dialog.defaultSuffix = QStringLiteral("ln");
    const QString path = env_.ui().chooseOpenFile(dialog);
    if (path.isEmpty()) return;

    Document& doc = env_.document();
    LegacyImportResult result;
    {
        BusyCursor busy;
        const std::string local = localPath(path);
        result = format.version15
                     ? ReadfromFilev1_5(doc, local, env_.settings().dateStandardization)
                     : ReadfromFilev1(doc, local);
        // A failed import has left the tree and its view as they were.
        if (result.ok) {
            const QSize size = env_.windowSize();
            centreOnHome(env_.view(), doc.persons(), WindowExtent{size.width(), size.height()});
        }
    }
    if (!result.ok) {
        env_.ui().inform(QStringLiteral("Lineara"), coreText(result.message), MessageIcon::Error);
    }
    env_.repaintTree();
}

}  // namespace lineara
