#include "gui/dialogs/welcome_screen.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>

namespace lineara {

namespace {

constexpr int kWidth = 343;
constexpr int kHeight = 236;
constexpr int kButtonTop = 188;
constexpr QSize kButtonSize(100, 28);
// The two button places; the draw at creation decides who gets which.
constexpr int kLeftPlace = 48;
constexpr int kRightPlace = 195;

const QColor kInk(0x2f, 0x3b, 0x2a);
const QColor kLeaf(0x5d, 0x8a, 0x4a);
const QColor kPaper(0xfb, 0xf8, 0xef);

}  // namespace

WelcomeScreen::WelcomeScreen(AppContext& /*ctx*/, int swapDraw)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("welcomeScreen"));
    setWindowTitle(QStringLiteral("Lineara"));
    setFixedSize(kWidth, kHeight);
    setMouseTracking(true);
    if (swapDraw < 0) swapDraw = static_cast<int>(QRandomGenerator::global()->bounded(2));
    swapped_ = swapDraw == 1;

    web_ = new QPushButton(QStringLiteral("www"), this);
    web_->setObjectName(QStringLiteral("webButton"));
    start_ = new QPushButton(tr("Start Lineara"), this);
    start_->setObjectName(QStringLiteral("startButton"));
    // The web-site button is the default one and first in the tab order,
    // wherever the draw put it.
    web_->setDefault(true);
    web_->setFocusPolicy(Qt::StrongFocus);
    setTabOrder(web_, start_);
    web_->setFocus();
    placeButtons();

    connect(web_, &QPushButton::clicked, this, &WelcomeScreen::homePageRequested);
    connect(start_, &QPushButton::clicked, this, [this] {
        hide();
        emit startRequested();
    });

    pictureRect_ = QRect(24, 22, 112, 120);
    titleRect_ = QRect(148, 44, 176, 56);
    centreOnScreen();
}

void WelcomeScreen::placeButtons() {
    const int startLeft = swapped_ ? kLeftPlace : kRightPlace;
    const int webLeft = swapped_ ? kRightPlace : kLeftPlace;
    start_->setGeometry(QRect(QPoint(startLeft, kButtonTop), kButtonSize));
    web_->setGeometry(QRect(QPoint(webLeft, kButtonTop), kButtonSize));
}

void WelcomeScreen::centreOnScreen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
}

bool WelcomeScreen::overLink(const QPoint& pos) const {
    return pictureRect_.contains(pos) || titleRect_.contains(pos);
}

void WelcomeScreen::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && overLink(event->position().toPoint())) {
        emit homePageRequested();
        return;
    }
    QWidget::mousePressEvent(event);
}

void WelcomeScreen::mouseMoveEvent(QMouseEvent* event) {
    setCursor(overLink(event->position().toPoint()) ? Qt::PointingHandCursor : Qt::ArrowCursor);
    QWidget::mouseMoveEvent(event);
}

// Enter presses the focused button, as in a dialog; with the focus
// elsewhere it presses the default one.
void WelcomeScreen::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        auto* focused = qobject_cast<QPushButton*>(focusWidget());
        (focused != nullptr ? focused : web_)->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void WelcomeScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // Paper with a soft band of green at the foot, and a thin frame since
    // the window has none of its own.
    QLinearGradient ground(0, 0, 0, height());
    ground.setColorAt(0.0, kPaper);
    ground.setColorAt(0.7, kPaper);
    ground.setColorAt(1.0, QColor(0xdc, 0xe8, 0xd2));
    painter.fillRect(rect(), ground);
    painter.setPen(QPen(kLeaf, 2));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));

    paintPicture(painter);

    QFont title(QStringLiteral("Times New Roman"));
    title.setPixelSize(40);
    title.setBold(true);
    painter.setFont(title);
    painter.setPen(kInk);
    painter.drawText(titleRect_, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Lineara"));

    QFont small = font();
    small.setPixelSize(13);
    painter.setFont(small);
    painter.setPen(kLeaf.darker(130));
    painter.drawText(QRect(titleRect_.left() + 2, titleRect_.bottom() + 2, 170, 20),
                     Qt::AlignLeft | Qt::AlignTop, tr("version ") + QLatin1String(kVersionText));
}

// A little pedigree: a child's box joined to the boxes of its two parents,
// the way the program draws a tree.
void WelcomeScreen::paintPicture(QPainter& painter) const {
    const QRect r = pictureRect_;
    const QSize box(44, 26);
    const QRect father(QPoint(r.left(), r.top() + 8), box);
    const QRect mother(QPoint(r.right() - box.width(), r.top() + 8), box);
    const QRect child(QPoint(r.center().x() - box.width() / 2, r.bottom() - box.height() - 8), box);

    painter.setPen(QPen(kInk, 1.5));
    const int joinY = (father.bottom() + child.top()) / 2;
    QPainterPath lines;
    lines.moveTo(father.center().x(), father.bottom());
    lines.lineTo(father.center().x(), joinY);
    lines.lineTo(mother.center().x(), joinY);
    lines.lineTo(mother.center().x(), mother.bottom());
    lines.moveTo(child.center().x(), joinY);
    lines.lineTo(child.center().x(), child.top());
    painter.drawPath(lines);

    const QColor fills[] = {QColor(0xc9, 0xdc, 0xf2), QColor(0xf4, 0xd3, 0xdc), kLeaf.lighter(160)};
    const QRect boxes[] = {father, mother, child};
    for (int i = 0; i < 3; ++i) {
        painter.setBrush(fills[i]);
        painter.drawRoundedRect(boxes[i], 4, 4);
        // Two strokes for the name lines inside each box.
        const QRect inner = boxes[i].adjusted(7, 7, -7, -7);
        painter.drawLine(inner.left(), inner.top() + 2, inner.right(), inner.top() + 2);
        painter.drawLine(inner.left(), inner.bottom() - 2, inner.center().x(), inner.bottom() - 2);
    }
    painter.setBrush(Qt::NoBrush);
}

}  // namespace lineara
