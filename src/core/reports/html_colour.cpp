#include "core/reports/html_colour.h"

#include <cstdio>

namespace lineara {

std::string colorToHtml(int32_t color) {
    // The hexadecimal text padded with zeros and cut to its last six
    // digits is BBGGRR; the page wants the bytes the other way round.
    char hex[16];
    std::snprintf(hex, sizeof hex, "%06X", static_cast<uint32_t>(color) & 0xFFFFFFu);
    std::string bgr(hex);
    bgr = bgr.substr(bgr.size() - 6);
    return "#" + bgr.substr(4, 2) + bgr.substr(2, 2) + bgr.substr(0, 2);
}

}  // namespace lineara
