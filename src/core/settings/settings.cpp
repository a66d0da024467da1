#include "core/settings/settings.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

namespace lineara {

const char kSettingsKey[] = "Software\\Lineara";
const char kVersionText[] = "1.1";
const char kHomePageAddress[] = "https://lineara.example/";

namespace {

const char kFontName[] = "ScreenFontName";
const char kFontSize[] = "ScreenFontSize";
const char kCharset[] = "ScreenCharset";
const char kDateStandardization[] = "Date_Standardization";
const char kShowHints[] = "Show_Name_Hints";
const char kCheckOnOpen[] = "quality_check_on_open";
const char kCheckOnSave[] = "quality_check_on_save";
const char kRecoveryMinutes[] = "Recovery_Minutes";

struct CharsetChoice {
    const char* name;
    int code;
};

// In the order of the options dialog's list; the trailing blanks are part
// of the entries as the list has always shown them.
const CharsetChoice kCharsets[kCharsetChoices] = {
    {"ANSI", 0},
    {"Arabic characters ", 178},
    {"Baltic characters ", 186},
    {"Central European characters ", 238},
    {"Cyrillic / Russian characters ", 204},
    {"Greek characters ", 161},
    {"Hebrew characters ", 177},
    {"Japanese shift-jis charset", 128},
    {"Korean characters (Jahob) ", 130},
    {"Korean characters (Wansung)", 129},
    {"Macintosh characters ", 77},
    {"OEM characters", 255},
    {"Simplified Chinese characters (mainland china)", 134},
    {"Symbol set", 2},
    {"System Default", 1},
    {"Thai characters ", 222},
    {"Traditional Chinese characters (taiwanese)", 136},
    {"Turkish characters ", 162},
    {"Vietnamese characters ", 163},
};

// Decimal text, optionally signed and preceded by blanks; anything else,
// including trailing characters, does not convert.
std::optional<int> toInt(const std::string& text) {
    if (text.empty()) return std::nullopt;
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    long n = std::strtol(begin, &end, 10);
    if (end == begin || *end != '\0' || errno == ERANGE || n < INT_MIN || n > INT_MAX) {
        return std::nullopt;
    }
    return static_cast<int>(n);
}

bool readFlag(Registry& registry, const char* name, const char* fallback) {
    return registry.read(kSettingsKey, name, fallback) == "Yes";
}

void writeFlag(Registry& registry, const char* name, bool on) {
    registry.write(kSettingsKey, name, on ? "Yes" : "No");
}

}  // namespace

AppSettings loadAppSettings(Registry& registry) {
    AppSettings s;
    std::string fontName = registry.read(kSettingsKey, kFontName, s.screenFontName);
    std::optional<int> fontSize = toInt(registry.read(kSettingsKey, kFontSize, "16"));
    // Name and size only make sense together: when either is unusable the
    // screen font is the default one. A size below one point cannot be
    // drawn at all, so it counts as unusable too.
    if (fontSize && *fontSize > 0) {
        s.screenFontName = fontName;
        s.screenFontSize = *fontSize;
    }
    s.charsetChoice = toInt(registry.read(kSettingsKey, kCharset, "15")).value_or(15);
    s.dateStandardization = readFlag(registry, kDateStandardization, "Yes");
    s.showHints = readFlag(registry, kShowHints, "Yes");
    s.qualityCheckOnOpen = readFlag(registry, kCheckOnOpen, "No");
    s.qualityCheckOnSave = readFlag(registry, kCheckOnSave, "No");
    // An interval out of range is unreadable: the copies keep their default
    // rather than stop without the user knowing.
    const std::optional<int> minutes = toInt(registry.read(kSettingsKey, kRecoveryMinutes, "2"));
    if (minutes && *minutes >= 0 && *minutes <= kMaxRecoveryMinutes) s.recoveryMinutes = *minutes;
    return s;
}

void saveScreenSettings(Registry& registry, const AppSettings& settings) {
    registry.write(kSettingsKey, kFontName, settings.screenFontName);
    registry.write(kSettingsKey, kFontSize, std::to_string(settings.screenFontSize));
    registry.write(kSettingsKey, kCharset, std::to_string(settings.charsetChoice));
}

void saveFlags(Registry& registry, const AppSettings& settings) {
    writeFlag(registry, kDateStandardization, settings.dateStandardization);
    writeFlag(registry, kShowHints, settings.showHints);
    writeFlag(registry, kCheckOnOpen, settings.qualityCheckOnOpen);
    writeFlag(registry, kCheckOnSave, settings.qualityCheckOnSave);
    registry.write(kSettingsKey, kRecoveryMinutes, std::to_string(settings.recoveryMinutes));
}

const char* charsetChoiceName(int choice) {
    if (choice < 1 || choice > kCharsetChoices) return "";
    return kCharsets[choice - 1].name;
}

int charsetCodeForChoice(int choice) {
    if (choice < 1 || choice > kCharsetChoices) return 0;
    return kCharsets[choice - 1].code;
}

}  // namespace lineara
