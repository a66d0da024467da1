// Choosing from the menus as a user does with the keyboard: Alt with the
// letter of a menu bar title, then the letter of each item in the menus
// that open. A letter that two items share chooses neither, so a choice
// that goes through shows the letters are the items' own.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>

namespace lineara::test {

// `letters`: the title's letter, then one for each menu level. True when
// every letter was taken by an open menu.
inline bool chooseByKeys(QWidget* window, const char* letters) {
    window->activateWindow();
    if (!QTest::qWaitFor([window] { return QApplication::activeWindow() == window; })) {
        ADD_FAILURE() << "the window does not get the keyboard";
        return false;
    }
    QTest::keyClick(window, letters[0], Qt::AltModifier);
    for (const char* c = letters + 1; *c != '\0'; ++c) {
        QWidget* popup = QApplication::activePopupWidget();
        if (popup == nullptr) {
            ADD_FAILURE() << "no menu open for '" << *c << "' of " << letters;
            return false;
        }
        QTest::keyClick(popup, *c);
    }
    // Whatever is left open (an ambiguous letter) is closed again.
    bool leftOpen = false;
    while (QWidget* popup = QApplication::activePopupWidget()) {
        leftOpen = true;
        popup->close();
    }
    return !leftOpen;
}

}  // namespace lineara::test
