// Reading a GEDCOM file line by line without holding it: the bytes come
// from a source in blocks, and each line goes through a GedcomLineScanner,
// which keeps only what the import uses of it.
//
// Lines end at CR, LF or CR LF. A byte 26 ends the file, as it ends a text
// file of the systems GEDCOM comes from; the text before it on its line is
// still a line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "core/gedcom/gedcom_line.h"

namespace lineara {

// Where the bytes come from.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Up to `size` bytes into `buffer`: the count read, 0 at the end, or -1
    // with the error number in `error` when the reading failed.
    virtual int64_t read(char* buffer, size_t size, int& error) = 0;
};

// A file opened for reading.
class FileSource : public ByteSource {
public:
    FileSource() = default;
    ~FileSource() override;
    FileSource(const FileSource&) = delete;
    FileSource& operator=(const FileSource&) = delete;

    // False with the reason in error() when the file cannot be read (a
    // folder cannot). The size is known for regular files only: a pipe or
    // a device has none to show progress against.
    bool open(const std::string& path);
    int64_t read(char* buffer, size_t size, int& error) override;
    bool sizeKnown() const { return sizeKnown_; }
    int64_t size() const { return size_; }
    const std::string& error() const { return error_; }

private:
    int fd_ = -1;
    bool sizeKnown_ = false;
    int64_t size_ = 0;
    std::string error_;
};

// Bytes in memory, handed out at most `piece` at a time (tests use small
// pieces to put line ends and long lines across block boundaries).
class MemorySource : public ByteSource {
public:
    explicit MemorySource(std::string bytes, size_t piece = SIZE_MAX)
        : bytes_(std::move(bytes)), piece_(piece == 0 ? 1 : piece) {}
    int64_t read(char* buffer, size_t size, int& error) override;

private:
    std::string bytes_;
    size_t piece_;
    size_t at_ = 0;
};

class GedcomLineReader {
public:
    explicit GedcomLineReader(ByteSource& source, size_t blockSize = 64 * 1024);

    enum class Result { Line, End, Error };
    // Reads the next line into `line` (which is reset first). Error leaves
    // the error number in error().
    Result next(GedcomLineScanner& line);
    int error() const { return error_; }

private:
    ByteSource& source_;
    std::vector<char> block_;
    size_t at_ = 0;
    size_t filled_ = 0;
    bool afterCr_ = false;  // an LF right after a CR ends no second line
    bool ended_ = false;
    int error_ = 0;
};

}  // namespace lineara
