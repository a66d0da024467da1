#include "gui/lists/go_to_dialog.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/model/document.h"
#include "gui/common/busy_cursor.h"
#include "render/platform/record_codec.h"

namespace lineara {

// A window of its own rather than a tool window of the main one: Qt keeps
// a tool window's owner's shortcuts live while it has the keyboard, and
// Enter here must choose the line, not edit the main window's person.
GoToDialog::GoToDialog(ListHost host, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowStaysOnTopHint), host_(std::move(host)) {
    setObjectName(QStringLiteral("GOTOwnd"));
    setWindowTitle(tr("Idź do osoby"));
    setSizeGripEnabled(true);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    go_ = new QPushButton(tr("&Idź"), this);
    go_->setDefault(true);
    close_ = new QPushButton(tr("&Zamknij"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(go_);
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(300, 260);
    connect(go_, &QPushButton::clicked, this, &GoToDialog::goToSelected);
    connect(close_, &QPushButton::clicked, this, &QDialog::close);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { goToSelected(); });
    removalToken_ = host_.doc->addRemovalListener([this](PersonRecord* r) {
        if (r == nullptr || r == subject_) subject_ = nullptr;
    });
}

GoToDialog::~GoToDialog() { host_.doc->removeRemovalListener(removalToken_); }

const PersonRecord* GoToDialog::currentPerson() const {
    return host_.doc->persons().currentPerson();
}

void GoToDialog::showChildren() {
    if (const PersonRecord* p = currentPerson()) showFor(Kind::Children, *p);
}

void GoToDialog::showSiblings() {
    if (const PersonRecord* p = currentPerson()) showFor(Kind::Siblings, *p);
}

void GoToDialog::showRelatives() {
    if (const PersonRecord* p = currentPerson()) showFor(Kind::Relatives, *p);
}

GoToList GoToDialog::listFor(Kind kind, const PersonRecord& person) const {
    const PersonList& persons = host_.doc->persons();
    switch (kind) {
    case Kind::Children:
        return childrenList(persons, person);
    case Kind::Siblings:
        return siblingsList(persons, person);
    case Kind::Relatives:
        break;
    }
    return relativesList(person);
}

void GoToDialog::showFor(Kind kind, const PersonRecord& person) {
    kind_ = kind;
    subject_ = &person;
    showList(listFor(kind, person));
}

void GoToDialog::showList(const GoToList& list) {
    list_->clear();
    for (const std::string& entry : list.entries) list_->addItem(host_.codec->decode(entry));
    setWindowTitle(host_.codec->decode(list.caption));
    show();
    raise();
}

void GoToDialog::treeChanged() {
    if (!isVisible()) return;
    if (subject_ == nullptr) {
        close();
        return;
    }
    const GoToList list = listFor(kind_, *subject_);
    const QListWidgetItem* chosen = list_->currentItem();
    const QString chosenText =
        chosen != nullptr && chosen->isSelected() ? chosen->text() : QString();
    list_->clear();
    for (const std::string& entry : list.entries) list_->addItem(host_.codec->decode(entry));
    setWindowTitle(host_.codec->decode(list.caption));
    // The same line, person and text alike, stays chosen; a line that now
    // reads differently is not the one the user chose.
    if (chosenText.isEmpty()) return;
    const QList<QListWidgetItem*> same = list_->findItems(chosenText, Qt::MatchExactly);
    if (!same.isEmpty()) {
        list_->setCurrentItem(same.first());
        same.first()->setSelected(true);
    }
}

// The line names its person only by id: a person deleted since the list
// was filled is simply not found, and the focus stays where it was.
void GoToDialog::goToSelected() {
    if (host_.enableMainWindow) host_.enableMainWindow();
    {
        BusyCursor busy;
        const QListWidgetItem* item = list_->currentItem();
        if (item != nullptr && item->isSelected()) {
            const int32_t id = entryPersonId(item->text().toStdString());
            const PersonRecord* person = host_.doc->persons().findPersonById(id);
            if (person != nullptr && host_.goTo) host_.goTo(person);
        }
    }
    close();
}

}  // namespace lineara
