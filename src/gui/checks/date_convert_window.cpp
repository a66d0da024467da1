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
    QT_TRANSLATE_NOOP("lineara::DateConvertWindow",
                      "Chcesz przekonwertowac wszystkie daty na standardowy format GEDCOM?");

DateConvertWindow::DateConvertWindow(Document& doc, const RecordCodec& codec,
                                     EditPersonFn editPerson, std::function<void()> help,
                                     std::function<void()> repaint, QWidget* parent)
    : CheckWindow(doc, codec, std::move(editPerson), std::move(help), std::move(repaint),
                  tr("Konwersja daty"), tr("Akcja"), parent) {
    setObjectName(QStringLiteral("TDateConvert"));
    ok_->setDefault(true);  // Enter closes, as Esc does
    edit_ = new QPushButton(tr("&Edytuj pozycję"), this);
    edit_->setAutoDefault(false);
    edit_->setEnabled(false);
    help_->setAutoDefault(false);
    layOut({edit_});
    connect(edit_, &QPushButton::clicked, this, &DateConvertWindow::editSelected);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { editSelected(); });
}

void DateConvertWindow::askAndConvert(UserInteraction& ui) {
    if (!ui.askYesNoWithHelp(QStringLiteral("Lineara"), DateConvertWindow::tr(kAskConvertDates),
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
        startRun(tr("Checking and converting, please wait..."), {edit_});
        DateCheckResult result = lineara::DCheck(doc_);
        sortForList(result.entries);
        fill(result);
        count = result.count;
        resultLabel_->setText(tr("Konwersja zakoczona:") + QString::number(count) +
                              tr(" date(y) przekonwertowano"));
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
