// A running program for window tests: started past the welcome screen,
// with a scripted user and a fake desktop over a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "gui/app/application.h"
#include "gui/editor/person_editor.h"
#include "support/fake_shell.h"
#include "support/main_window_parts.h"

namespace lineara::test {

class ProgramFixture : public ::testing::Test {
protected:
    void SetUp() override {
        StartOptions options;
        options.welcomeSwapDraw = 0;
        program = std::make_unique<Application>(t.ctx, options);
        program->show();
        program->start();
        main = program->mainWindow();
        // The person editor stays closed unless a test drives it.
        program->personEditor()->setRunner([](PersonEditor&) {});
        ASSERT_TRUE(QTest::qWaitForWindowActive(main));
    }

    TestContext t;
    std::unique_ptr<Application> program;
    MainWindow* main = nullptr;
};

}  // namespace lineara::test
