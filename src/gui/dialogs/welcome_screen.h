// The welcome screen: a small borderless window in front of everything
// while the main window waits, disabled, for the user to start.
#pragma once

#include <QRect>
#include <QWidget>

#include "gui/common/app_context.h"

class QPainter;
class QPushButton;

namespace lineara {

class WelcomeScreen : public QWidget {
    Q_OBJECT
public:
    // `swapDraw` is the random number below 2 that decides whether the two
    // buttons change places (1) or not (0); -1 draws it here. The screen
    // shows nothing of the context yet; the start-up hands it over so the
    // screen can grow without a new signature.
    explicit WelcomeScreen(AppContext& ctx, int swapDraw = -1);

    bool buttonsSwapped() const { return swapped_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* webButton() const { return web_; }

signals:
    // The start button was pressed; the screen has already hidden itself.
    void startRequested();
    // The picture, the title or the web-site button was clicked.
    void homePageRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void placeButtons();
    void centreOnScreen();
    bool overLink(const QPoint& pos) const;
    void paintPicture(QPainter& painter) const;

    bool swapped_ = false;
    QPushButton* start_ = nullptr;
    QPushButton* web_ = nullptr;
    QRect pictureRect_;
    QRect titleRect_;
};

}  // namespace lineara
