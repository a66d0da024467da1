// main() for the rendering library's tests: a QGuiApplication on the
// offscreen platform (fonts and painting need one), and no widgets, so the
// library is tested as the tool runs it.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "render/platform/runtime_dir.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    lineara::ensureRuntimeDir();
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
