// The look and content settings of the HTML presentation, kept under
// "Software\Lineara\Html_report" (page and links box) and its "Item" key
// (the person boxes). Colours are 32-bit values in the 0x00BBGGRR layout,
// stored as decimal text; flags as "Yes" or "No".
#pragma once

#include <cstdint>
#include <string>

#include "core/platform/registry.h"

namespace lineara {

extern const char kHtmlReportKey[];  // "Software\Lineara\Html_report"
extern const char kHtmlItemKey[];    // "Software\Lineara\Html_report\Item"

struct HtmlSettings {
    int32_t backgroundColor = 15794175;  // #FFFFF0
    int32_t textColor = 0;
    int32_t hyperlinkColor = 8388608;  // #000080
    int32_t vlinkColor = 8388608;
    int32_t alinkColor = 8388608;
    int32_t linksBgColor = 16777215;
    int32_t linksHeaderBgColor = 0;
    int32_t theaderColor = 16777215;
    // Paths of the page, links box header and links box body backgrounds.
    std::string backgroundImage;
    std::string t1Image;
    std::string t2Image;
    bool useFrames = true;
    bool useSiblings = true;
    // The chosen entry of the character-set list, as the list shows it.
    std::string charset = "Polish (pl): iso-8859-2";

    // The person boxes.
    int32_t frameColor = 0;
    int32_t boxColor = 16777215;
    int32_t fontColor = -2147483640;  // the system's window-text colour
    int fontSize = 7;
    std::string fontName = "Small Fonts";
    bool fontBold = false;
    bool fontItalic = false;
    bool fontUnderline = false;
    bool fontStrikeout = false;
};

// Every value with its default when absent, empty or unreadable (a colour
// or size that is not a number). "Background_image_url", when present,
// overrides "background_image".
HtmlSettings loadHtmlSettings(Registry& registry);
// Writes every value; returns false when the store could not be written
// (callers ignore it, as the window's close does).
bool saveHtmlSettings(Registry& registry, const HtmlSettings& settings);

}  // namespace lineara
