#include "core/reports/html_charsets.h"

#include "core/reports/alphabetical_lists.h"

namespace lineara {

const std::vector<std::string>& htmlCharsetEntries() {
    static const std::vector<std::string> entries = {
        "Afrikaans (af): iso-8859-1",    "Albanian (sq): iso-8859-1",
        "Arabic (ar): iso-8859-6",       "Basque (eu): iso-8859-1",
        "Bulgarian (bg): iso-8859-5",    "Byelorussian (be): iso-8859-5",
        "Catalan (ca): iso-8859-1",      "Croatian (hr): iso-8859-2",
        "Czech (cs): iso-8859-2",        "Danish (da): iso-8859-1",
        "Dutch (nl): iso-8859-1",        "English (en): iso-8859-1",
        "Eskimo languages: iso-8859-10", "Esperanto (eo): iso-8859-3",
        "Estonian (et): iso-8859-10",    "Faroese (fo): iso-8859-1",
        "Finnish (fi): iso-8859-1",      "French (fr): iso-8859-1",
        "Galician (gl): iso-8859-1",     "German (de): iso-8859-1",
        "Greek (el): iso-8859-7",        "Hebrew (iw): iso-8859-8",
        "Hungarian (hu): iso-8859-2",    "Icelandic (is): iso-8859-1",
        "Irish (ga): iso-8859-1",        "Italian (it): iso-8859-1",
        "Japanese (ja): iso-2022-jp",    "Lapp: iso-8859-10",
        "Latvian (lv): iso-8859-10",     "Lithuanian (lt): iso-8859-10",
        "Macedonian (mk): iso-8859-5",   "Maltese (mt): iso-8859-3",
        "Norwegian (no): iso-8859-1",    "Polish (pl): iso-8859-2",
        "Portuguese (pt): iso-8859-1",   "Romanian (ro): iso-8859-2",
        "Russian #2 (ru): windows-1251", "Russian (ru): koi-8-r",
        "Scottish (gd): iso-8859-1",     "Serbian (sr): iso-8859-5",
        "Slovak (sk): iso-8859-2",       "Slovenian (sl): iso-8859-2",
        "Spanish (es): iso-8859-1",      "Swedish (sv): iso-8859-1",
        "Turkish (tr): iso-8859-9",      "Ukrainian (uk): iso-8859-5",
    };
    return entries;
}

std::string htmlCharsetName(std::string_view entry) {
    size_t colon = entry.find(':');
    if (colon != std::string_view::npos) entry.remove_prefix(colon + 1);
    return std::string(trimmed(entry));
}

}  // namespace lineara
