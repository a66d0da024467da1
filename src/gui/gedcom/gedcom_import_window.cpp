#include "gui/gedcom/gedcom_import_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/gedcom/gedcom_texts.h"
#include "gui/common/core_texts.h"

namespace lineara {

namespace {

// Without a size the bar says nothing, so the counters move every so many
// lines instead, and the window keeps answering.
constexpr int64_t kLinesPerRefreshWithoutSize = 2000;

QString utf8(const char* text) { return QString::fromUtf8(text); }

QString countText(int64_t count) { return QString::fromStdString(gedcomCountText(count)); }

QLineEdit* readOnlyBox(QWidget* parent) {
    auto* box = new QLineEdit(parent);
    box->setReadOnly(true);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

}  // namespace

QString qtFileFilter(const char* windowsFilter) {
    const QStringList parts = utf8(windowsFilter).split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        if (description.contains(QLatin1Char('(') + patterns + QLatin1Char(')'))) {
            filters << description;
        } else {
            filters << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
        }
    }
    return filters.join(QStringLiteral(";;"));
}

GedcomImportWindow::GedcomImportWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("TGedcomImport"));
    setWindowTitle(coreText(kGedcomImportCaption));
    setWindowModality(Qt::ApplicationModal);

    path_ = readOnlyBox(this);
    path_->setObjectName(QStringLiteral("FileEdit"));
    path_->setMinimumWidth(320);
    persons_ = readOnlyBox(this);
    persons_->setObjectName(QStringLiteral("PersonsEdit"));
    families_ = readOnlyBox(this);
    families_->setObjectName(QStringLiteral("FamiliesEdit"));
    for (QLineEdit* count : {persons_, families_}) {
        count->setAlignment(Qt::AlignRight);
        count->setMaximumWidth(120);
    }
    progress_ = new QProgressBar(this);
    progress_->setRange(0, 100);
    progress_->setTextVisible(false);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("StatusLabel"));
    status_->setWordWrap(true);
    ok_ = new QPushButton(coreText(kGedcomImportOkButton), this);
    ok_->setDefault(true);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);

    auto* grid = new QGridLayout;
    const char* captions[] = {kGedcomImportFileLabel, kGedcomImportPersonsLabel,
                              kGedcomImportFamiliesLabel, kGedcomImportProgressLabel};
    QWidget* fields[] = {path_, persons_, families_, progress_};
    for (int row = 0; row < 4; ++row) {
        grid->addWidget(new QLabel(coreText(captions[row]), this), row, 0);
        grid->addWidget(fields[row], row, 1, Qt::AlignLeft);
    }
    grid->setColumnStretch(1, 1);
    progress_->setMinimumWidth(320);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(status_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    showCounters({});
}

void GedcomImportWindow::showCounters(const GedcomImportCounters& counters) {
    persons_->setText(countText(counters.personsRead));
    families_->setText(countText(counters.familiesRead));
}

void GedcomImportWindow::begin(const QString& path) {
    reading_ = true;
    stopAsked_ = false;
    shownPercent_ = 0;
    shownLines_ = 0;
    path_->setText(path);
    path_->setCursorPosition(path.size());
    showCounters({});
    progress_->setValue(0);
    progress_->show();
    status_->setText(coreText(kGedcomStatusImporting));
    ok_->setEnabled(false);
    setWindowFlag(Qt::WindowStaysOnTopHint, true);
    show();
    centre();
    raise();
    activateWindow();
    QApplication::processEvents();
}

void GedcomImportWindow::centre() {
    QRect area;
    if (parentWidget() != nullptr && parentWidget()->isVisible()) {
        area = parentWidget()->window()->frameGeometry();
    } else if (QScreen* screen = this->screen()) {
        area = screen->availableGeometry();
    }
    if (area.isValid()) move(area.center() - rect().center());
}

bool GedcomImportWindow::showProgress(const GedcomImportProgress& progress) {
    if (!progress.sizeKnown && progress_->isVisible()) progress_->hide();
    const bool percentMoved = progress.percent != shownPercent_;
    const bool linesMoved = !progress.sizeKnown && progress.counters.linesRead - shownLines_ >=
                                                       kLinesPerRefreshWithoutSize;
    if (percentMoved || linesMoved) {
        shownPercent_ = progress.percent;
        shownLines_ = progress.counters.linesRead;
        progress_->setValue(progress.percent);
        showCounters(progress.counters);
        refresh();
    }
    return !stopAsked_;
}

void GedcomImportWindow::showBusyStatus(const QString& text) {
    status_->setText(text);
    refresh();
}

void GedcomImportWindow::refresh() {
    // The window is modal and refuses to close while it reads, so the
    // events processed here reach no one who could change the tree.
    QApplication::processEvents();
    if (refreshHook_) refreshHook_();
}

void GedcomImportWindow::finish(const GedcomImportResult& result) {
    reading_ = false;
    progress_->setValue(result.done() ? 100 : shownPercent_);
    showCounters(result.counters);
    status_->setText(coreText(result.statusText));
    ok_->setEnabled(true);
    ok_->setFocus();
}

// A window kept above all others would hide the messages, which belong to
// the main window; the reading is over, and the window is still modal.
void GedcomImportWindow::makeRoomForMessages() {
    if (!(windowFlags() & Qt::WindowStaysOnTopHint)) return;
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, false);  // hides the window
    if (shown) show();
}

void GedcomImportWindow::reject() {
    if (reading_) {
        stopAsked_ = true;
        return;
    }
    QDialog::reject();
}

void GedcomImportWindow::closeEvent(QCloseEvent* event) {
    if (reading_) {
        stopAsked_ = true;
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace lineara
