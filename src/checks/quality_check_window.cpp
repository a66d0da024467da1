#include "checks/quality_check_window.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "app/busy_cursor.h"
#include "model/document.h"
#include "platform/record_codec.h"

namespace lineara {

namespace {
constexpr int kProblemRole = Qt::UserRole;
const QString kMessageColumn = QStringLiteral("Wiadomosc");
}  // namespace

TQualityCheck::TQualityCheck(Document& doc, const RecordCodec& codec, EditPersonFn editPerson,
                             std::function<void()> help, std::function<void()> repaint,
                             QWidget* parent)
    : CheckWindow(doc, codec, std::move(editPerson), std::move(help), std::move(repaint),
                  QStringLiteral("Sprawdzanie poprawności"), kMessageColumn, parent) {
    mend_ = new QPushButton(QStringLiteral("&Popraw"), this);
    check_ = new QPushButton(QStringLiteral("&Sprawdź"), this);
    mend_->setEnabled(false);
    layOut({mend_, check_});
    connect(check_, &QPushButton::clicked, this, [this] { QCheck(); });
    connect(mend_, &QPushButton::clicked, this, &TQualityCheck::mendSelected);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { mendSelected(); });
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &TQualityCheck::updateMendButton);
}

StoredFileLocator TQualityCheck::locator() const {
    const RecordCodec& codec = codec_;
    return StoredFileLocator(treeFolder(doc_.currentFileName()).toStdString(),
                             [&codec](std::string_view name) {
                                 return codec.decode(name).toStdString();
                             });
}

int TQualityCheck::QCheck() {
    enterTreeFolder(doc_.currentFileName());
    label1_->setText(fileLabelText(doc_.currentFileName()));
    BusyCursor busy;
    startRun();
    QualityCheckResult result = lineara::QCheck(doc_.persons(), locator());
    sortForList(result.problems);
    fill(result);
    label2_->setText(QStringLiteral("Sprawdzanie zakonczono: ") + QString::number(result.count) +
                     QStringLiteral(" blad(y)"));
    ok_->setEnabled(true);
    check_->setEnabled(true);
    return result.count;
}

void TQualityCheck::startRun() {
    label2_->setText(QStringLiteral("Sprawdzanie, prosze czekac..."));
    list_->hide();
    list_->clear();
    problems_.clear();
    ok_->setEnabled(false);
    mend_->setEnabled(false);
    check_->setEnabled(false);
    QApplication::processEvents();
    resetCheckColumns(list_, kMessageColumn);
}

// The problems come sorted by caption, a person's entries together in the
// order found; the list shows them in that order.
void TQualityCheck::fill(const QualityCheckResult& result) {
    problems_ = result.problems;
    for (size_t i = 0; i < problems_.size(); ++i) {
        auto* item = new QTreeWidgetItem(
            {codec_.decode(problems_[i].caption), codec_.decode(problems_[i].message)});
        item->setData(0, kProblemRole, static_cast<int>(i));
        list_->addTopLevelItem(item);
    }
    list_->show();
}

QualityProblem* TQualityCheck::problemOf(QTreeWidgetItem* item) {
    if (item == nullptr) return nullptr;
    const int index = item->data(0, kProblemRole).toInt();
    if (index < 0 || index >= static_cast<int>(problems_.size())) return nullptr;
    QualityProblem& problem = problems_[static_cast<size_t>(index)];
    return problem.person != nullptr ? &problem : nullptr;
}

void TQualityCheck::mendSelected() {
    QTreeWidgetItem* item = list_->currentItem();
    if (item == nullptr || !item->isSelected()) return;
    QualityProblem* problem = problemOf(item);
    if (problem == nullptr) return;
    if (editPerson_) editPerson_(problem->person);
    // The editor may have removed the person, and its entry with it.
    if (list_->indexOfTopLevelItem(item) >= 0) {
        problem = problemOf(item);
        if (problem != nullptr && !problemRemains(*problem, locator())) item->setText(1, QString());
    }
    leaveNoOneCurrent();
    updateMendButton();
}

void TQualityCheck::updateMendButton() {
    QTreeWidgetItem* item = list_->currentItem();
    const bool selected = item != nullptr && item->isSelected() && !list_->isHidden();
    mend_->setEnabled(selected && problemOf(item) != nullptr && !item->text(1).isEmpty());
}

// A removed record's entries leave the list; clearing the tree empties it.
void TQualityCheck::forgetPerson(PersonRecord* person) {
    for (int i = list_->topLevelItemCount() - 1; i >= 0; --i) {
        QTreeWidgetItem* item = list_->topLevelItem(i);
        const int index = item->data(0, kProblemRole).toInt();
        QualityProblem& problem = problems_[static_cast<size_t>(index)];
        if (person != nullptr && problem.person != person) continue;
        problem.person = nullptr;
        delete list_->takeTopLevelItem(i);
    }
    updateMendButton();
}

}  // namespace lineara
