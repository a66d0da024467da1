// The files a tree names: the persons' notes and pictures, and the images a
// presentation copies. Trees travel from one person to another, so a name in
// one may point anywhere: at a device that never ends, at a pipe nobody
// writes to, at the kernel's files under /proc, at another user's secrets.
//
// Such a file is opened only when it is a regular file that lies outside the
// system's own folders (/proc, /sys, /dev, followed through every link). It
// is looked at before it is opened, so that no device is ever opened, opened
// without waiting and without becoming anyone's terminal, and looked at
// again through the descriptor, in case the name changed in between.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <string>

namespace lineara {

enum class NamedFileProblem {
    None,
    Missing,     // nothing of that name
    NotRegular,  // a folder, a pipe, a device, a socket
    SystemFile,  // under /proc, /sys or /dev
    TooLarge,    // beyond what such a file is ever allowed to be
    Unreadable,  // there, but the system refused to read it
    NotPicture,  // read, but not a picture we can decode
    Outside,     // outside the tree's folder, and not allowed
};

// "not found", "not a regular file", ... for listing a file left out.
const char* namedFileProblemText(NamedFileProblem problem);

// An open regular file; closed with the object.
class NamedFile {
public:
    explicit NamedFile(const std::string& path);
    ~NamedFile();
    NamedFile(const NamedFile&) = delete;
    NamedFile& operator=(const NamedFile&) = delete;

    bool isOpen() const { return fd_ >= 0; }
    int fd() const { return fd_; }
    NamedFileProblem problem() const { return problem_; }
    int error() const { return error_; }  // errno of a failure, or 0
    // Mode, size, device and inode of the open file.
    const struct stat& info() const { return info_; }

private:
    void fail(NamedFileProblem problem, int error);

    int fd_ = -1;
    NamedFileProblem problem_ = NamedFileProblem::None;
    int error_ = 0;
    struct stat info_ {};
};

enum class OverLimit {
    Refuse,  // nothing is read: a picture is either whole or left out
    Cut,     // what fits is kept (the lines of a notes file up to there)
};

struct NamedFileRead {
    NamedFileProblem problem = NamedFileProblem::Missing;  // None when read
    bool complete = false;                                 // read to its end, within the limit
    std::string bytes;
};

// Reads the file at `path`, at most `limit` bytes of it. A file larger than
// that is TooLarge; with OverLimit::Cut its first `limit` bytes are kept.
NamedFileRead readNamedFile(const std::string& path, size_t limit, OverLimit over);

// Whether a resolved path lies under /proc, /sys or /dev.
bool isSystemPath(const std::string& resolvedPath);

// Whether `path`, with every link followed, lies inside `folder` (also
// resolved) or below it. A path that does not exist is not outside: reading
// it will find nothing anyway.
bool isOutsideFolder(const std::string& path, const std::string& folder);

}  // namespace lineara
