// The parts every safe write of a file shares: where the write really goes
// (links, devices, the descriptors of /proc), the temporary file beside the
// target, the old file's owner, and the removal of temporary files that a
// killed write left behind.
//
// Temporary files are named TARGET.lineara-tmp-XXXXXX and are locked (flock)
// by their writer from before anyone else can take them for leftovers until
// they have their name. Whoever finds one that nobody holds may remove it.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <set>
#include <string>

namespace lineara {

// The suffix before the random part of a temporary file's name.
extern const char kTempFileInfix[];

// The sentence used for a file that cannot be opened, read or written,
// e.g. Cannot open file "/x/y.ln3". No such file or directory
std::string fileErrorMessage(const char* what, const std::string& path, int errnum);

// The same with a reason of our own instead of the system's text.
std::string fileErrorMessage(const char* what, const std::string& path, const std::string& reason);

// The mode of a new file: 0666 less the process's file creation mask. The
// mask is read without being set, since umask() can only be read by
// changing it, which would race with files other threads create meanwhile.
mode_t newFileMode();

// What a write does with a symbolic link where its file is to go.
enum class LinkRule {
    // The link stays and the file it points at is replaced: users keep
    // their tree behind a link and expect it to stay there.
    ReplaceTarget,
    // The link is replaced by the new file, and so is anything else that is
    // not a folder: for folders the program fills itself (the pages of the
    // presentation), where a planted link must never lead a write out.
    ReplaceLink,
};

// Where a write of a path goes.
struct WriteDestination {
    enum class Kind {
        Replace,  // a new file renamed over `path`, which may not exist yet
        InPlace,  // `path` opened and written as it is: a device or a pipe
    };
    Kind kind = Kind::Replace;
    std::string path;
    // InPlace: the descriptor of this process that `path` names
    // (/dev/stdout, /proc/self/fd/N), written through a copy of it; -1 when
    // `path` is to be opened.
    int descriptor = -1;
    // Replace: whether a regular file is there now, and its status.
    bool exists = false;
    struct stat old {};
};

// Follows `path` as `rule` says. False with the reason (the system's text,
// or one of ours) when nothing may be written there: a folder, a socket, a
// file that cannot be looked at.
bool findDestination(const std::string& path, LinkRule rule, WriteDestination& destination,
                     std::string& reason);

// Creates an empty temporary file for `path` beside it and locks it, so
// that no sweep of leftovers removes it while it is written; -1 with errno
// set when the folder takes no new file.
int createLockedTemp(const std::string& path, std::string& temp);

// Gives the file open on `fd` the owner and group of `old` as far as the
// process may.
void keepOwner(int fd, const struct stat& old);

// After renames into `folder`: makes the new names last through a crash
// and removes the leftovers of earlier writes of these names (files of
// that folder) that nobody holds. Failures cost nothing but tidiness.
void finishFolder(const std::string& folder, const std::set<std::string>& names);

std::string folderOf(const std::string& path);
std::string nameOf(const std::string& path);

}  // namespace lineara
