// main() for the application tests: a QApplication on the offscreen
// platform, so widgets can be created and painted without a display.
#include <gtest/gtest.h>

#include <QApplication>

#include "render/platform/runtime_dir.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    lineara::ensureRuntimeDir();
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
