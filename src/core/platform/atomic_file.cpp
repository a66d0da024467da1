#include "core/platform/atomic_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>

namespace lineara {

const char kTempFileInfix[] = ".lineara-tmp-";

std::string fileErrorMessage(const char* what, const std::string& path, int errnum) {
    return std::string(what) + " \"" + path + "\". " + std::strerror(errnum);
}

mode_t newFileMode() {
    static const mode_t mode = [] {
        mode_t mask = 022;
        if (FILE* status = std::fopen("/proc/self/status", "re")) {
            char line[256];
            while (std::fgets(line, sizeof line, status) != nullptr) {
                unsigned value = 0;
                if (std::sscanf(line, "Umask: %o", &value) == 1) {
                    mask = mode_t(value & 0777);
                    break;
                }
            }
            std::fclose(status);
        }
        return mode_t(0666 & ~mask);
    }();
    return mode;
}

namespace {

// The random part mkstemp puts in place of XXXXXX.
constexpr size_t kRandomChars = 6;

// A symbolic link is kept as a link: we replace the file it points at.
std::string resolveTarget(const std::string& path) {
    struct stat st;
    if (lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        char resolved[PATH_MAX];
        if (realpath(path.c_str(), resolved) != nullptr) return resolved;
    }
    return path;
}

// The replacement belongs to whoever owned the old file, as far as we may
// say so: only root gives a file away, but a user may still hand it to
// another of their groups. Where neither is allowed the file is ours.
void keepOwner(int fd, const struct stat& old) {
    if (fchown(fd, old.st_uid, old.st_gid) != 0) {
        if (fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
            // Nothing more we may do.
        }
    }
}

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool isLeftoverOf(const char* entry, const std::string& prefix) {
    size_t length = std::strlen(entry);
    if (length != prefix.size() + kRandomChars ||
        prefix.compare(0, prefix.size(), entry, prefix.size()) != 0) {
        return false;
    }
    for (size_t i = prefix.size(); i < length; ++i) {
        if (!std::isalnum(static_cast<unsigned char>(entry[i]))) return false;
    }
    return true;
}

// After the rename: makes the new names last through a crash, and removes
// the temporary files of these targets (names in one folder) that saves
// killed half-way left behind. A save still writing holds a lock on its
// file, so only files nobody holds are removed. Failures here cost nothing
// but tidiness.
void finishFolder(const std::string& folderPath, const std::set<std::string>& names) {
    int folder = ::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) return;
    fsync(folder);
    DIR* entries = fdopendir(folder);
    if (entries == nullptr) {
        close(folder);
        return;
    }
    while (const dirent* e = readdir(entries)) {
        // NAME + infix + random part: the name is all before the last infix.
        const char* found = nullptr;
        for (const char* p = std::strstr(e->d_name, kTempFileInfix); p != nullptr;
             p = std::strstr(p + 1, kTempFileInfix)) {
            found = p;
        }
        if (found == nullptr) continue;
        std::string name(e->d_name, static_cast<size_t>(found - e->d_name));
        if (names.count(name) == 0 || !isLeftoverOf(e->d_name, name + kTempFileInfix)) continue;
        int fd = openat(folder, e->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        struct stat st;
        if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && flock(fd, LOCK_EX | LOCK_NB) == 0) {
            unlinkat(folder, e->d_name, 0);
        }
        close(fd);
    }
    closedir(entries);
}

void finishFolder(const std::string& real) { finishFolder(folderOf(real), {nameOf(real)}); }

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
    inPlace_ = false;
    target_ = path;
    std::string real = resolveTarget(path);

    struct stat st;
    bool exists = stat(real.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode)) return fail("Cannot create file", EISDIR);
    if (exists && (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode))) {
        // A device or a pipe cannot be renamed over, and need not be: it
        // holds no old contents to protect.
        fd_ = ::open(real.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        if (fd_ < 0) return fail("Cannot create file", errno);
        inPlace_ = true;
        real_ = real;
        return true;
    }
    if (exists && !S_ISREG(st.st_mode)) {
        error_ = "Cannot create file \"" + path + "\". Not a regular file";
        return false;
    }
    // The folder may allow a rename where the file itself allows no
    // writing; the file's own permission decides, as for an in-place write
    // (root passes this test, as it would pass the open).
    if (exists && faccessat(AT_FDCWD, real.c_str(), W_OK, AT_EACCESS) != 0) {
        return fail("Cannot create file", errno);
    }
    // The new file keeps the old one's permissions, as an in-place write
    // would have.
    mode_t mode = exists ? (st.st_mode & 07777) : newFileMode();

    std::string pattern = real + kTempFileInfix + std::string(kRandomChars, 'X');
    fd_ = mkostemp(pattern.data(), O_CLOEXEC);
    if (fd_ < 0) return fail("Cannot create file", errno);
    temp_ = pattern;
    real_ = real;
    // Marks the file as being written, so that another save of the same
    // target does not take it for a leftover. The file is new: no wait.
    flock(fd_, LOCK_EX | LOCK_NB);
    // Owner before mode: a change of owner clears the set-id bits.
    if (exists) keepOwner(fd_, st);
    if (fchmod(fd_, mode) != 0) return fail("Cannot create file", errno);
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
        // Pipes and most devices cannot be synced; that is no failure.
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
    finishFolder(real_);
    return true;
}

bool writeFileAtomically(const std::string& path, const void* data, size_t size,
                         std::string& error) {
    AtomicFileWriter file;
    if (file.open(path) && file.write(data, size) && file.commit()) return true;
    error = file.error();
    return false;
}

}  // namespace lineara

namespace lineara {

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

AtomicFileBatch::~AtomicFileBatch() {
    std::string error;
    commit(error);
}

bool AtomicFileBatch::write(const std::string& path, const void* data, size_t size,
                            std::string& error) {
    AtomicFileWriter file;
    if (!file.open(path) || !file.write(data, size)) {
        error = file.error();
        return false;
    }
    if (file.inPlace_) {
        // A device or pipe: nothing to rename.
        if (file.commit()) return true;
        error = file.error();
        return false;
    }
    Pending p;
    p.target = path;
    if (!file.closeForBatch(p.temp, p.real, p.lock)) {
        error = file.error();
        return false;
    }
    pending_.push_back(std::move(p));
    if (pending_.size() >= groupSize_) return flush(error);
    return true;
}

// Puts the data of the pending files on disk with one flush of their file
// system, then renames each over its target.
bool AtomicFileBatch::flush(std::string& error) {
    if (pending_.empty()) return true;
    bool ok = true;
    std::map<dev_t, bool> syncedDevices;  // one flush per file system
    for (Pending& p : pending_) {
        struct stat st;
        bool synced = false;
        if (p.lock >= 0 && fstat(p.lock, &st) == 0) {
            auto device = syncedDevices.find(st.st_dev);
            if (device == syncedDevices.end()) {
                device = syncedDevices.emplace(st.st_dev, syncfs(p.lock) == 0).first;
            }
            synced = device->second;
        }
        // Without the shared flush each file goes to disk on its own.
        int fd = synced ? -1 : ::open(p.temp.c_str(), O_RDONLY | O_CLOEXEC);
        bool onDisk = synced || (fd >= 0 && fdatasync(fd) == 0);
        int syncError = errno;
        if (fd >= 0) close(fd);
        if (ok && !onDisk) {
            error = fileErrorMessage("Cannot write file", p.target, syncError);
            ok = false;
        }
        if (onDisk && rename(p.temp.c_str(), p.real.c_str()) == 0) {
            written_.insert(p.real);
        } else {
            if (ok && onDisk) error = fileErrorMessage("Cannot create file", p.target, errno);
            if (onDisk) ok = false;
            unlink(p.temp.c_str());
        }
        if (p.lock >= 0) close(p.lock);
    }
    pending_.clear();
    return ok;
}

bool AtomicFileBatch::commit(std::string& error) {
    bool ok = flush(error);
    std::map<std::string, std::set<std::string>> byFolder;
    for (const std::string& real : written_) byFolder[folderOf(real)].insert(nameOf(real));
    for (const auto& [folder, names] : byFolder) finishFolder(folder, names);
    written_.clear();
    return ok;
}

}  // namespace lineara
