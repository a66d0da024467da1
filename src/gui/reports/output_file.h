// Writing the image files of the HTML presentation: each file whole or not
// at all, under a temporary name in the same folder renamed over the
// target when complete.
//
// Unlike the tree file these are regenerated at will and come by the
// thousand into one folder, so a write is not flushed to disk and does not
// look for leftovers of other writes: that would cost a disk flush and a
// scan of the whole folder for every image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lineara {

// False with the reason (naming the file, with the system's error text) in
// `error` when given. A target the process may not write is refused as an
// in-place write would be; a folder in its place is an error.
bool writeOutputFile(const std::string& path, const std::vector<uint8_t>& bytes,
                     std::string* error);

// `folder` + "/" + `name`; the name alone for an empty folder.
std::string outputPath(const std::string& folder, const std::string& name);

}  // namespace lineara
