#include "tool/gui_start.h"

#include "render/platform/runtime_dir.h"

namespace lineara::tool {

std::unique_ptr<QGuiApplication> startGui() {
    if (QCoreApplication::instance() != nullptr) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ensureRuntimeDir();
    static int argc = 1;
    static char name[] = "lineara-tool";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace lineara::tool
