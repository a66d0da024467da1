#include "gui/reports/presentation_created_dialog.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace lineara {

const char kNoBrowserMessage[] = QT_TRANSLATE_NOOP(
    "lineara::PresentationCreatedDialog", "Stirpex could not find your default internet browser.");

PresentationCreatedDialog::PresentationCreatedDialog(Shell& shell, UserInteraction& ui,
                                                     QWidget* parent)
    : QDialog(parent), shell_(shell), ui_(ui) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(tr("Presentation created"));
    view_ = new QPushButton(tr("Zobacz &efekt"));
    view_->setObjectName(QStringLiteral("ViewButton"));
    view_->setDefault(true);
    auto* close = new QPushButton(tr("&Zamknij"));
    close->setObjectName(QStringLiteral("CloseButton"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(view_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Zakończono tworzenie stron HTML")));
    layout->addLayout(buttons);
    connect(view_, &QPushButton::clicked, this, &PresentationCreatedDialog::viewPresentation);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

void PresentationCreatedDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    view_->setFocus();
}

void PresentationCreatedDialog::viewPresentation() {
    if (shell_.defaultProgramFor(QStringLiteral(".html")).isEmpty() ||
        shell_.defaultProgramFor(QStringLiteral(".htm")).isEmpty()) {
        ui_.inform(QStringLiteral("Lineara"), tr(kNoBrowserMessage), MessageIcon::Warning);
        return;
    }
    // A file address, so that a folder name with blanks or "#" still
    // reaches the browser whole.
    shell_.open(QUrl::fromLocalFile(QDir(folder_).absoluteFilePath(QStringLiteral("index.html")))
                    .toString());
}

}  // namespace lineara
