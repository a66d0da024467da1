// PersonSearchWindow, the search window: every person in alphabetical order and a
// field that completes the typed beginning of a line after a pause in the
// typing. A beginning typed without its accents is completed too; a text no
// line begins with leaves the lines holding it anywhere. While the field has the keyboard the main
// window's menu bar has no items, so that letters typed here never reach the canvas's keys.
#pragma once

#include <QDialog>
#include <QString>

#include "core/search/person_search.h"
#include "gui/lists/list_host.h"

class QLineEdit;
class QListView;
class QPushButton;
class QTimer;

namespace lineara {

class PersonSearchModel;

class PersonSearchWindow : public QDialog {
    Q_OBJECT
public:
    // The pause after the last key before the completion runs.
    static constexpr int kSearchDelayMs = 400;

    explicit PersonSearchWindow(ListHost host, QWidget* parent = nullptr);

    // Shows the window with a fresh list and an empty field (the window
    // menu command and F3, F9).
    void showSearch();
    // "&Ośwież": the field and the last searched text are cleared and the
    // list is built again.
    void refresh();
    // The search timer's tick: completes the field when its text has
    // changed since the last search; with no line beginning with it, the
    // list keeps only the lines that hold it.
    void completeTypedText();
    // "&Idź do osoby" and the double click; the window stays open.
    void goToSelected();
    // "&Edytuj osobę": the same jump, then the person editor.
    void editSelected();
    // The tree has changed: a shown list is built again from the tree as
    // it is now, the typed text kept, the chosen line kept where it still
    // reads the same.
    void treeChanged();

    QLineEdit* searchField() const { return searchField_; }
    QListView* list() const { return list_; }
    const PersonSearchModel* lines() const { return model_; }
    // The text of the chosen line; empty when none is chosen.
    QString chosenLine() const;
    // Makes a row of the list the chosen one, as a click would.
    void chooseRow(int row);
    QTimer* searchTimer() const { return searchTimer_; }
    QPushButton* refreshButton() const { return refresh_; }
    QPushButton* editButton() const { return edit_; }
    QPushButton* goButton() const { return go_; }
    QPushButton* closeButton() const { return close_; }
    const QString& lastSearched() const { return lastSearched_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void rebuildList();
    // The row of the chosen line; -1 when none is chosen.
    int chosenRow() const;
    // The field passes the keys that move through a list on to the list.
    bool moveInList(QKeyEvent* event);
    // The jump of both buttons; false when the selected line's person is
    // not (or no longer) in the tree.
    bool jumpToSelected();
    void emptyMenu(bool on);

    ListHost host_;
    PersonSearchList search_;
    QString lastSearched_;
    QLineEdit* searchField_ = nullptr;
    QListView* list_ = nullptr;
    PersonSearchModel* model_ = nullptr;
    QPushButton* refresh_ = nullptr;
    QPushButton* edit_ = nullptr;
    QPushButton* go_ = nullptr;
    QPushButton* close_ = nullptr;
    QTimer* searchTimer_ = nullptr;
};

}  // namespace lineara
