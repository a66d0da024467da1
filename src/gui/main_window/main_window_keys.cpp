// The keyboard of the main window. The canvas takes no keys of its own, so
// every key pressed in the window comes here: first the context menu's
// keys, judged by the context menu's rules, then the main menu's (Qt's
// shortcuts), and what neither takes goes to FormKeyDown / FormKeyPress.
#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QScopedValueRollback>
#include <QToolBar>

#include "core/search/nearest_box.h"
#include "gui/canvas/tree_canvas.h"
#include "gui/main_window/main_window.h"

namespace lineara {

extern const char kRuleDisabled[];  // main_window_context_menu.cpp

namespace {

constexpr Qt::KeyboardModifiers kHeldMask =
    Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;

// The key with its modifiers as a menu shows it; the keypad's Enter is
// the Enter of the menus.
QKeySequence keyOf(const QKeyEvent* event) {
    int key = event->key();
    if (key == Qt::Key_Enter) key = Qt::Key_Return;
    const Qt::KeyboardModifiers mods = event->modifiers() & kHeldMask;
    return QKeySequence(QKeyCombination(mods, static_cast<Qt::Key>(key)));
}

bool isModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt ||
           key == Qt::Key_Meta;
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

// Watches the keys of the main window. Key events the focus widget leaves
// alone travel up to the window, so they all pass here once. Qt asks with
// a ShortcutOverride whether a key is wanted before trying the shortcuts;
// claiming the context menu's keys there is what lets them go before the
// main menu's. In the menus it only notes whether an item is being chosen
// with a key or with the mouse.
class KeyFilter : public QObject {
public:
    explicit KeyFilter(TZudezezor* window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (qobject_cast<QMenu*>(watched) != nullptr) {
            noteMenuInput(event->type());
            return false;
        }
        // The tool bar's buttons follow the person when the mouse comes to
        // them, whatever changed the tree since the last press.
        if (event->type() == QEvent::Enter && watched != window_) {
            window_->refreshCommandStates();
            return false;
        }
        if (watched != window_) return false;
        const QEvent::Type type = event->type();
        if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress &&
            type != QEvent::KeyRelease) {
            return false;
        }
        auto* key = static_cast<QKeyEvent*>(event);
        switch (type) {
        case QEvent::ShortcutOverride:
            if (window_->isContextMenuKey(keyOf(key))) key->accept();
            return false;
        case QEvent::KeyRelease:
            if (!key->isAutoRepeat()) window_->FormKeyUp(key);
            return false;
        case QEvent::KeyPress: {
            if (window_->contextMenuShortcut(keyOf(key))) return true;
            const bool consumed = window_->FormKeyDown(key);
            window_->FormKeyPress(key);
            return consumed;
        }
        default:
            return false;
        }
    }

private:
    void noteMenuInput(QEvent::Type type) {
        if (type == QEvent::KeyPress) window_->noteMenuInput(true);
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease) {
            window_->noteMenuInput(false);
        }
    }

    TZudezezor* window_;
};

}  // namespace

void TZudezezor::setupKeys() {
    auto* filter = new KeyFilter(this);
    installEventFilter(filter);
    toolBar_->installEventFilter(filter);
    for (QMenu* menu : findChildren<QMenu*>()) menu->installEventFilter(filter);
}

bool TZudezezor::isContextMenuKey(const QKeySequence& key) const {
    for (const QAction* a : popupKeyItems_) {
        if (a->shortcut() == key) return true;
    }
    return false;
}

bool TZudezezor::contextMenuShortcut(const QKeySequence& key) {
    for (QAction* a : popupKeyItems_) {
        if (a->shortcut() != key) continue;
        // The menu's open handler decides first; a disabled item still
        // takes the key.
        PopupMenu();
        if (!a->property(kRuleDisabled).toBool()) {
            const QScopedValueRollback<bool> byKey(keyCommand_, true);
            a->trigger();
        }
        return true;
    }
    return false;
}

Qt::KeyboardModifiers TZudezezor::heldModifiers(const QKeyEvent* event, bool pressed) {
    Qt::KeyboardModifiers held = event->modifiers() & kHeldMask;
    const Qt::KeyboardModifier own = modifierOf(event->key());
    if (pressed) {
        held |= own;
    } else {
        held &= ~Qt::KeyboardModifiers(own);
    }
    return held;
}

bool TZudezezor::FormKeyDown(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Escape && cancelCanvasGesture()) return true;
    const Qt::KeyboardModifiers held = heldModifiers(event, true);
    const struct {
        Qt::Key key;
        ScrollDirection direction;
    } arrows[] = {{Qt::Key_Left, ScrollDirection::Left},
                  {Qt::Key_Right, ScrollDirection::Right},
                  {Qt::Key_Up, ScrollDirection::Up},
                  {Qt::Key_Down, ScrollDirection::Down}};
    for (const auto& a : arrows) {
        if (key == a.key && (held & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier))) {
            moveFocusToNearest(a.direction);
            return true;
        }
    }
    if (!isModifierKey(key) || gestures_.rubberBand) return false;
    if (held == Qt::AltModifier) {
        gestures_.panArmed = true;
        setAreaZoomMode(false);
        canvas_->setCursor(Qt::PointingHandCursor);
    } else if (held == Qt::ControlModifier) {
        gestures_.panArmed = false;
        setAreaZoomMode(true);
        gestures_.areaZoomSticky = true;
    }
    return false;
}

void TZudezezor::FormKeyUp(QKeyEvent* event) {
    if (gestures_.rubberBand || heldModifiers(event, false) != Qt::NoModifier) return;
    // Only a mode of the modifiers gives the pointer back: the cross of a
    // link command waiting for its click stays through the release of F.
    if (!gestures_.areaZoom && !gestures_.panArmed && !gestures_.areaZoomSticky) return;
    setAreaZoomMode(false);
    gestures_.panArmed = false;
    canvas_->unsetCursor();
    gestures_.areaZoomSticky = false;
}

void TZudezezor::FormKeyPress(QKeyEvent* event) {
    const QString text = event->text();
    if (text.isEmpty()) return;
    setStatusText(QStringLiteral("Key = ") + QString::number(text.at(0).unicode()));
}

void TZudezezor::moveFocusToNearest(ScrollDirection direction) {
    const PersonList& list = doc_.persons();
    const PersonRecord* from = list.currentPerson();
    if (from == nullptr) return;
    const PersonRecord* to = nearestBox(list, *from, direction);
    if (to != nullptr) doc_.setCurrentPerson(to);
    const PersonRecord* p = list.currentPerson();
    centreAtPresentZoom(view_, windowExtent(), p->posX(), p->posY());
    FormPaint();
    refreshCommandStates();
    showCurrentPersonStatus();
}

void TZudezezor::showCurrentPersonStatus() {
    const PersonRecord* p = doc_.persons().currentPerson();
    if (p == nullptr) {
        setStatusText(QString());
        return;
    }
    const QString status = ctx_.codec.decode(p->text(field::givenNames)) + QLatin1Char(' ') +
                           ctx_.codec.decode(p->text(field::surname)) + QStringLiteral(" (") +
                           ctx_.codec.decode(p->text(field::birthDate)) + QStringLiteral(" - ") +
                           ctx_.codec.decode(p->text(field::deathDate)) + QLatin1Char(')');
    setStatusText(status.trimmed());
}

}  // namespace lineara
