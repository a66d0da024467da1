// The running program with a small tree, for driving the editing commands,
// the context menu and the keys as a user does.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QTest>

#include "gui/app/application.h"
#include "support/add_person.h"
#include "support/fake_shell.h"
#include "support/main_window_parts.h"
#include "support/program_fixture.h"

namespace lineara::test {

class EditFixture : public ProgramFixture {
protected:
    void SetUp() override {
        ProgramFixture::SetUp();
        QObject::connect(main, &MainWindow::editPersonRequested,
                         [this](const PersonRecord* p, bool relationshipPage) {
                             edited.push_back(p);
                             editedOnRelationshipPage = relationshipPage;
                         });
    }
    PersonList& persons() { return test::writable(main->doc()); }
    // A named person at (x, y), left current.
    PersonRecord* add(const char* given, const char* surname, int32_t x = 0, int32_t y = 0) {
        return addPerson(persons(), given, surname, x, y);
    }
    QAction* action(const char* name) {
        QAction* a = main->action(QString::fromLatin1(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    void trigger(const char* name) {
        if (QAction* a = action(name)) a->trigger();
    }
    // Opens a menu of the menu bar as far as its states go.
    void showMenu(const char* name) {
        QMenu* menu = main->findChild<QMenu*>(QString::fromLatin1(name));
        ASSERT_NE(menu, nullptr) << name;
        emit menu->aboutToShow();
    }
    std::string text(const PersonRecord* p, TextField f) { return std::string(p->text(f)); }

    std::vector<const PersonRecord*> edited;
    bool editedOnRelationshipPage = false;
};

}  // namespace lineara::test
