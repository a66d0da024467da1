// The picture viewer: the person's picture at its natural size, in a
// window of its own beside the editor.
#pragma once

#include <QDialog>

class QLabel;
class QScrollArea;

namespace lineara {

class PictureViewer : public QDialog {
    Q_OBJECT
public:
    explicit PictureViewer(QWidget* parent = nullptr);

    // Loads the picture from `path`, fits the window around it and shows
    // the window, captioned with the name the tree gives it.
    void showPicture(const QString& path, const QString& name);

    QLabel* pictureBox() const { return image_; }

private:
    QScrollArea* scroll_ = nullptr;
    QLabel* image_ = nullptr;
};

}  // namespace lineara
