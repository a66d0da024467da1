#include "gui/lists/person_search_window.h"

#include <QCoreApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "core/model/document.h"
#include "gui/common/busy_cursor.h"
#include "gui/lists/person_search_model.h"
#include "render/platform/record_codec.h"

namespace lineara {

namespace {

constexpr int kMinimumWidth = 322;
constexpr int kFieldMargin = 4;  // each side: the field is the panel's width less 8

// The key's code as the keyboard reports it to a Windows program. Codes
// above 40 are the keys that change the text (characters, digits, Delete);
// Backspace, the arrows, Home, End and the modifiers stay at or below it.
int virtualKeyOf(const QKeyEvent* event) {
    const int key = event->key();
    switch (key) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    default:
        break;
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 112 + (key - Qt::Key_F1);
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return key;
    }
    // Punctuation and letters outside A to Z sit on the keyboard's extra
    // keys, all of them above 40; keys with no code at all count as none.
    return key == 0 || key == Qt::Key_unknown ? 0 : 186;
}

}  // namespace

// A window of its own, not a tool window of the main one, whose keys Qt
// would otherwise leave live here (see GoToDialog).
PersonSearchWindow::PersonSearchWindow(ListHost host, QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::WindowStaysOnTopHint), host_(std::move(host)) {
    setObjectName(QStringLiteral("PersBrowser"));
    setWindowTitle(tr("Szukaj osoby"));
    setSizeGripEnabled(true);
    setMinimumWidth(kMinimumWidth);
    searchField_ = new QLineEdit(this);
    searchField_->setObjectName(QStringLiteral("Edit1"));
    searchField_->setToolTip(tr("Wpisz tutaj wyszukiwane wyrażenie"));
    list_ = new QListView(this);
    list_->setObjectName(QStringLiteral("ListBox1"));
    list_->setToolTip(tr("Kliknij podwójnie, aby przejść do wybranej osoby"));
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    // One row height for all: a list of a whole tree lays out at once, and
    // only the lines on screen are ever read from the model.
    list_->setUniformItemSizes(true);
    model_ = new PersonSearchModel(search_, *host_.codec, this);
    list_->setModel(model_);
    refresh_ = new QPushButton(tr("&Ośwież"), this);
    edit_ = new QPushButton(tr("&Edytuj osobę"), this);
    go_ = new QPushButton(tr("&Idź do osoby"), this);
    go_->setDefault(true);
    close_ = new QPushButton(tr("&Zamknij"), this);
    for (QPushButton* b : {refresh_, edit_, close_}) b->setAutoDefault(false);
    searchTimer_ = new QTimer(this);
    searchTimer_->setInterval(kSearchDelayMs);

    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {refresh_, edit_, go_, close_}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kFieldMargin, kFieldMargin, kFieldMargin, kFieldMargin);
    layout->addWidget(searchField_);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(kMinimumWidth + 80, 420);
    move(50, 80);

    searchField_->installEventFilter(this);
    connect(searchTimer_, &QTimer::timeout, this, &PersonSearchWindow::completeTypedText);
    connect(refresh_, &QPushButton::clicked, this, &PersonSearchWindow::refresh);
    connect(edit_, &QPushButton::clicked, this, &PersonSearchWindow::editSelected);
    connect(go_, &QPushButton::clicked, this, &PersonSearchWindow::goToSelected);
    connect(close_, &QPushButton::clicked, this, &QDialog::close);
    connect(list_, &QListView::doubleClicked, this, [this] { goToSelected(); });
}

void PersonSearchWindow::showSearch() {
    refresh();
    show();
    raise();
    activateWindow();
    searchField_->setFocus();
}

void PersonSearchWindow::refresh() {
    lastSearched_.clear();
    searchField_->clear();
    searchTimer_->start();
    if (host_.searchShown) host_.searchShown(true);
    rebuildList();
}

void PersonSearchWindow::rebuildList() {
    BusyCursor busy;
    search_.build(host_.doc->persons());
    model_->showAll();
}

int PersonSearchWindow::chosenRow() const {
    const QModelIndex at = list_->currentIndex();
    if (!at.isValid() || !list_->selectionModel()->isSelected(at)) return -1;
    return at.row();
}

QString PersonSearchWindow::chosenLine() const { return model_->lineAt(chosenRow()); }

void PersonSearchWindow::chooseRow(int row) { list_->setCurrentIndex(model_->index(row)); }

// Most changes (a box moved, say) leave every line as it was: the list the
// user is looking at is then left alone.
void PersonSearchWindow::treeChanged() {
    if (!isVisible()) return;
    PersonSearchList fresh;
    fresh.build(host_.doc->persons());
    const auto& now = fresh.entries();
    const auto& shown = search_.entries();
    const bool unchanged =
        now.size() == shown.size() &&
        std::equal(now.begin(), now.end(), shown.begin(),
                   [](const auto& a, const auto& b) { return a.text == b.text; });
    if (unchanged) return;
    const int chosen = model_->entryAt(chosenRow());
    const std::string chosenText(chosen >= 0 ? shown[static_cast<size_t>(chosen)].text : "");
    search_ = std::move(fresh);
    model_->showAll();
    if (chosen < 0) return;
    const auto& lines = search_.entries();
    const auto same = std::find_if(lines.begin(), lines.end(),
                                   [&](const auto& e) { return e.text == chosenText; });
    if (same != lines.end()) chooseRow(static_cast<int>(same - lines.begin()));
}

void PersonSearchWindow::completeTypedText() {
    const QString text = searchField_->text();
    if (text == lastSearched_) return;
    searchTimer_->stop();
    if (text.isEmpty() || search_.empty()) return;
    const std::string typed = host_.codec->encode(text);
    int at = search_.complete(typed);
    if (at < 0) at = search_.completePlain(typed);
    if (at < 0) {
        // Nothing begins with it: the lines holding it, the first chosen,
        // and the field left as typed.
        std::vector<int> holding = search_.containing(typed);
        if (holding.empty()) return;
        model_->showOnly(std::move(holding));
        chooseRow(0);
        lastSearched_ = text;
        return;
    }
    if (!model_->showsAll()) model_->showAll();
    chooseRow(at);
    lastSearched_ = text;
    const QString whole = model_->lineAt(at);
    searchField_->setText(whole);
    // The completed part is selected, so the next letter typed replaces it.
    searchField_->setSelection(static_cast<int>(text.size()),
                               static_cast<int>(whole.size() - text.size()));
}

bool PersonSearchWindow::jumpToSelected() {
    if (host_.enableMainWindow) host_.enableMainWindow();
    searchField_->selectAll();
    BusyCursor busy;
    const int entry = model_->entryAt(chosenRow());
    if (entry < 0) return false;
    const PersonRecord* person =
        host_.doc->persons().findPersonById(search_.entries()[static_cast<size_t>(entry)].personId);
    if (person == nullptr) return false;
    if (person != host_.doc->persons().currentPerson() && host_.goTo) host_.goTo(person);
    return true;
}

void PersonSearchWindow::goToSelected() { jumpToSelected(); }

// Only a person actually reached is edited: a line whose person has gone
// must not open the editor on whoever happened to be current.
void PersonSearchWindow::editSelected() {
    if (jumpToSelected() && host_.editCurrent) host_.editCurrent();
}

bool PersonSearchWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == searchField_) {
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            searchTimer_->stop();
            searchTimer_->setInterval(kSearchDelayMs);
            if (virtualKeyOf(key) > 40) searchTimer_->start();
            if (moveInList(key)) return true;
            break;
        }
        case QEvent::FocusIn:
            emptyMenu(true);
            break;
        case QEvent::FocusOut:
            emptyMenu(false);
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

bool PersonSearchWindow::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate) emptyMenu(true);
    if (event->type() == QEvent::WindowDeactivate) emptyMenu(false);
    return QDialog::event(event);
}

void PersonSearchWindow::hideEvent(QHideEvent* event) {
    searchTimer_->stop();
    emptyMenu(false);
    if (host_.searchShown) host_.searchShown(false);
    QDialog::hideEvent(event);
}

bool PersonSearchWindow::moveInList(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        break;
    default:
        return false;
    }
    const int count = model_->rowCount();
    if (count == 0) return true;
    // Nothing chosen yet: Down starts at the first line, Up at the last.
    if (chosenRow() < 0) {
        chooseRow(event->key() == Qt::Key_Up || event->key() == Qt::Key_PageUp ? count - 1 : 0);
        return true;
    }
    QKeyEvent copy(event->type(), event->key(), event->modifiers(), event->text());
    QCoreApplication::sendEvent(list_, &copy);
    return true;
}

void PersonSearchWindow::keyPressEvent(QKeyEvent* event) {
    const QKeySequence key(event->keyCombination());
    for (const QKeySequence& toggle : host_.searchKeys) {
        if (toggle == key) {
            close();
            return;
        }
    }
    QDialog::keyPressEvent(event);
}

void PersonSearchWindow::emptyMenu(bool on) {
    if (host_.emptyMenu) host_.emptyMenu(on);
}

}  // namespace lineara
