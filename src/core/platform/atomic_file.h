// Writing a file whole or not at all. The data goes to a temporary file in
// the target's folder, which is flushed to disk and renamed over the target
// only when everything was written. A failure at any step leaves the old
// file as it was and removes the temporary file.
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
};

// The sentence used for a file that cannot be opened, read or written,
// e.g. Cannot open file "/x/y.ln3". No such file or directory
std::string fileErrorMessage(const char* what, const std::string& path, int errnum);

}  // namespace lineara
