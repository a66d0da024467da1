#include "gui/checks/check_window_common.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "core/model/document.h"
#include "gui/common/core_texts.h"

namespace lineara {

namespace {
QString localName(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}
}  // namespace

QString fileLabelText(const std::string& currentFileName) {
    if (currentFileName.empty()) return CheckWindow::tr("Plik: (Nowy)");
    return CheckWindow::tr("Plik: ") + localName(currentFileName);
}

namespace {

constexpr int kEntryRole = Qt::UserRole;

void resetColumns(QTreeWidget* list, const QString& second) {
    list->setColumnCount(2);
    list->setHeaderLabels({CheckWindow::tr("Osoby"), second});
    list->setColumnWidth(0, 200);
    list->setColumnWidth(1, 1000);
}

}  // namespace

CheckWindow::CheckWindow(Document& doc, const RecordCodec& codec, EditPersonFn editPerson,
                         std::function<void()> help, std::function<void()> repaint,
                         const QString& title, const QString& secondColumn, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowStaysOnTopHint),
      doc_(doc),
      codec_(codec),
      editPerson_(std::move(editPerson)),
      helpFn_(std::move(help)),
      repaint_(std::move(repaint)),
      secondColumn_(secondColumn) {
    setWindowTitle(title);
    fileLabel_ = new QLabel(this);
    resultLabel_ = new QLabel(this);
    list_ = new QTreeWidget(this);
    list_->setRootIsDecorated(false);
    list_->setSortingEnabled(false);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->header()->setStretchLastSection(false);
    resetColumns(list_, secondColumn_);
    ok_ = new QPushButton(tr("&OK"), this);
    help_ = new QPushButton(tr("&Pomoc"), this);
    help_->setObjectName(QStringLiteral("HelpBtn"));
    connect(help_, &QPushButton::clicked, this, [this] {
        if (helpFn_) helpFn_();
    });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, [this] { updateButtons(); });
    removalToken_ =
        doc_.addRemovalListener([this](const PersonRecord* person) { forgetPerson(person); });
}

CheckWindow::~CheckWindow() { doc_.removeRemovalListener(removalToken_); }

void CheckWindow::layOut(std::initializer_list<QPushButton*> own) {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(ok_);
    for (QPushButton* b : own) buttons->addWidget(b);
    buttons->addWidget(help_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(fileLabel_);
    layout->addWidget(resultLabel_);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(640, 400);
}

void CheckWindow::showEvent(QShowEvent* event) {
    fileLabel_->setText(fileLabelText(doc_.currentFileName()));
    QDialog::showEvent(event);
}

void CheckWindow::startRun(const QString& progress, std::initializer_list<QPushButton*> buttons) {
    resultLabel_->setText(progress);
    list_->hide();
    list_->clear();
    entryPersons_.clear();
    ok_->setEnabled(false);
    for (QPushButton* b : buttons) b->setEnabled(false);
    QApplication::processEvents();
    resetColumns(list_, secondColumn_);
}

void CheckWindow::addEntry(std::string_view caption, std::string_view text,
                           const PersonRecord* person) {
    auto* item = new QTreeWidgetItem({codec_.decode(caption), codec_.decode(text)});
    item->setData(0, kEntryRole, static_cast<int>(entryPersons_.size()));
    entryPersons_.push_back(person);
    list_->addTopLevelItem(item);
}

void CheckWindow::addEntry(std::string_view caption, std::string_view text,
                           const PersonRecord* person, std::initializer_list<const char*> leads) {
    addEntry(caption, text, person);
    for (const char* lead : leads) {
        const std::string_view start(lead);
        if (text.substr(0, start.size()) != start) continue;
        list_->topLevelItem(list_->topLevelItemCount() - 1)
            ->setText(1, coreText(lead) + codec_.decode(text.substr(start.size())));
        return;
    }
}

int CheckWindow::entryIndex(const QTreeWidgetItem* item) {
    return item->data(0, kEntryRole).toInt();
}

const PersonRecord* CheckWindow::personOf(const QTreeWidgetItem* item) const {
    if (item == nullptr) return nullptr;
    const int index = entryIndex(item);
    if (index < 0 || index >= static_cast<int>(entryPersons_.size())) return nullptr;
    return entryPersons_[static_cast<size_t>(index)];
}

QTreeWidgetItem* CheckWindow::selectedEntry() const {
    QTreeWidgetItem* item = list_->currentItem();
    if (item == nullptr || !item->isSelected() || personOf(item) == nullptr) return nullptr;
    return item;
}

bool CheckWindow::selectionActionable() const {
    const QTreeWidgetItem* item = selectedEntry();
    return item != nullptr && !list_->isHidden() && !item->text(1).isEmpty();
}

// A removed record's entries leave the list; clearing the tree empties it.
void CheckWindow::forgetPerson(const PersonRecord* person) {
    for (int i = list_->topLevelItemCount() - 1; i >= 0; --i) {
        const size_t index = static_cast<size_t>(entryIndex(list_->topLevelItem(i)));
        if (person != nullptr && entryPersons_[index] != person) continue;
        entryPersons_[index] = nullptr;
        delete list_->takeTopLevelItem(i);
    }
    updateButtons();
}

void CheckWindow::leaveNoOneCurrent() {
    doc_.setCurrentPerson(nullptr);
    if (repaint_) repaint_();
}

}  // namespace lineara
