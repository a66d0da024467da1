// The files the editor points at: the notes text file shown in the memo
// and the picture shown on the panel and in the viewer. A relative name is
// the tree file's folder's, and the dialogs start from there too.
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include "core/model/person_edit.h"
#include "core/platform/atomic_file.h"
#include "gui/common/busy_cursor.h"
#include "gui/common/tree_files.h"
#include "gui/common/widget_colours.h"
#include "gui/editor/person_editor.h"
#include "gui/editor/picture_viewer.h"
#include "render/pictures/picture_loader.h"

namespace lineara {

namespace {

const char kTextFilter[] =
    QT_TRANSLATE_NOOP("lineara::PersonEditor", "Text files (*.txt);;All files (*.*)");

FileDialogOptions asTextFileDialog(FileDialogOptions dialog) {
    dialog.filter = PersonEditor::tr(kTextFilter);
    dialog.defaultSuffix = QStringLiteral("txt");
    return dialog;
}

}  // namespace

std::string PersonEditor::treeFile() const {
    return doc_ != nullptr ? doc_->currentFileName() : std::string();
}

QString PersonEditor::onDisk(const QString& name) const { return fileOfTree(treeFile(), name); }

FileDialogOptions PersonEditor::fileDialog(const QString& title, const QString& initial) const {
    FileDialogOptions dialog;
    dialog.title = title;
    dialog.initialPath = initial;
    dialog.baseFolder = treeFolder(treeFile());
    return dialog;
}

// --- notes ---

void PersonEditor::notesPathChanged() {
    const QString path = notesPath_->text();
    memo_->clear();
    memo_->setToolTip(QString());
    if (path.isEmpty()) {
        setEnabledKeepingFocus(memo_, false);
        memo_->setReadOnly(true);
        setBaseColour(memo_, silverBack());
    } else {
        memo_->setEnabled(true);
        memo_->setReadOnly(false);
        setBaseColour(memo_, Qt::white);
        QFile file(onDisk(path));
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.readAll();
            QString text = ctx_.codec.decode(std::string_view(bytes.constData(), bytes.size()));
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
            memo_->setPlainText(text);
        } else {
            // Never saved in this state: the line is ours, not the file's.
            memo_->setReadOnly(true);
            setEnabledKeepingFocus(memo_, false);
            setBaseColour(memo_, greyBack());
            memo_->setPlainText(tr("Text file not found: ") + path);
            memo_->setToolTip(path);
        }
    }
    setEnabledKeepingFocus(clearNotes_, !memo_->isReadOnly());
}

// Written whole or not at all, so that a failure never costs the notes the
// file had.
QString PersonEditor::saveMemoTo(const QString& path) {
    const QString text = memo_->toPlainText();
    std::string bytes = toRecord(text);
    if (!text.isEmpty()) bytes += '\n';
    std::string error;
    if (!writeFileAtomically(QFile::encodeName(onDisk(path)).toStdString(), bytes.data(),
                             bytes.size(), error)) {
        return QString::fromLocal8Bit(error.c_str());
    }
    return QString();
}

// Failures are of no concern here: the user is leaving that file anyway.
void PersonEditor::saveMemoBeforeChange() {
    if (!notesPath_->text().isEmpty() && memo_->isEnabled()) saveMemoTo(notesPath_->text());
}

void PersonEditor::setNotesPath(const QString& path) {
    {
        const QSignalBlocker quiet(notesPath_);
        notesPath_->setText(path);
    }
    notesPathChanged();
}

QString PersonEditor::chooseNewNotesFile(const QString& proposal) {
    return ctx_.ui->chooseSaveFile(
        asTextFileDialog(fileDialog(tr("Create new text file"), proposal)));
}

void PersonEditor::newNotesClick() {
    const std::string name =
        proposedNotesFileName(toRecord(givenNames_->text()), toRecord(surname_->text()));
    const QString chosen = chooseNewNotesFile(fromRecord(name));
    if (chosen.isEmpty()) return;
    saveMemoBeforeChange();
    memo_->clear();
    const QString error = saveMemoTo(chosen);
    if (!error.isEmpty()) ctx_.ui->inform(QStringLiteral("Lineara"), error, MessageIcon::Error);
    setNotesPath(chosen);
}

void PersonEditor::openNotesClick() {
    FileDialogOptions dialog =
        asTextFileDialog(fileDialog(tr("Open existing text file"), notesPath_->text()));
    dialog.confirmOverwrite = false;
    const QString chosen = ctx_.ui->chooseOpenFile(dialog);
    if (chosen.isEmpty()) return;
    saveMemoBeforeChange();
    setNotesPath(chosen);
}

void PersonEditor::clearNotesClick() {
    saveMemoBeforeChange();
    setNotesPath(QString());
}

// --- picture ---

void PersonEditor::picturePathChanged() {
    const QString path = picturePath_->text();
    if (!path.isEmpty()) {
        BusyCursor busy;
        picturePanel_->setText(tr("Picture not found"));
        setBaseColour(picturePanel_, greyBack());
        const QImage image = loadPicture(onDisk(path));
        const QSize room = picturePanel_->size().expandedTo(picturePanel_->minimumSize());
        picture_->setPixmap(image.isNull()
                                ? QPixmap()
                                : QPixmap::fromImage(image.scaled(room, Qt::KeepAspectRatio,
                                                                  Qt::SmoothTransformation)));
    } else {
        setBaseColour(picturePanel_, silverBack());
        picturePanel_->setText(tr("Zdjecie"));
        picture_->clear();
        picture_->setToolTip(QString());
    }
    const bool withPicture = !path.isEmpty();
    setEnabledKeepingFocus(clearPicture_, withPicture);
    setEnabledKeepingFocus(pictureComment_, withPicture);
    setBaseColour(pictureComment_, withPicture ? QColor(Qt::white) : buttonFace());
}

void PersonEditor::setPicturePath(const QString& path) {
    {
        const QSignalBlocker quiet(picturePath_);
        picturePath_->setText(path);
    }
    picturePathChanged();
}

void PersonEditor::openPictureClick() {
    FileDialogOptions dialog = fileDialog(tr("Open picture"), picturePath_->text());
    dialog.filter = tr("Pictures (*.jpg *.jpeg *.gif *.png);;All files (*.*)");
    dialog.confirmOverwrite = false;
    const QString chosen = ctx_.ui->chooseOpenFile(dialog);
    if (chosen.isEmpty()) return;
    setPicturePath(chosen);
    picture_->setToolTip(chosen);
}

void PersonEditor::clearPictureClick() { setPicturePath(QString()); }

void PersonEditor::openViewer() {
    if (viewer_ == nullptr) viewer_ = new PictureViewer(this);
    viewer_->showPicture(onDisk(picturePath_->text()), picturePath_->text());
}

}  // namespace lineara
