// Colours of the settings (0x00BBGGRR values) as the pages write them.
#pragma once

#include <cstdint>
#include <string>

namespace lineara {

// "#RRGGBB" from the low three bytes of the value, read as unsigned: a
// system colour (a negative value) is not resolved but formatted as it is.
std::string colorToHtml(int32_t color);

}  // namespace lineara
