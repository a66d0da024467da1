// The files a presentation reads besides the tree: the persons' notes and
// the background images it copies. They are named by the user or by a tree
// that came from someone else, so they are read as named files are (see
// core/platform/named_file.h), and only up to a size no real notes file or
// background reaches.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "core/platform/named_file.h"

namespace lineara {

constexpr size_t kNotesFileLimit = 16u << 20;       // 16 MiB
constexpr size_t kBackgroundFileLimit = 64u << 20;  // 64 MiB

struct NotesRead {
    NamedFileProblem problem = NamedFileProblem::None;
    std::vector<std::string> lines;
};
// The lines of a notes file, without their line ends (LF or CR LF). A
// file that cannot be read gives no lines; one that fails part-way, or is
// too large, gives its whole lines up to there.
NotesRead readNotesLines(const std::string& path);
// The file name part of a path, after the last slash or backslash.
std::string fileNamePart(const std::string& path);

// `name` as part of an address in a page: bytes that are not plain
// letters, digits or "-._~" are written %XX.
std::string addressPart(const std::string& name);

}  // namespace lineara
