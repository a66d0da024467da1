// TQualityCheck, the quality check's window: lists the persons whose notes
// file or picture is missing and lets the user mend each in the editor.
#pragma once

#include <QDialog>
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

class TQualityCheck : public QDialog {
    Q_OBJECT
public:
    TQualityCheck(Document& doc, const RecordCodec& codec, EditPersonFn editPerson,
                  std::function<void()> help, QWidget* parent = nullptr);
    ~TQualityCheck() override;

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

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void startRun();
    void fill(const QualityCheckResult& result);
    StoredFileLocator locator() const;
    // The problem behind an entry; null when its person is gone.
    QualityProblem* problemOf(QTreeWidgetItem* item);
    void forgetPerson(PersonRecord* person);
    void updateMendButton();

    Document& doc_;
    const RecordCodec& codec_;
    EditPersonFn editPerson_;
    std::vector<QualityProblem> problems_;
    int removalToken_ = 0;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* mend_ = nullptr;
    QPushButton* check_ = nullptr;
};

}  // namespace lineara
