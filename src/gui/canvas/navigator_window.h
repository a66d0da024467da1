// NavigatorWindow, the navigator ("Nawigator"): a small tool window that stays on
// top of the main window, with buttons to scroll and zoom the view and a
// panel with the counters of the last paint.
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QFrame;

namespace lineara {

class NavigatorWindow : public QWidget {
    Q_OBJECT
public:
    explicit NavigatorWindow(QWidget* mainWindow);

    // The three counters written by every paint of the tree.
    void showCounters(double zoomPercent, int itemCount, int personCount);
    QString zoomText() const;
    QString itemsText() const;
    QString personsText() const;
    bool infoShown() const;

    // Places the window 10 pixels from the right edge of the screen and
    // 50 from its top.
    void placeOnScreen();

signals:
    void scrollLeftPressed();
    void scrollRightPressed();
    void scrollUpPressed();
    void scrollDownPressed();
    void scrollReleased();
    void zoomInClicked();
    void zoomOutClicked();
    void homeClicked();
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void toggleInfo();
    QPushButton* button(const QString& caption, const char* name);

    QFrame* buttonPanel_ = nullptr;
    QFrame* counterPanel_ = nullptr;
    QPushButton* infoToggle_ = nullptr;
    QLabel* zoomLabel_ = nullptr;
    QLabel* itemsLabel_ = nullptr;
    QLabel* personsLabel_ = nullptr;
};

}  // namespace lineara
