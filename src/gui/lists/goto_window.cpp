#include "gui/lists/goto_window.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/model/document.h"
#include "gui/common/busy_cursor.h"
#include "gui/platform/record_codec.h"

namespace lineara {

// A window of its own rather than a tool window of the main one: Qt keeps
// a tool window's owner's shortcuts live while it has the keyboard, and
// Enter here must choose the line, not edit the main window's person.
TGOTOwnd::TGOTOwnd(ListHost host, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowStaysOnTopHint), host_(std::move(host)) {
    setObjectName(QStringLiteral("GOTOwnd"));
    setWindowTitle(QStringLiteral("Idź do osoby"));
    setSizeGripEnabled(true);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    BitBtn1 = new QPushButton(QStringLiteral("&Idź"), this);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("&Zamknij"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ListBox1, 1);
    layout->addLayout(buttons);
    resize(300, 260);
    connect(BitBtn1, &QPushButton::clicked, this, &TGOTOwnd::GoClick);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::close);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { GoClick(); });
    removalToken_ = host_.doc->addRemovalListener([this](PersonRecord* r) {
        if (r == nullptr || r == subject_) subject_ = nullptr;
    });
}

TGOTOwnd::~TGOTOwnd() { host_.doc->removeRemovalListener(removalToken_); }

const PersonRecord* TGOTOwnd::currentPerson() const { return host_.doc->persons().currentPerson(); }

void TGOTOwnd::Child1Click() {
    if (const PersonRecord* p = currentPerson()) showFor(Kind::Children, *p);
}

void TGOTOwnd::ListofSiblings1Click() {
    if (const PersonRecord* p = currentPerson()) showFor(Kind::Siblings, *p);
}

void TGOTOwnd::Spouse1Click() {
    if (const PersonRecord* p = currentPerson()) showFor(Kind::Relatives, *p);
}

GoToList TGOTOwnd::listFor(Kind kind, const PersonRecord& person) const {
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

void TGOTOwnd::showFor(Kind kind, const PersonRecord& person) {
    kind_ = kind;
    subject_ = &person;
    showList(listFor(kind, person));
}

void TGOTOwnd::showList(const GoToList& list) {
    ListBox1->clear();
    for (const std::string& entry : list.entries) ListBox1->addItem(host_.codec->decode(entry));
    setWindowTitle(host_.codec->decode(list.caption));
    show();
    raise();
}

void TGOTOwnd::treeChanged() {
    if (!isVisible()) return;
    if (subject_ == nullptr) {
        close();
        return;
    }
    const GoToList list = listFor(kind_, *subject_);
    const QListWidgetItem* chosen = ListBox1->currentItem();
    const QString chosenText =
        chosen != nullptr && chosen->isSelected() ? chosen->text() : QString();
    ListBox1->clear();
    for (const std::string& entry : list.entries) ListBox1->addItem(host_.codec->decode(entry));
    setWindowTitle(host_.codec->decode(list.caption));
    // The same line, person and text alike, stays chosen; a line that now
    // reads differently is not the one the user chose.
    if (chosenText.isEmpty()) return;
    const QList<QListWidgetItem*> same = ListBox1->findItems(chosenText, Qt::MatchExactly);
    if (!same.isEmpty()) {
        ListBox1->setCurrentItem(same.first());
        same.first()->setSelected(true);
    }
}

// The line names its person only by id: a person deleted since the list
// was filled is simply not found, and the focus stays where it was.
void TGOTOwnd::GoClick() {
    if (host_.enableMainWindow) host_.enableMainWindow();
    {
        BusyCursor busy;
        const QListWidgetItem* item = ListBox1->currentItem();
        if (item != nullptr && item->isSelected()) {
            const int32_t id = entryPersonId(item->text().toStdString());
            const PersonRecord* person = host_.doc->persons().findPersonById(id);
            if (person != nullptr && host_.goTo) host_.goTo(person);
        }
    }
    close();
}

}  // namespace lineara
