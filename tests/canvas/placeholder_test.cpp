#include <gtest/gtest.h>

TEST(Placeholder, GuiTestProgramRuns) { SUCCEED(); }
