// CreateTreeDialog: asks how many generations an empty pedigree should have.
// The program makes it once and keeps it, so the number last entered is
// offered again. The window checks the number; the dialog only keeps the
// text and whether the user confirmed.
#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QPushButton;
class QToolButton;

namespace lineara {

class CreateTreeDialog : public QDialog {
    Q_OBJECT
public:
    explicit CreateTreeDialog(QWidget* parent = nullptr);

    QString text() const;
    QLineEdit* edit() const { return edit_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

    // The up-down control's steps, as its arrows and the arrow keys make them.
    void stepBy(int steps);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* edit_ = nullptr;
    QToolButton* up_ = nullptr;
    QToolButton* down_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    int position_ = 5;
};

}  // namespace lineara
