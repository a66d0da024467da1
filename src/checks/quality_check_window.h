// TQualityCheck, the quality check's window: lists the persons whose notes
// file or picture is missing and lets the user mend each in the editor.
#pragma once

#include <vector>

#include "checks/check_window_common.h"
#include "checks/quality_check.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace lineara {

class Document;
class RecordCodec;

class TQualityCheck : public CheckWindow {
    Q_OBJECT
public:
    TQualityCheck(Document& doc, const RecordCodec& codec, EditPersonFn editPerson,
                  std::function<void()> help, std::function<void()> repaint,
                  QWidget* parent = nullptr);

    // Runs the check from the tree file's folder (which stays the working
    // folder), fills the list and returns the number of problems.
    int QCheck();
    // "&Popraw" and the double click: edit the selected entry's person,
    // then see whether its problem is gone.
    void mendSelected();

    QTreeWidget* list() const { return list_; }
    QLabel* fileLabel() const { return label1_; }
    QLabel* resultLabel() const { return label2_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* mendButton() const { return mend_; }
    QPushButton* checkButton() const { return check_; }

private:
    void startRun();
    void fill(const QualityCheckResult& result);
    StoredFileLocator locator() const;
    // The problem behind an entry; null when its person is gone.
    QualityProblem* problemOf(QTreeWidgetItem* item);
    void forgetPerson(PersonRecord* person) override;
    void updateMendButton();

    std::vector<QualityProblem> problems_;
    QPushButton* mend_ = nullptr;
    QPushButton* check_ = nullptr;
};

}  // namespace lineara
