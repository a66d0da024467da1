// The program's settings, read at start and written by the close query
// and the options dialog.
#pragma once

#include <string>

#include "core/platform/registry.h"

namespace lineara {

extern const char kSettingsKey[];  // "Software\Lineara"

// The version shown in the window caption, on the welcome screen, in the
// about box and in the generator lines of the HTML pages.
extern const char kVersionText[];  // "1.1"

// The product's home page: the Help menu opens it, printed trees and the
// HTML pages name it.
extern const char kHomePageAddress[];

struct AppSettings {
    std::string screenFontName = "Times New Roman";
    int screenFontSize = 16;
    int charsetChoice = 15;  // 1..19, the options dialog's list position + 1
    bool dateStandardization = true;
    bool showHints = true;
    bool qualityCheckOnOpen = false;
    bool qualityCheckOnSave = false;
    // Minutes between the copies of a modified tree kept for recovery; 0: none.
    int recoveryMinutes = 2;
};

// The longest interval the options dialog offers, in minutes.
constexpr int kMaxRecoveryMinutes = 120;

// Reads every setting, with the fallbacks for absent or unreadable values.
// A font size that is not a positive number is unreadable.
AppSettings loadAppSettings(Registry& registry);
// ScreenFontName, ScreenFontSize and ScreenCharset (the close query).
void saveScreenSettings(Registry& registry, const AppSettings& settings);
// The four flags, as "Yes" or "No", and the recovery interval (the options
// dialog's close).
void saveFlags(Registry& registry, const AppSettings& settings);

// The character-set choices of the options dialog, 1..19.
constexpr int kCharsetChoices = 19;
// The list entry of a choice, trailing blanks included; "" out of range.
const char* charsetChoiceName(int choice);
// The font charset code of a choice; 0 (ANSI) out of range.
int charsetCodeForChoice(int choice);

}  // namespace lineara
