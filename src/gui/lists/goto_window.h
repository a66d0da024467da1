// TGOTOwnd, the small window that lists a person's children, siblings or
// partners; choosing a line moves the focus to that person.
#pragma once

#include <QDialog>

#include "core/search/navigation_lists.h"
#include "gui/lists/list_host.h"

class QListWidget;
class QPushButton;

namespace lineara {

class TGOTOwnd : public QDialog {
    Q_OBJECT
public:
    explicit TGOTOwnd(ListHost host, QWidget* parent = nullptr);

    // Each list command fills the window again and shows it; nothing
    // happens without a current person.
    void Child1Click();
    void ListofSiblings1Click();
    void Spouse1Click();
    void showList(const GoToList& list);

    // "&Idź" and the double click: the selected line's person becomes
    // current and is centred; the window closes either way.
    void GoClick();

    QListWidget* list() const { return ListBox1; }
    QPushButton* goButton() const { return BitBtn1; }
    QPushButton* closeButton() const { return BitBtn2; }

private:
    const PersonRecord* currentPerson() const;

    ListHost host_;
    QListWidget* ListBox1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;
};

}  // namespace lineara
