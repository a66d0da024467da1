// The desktop program's stored settings, as the tool sees them: read, never
// written or created.
#pragma once

#include <string>

#include "core/platform/registry.h"
#include "render/platform/record_codec.h"

namespace lineara::tool {

// The settings store of the desktop program ($XDG_CONFIG_HOME or
// ~/.config, then lineara/registry.ini), opened read-only.
Registry storedSettings();

// Trees do not record their code page: like the desktop program, the tool
// takes it from the character set chosen in the options, CP1250 when none
// was chosen.
int recordCharsetCode();
const char* recordCodePage();
// The converter of record texts for that code page: every command that
// shows, sorts or draws record texts takes it from here.
RecordCodec storedRecordCodec();

}  // namespace lineara::tool
