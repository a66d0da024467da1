#include "gui/platform/qt_user_interaction.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFontInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

namespace lineara {

namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QString runFileDialog(QWidget* parent, const FileDialogOptions& options,
                      QFileDialog::AcceptMode mode) {
    QString initial = options.initialPath;
    if (!initial.isEmpty() && !options.baseFolder.isEmpty() && QDir::isRelativePath(initial)) {
        initial = QDir(options.baseFolder).filePath(initial);
    }
    QFileDialog dialog(parent, options.title, initial, options.filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(options.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !options.confirmOverwrite);
    if (!initial.isEmpty() && !QFileInfo(initial).isDir()) dialog.selectFile(initial);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    if (options.selectedFilter != nullptr) *options.selectedFilter = dialog.selectedNameFilter();
    return dialog.selectedFiles().constFirst();
}

}  // namespace

Answer QtUserInteraction::askYesNoCancel(const QString& caption, const QString& text) {
    auto b = QMessageBox::question(parent_, caption, text,
                                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                   QMessageBox::Yes);
    if (b == QMessageBox::Yes) return Answer::Yes;
    if (b == QMessageBox::No) return Answer::No;
    return Answer::Cancel;
}

int QtUserInteraction::askChoice(const QString& caption, const QString& text,
                                 const QStringList& buttons, int escape) {
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::NoButton, parent_);
    QList<QPushButton*> pressed;
    for (const QString& label : buttons) {
        pressed << box.addButton(label, QMessageBox::AcceptRole);
    }
    if (!pressed.isEmpty()) box.setDefaultButton(pressed.first());
    if (escape >= 0 && escape < pressed.size()) box.setEscapeButton(pressed[escape]);
    box.exec();
    const int index = static_cast<int>(pressed.indexOf(box.clickedButton()));
    return index >= 0 ? index : escape;
}

bool QtUserInteraction::askYesNo(const QString& caption, const QString& text, MessageIcon icon) {
    QMessageBox box(qtIcon(icon), caption, text, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

// A message box closes on every button, so Help shows the topic and asks
// again: to the user the question simply stays.
bool QtUserInteraction::askYesNoWithHelp(const QString& caption, const QString& text,
                                         const std::function<void()>& help) {
    for (;;) {
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                        parent_);
        QPushButton* helpButton = box.addButton(QMessageBox::Help);
        box.setEscapeButton(QMessageBox::No);
        box.exec();
        if (box.clickedButton() != helpButton)
            return box.clickedButton() == box.button(QMessageBox::Yes);
        if (help) help();
    }
}

bool QtUserInteraction::askOkIgnore(const QString& caption, const QString& text, MessageIcon icon) {
    QMessageBox box(qtIcon(icon), caption, text, QMessageBox::Ok | QMessageBox::Ignore, parent_);
    box.setEscapeButton(QMessageBox::Ignore);
    return box.exec() == QMessageBox::Ok;
}

std::optional<QString> QtUserInteraction::askText(const QString& caption, const QString& prompt,
                                                  const QString& initial) {
    bool ok = false;
    QString text = QInputDialog::getText(parent_, caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return text;
}

void QtUserInteraction::inform(const QString& caption, const QString& text, MessageIcon icon) {
    QMessageBox box(qtIcon(icon), caption, text, QMessageBox::Ok, parent_);
    box.exec();
}

QString QtUserInteraction::chooseOpenFile(const FileDialogOptions& options) {
    return runFileDialog(parent_, options, QFileDialog::AcceptOpen);
}

QString QtUserInteraction::chooseSaveFile(const FileDialogOptions& options) {
    return runFileDialog(parent_, options, QFileDialog::AcceptSave);
}

QString QtUserInteraction::chooseFolder(const QString& title, const QString& initial) {
    return QFileDialog::getExistingDirectory(parent_, title, initial);
}

std::optional<QColor> QtUserInteraction::chooseColour(const QColor& initial) {
    QColor c = QColorDialog::getColor(initial, parent_);
    if (!c.isValid()) return std::nullopt;
    return c;
}

QFont fontDialogStart(const QFont& initial) {
    // The dialog lists installed families only. A family that is drawn
    // through a substitute ("Times New Roman" by Liberation Serif) is not
    // among them and would open on whatever the list falls back to; the
    // family that really draws is the one to show.
    const QFontInfo drawn(initial);
    QFont start = initial;
    start.setFamily(drawn.family());
    // Its style is named too: with Qt's translations loaded the dialog no
    // longer finds a plain font's style among the listed ones and opens on
    // the first, "Bold Italic", which OK would then choose.
    start.setStyleName(drawn.styleName());
    return start;
}

std::optional<QFont> QtUserInteraction::chooseFont(const QFont& initial) {
    bool ok = false;
    QFont f = QFontDialog::getFont(&ok, fontDialogStart(initial), parent_);
    if (!ok) return std::nullopt;
    return f;
}

}  // namespace lineara
