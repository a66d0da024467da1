// Qt wants a private runtime folder and complains on every start when the
// session has none (as under cron, ssh or CI). Headless runs make their own.
#pragma once

namespace lineara {

// Sets XDG_RUNTIME_DIR to a private folder under the temporary folder when
// it is not set. Call before the Qt application object is created.
void ensureRuntimeDir();

}  // namespace lineara
