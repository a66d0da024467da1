#include "gui/editor/picture_viewer.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "gui/common/busy_cursor.h"
#include "render/pictures/picture_loader.h"

namespace lineara {

namespace {
constexpr int kBottomPanelHeight = 33;
constexpr int kFrame = 4;
}  // namespace

PictureViewer::PictureViewer(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(tr("Zdjęcie"));
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(false);
    scroll_ = new QScrollArea(this);
    image_ = new QLabel;
    image_->setObjectName(QStringLiteral("Image1"));
    scroll_->setWidget(image_);
    auto* bottom = new QWidget(this);
    bottom->setFixedHeight(kBottomPanelHeight);
    auto* close = new QPushButton(tr("&Zamknij"), bottom);
    close->setObjectName(QStringLiteral("Button1"));
    close->setDefault(true);  // Escape closes a dialog anyway
    auto* row = new QHBoxLayout(bottom);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch();
    row->addWidget(close);
    row->addStretch();
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(scroll_, 1);
    column->addWidget(bottom);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void PictureViewer::showPicture(const QString& path, const QString& name) {
    BusyCursor busy;
    image_->clear();
    update();
    const QImage picture = loadPicture(path);
    image_->setPixmap(QPixmap::fromImage(picture));
    image_->resize(picture.size());
    resize(picture.width() + kFrame, picture.height() + kBottomPanelHeight + kFrame);
    setWindowTitle(name);
    show();
}

}  // namespace lineara
