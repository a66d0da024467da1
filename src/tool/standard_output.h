// Standard output of lineara-tool. For several commands what they print is
// their result, so a failed write there (a full disk, /dev/full, a closed
// pipe's reader gone) must not end in a success. Everything the commands
// print goes through out(), which writes straight to descriptor 1 and
// remembers the first error the system gave.
#pragma once

#include <ostream>
#include <string>

namespace lineara::tool {

std::ostream& out();

// Writes what is still buffered. False when any write to standard output
// failed, with the reason (the system's text) in `error`.
bool finishStandardOutput(std::string& error);

}  // namespace lineara::tool
