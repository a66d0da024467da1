#include "gui/dialogs/create_tree_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace lineara {

namespace {

// The field holds one character, so the arrows stop where it would
// need two; what the command accepts is checked after OK anyway.
constexpr int kLowest = 0;
constexpr int kHighest = 9;

}  // namespace

CreateTreeDialog::CreateTreeDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TCreateTreeDlg"));
    setWindowTitle(tr("Utwórz drzewo"));
    auto* label = new QLabel(tr("Liczba pokoleń:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    edit_ = new QLineEdit(QStringLiteral("5"), this);
    edit_->setObjectName(QStringLiteral("Edit1"));
    edit_->setMaxLength(1);
    edit_->setFixedWidth(edit_->fontMetrics().horizontalAdvance(QStringLiteral("00")) + 12);
    label->setBuddy(edit_);
    up_ = new QToolButton(this);
    up_->setObjectName(QStringLiteral("UpDown1Up"));
    up_->setArrowType(Qt::UpArrow);
    up_->setAutoRepeat(true);
    down_ = new QToolButton(this);
    down_->setObjectName(QStringLiteral("UpDown1Down"));
    down_->setArrowType(Qt::DownArrow);
    down_->setAutoRepeat(true);
    for (QToolButton* b : {up_, down_}) {
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(16, 12);
    }
    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setObjectName(QStringLiteral("OKBtn"));
    ok_->setDefault(true);
    cancel_ = new QPushButton(tr("Anuluj"), this);
    cancel_->setObjectName(QStringLiteral("CancelBtn"));

    auto* arrows = new QVBoxLayout;
    arrows->setSpacing(0);
    arrows->addWidget(up_);
    arrows->addWidget(down_);
    auto* field = new QHBoxLayout;
    field->setSpacing(0);
    field->addWidget(edit_);
    field->addLayout(arrows);
    field->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addLayout(field);
    layout->addLayout(buttons);

    connect(up_, &QToolButton::clicked, this, [this] { stepBy(1); });
    connect(down_, &QToolButton::clicked, this, [this] { stepBy(-1); });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

QString CreateTreeDialog::text() const { return edit_->text(); }

void CreateTreeDialog::stepBy(int steps) {
    // The arrows go on from what the field shows when it is a number, and
    // from their own last position when it is not.
    bool number = false;
    const int shown = edit_->text().trimmed().toInt(&number);
    const int from = number ? shown : position_;
    position_ = std::clamp(from + steps, kLowest, kHighest);
    edit_->setText(QString::number(position_));
    edit_->selectAll();
}

void CreateTreeDialog::showEvent(QShowEvent* event) {
    setResult(QDialog::Rejected);
    edit_->setFocus();
    edit_->selectAll();
    QDialog::showEvent(event);
}

void CreateTreeDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        stepBy(event->key() == Qt::Key_Up ? 1 : -1);
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace lineara
