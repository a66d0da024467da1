// TDateConvert, the date conversion's window: converts every stored date
// of the tree to the GEDCOM form and lists what it changed.
#pragma once

#include <vector>

#include "checks/check_window_common.h"
#include "checks/date_check.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace lineara {

class Document;
class RecordCodec;
class UserInteraction;

extern const char kAskConvertDates[];

class TDateConvert : public CheckWindow {
    Q_OBJECT
public:
    TDateConvert(Document& doc, const RecordCodec& codec, EditPersonFn editPerson,
                 std::function<void()> help, std::function<void()> repaint,
                 QWidget* parent = nullptr);

    // "Konwertuj &daty": asks first; on Yes shows the window and converts.
    void Convertdates1Click(UserInteraction& ui);
    // Converts, fills the list and returns the number of dates changed.
    int DCheck();
    // "&Edytuj pozycję" and the double click.
    void editSelected();

    QTreeWidget* list() const { return list_; }
    QLabel* fileLabel() const { return label1_; }
    QLabel* resultLabel() const { return label2_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* editButton() const { return edit_; }

private:
    void startRun();
    void fill(const DateCheckResult& result);
    PersonRecord* personOf(QTreeWidgetItem* item) const;
    void forgetPerson(PersonRecord* person) override;
    void updateEditButton();

    std::vector<PersonRecord*> persons_;  // per entry; null once removed
    QPushButton* edit_ = nullptr;
};

}  // namespace lineara
