#include "gui/canvas/navigator_window.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>

namespace lineara {

NavigatorWindow::NavigatorWindow(QWidget* mainWindow) : QWidget(mainWindow, Qt::Tool) {
    setObjectName(QStringLiteral("TKontroll"));
    setWindowTitle(tr("Nawigator"));

    buttonPanel_ = new QFrame(this);
    auto* grid = new QGridLayout(buttonPanel_);
    grid->setSpacing(2);
    QPushButton* left = button(QStringLiteral("◀"), "ScrollLeft");
    QPushButton* up = button(QStringLiteral("▲"), "ScrollUp");
    QPushButton* down = button(QStringLiteral("▼"), "ScrollDown");
    QPushButton* right = button(QStringLiteral("▶"), "ScrollRight");
    left->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    right->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    grid->addWidget(left, 0, 0, 2, 1);
    grid->addWidget(up, 0, 1);
    grid->addWidget(down, 1, 1);
    grid->addWidget(right, 0, 2, 2, 1);
    QPushButton* zoomIn = button(tr("Zoom in"), "ZoomIn");
    QPushButton* zoomOut = button(tr("Zoom out"), "ZoomOut");
    QPushButton* home = button(tr("Home"), "Home");
    grid->addWidget(zoomIn, 2, 0);
    grid->addWidget(zoomOut, 2, 1);
    grid->addWidget(home, 2, 2);
    infoToggle_ = button(tr("Toggle info on/off"), "ToggleInfo");
    infoToggle_->setCheckable(true);
    infoToggle_->setChecked(true);  // down at start: the counters are shown
    grid->addWidget(infoToggle_, 3, 0, 1, 3);

    counterPanel_ = new QFrame(this);
    counterPanel_->setFrameShape(QFrame::StyledPanel);
    auto* counters = new QVBoxLayout(counterPanel_);
    zoomLabel_ = new QLabel(tr("Zoom: 100%"), counterPanel_);
    itemsLabel_ = new QLabel(tr("Pozycji: 0"), counterPanel_);
    personsLabel_ = new QLabel(tr("Osób: 0"), counterPanel_);
    for (QLabel* l : {zoomLabel_, itemsLabel_, personsLabel_}) {
        l->setAlignment(Qt::AlignCenter);
        counters->addWidget(l);
    }

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(buttonPanel_);
    layout->addWidget(counterPanel_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(left, &QPushButton::pressed, this, &NavigatorWindow::scrollLeftPressed);
    connect(right, &QPushButton::pressed, this, &NavigatorWindow::scrollRightPressed);
    connect(up, &QPushButton::pressed, this, &NavigatorWindow::scrollUpPressed);
    connect(down, &QPushButton::pressed, this, &NavigatorWindow::scrollDownPressed);
    for (QPushButton* b : {left, right, up, down}) {
        connect(b, &QPushButton::released, this, &NavigatorWindow::scrollReleased);
    }
    connect(zoomIn, &QPushButton::clicked, this, &NavigatorWindow::zoomInClicked);
    connect(zoomOut, &QPushButton::clicked, this, &NavigatorWindow::zoomOutClicked);
    connect(home, &QPushButton::clicked, this, &NavigatorWindow::homeClicked);
    connect(infoToggle_, &QPushButton::clicked, this, &NavigatorWindow::toggleInfo);
}

QPushButton* NavigatorWindow::button(const QString& caption, const char* name) {
    auto* b = new QPushButton(caption, buttonPanel_);
    b->setObjectName(QString::fromLatin1(name));
    // The keyboard stays with the main window's canvas.
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

void NavigatorWindow::showCounters(double zoomPercent, int itemCount, int personCount) {
    itemsLabel_->setText(tr("Items: ") + QString::number(itemCount));
    personsLabel_->setText(tr("Persons: ") + QString::number(personCount));
    zoomLabel_->setText(tr("Zoom: ") +
                        QString::number(static_cast<qint64>(std::nearbyint(zoomPercent))) +
                        QStringLiteral(" %"));
}

QString NavigatorWindow::zoomText() const { return zoomLabel_->text(); }
QString NavigatorWindow::itemsText() const { return itemsLabel_->text(); }
QString NavigatorWindow::personsText() const { return personsLabel_->text(); }
bool NavigatorWindow::infoShown() const { return !counterPanel_->isHidden(); }

void NavigatorWindow::toggleInfo() {
    counterPanel_->setVisible(counterPanel_->isHidden());
    infoToggle_->setChecked(!counterPanel_->isHidden());
}

void NavigatorWindow::placeOnScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    QRect area = screen->geometry();
    adjustSize();
    move(area.right() - frameGeometry().width() - 10 + 1, area.top() + 50);
}

void NavigatorWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

}  // namespace lineara
