// DateConvertWindow, the date conversion's window: converts every stored date
// of the tree to the GEDCOM form and lists what it changed.
#pragma once

#include "core/checks/date_check.h"
#include "gui/checks/check_window_common.h"

namespace lineara {

class UserInteraction;

extern const char kAskConvertDates[];

class DateConvertWindow : public CheckWindow {
    Q_OBJECT
public:
    DateConvertWindow(Document& doc, const RecordCodec& codec, EditPersonFn editPerson,
                      std::function<void()> help, std::function<void()> repaint,
                      QWidget* parent = nullptr);

    // "Konwertuj &daty": asks first; on Yes shows the window and converts.
    void askAndConvert(UserInteraction& ui);
    // Converts, fills the list and returns the number of dates changed.
    int convertDates();
    // "&Edytuj pozycję" and the double click.
    void editSelected();

    QPushButton* editButton() const { return edit_; }

private:
    void fill(const DateCheckResult& result);
    void updateButtons() override;

    QPushButton* edit_ = nullptr;
};

}  // namespace lineara
