// The few background colours the editor's boxes take to show their state.
#pragma once

#include <QApplication>
#include <QColor>
#include <QPalette>
#include <QWidget>

namespace lineara {

inline QColor buttonFace() { return QApplication::palette().color(QPalette::Button); }
inline QColor greyBack() { return QColor(128, 128, 128); }
inline QColor silverBack() { return QColor(192, 192, 192); }

// Boxes paint their Base colour, panels their Window colour; both are set
// so the caller need not know which the widget uses.
inline void setBaseColour(QWidget* widget, const QColor& colour) {
    QPalette p = widget->palette();
    p.setColor(QPalette::Base, colour);
    p.setColor(QPalette::Window, colour);
    widget->setPalette(p);
}

}  // namespace lineara
