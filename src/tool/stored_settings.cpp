#include "tool/stored_settings.h"

#include <charconv>
#include <cstdlib>
#include <optional>

#include "core/platform/codepage.h"
#include "core/settings/settings.h"

namespace lineara::tool {

Registry storedSettings() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::string folder = config != nullptr && *config != '\0'
                             ? std::string(config)
                             : std::string(home != nullptr ? home : "") + "/.config";
    Registry registry(folder + "/lineara/registry.ini");
    registry.setReadOnly(true);
    return registry;
}

int recordCharsetCode() {
    static const int code = [] {
        const Registry registry = storedSettings();
        int choice = AppSettings().charsetChoice;
        if (std::optional<std::string> stored = registry.value(kSettingsKey, "ScreenCharset")) {
            int parsed = 0;
            auto [end, error] =
                std::from_chars(stored->data(), stored->data() + stored->size(), parsed);
            if (error == std::errc() && end == stored->data() + stored->size()) choice = parsed;
        }
        return charsetCodeForChoice(choice);
    }();
    return code;
}

const char* recordCodePage() { return codePageForCharset(recordCharsetCode()); }

RecordCodec storedRecordCodec() {
    RecordCodec codec;
    codec.setCharsetCode(recordCharsetCode());
    return codec;
}

}  // namespace lineara::tool
