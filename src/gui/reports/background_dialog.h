// BackgroundDialog, "Tło": what to do with the background of one area of the page
// preview: choose its colour, choose a picture, or stop using the picture.
#pragma once

#include <QDialog>

namespace lineara {

class BackgroundDialog : public QDialog {
    Q_OBJECT
public:
    // The dialog's result (QDialog::exec's value).
    enum Choice { Close = 0, Colour = 1, Picture = 2, NoPicture = 3 };

    explicit BackgroundDialog(QWidget* parent = nullptr);
};

}  // namespace lineara
