// The about box ("O programie").
#pragma once

#include <QDialog>

namespace lineara {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent = nullptr);
};

}  // namespace lineara
