// The drawing surface of the main window. It keeps the picture in a back
// buffer and shows it; the picture is made by a renderer the owner sets
// (normally paintTree over the document and view). Gesture feedback is
// drawn straight into the buffer with inverting raster operations, which
// is why the buffer is a QImage of Format_RGB32 rather than the widget's
// own surface.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>

namespace lineara {

class TreeCanvas : public QWidget {
    Q_OBJECT

public:
    using Renderer = std::function<void(QImage&)>;

    explicit TreeCanvas(QWidget* parent = nullptr);

    void setRenderer(Renderer renderer);
    // Repaints the whole picture now: the buffer follows the widget's size,
    // the renderer paints it, and the widget shows it.
    void renderNow();
    // The last picture, for feedback drawn over it; call update() after.
    QImage& picture() { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    Renderer renderer_;
    QImage picture_;
};

}  // namespace lineara
