// What the windows share besides the tree: the settings and their store,
// the way to talk to the user, the desktop, and the record text codec.
// The program builds one at start; tests build one over a temporary
// folder with a scripted user and a fake desktop.
#pragma once

#include <QString>

#include "core/platform/registry.h"
#include "core/settings/settings.h"
#include "gui/platform/shell.h"
#include "gui/platform/user_interaction.h"
#include "render/platform/record_codec.h"

namespace lineara {

struct AppContext {
    Registry* registry = nullptr;
    UserInteraction* ui = nullptr;
    Shell* shell = nullptr;
    AppSettings settings;
    RecordCodec codec;
    QString programDir;      // the program's own files (help/), with a trailing "/":
                             // the executable's folder, or the installed data folder
    QString executablePath;  // for the file association
    // Where copies of modified trees are kept for after a crash; "" keeps
    // none (and offers none at start).
    QString recoveryFolder;
};

}  // namespace lineara
