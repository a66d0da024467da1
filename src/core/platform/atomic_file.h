// Writing a file whole or not at all. The data goes to a temporary file in
// the target's folder, which is flushed to disk and renamed over the target
// only when everything was written. A failure at any step leaves the old
// file as it was and removes the temporary file.
//
// A save must not do what writing the file in place could not: a target
// the process may not write (read-only, or another user's) is refused with
// the error an in-place write would have met. The new file keeps the old
// one's permissions and, where the process may set them, its owner and
// group. A character device or a pipe (/dev/null, /dev/stdout) cannot be
// replaced and is written in place; other special files are refused.
//
// Temporary files are named TARGET.lineara-tmp-XXXXXX. One left behind by a
// save that was killed is removed by the next successful save of the same
// target; a save still running holds a lock on its file, which keeps it.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <set>
#include <string>
#include <vector>

namespace lineara {

class AtomicFileWriter {
public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter();  // abandons an uncommitted file
    AtomicFileWriter(const AtomicFileWriter&) = delete;
    AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

    // Each returns false on failure; error() then says why in a sentence
    // that names the file and carries the system's error text.
    bool open(const std::string& path);
    // Narrows the permissions the file will have to those in `allowed`,
    // before anything is written: a copy must not be readable by more
    // people than its original.
    bool restrictMode(mode_t allowed);
    bool write(const void* data, size_t size);
    bool commit();
    const std::string& error() const { return error_; }

private:
    friend class AtomicFileBatch;
    bool fail(const char* what, int errnum);
    void abandon();
    // Closes a complete temporary file without renaming it, handing its
    // name and a descriptor holding its lock to the batch.
    bool closeForBatch(std::string& temp, std::string& real, int& lock);

    std::string target_;
    std::string real_;  // the file actually replaced (a link's target)
    std::string temp_;
    std::string error_;
    int fd_ = -1;
    bool inPlace_ = false;  // a device or pipe, written directly
};

// Opens, writes and commits `size` bytes in one go; false with the reason
// in `error` on failure.
bool writeFileAtomically(const std::string& path, const void* data, size_t size,
                         std::string& error);

// Many files written as one job (the pages of a presentation). Each file
// is still written whole to a temporary file and only then renamed over its
// name, so no failure leaves half a file; but the costs that a single save
// pays per file are shared: the data of up to `groupSize` files goes to
// disk in one flush of the file system before their renames, and the
// folders are synced and swept of leftovers once, at the end. The files of
// a group take their names together; those written before a failure are
// kept.
class AtomicFileBatch {
public:
    explicit AtomicFileBatch(size_t groupSize = 256) : groupSize_(groupSize) {}
    ~AtomicFileBatch();  // commits what is complete, as a failure would
    AtomicFileBatch(const AtomicFileBatch&) = delete;
    AtomicFileBatch& operator=(const AtomicFileBatch&) = delete;

    // Writes one file; false with the reason in `error` (the file is not
    // there, files before it are kept).
    bool write(const std::string& path, const void* data, size_t size, std::string& error);
    // Gives every file written so far its name and finishes the folders.
    bool commit(std::string& error);

private:
    struct Pending {
        std::string target;
        std::string temp;
        std::string real;
        int lock;
    };
    bool flush(std::string& error);

    size_t groupSize_;
    std::vector<Pending> pending_;
    std::set<std::string> written_;  // real paths, for the sweep of leftovers
};

// The suffix before the random part of a temporary file's name.
extern const char kTempFileInfix[];

// The sentence used for a file that cannot be opened, read or written,
// e.g. Cannot open file "/x/y.ln3". No such file or directory
std::string fileErrorMessage(const char* what, const std::string& path, int errnum);

// The mode of a new file: 0666 less the process's file creation mask. The
// mask is read without being set, since umask() can only be read by
// changing it, which would race with files other threads create meanwhile.
mode_t newFileMode();

}  // namespace lineara
