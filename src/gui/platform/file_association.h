// Makes the desktop open tree files (*.ln3) with this program: the
// association keys in the settings store, which the program's own
// default-program lookup reads, and a freedesktop MIME type with a desktop
// entry in the user's data folder, which the file managers read.
#pragma once

#include <QString>

#include "core/platform/registry.h"

namespace lineara {

extern const char kTreeMimeType[];  // "application/x-lineara-tree"

// Runs at every start. Nothing here may stop the program, so every failure
// is ignored. `dataHome` is the user's data folder ($XDG_DATA_HOME, usually
// ~/.local/share); the files go to its "mime/packages" and "applications"
// folders and the desktop's caches are refreshed when the files changed.
void registerFileAssociation(Registry& registry, const QString& executablePath,
                             const QString& dataHome);

// The executable path as one argument of a desktop entry's Exec line:
// quoted and escaped when it holds blanks or other reserved characters.
QString desktopExecArgument(const QString& path);

}  // namespace lineara
