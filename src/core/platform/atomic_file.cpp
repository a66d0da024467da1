#include "core/platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace lineara {

std::string fileErrorMessage(const char* what, const std::string& path, int errnum) {
    return std::string(what) + " \"" + path + "\". " + std::strerror(errnum);
}

namespace {

// A symbolic link is kept as a link: we replace the file it points at.
std::string resolveTarget(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (realpath(path.c_str(), resolved) != nullptr) return resolved;
    }
    return path;
}

mode_t modeForNewFile() {
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

AtomicFileWriter::~AtomicFileWriter() { abandon(); }

bool AtomicFileWriter::fail(const char* what, int errnum) {
    error_ = fileErrorMessage(what, target_, errnum);
    abandon();
    return false;
}

void AtomicFileWriter::abandon() {
    if (fd_ >= 0) {
        close(fd_);
        fd_ = -1;
    }
    if (!temp_.empty()) {
        unlink(temp_.c_str());
        temp_.clear();
    }
}

bool AtomicFileWriter::open(const std::string& path) {
    abandon();
    error_.clear();
    target_ = path;
    std::string real = resolveTarget(path);

    struct stat st;
    bool exists = stat(real.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) return fail("Cannot create file", EISDIR);
    // The new file keeps the old one's permissions, as an in-place write
    // would have.
    mode_t mode = exists ? (st.st_mode & 07777) : modeForNewFile();

    std::string pattern = real + ".XXXXXX";
    fd_ = mkstemp(pattern.data());
    if (fd_ < 0) return fail("Cannot create file", errno);
    temp_ = pattern;
    target_ = path;
    real_ = real;
    if (fchmod(fd_, mode) != 0) return fail("Cannot create file", errno);
    return true;
}

bool AtomicFileWriter::write(const void* data, size_t size) {
    if (fd_ < 0) return false;
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        ssize_t n = ::write(fd_, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return fail("Cannot write file", errno);
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool AtomicFileWriter::commit() {
    if (fd_ < 0) return false;
    if (fdatasync(fd_) != 0) return fail("Cannot write file", errno);
    int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) return fail("Cannot write file", errno);
    if (rename(temp_.c_str(), real_.c_str()) != 0) return fail("Cannot create file", errno);
    temp_.clear();
    return true;
}

}  // namespace lineara
