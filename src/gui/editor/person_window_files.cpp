// The files the editor points at: the notes text file shown in the memo
// and the picture shown on the panel and in the viewer.
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
#include "gui/common/widget_colours.h"
#include "gui/editor/person_window.h"
#include "gui/editor/picture_loader.h"
#include "gui/editor/picture_viewer.h"

namespace lineara {

namespace {

const QString kTextFilter = QStringLiteral("Text files (*.txt);;All files (*.*)");

FileDialogOptions textFileDialog(const QString& title, const QString& initial) {
    FileDialogOptions dialog;
    dialog.title = title;
    dialog.filter = kTextFilter;
    dialog.defaultSuffix = QStringLiteral("txt");
    dialog.initialPath = initial;
    return dialog;
}

}  // namespace

// --- notes ---

void TPerson::notesPathChanged() {
    const QString path = edit4_->text();
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
        QFile file(path);
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
            memo_->setPlainText(QStringLiteral("Text file not found: ") + path);
            memo_->setToolTip(path);
        }
    }
    setEnabledKeepingFocus(clearNotes_, !memo_->isReadOnly());
}

// Written whole or not at all, so that a failure never costs the notes the
// file had.
QString TPerson::saveMemoTo(const QString& path) {
    const QString text = memo_->toPlainText();
    std::string bytes = toRecord(text);
    if (!text.isEmpty()) bytes += '\n';
    std::string error;
    if (!writeFileAtomically(QFile::encodeName(path).toStdString(), bytes.data(), bytes.size(),
                             error)) {
        return QString::fromLocal8Bit(error.c_str());
    }
    return QString();
}

// Failures are of no concern here: the user is leaving that file anyway.
void TPerson::saveMemoBeforeChange() {
    if (!edit4_->text().isEmpty() && memo_->isEnabled()) saveMemoTo(edit4_->text());
}

void TPerson::setNotesPath(const QString& path) {
    {
        const QSignalBlocker quiet(edit4_);
        edit4_->setText(path);
    }
    notesPathChanged();
}

QString TPerson::chooseNewNotesFile(const QString& proposal) {
    return ctx_.ui->chooseSaveFile(
        textFileDialog(QStringLiteral("Create new text file"), proposal));
}

void TPerson::newNotesClick() {
    const std::string name =
        proposedNotesFileName(toRecord(edit1_->text()), toRecord(edit2_->text()));
    const QString chosen = chooseNewNotesFile(fromRecord(name));
    if (chosen.isEmpty()) return;
    saveMemoBeforeChange();
    memo_->clear();
    const QString error = saveMemoTo(chosen);
    if (!error.isEmpty()) ctx_.ui->inform(QStringLiteral("Lineara"), error, MessageIcon::Error);
    setNotesPath(chosen);
}

void TPerson::openNotesClick() {
    FileDialogOptions dialog =
        textFileDialog(QStringLiteral("Open existing text file"), edit4_->text());
    dialog.confirmOverwrite = false;
    const QString chosen = ctx_.ui->chooseOpenFile(dialog);
    if (chosen.isEmpty()) return;
    saveMemoBeforeChange();
    setNotesPath(chosen);
}

void TPerson::clearNotesClick() {
    saveMemoBeforeChange();
    setNotesPath(QString());
}

// --- picture ---

void TPerson::picturePathChanged() {
    const QString path = edit3_->text();
    if (!path.isEmpty()) {
        BusyCursor busy;
        panel1_->setText(QStringLiteral("Picture not found"));
        setBaseColour(panel1_, greyBack());
        const QImage image = loadPicture(path);
        const QSize room = panel1_->size().expandedTo(panel1_->minimumSize());
        picture_->setPixmap(image.isNull()
                                ? QPixmap()
                                : QPixmap::fromImage(image.scaled(room, Qt::KeepAspectRatio,
                                                                  Qt::SmoothTransformation)));
    } else {
        setBaseColour(panel1_, silverBack());
        panel1_->setText(QStringLiteral("Zdjecie"));
        picture_->clear();
        picture_->setToolTip(QString());
    }
    const bool withPicture = !path.isEmpty();
    setEnabledKeepingFocus(clearPicture_, withPicture);
    setEnabledKeepingFocus(edit8_, withPicture);
    setBaseColour(edit8_, withPicture ? QColor(Qt::white) : buttonFace());
}

void TPerson::setPicturePath(const QString& path) {
    {
        const QSignalBlocker quiet(edit3_);
        edit3_->setText(path);
    }
    picturePathChanged();
}

void TPerson::openPictureClick() {
    FileDialogOptions dialog;
    dialog.title = QStringLiteral("Open picture");
    dialog.filter = QStringLiteral("Pictures (*.jpg *.jpeg *.gif *.png);;All files (*.*)");
    dialog.initialPath = edit3_->text();
    dialog.confirmOverwrite = false;
    const QString chosen = ctx_.ui->chooseOpenFile(dialog);
    if (chosen.isEmpty()) return;
    setPicturePath(chosen);
    picture_->setToolTip(chosen);
}

void TPerson::clearPictureClick() { setPicturePath(QString()); }

void TPerson::openViewer() {
    if (viewer_ == nullptr) viewer_ = new TForm1(this);
    viewer_->showPicture(edit3_->text());
}

}  // namespace lineara
