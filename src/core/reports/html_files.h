// The files a presentation reads besides the tree: the persons' notes and
// the background images it copies. They are named by the user, so they may
// be anything: a folder, a pipe nobody writes to, a device that never ends.
// Only regular files are read, without ever waiting for one to open, and
// only up to a size no real notes file or background reaches.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace lineara {

constexpr size_t kNotesFileLimit = 16u << 20;       // 16 MiB
constexpr size_t kBackgroundFileLimit = 64u << 20;  // 64 MiB

struct FileRead {
    bool opened = false;    // a regular file that could be opened
    bool complete = false;  // read to its end, within the limit
    std::string bytes;      // what was read
};
FileRead readRegularFile(const std::string& path, size_t limit);

// The lines of a notes file, without their line ends (LF or CR LF). A
// file that cannot be read gives no lines; one that fails part-way, or is
// too large, gives its whole lines up to there.
std::vector<std::string> readNotesLines(const std::string& path);

// The file name part of a path, after the last slash or backslash.
std::string fileNamePart(const std::string& path);

// `name` as part of an address in a page: bytes that are not plain
// letters, digits or "-._~" are written %XX.
std::string addressPart(const std::string& name);

}  // namespace lineara
