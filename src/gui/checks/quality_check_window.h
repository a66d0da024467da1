// QualityCheckWindow, the quality check's window: lists the persons whose notes
// file or picture is missing and lets the user mend each in the editor.
#pragma once

#include <vector>

#include "core/checks/quality_check.h"
#include "gui/checks/check_window_common.h"

namespace lineara {

class QualityCheckWindow : public CheckWindow {
    Q_OBJECT
public:
    QualityCheckWindow(Document& doc, const RecordCodec& codec, EditPersonFn editPerson,
                       std::function<void()> help, std::function<void()> repaint,
                       QWidget* parent = nullptr);

    // Runs the check, relative names taken from the tree file's folder,
    // fills the list and returns the number of problems.
    int runCheck();
    // "Pop&raw" and the double click: edit the selected entry's person,
    // then see whether its problem is gone.
    void mendSelected();

    QPushButton* mendButton() const { return mend_; }
    QPushButton* checkButton() const { return check_; }

private:
    void fill(const QualityCheckResult& result);
    StoredFileLocator locator() const;
    void updateButtons() override;

    std::vector<QualityProblem> problems_;  // per entry
    QPushButton* mend_ = nullptr;
    QPushButton* check_ = nullptr;
};

}  // namespace lineara
