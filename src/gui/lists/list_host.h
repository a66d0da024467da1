// What the go-to and search windows may ask of the main window: they read
// the tree and move the focus, and nothing else.
#pragma once

#include <QKeySequence>
#include <QList>
#include <functional>

namespace lineara {

class Document;
class PersonRecord;
class RecordCodec;

struct ListHost {
    const Document* doc = nullptr;
    const RecordCodec* codec = nullptr;
    // Makes the person current and centres it at the present zoom.
    std::function<void(const PersonRecord*)> goTo;
    // Opens the person editor for the current person.
    std::function<void()> editCurrent;
    std::function<void()> enableMainWindow;
    // The main window's menu bar without items (true) or the full one.
    std::function<void(bool)> emptyMenu;
    // The search window was shown (true) or closed.
    std::function<void(bool)> searchShown;
    // The main window's keys that show and hide the search window: pressed
    // in it, they hide it again.
    QList<QKeySequence> searchKeys;
};

}  // namespace lineara
