// DeleteRelationshipDialog: picks one of the current person's relationships to
// delete. The window fills it with one line per relationship and says what
// "Usuń" does; the dialog only keeps the choice and closes when told to.
#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

class QListWidget;
class QPushButton;

namespace lineara {

class DeleteRelationshipDialog : public QDialog {
    Q_OBJECT
public:
    // Deletes the relationship of the chosen line (0-based, -1 for none);
    // returns whether the dialog may close.
    using DeleteHandler = std::function<bool(int line)>;

    DeleteRelationshipDialog(const QStringList& lines, QWidget* parent = nullptr);

    void setDeleteHandler(DeleteHandler handler) { onDelete_ = std::move(handler); }
    QListWidget* list() const { return list_; }
    QPushButton* deleteButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

    // "Usuń": without a chosen line nothing happens and the dialog stays.
    void deleteChosen();

private:
    QListWidget* list_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    DeleteHandler onDelete_;
};

}  // namespace lineara
