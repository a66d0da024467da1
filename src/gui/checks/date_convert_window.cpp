#include "gui/checks/date_convert_window.h"

#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

#include "core/model/document.h"
#include "gui/common/busy_cursor.h"
#include "gui/platform/user_interaction.h"
#include "render/platform/record_codec.h"

namespace lineara {

const char kAskConvertDates[] =
    "Chcesz przekonwertowac wszystkie daty na standardowy format GEDCOM?";

namespace {
const QString kActionColumn = QStringLiteral("Akcja");
}  // namespace

DateConvertWindow::DateConvertWindow(Document& doc, const RecordCodec& codec,
                                     EditPersonFn editPerson, std::function<void()> help,
                                     std::function<void()> repaint, QWidget* parent)
    : CheckWindow(doc, codec, std::move(editPerson), std::move(help), std::move(repaint),
                  QStringLiteral("Konwersja daty"), kActionColumn, parent) {
    setObjectName(QStringLiteral("TDateConvert"));
    ok_->setDefault(true);  // Enter closes, as Esc does
    edit_ = new QPushButton(QStringLiteral("&Edytuj pozycję"), this);
    edit_->setAutoDefault(false);
    edit_->setEnabled(false);
    help_->setAutoDefault(false);
    layOut({edit_});
    connect(edit_, &QPushButton::clicked, this, &DateConvertWindow::editSelected);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { editSelected(); });
}

void DateConvertWindow::askAndConvert(UserInteraction& ui) {
    if (!ui.askYesNoWithHelp(QStringLiteral("Lineara"), QString::fromLatin1(kAskConvertDates),
                             helpFn_)) {
        return;
    }
    show();
    raise();
    convertDates();
}

int DateConvertWindow::convertDates() {
    int count = 0;
    {
        BusyCursor busy;
        startRun(QStringLiteral("Checking and converting, please wait..."), {edit_});
        DateCheckResult result = lineara::DCheck(doc_);
        sortForList(result.entries);
        fill(result);
        count = result.count;
        resultLabel_->setText(QStringLiteral("Konwersja zakoczona:") + QString::number(count) +
                              QStringLiteral(" date(y) przekonwertowano"));
        ok_->setEnabled(true);
    }
    // The core has set treeModified when anything changed.
    if (count > 0 && repaint_) repaint_();
    return count;
}

void DateConvertWindow::fill(const DateCheckResult& result) {
    for (const DateConversion& entry : result.entries)
        addEntry(entry.caption, entry.action, entry.person);
    list_->show();
}

void DateConvertWindow::editSelected() {
    QTreeWidgetItem* item = selectedEntry();
    if (item == nullptr) return;
    if (editPerson_) editPerson_(personOf(item));
    leaveNoOneCurrent();
}

void DateConvertWindow::updateButtons() { edit_->setEnabled(selectionActionable()); }

}  // namespace lineara
