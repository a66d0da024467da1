// Files an import writes beside the new tree (a GEDZIP's pictures, the
// persons' notes): created new inside one folder, never through a link and
// never over a file that is there. What was written is remembered, so that
// it can be taken back when the import or the saving of its tree fails.
#pragma once

#include <string>
#include <vector>

namespace lineara {

// What a writer made, oldest first, relative to `folder`.
struct WrittenFiles {
    std::string folder;
    bool madeFolder = false;
    std::vector<std::string> files;
    std::vector<std::string> folders;

    bool empty() const { return !madeFolder && files.empty() && folders.empty(); }
};

// Removes what was written, newest first; a folder that is not empty
// (someone else put a file there) stays.
void removeWrittenFiles(const WrittenFiles& written);

class NewFilesWriter {
public:
    explicit NewFilesWriter(std::string folder);
    ~NewFilesWriter();
    NewFilesWriter(const NewFilesWriter&) = delete;
    NewFilesWriter& operator=(const NewFilesWriter&) = delete;

    // Makes the folder when missing and opens it; a link is refused.
    bool openFolder(std::string& error);
    bool isOpen() const { return folderFd_ >= 0; }
    // Writes `bytes` as a new file at `name` ("a/b.jpg") below the folder,
    // making its folders.
    bool write(const std::string& name, const std::string& bytes, std::string& error);
    // Takes back what was written.
    void undo();
    const WrittenFiles& written() const { return written_; }
    // The errno of the last failure.
    int lastError() const { return lastError_; }

private:
    bool fail(int dir, const std::string& name, std::string& error);

    int folderFd_ = -1;
    int lastError_ = 0;
    WrittenFiles written_;
};

}  // namespace lineara
