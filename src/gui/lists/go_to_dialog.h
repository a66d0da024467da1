// GoToDialog, the small window that lists a person's children, siblings or
// partners; choosing a line moves the focus to that person.
#pragma once

#include <QDialog>

#include "core/search/navigation_lists.h"
#include "gui/lists/list_host.h"

class QListWidget;
class QPushButton;

namespace lineara {

class GoToDialog : public QDialog {
    Q_OBJECT
public:
    explicit GoToDialog(ListHost host, QWidget* parent = nullptr);
    ~GoToDialog() override;

    // Each list command fills the window again and shows it; nothing
    // happens without a current person.
    void showChildren();
    void showSiblings();
    void showRelatives();
    void showList(const GoToList& list);

    // The tree has changed (an edit, an undo or redo, another tree): a
    // shown list is filled again for its person, keeping the chosen line
    // where it still stands, or closes when that person has left the tree.
    void treeChanged();

    // "&Idź" and the double click: the selected line's person becomes
    // current and is centred; the window closes either way.
    void goToSelected();

    QListWidget* list() const { return list_; }
    QPushButton* goButton() const { return go_; }
    QPushButton* closeButton() const { return close_; }

private:
    enum class Kind { Children, Siblings, Relatives };
    const PersonRecord* currentPerson() const;
    GoToList listFor(Kind kind, const PersonRecord& person) const;
    void showFor(Kind kind, const PersonRecord& person);

    ListHost host_;
    // Whose list is shown, and which one; null once that person has left
    // the tree (the removal notice clears it).
    const PersonRecord* subject_ = nullptr;
    Kind kind_ = Kind::Children;
    int removalToken_ = 0;
    QListWidget* list_ = nullptr;
    QPushButton* go_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace lineara
