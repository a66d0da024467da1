// The desktop program's stored settings, as the tool sees them: read, never
// written or created.
#pragma once

#include <string>

#include "core/platform/registry.h"

namespace lineara::tool {

// The settings store of the desktop program ($XDG_CONFIG_HOME or
// ~/.config, then lineara/registry.ini), opened read-only.
Registry storedSettings();

// Trees do not record their code page: like the desktop program, the tool
// takes it from the character set chosen in the options, CP1250 when none
// was chosen.
int recordCharsetCode();
const char* recordCodePage();

}  // namespace lineara::tool
