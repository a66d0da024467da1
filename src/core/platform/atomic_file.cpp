#include "core/platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace lineara {

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

bool AtomicFileWriter::destination(const std::string& path, LinkRule rule,
                                   WriteDestination& where) {
    abandon();
    error_.clear();
    inPlace_ = false;
    target_ = path;
    std::string reason;
    if (findDestination(path, rule, where, reason)) return true;
    error_ = fileErrorMessage("Cannot create file", path, reason);
    return false;
}

bool AtomicFileWriter::openInPlace(const WriteDestination& where) {
    if (where.descriptor >= 0) {
        // A copy of our own descriptor writes where it stands, after what
        // was written there before.
        fd_ = fcntl(where.descriptor, F_DUPFD_CLOEXEC, 0);
        if (fd_ < 0) return fail("Cannot create file", errno);
        if ((fcntl(fd_, F_GETFL) & O_ACCMODE) == O_RDONLY) return fail("Cannot create file", EBADF);
    } else {
        // Opened as found: a terminal does not become ours, and a file of
        // another process's descriptor is added to, not cut short.
        fd_ = ::open(where.path.c_str(), O_WRONLY | O_APPEND | O_NOCTTY | O_CLOEXEC);
        if (fd_ < 0) return fail("Cannot create file", errno);
    }
    inPlace_ = true;
    real_ = where.path;
    return true;
}

bool AtomicFileWriter::open(const std::string& path, LinkRule rule) {
    WriteDestination where;
    if (!destination(path, rule, where)) return false;
    if (where.kind == WriteDestination::Kind::InPlace) return openInPlace(where);

    // The folder may allow a rename where the file itself allows no
    // writing; the file's own permission decides, as for an in-place write
    // (root passes this test, as it would pass the open).
    if (where.exists && faccessat(AT_FDCWD, where.path.c_str(), W_OK, AT_EACCESS) != 0) {
        return fail("Cannot create file", errno);
    }
    // The new file keeps the old one's permissions, as an in-place write
    // would have.
    mode_t mode = where.exists ? (where.old.st_mode & 07777) : newFileMode();
    fd_ = createLockedTemp(where.path, temp_);
    if (fd_ < 0) return fail("Cannot create file", errno);
    real_ = where.path;
    // Owner before mode: a change of owner clears the set-id bits.
    if (where.exists) keepOwner(fd_, where.old);
    if (fchmod(fd_, mode) != 0) return fail("Cannot create file", errno);
    return true;
}

bool AtomicFileWriter::probe(const std::string& path, LinkRule rule) {
    WriteDestination where;
    if (!destination(path, rule, where)) return false;
    if (where.kind == WriteDestination::Kind::Replace) {
        if (!open(path, rule)) return false;
        abandon();
        return true;
    }
    if (where.descriptor >= 0) {
        int flags = fcntl(where.descriptor, F_GETFL);
        if (flags == -1 || (flags & O_ACCMODE) == O_RDONLY)
            return fail("Cannot create file", EBADF);
        return true;
    }
    if (faccessat(AT_FDCWD, where.path.c_str(), W_OK, AT_EACCESS) != 0) {
        return fail("Cannot create file", errno);
    }
    return true;
}

bool AtomicFileWriter::restrictMode(mode_t allowed) {
    if (fd_ < 0) return false;
    if (inPlace_) return true;  // a device or pipe is not ours to change
    struct stat st;
    if (fstat(fd_, &st) != 0) return fail("Cannot create file", errno);
    const mode_t narrowed = st.st_mode & allowed & 07777;
    if (narrowed != (st.st_mode & 07777) && fchmod(fd_, narrowed) != 0) {
        return fail("Cannot create file", errno);
    }
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
    if (inPlace_) {
        // Pipes, terminals and most devices cannot be synced; that is no
        // failure.
        if (fsync(fd_) != 0 && errno != EINVAL && errno != EROFS) {
            return fail("Cannot write file", errno);
        }
        int fd = fd_;
        fd_ = -1;
        if (close(fd) != 0) return fail("Cannot write file", errno);
        return true;
    }
    if (fdatasync(fd_) != 0) return fail("Cannot write file", errno);
    // The lock goes with the last descriptor: keep one until the rename, or
    // a save of the same target could take our file for a leftover.
    int lock = dup(fd_);
    int fd = fd_;
    fd_ = -1;
    bool closed = close(fd) == 0;
    int closeError = errno;
    bool renamed = closed && rename(temp_.c_str(), real_.c_str()) == 0;
    int renameError = errno;
    if (lock >= 0) close(lock);
    if (!closed) return fail("Cannot write file", closeError);
    if (!renamed) return fail("Cannot create file", renameError);
    temp_.clear();
    finishFolder(folderOf(real_), {nameOf(real_)});
    return true;
}

bool AtomicFileWriter::closeForBatch(std::string& temp, std::string& real, int& lock) {
    lock = dup(fd_);
    int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) {
        int error = errno;
        if (lock >= 0) close(lock);
        return fail("Cannot write file", error);
    }
    temp = temp_;
    real = real_;
    temp_.clear();
    return true;
}

bool writeFileAtomically(const std::string& path, const void* data, size_t size, std::string& error,
                         LinkRule rule) {
    AtomicFileWriter file;
    if (file.open(path, rule) && file.write(data, size) && file.commit()) return true;
    error = file.error();
    return false;
}

}  // namespace lineara
