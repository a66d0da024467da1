#include "gui/checks/quality_check_window.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "core/model/document.h"
#include "gui/common/busy_cursor.h"
#include "gui/common/tree_files.h"
#include "render/platform/record_codec.h"

namespace lineara {

QualityCheckWindow::QualityCheckWindow(Document& doc, const RecordCodec& codec,
                                       EditPersonFn editPerson, std::function<void()> help,
                                       std::function<void()> repaint, QWidget* parent)
    : CheckWindow(doc, codec, std::move(editPerson), std::move(help), std::move(repaint),
                  tr("Sprawdzanie poprawności"), tr("Wiadomosc"), parent) {
    setObjectName(QStringLiteral("TQualityCheck"));
    mend_ = new QPushButton(tr("Pop&raw"), this);
    check_ = new QPushButton(tr("&Sprawdź"), this);
    mend_->setEnabled(false);
    layOut({mend_, check_});
    connect(check_, &QPushButton::clicked, this, [this] { runCheck(); });
    connect(mend_, &QPushButton::clicked, this, &QualityCheckWindow::mendSelected);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { mendSelected(); });
}

StoredFileLocator QualityCheckWindow::locator() const {
    const RecordCodec& codec = codec_;
    return StoredFileLocator(
        treeFolder(doc_.currentFileName()).toStdString(),
        [&codec](std::string_view name) { return codec.decode(name).toStdString(); });
}

int QualityCheckWindow::runCheck() {
    fileLabel_->setText(fileLabelText(doc_.currentFileName()));
    BusyCursor busy;
    startRun(tr("Sprawdzanie, prosze czekac..."), {mend_, check_});
    QualityCheckResult result = lineara::QCheck(doc_.persons(), locator());
    sortForList(result.problems);
    fill(result);
    resultLabel_->setText(tr("Sprawdzanie zakonczono: ") + QString::number(result.count) +
                          tr(" blad(y)"));
    ok_->setEnabled(true);
    check_->setEnabled(true);
    return result.count;
}

// The problems come sorted by caption, a person's entries together in the
// order found; the list shows them in that order.
void QualityCheckWindow::fill(const QualityCheckResult& result) {
    problems_ = result.problems;
    for (const QualityProblem& problem : problems_)
        addEntry(problem.caption, problem.message, problem.person,
                 {kMsgNotesFileMissing, kMsgPictureMissing});
    list_->show();
}

void QualityCheckWindow::mendSelected() {
    QTreeWidgetItem* item = selectedEntry();
    if (item == nullptr) return;
    if (editPerson_) editPerson_(personOf(item));
    // The editor may have removed the person, and its entry with it.
    if (list_->indexOfTopLevelItem(item) >= 0 && personOf(item) != nullptr &&
        !problemRemains(problems_[static_cast<size_t>(entryIndex(item))], locator())) {
        item->setText(1, QString());
    }
    leaveNoOneCurrent();
    updateButtons();
}

void QualityCheckWindow::updateButtons() { mend_->setEnabled(selectionActionable()); }

}  // namespace lineara
