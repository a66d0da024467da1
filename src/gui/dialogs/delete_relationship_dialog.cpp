#include "gui/dialogs/delete_relationship_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace lineara {

DeleteRelationshipDialog::DeleteRelationshipDialog(const QStringList& lines, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("TDeleteMarriageForm"));
    setWindowTitle(tr("Usuń łącze"));
    auto* header = new QLabel(tr("Usuń łącze do małżonka:"), this);
    header->setObjectName(QStringLiteral("Header"));
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("MarriageList"));
    list_->addItems(lines);
    if (list_->count() > 0) list_->setCurrentRow(0);
    ok_ = new QPushButton(tr("Usuń"), this);
    ok_->setObjectName(QStringLiteral("OK"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(tr("Anuluj"), this);
    cancel_->setObjectName(QStringLiteral("Cancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addWidget(list_);
    layout->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, &DeleteRelationshipDialog::deleteChosen);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &DeleteRelationshipDialog::deleteChosen);
}

void DeleteRelationshipDialog::deleteChosen() {
    const QListWidgetItem* chosen = list_->currentItem();
    const int line = chosen != nullptr && chosen->isSelected() ? list_->row(chosen) : -1;
    if (line < 0) return;
    if (!onDelete_ || onDelete_(line)) accept();
}

}  // namespace lineara
