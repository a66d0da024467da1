#include "gui/lists/goto_window.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/model/document.h"
#include "gui/common/busy_cursor.h"
#include "gui/platform/record_codec.h"

namespace lineara {

TGOTOwnd::TGOTOwnd(ListHost host, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint), host_(std::move(host)) {
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
}

const PersonRecord* TGOTOwnd::currentPerson() const { return host_.doc->persons().currentPerson(); }

void TGOTOwnd::Child1Click() {
    if (const PersonRecord* p = currentPerson()) showList(childrenList(host_.doc->persons(), *p));
}

void TGOTOwnd::ListofSiblings1Click() {
    if (const PersonRecord* p = currentPerson()) showList(siblingsList(host_.doc->persons(), *p));
}

void TGOTOwnd::Spouse1Click() {
    if (const PersonRecord* p = currentPerson()) showList(relativesList(*p));
}

void TGOTOwnd::showList(const GoToList& list) {
    ListBox1->clear();
    for (const std::string& entry : list.entries) ListBox1->addItem(host_.codec->decode(entry));
    setWindowTitle(host_.codec->decode(list.caption));
    show();
    raise();
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
