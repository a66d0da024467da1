#include "checks/date_convert_window.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "app/busy_cursor.h"
#include "model/document.h"
#include "platform/record_codec.h"
#include "platform/user_interaction.h"

namespace lineara {

const char kAskConvertDates[] =
    "Chcesz przekonwertowac wszystkie daty na standardowy format GEDCOM?";

namespace {
constexpr int kEntryRole = Qt::UserRole;
const QString kActionColumn = QStringLiteral("Akcja");
}  // namespace

TDateConvert::TDateConvert(Document& doc, const RecordCodec& codec, EditPersonFn editPerson,
                           std::function<void()> help, std::function<void()> repaint,
                           QWidget* parent)
    : CheckWindow(doc, codec, std::move(editPerson), std::move(help), std::move(repaint),
                  QStringLiteral("Konwersja daty"), kActionColumn, parent) {
    ok_->setDefault(true);  // Enter closes, as Esc does
    edit_ = new QPushButton(QStringLiteral("&Edytuj pozycję"), this);
    edit_->setAutoDefault(false);
    edit_->setEnabled(false);
    help_->setAutoDefault(false);
    layOut({edit_});
    connect(edit_, &QPushButton::clicked, this, &TDateConvert::editSelected);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { editSelected(); });
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &TDateConvert::updateEditButton);
}

void TDateConvert::Convertdates1Click(UserInteraction& ui) {
    if (!ui.askYesNoWithHelp(QStringLiteral("Lineara"), QString::fromLatin1(kAskConvertDates),
                             helpFn_)) {
        return;
    }
    show();
    raise();
    DCheck();
}

int TDateConvert::DCheck() {
    enterTreeFolder(doc_.currentFileName());
    int count = 0;
    {
        BusyCursor busy;
        startRun();
        DateCheckResult result = lineara::DCheck(doc_.persons());
        sortForList(result.entries);
        fill(result);
        count = result.count;
        label2_->setText(QStringLiteral("Konwersja zakoczona:") + QString::number(count) +
                         QStringLiteral(" date(y) przekonwertowano"));
        ok_->setEnabled(true);
    }
    // The core has set treeModified when anything changed.
    if (count > 0 && repaint_) repaint_();
    return count;
}

void TDateConvert::startRun() {
    label2_->setText(QStringLiteral("Checking and converting, please wait..."));
    list_->hide();
    list_->clear();
    persons_.clear();
    ok_->setEnabled(false);
    edit_->setEnabled(false);
    QApplication::processEvents();
    resetCheckColumns(list_, kActionColumn);
}

void TDateConvert::fill(const DateCheckResult& result) {
    for (const DateConversion& entry : result.entries) {
        auto* item =
            new QTreeWidgetItem({codec_.decode(entry.caption), codec_.decode(entry.action)});
        item->setData(0, kEntryRole, static_cast<int>(persons_.size()));
        persons_.push_back(entry.person);
        list_->addTopLevelItem(item);
    }
    list_->show();
}

PersonRecord* TDateConvert::personOf(QTreeWidgetItem* item) const {
    if (item == nullptr) return nullptr;
    const int index = item->data(0, kEntryRole).toInt();
    if (index < 0 || index >= static_cast<int>(persons_.size())) return nullptr;
    return persons_[static_cast<size_t>(index)];
}

void TDateConvert::editSelected() {
    QTreeWidgetItem* item = list_->currentItem();
    if (item == nullptr || !item->isSelected()) return;
    PersonRecord* person = personOf(item);
    if (person == nullptr) return;
    if (editPerson_) editPerson_(person);
    leaveNoOneCurrent();
}

void TDateConvert::updateEditButton() {
    QTreeWidgetItem* item = list_->currentItem();
    const bool selected = item != nullptr && item->isSelected() && !list_->isHidden();
    edit_->setEnabled(selected && personOf(item) != nullptr && !item->text(1).isEmpty());
}

// A removed record's entries leave the list; clearing the tree empties it.
void TDateConvert::forgetPerson(PersonRecord* person) {
    for (int i = list_->topLevelItemCount() - 1; i >= 0; --i) {
        QTreeWidgetItem* item = list_->topLevelItem(i);
        const size_t index = static_cast<size_t>(item->data(0, kEntryRole).toInt());
        if (person != nullptr && persons_[index] != person) continue;
        persons_[index] = nullptr;
        delete list_->takeTopLevelItem(i);
    }
    updateEditButton();
}

}  // namespace lineara
