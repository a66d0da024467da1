#include "core/gedcom/new_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace lineara {

namespace {

constexpr int kDirFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

void removeBelow(int folderFd, const WrittenFiles& written) {
    for (auto it = written.files.rbegin(); it != written.files.rend(); ++it) {
        unlinkat(folderFd, it->c_str(), 0);
    }
    for (auto it = written.folders.rbegin(); it != written.folders.rend(); ++it) {
        unlinkat(folderFd, it->c_str(), AT_REMOVEDIR);
    }
}

}  // namespace

void removeWrittenFiles(const WrittenFiles& written) {
    if (written.empty()) return;
    const int fd = open(written.folder.c_str(), kDirFlags);
    if (fd < 0) return;
    removeBelow(fd, written);
    close(fd);
    if (written.madeFolder) rmdir(written.folder.c_str());
}

NewFilesWriter::NewFilesWriter(std::string folder) { written_.folder = std::move(folder); }

NewFilesWriter::~NewFilesWriter() {
    if (folderFd_ >= 0) close(folderFd_);
}

bool NewFilesWriter::openFolder(std::string& error) {
    if (folderFd_ >= 0) return true;
    const std::string& folder = written_.folder;
    if (mkdir(folder.c_str(), 0755) == 0) {
        written_.madeFolder = true;
    } else if (errno != EEXIST) {
        error = "cannot create the folder " + folder + ": " + std::strerror(errno);
        return false;
    }
    folderFd_ = open(folder.c_str(), kDirFlags);
    if (folderFd_ < 0) {
        error = "cannot open the folder " + folder + ": " + std::strerror(errno);
        if (written_.madeFolder) {
            rmdir(folder.c_str());
            written_.madeFolder = false;
        }
        return false;
    }
    return true;
}

bool NewFilesWriter::write(const std::string& name, const std::string& bytes, std::string& error) {
    int dir = dup(folderFd_);
    size_t start = 0;
    for (;;) {
        const size_t slash = name.find('/', start);
        if (slash == std::string::npos) break;
        const std::string part = name.substr(start, slash - start);
        if (mkdirat(dir, part.c_str(), 0755) == 0) {
            written_.folders.push_back(name.substr(0, slash));
        } else if (errno != EEXIST) {
            return fail(dir, name, error);
        }
        const int next = openat(dir, part.c_str(), kDirFlags);
        close(dir);
        if (next < 0) return fail(-1, name, error);
        dir = next;
        start = slash + 1;
    }
    const std::string last = name.substr(start);
    if (last.empty()) {  // a folder entry
        close(dir);
        return true;
    }
    const int fd =
        openat(dir, last.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return fail(dir, name, error);
    written_.files.push_back(name);
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            close(fd);
            return fail(dir, name, error);
        }
        done += static_cast<size_t>(n);
    }
    if (close(fd) != 0) return fail(dir, name, error);
    close(dir);
    return true;
}

void NewFilesWriter::undo() {
    if (folderFd_ >= 0) removeBelow(folderFd_, written_);
    if (written_.madeFolder) rmdir(written_.folder.c_str());
    written_.files.clear();
    written_.folders.clear();
    written_.madeFolder = false;
}

bool NewFilesWriter::fail(int dir, const std::string& name, std::string& error) {
    lastError_ = errno;
    error = "cannot write " + written_.folder + "/" + name + ": " + std::strerror(errno);
    if (dir >= 0) close(dir);
    return false;
}

}  // namespace lineara
