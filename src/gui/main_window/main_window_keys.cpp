// The keyboard of the main window, on one path. The canvas takes no keys of
// its own, so every key pressed in the window comes here: a key that a row
// of the action table has runs that row, under the context menu's rules
// when the row is the context menu's (they go first); what no row takes
// goes to the canvas (Escape, the modifiers held alone), then to the
// arrows with a modifier, and its character is shown in the status bar.
#include <QKeyEvent>
#include <QMenu>
#include <QScopedValueRollback>
#include <QToolBar>

#include "gui/main_window/main_window.h"
#include "gui/main_window/window_parts.h"

namespace lineara {

namespace {

constexpr Qt::KeyboardModifiers kHeldMask =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// The key with its modifiers as a menu shows it; the keypad's Enter is the
// Enter of the menus.
QKeySequence keyOf(const QKeyEvent* event) {
    int key = event->key();
    if (key == Qt::Key_Enter) key = Qt::Key_Return;
    const Qt::KeyboardModifiers mods = event->modifiers() & kHeldMask;
    return QKeySequence(QKeyCombination(mods, static_cast<Qt::Key>(key)));
}

Qt::KeyboardModifier modifierOf(int key) {
    switch (key) {
    case Qt::Key_Shift:
        return Qt::ShiftModifier;
    case Qt::Key_Control:
        return Qt::ControlModifier;
    case Qt::Key_Alt:
        return Qt::AltModifier;
    case Qt::Key_Meta:
        return Qt::MetaModifier;
    default:
        return Qt::NoModifier;
    }
}

// Which modifiers are held once this key event has taken effect.
Qt::KeyboardModifiers heldModifiers(const QKeyEvent* event, bool pressed) {
    Qt::KeyboardModifiers held = event->modifiers() & kHeldMask;
    const Qt::KeyboardModifier own = modifierOf(event->key());
    if (pressed) {
        held |= own;
    } else {
        held &= ~Qt::KeyboardModifiers(own);
    }
    return held;
}

}  // namespace

// Watches the keys of the main window. Key events the focus widget leaves
// alone travel up to the window, so they all pass here once. Qt asks with
// a ShortcutOverride whether a key is wanted before trying its shortcuts;
// claiming every key of the table there is what keeps the keys on this one
// path. In the menus it only notes whether an item is being chosen with a
// key or with the mouse.
class MainWindow::KeyFilter : public QObject {
public:
    explicit KeyFilter(MainWindow* window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (qobject_cast<QMenu*>(watched) != nullptr) {
            if (type == QEvent::KeyPress) window_->noteMenuInput(true);
            if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) {
                window_->noteMenuInput(false);
            }
            return false;
        }
        // The tool bar's buttons follow the person when the mouse comes to
        // them, whatever changed the tree since the last press.
        if (type == QEvent::Enter && watched != window_) {
            window_->refreshCommandStates();
            return false;
        }
        if (watched != window_) return false;
        // Cast only once the type says it is a key event.
        const auto key = [event] { return static_cast<QKeyEvent*>(event); };
        switch (type) {
        case QEvent::ShortcutOverride:
            if (window_->parts_->actions.rowForKey(keyOf(key())) != nullptr) key()->accept();
            return false;
        case QEvent::KeyRelease:
            if (!key()->isAutoRepeat()) {
                window_->interaction().keyReleased(heldModifiers(key(), false));
            }
            return false;
        case QEvent::KeyPress:
            return window_->keyPressed(key());
        default:
            return false;
        }
    }

private:
    MainWindow* window_;
};

void MainWindow::installKeyFilter() {
    auto* filter = new KeyFilter(this);
    installEventFilter(filter);
    toolBar_->installEventFilter(filter);
    for (QMenu* menu : findChildren<QMenu*>()) menu->installEventFilter(filter);
}

bool MainWindow::keyPressed(QKeyEvent* event) {
    if (runKey(keyOf(event))) return true;
    const int key = event->key();
    const Qt::KeyboardModifiers held = heldModifiers(event, true);
    bool consumed = interaction().keyPressed(key, held);
    const struct {
        Qt::Key key;
        ScrollDirection direction;
    } arrows[] = {{Qt::Key_Left, ScrollDirection::Left},
                  {Qt::Key_Right, ScrollDirection::Right},
                  {Qt::Key_Up, ScrollDirection::Up},
                  {Qt::Key_Down, ScrollDirection::Down}};
    for (const auto& a : arrows) {
        if (!consumed && key == a.key &&
            (held & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))) {
            search().moveToNearest(a.direction);
            consumed = true;
        }
    }
    const QString text = event->text();
    if (!text.isEmpty()) {
        setStatusText(tr("Key = ") + QString::number(text.at(0).unicode()));
    }
    return consumed;
}

// The row's states are brought up to date first, as when its menu opens. A
// context menu item takes its key even when its rule disables it; another
// item's key then goes on as if no row had it.
bool MainWindow::runKey(const QKeySequence& key) {
    WindowActions& actions = parts_->actions;
    const ActionRow* row = actions.rowForKey(key);
    if (row == nullptr) return false;
    const bool context = inContextMenu(row->home);
    // A menu whose entry is off the bar does not answer its keys.
    if (!context && menuEmpty_ && actions.inMenuBar(*row)) return false;
    refreshStatesOf(row->home);
    if (row->enabled && !row->enabled()) return context;
    const QScopedValueRollback<bool> byKey(keyCommand_, true);
    actions.actionOf(*row)->trigger();
    return true;
}

}  // namespace lineara
