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

#include <cstddef>
#include <string>

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
    bool write(const void* data, size_t size);
    bool commit();
    const std::string& error() const { return error_; }

private:
    bool fail(const char* what, int errnum);
    void abandon();

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

// The suffix before the random part of a temporary file's name.
extern const char kTempFileInfix[];

// The sentence used for a file that cannot be opened, read or written,
// e.g. Cannot open file "/x/y.ln3". No such file or directory
std::string fileErrorMessage(const char* what, const std::string& path, int errnum);

}  // namespace lineara
