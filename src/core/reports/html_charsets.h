// The character-set list of the presentation's content page: language,
// code and the charset the pages declare.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lineara {

// The entries as the list starts out, in its order.
const std::vector<std::string>& htmlCharsetEntries();

// The charset an entry names: the text after the first colon, trimmed; the
// whole entry trimmed when it has no colon (the list can be edited).
std::string htmlCharsetName(std::string_view entry);

}  // namespace lineara
