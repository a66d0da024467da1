// Writing a file whole or not at all. The data goes to a temporary file in
// the target's folder, which is flushed to disk and renamed over the target
// only when everything was written. A failure at any step leaves the old
// file as it was and removes the temporary file.
//
// A save must not do what writing the file in place could not: a target
// the process may not write (read-only, or another user's) is refused with
// the error an in-place write would have met. The new file keeps the old
// one's permissions and, where the process may set them, its owner and
// group. A character device or a pipe (/dev/null, a named pipe) cannot be
// replaced and is written in place; so is whatever a descriptor of this
// process has open when the path leads there (/dev/stdout), at the place
// the descriptor stands. Other special files are refused.
//
// A temporary file left behind by a save that was killed is removed by the
// next successful save of the same target (see file_replace.h).
#pragma once

#include <cstddef>
#include <string>

#include "core/platform/file_replace.h"

namespace lineara {

class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter();  // abandons an uncommitted file
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Each returns false on failure; error() then says why in a sentence
    // that names the file and carries the system's error text.
    bool open(const std::string& path, LinkRule rule = LinkRule::ReplaceTarget);
    // Narrows the permissions the file will have to those in `allowed`,
    // before anything is written: a copy must not be readable by more
    // people than its original.
    bool restrictMode(mode_t allowed);
    bool write(const void* data, size_t size);
    bool commit();
    const std::string& error() const { return error_; }

    // Whether open() would succeed, found out without opening a device or
    // pipe: a reader waiting at a named pipe would take the open and close
    // for the end of the data. Leaves nothing behind.
    bool probe(const std::string& path, LinkRule rule = LinkRule::ReplaceTarget);

    // Written directly rather than through a temporary file.
    bool inPlace() const { return inPlace_; }

private:
    friend class AtomicFileBatch;
    bool fail(const char* what, int errnum);
    void abandon();
    bool destination(const std::string& path, LinkRule rule, WriteDestination& where);
    bool openInPlace(const WriteDestination& where);
    // Closes a complete temporary file without renaming it, handing its
    // name and a descriptor holding its lock to the batch.
    bool closeForBatch(std::string& temp, std::string& real, int& lock);

    std::string target_;
    std::string real_;  // the file actually replaced (a link's target)
    std::string temp_;
    std::string error_;
    int fd_ = -1;
    bool inPlace_ = false;
};

// Opens, writes and commits `size` bytes in one go; false with the reason
// in `error` on failure.
bool writeFileAtomically(const std::string& path, const void* data, size_t size, std::string& error,
                         LinkRule rule = LinkRule::ReplaceTarget);

}  // namespace lineara
