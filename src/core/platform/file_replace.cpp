#include "core/platform/file_replace.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace lineara {

const char kTempFileInfix[] = ".lineara-tmp-";

std::string fileErrorMessage(const char* what, const std::string& path, int errnum) {
    return fileErrorMessage(what, path, std::string(std::strerror(errnum)));
}

std::string fileErrorMessage(const char* what, const std::string& path, const std::string& reason) {
    return std::string(what) + " \"" + path + "\". " + reason;
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

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

namespace {

// The random part mkstemp puts in place of XXXXXX.
constexpr size_t kRandomChars = 6;
// As many links as the system itself follows before giving up.
constexpr int kMaxLinks = 40;

std::string canonicalFolder(const std::string& path) {
    char resolved[PATH_MAX];
    return realpath(folderOf(path).c_str(), resolved) != nullptr ? resolved : std::string();
}

bool isUnderProc(const std::string& canonical) {
    return canonical == "/proc" || canonical.rfind("/proc/", 0) == 0;
}

// The descriptor that NAME in /proc/<our pid>/fd stands for, when it is
// one we have open; -1 otherwise.
int ownDescriptor(const std::string& canonicalFolder, const std::string& name) {
    if (canonicalFolder != "/proc/" + std::to_string(getpid()) + "/fd") return -1;
    if (name.empty() || name.size() > 9) return -1;
    int fd = 0;
    for (char c : name) {
        if (c < '0' || c > '9') return -1;
        fd = fd * 10 + (c - '0');
    }
    return fcntl(fd, F_GETFD) == -1 ? -1 : fd;
}

// The same file is still there under that name.
bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
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

// Removes the temporary file `entry` of `folder` when nobody holds it.
// It is looked at before it is opened (a device of that name is never
// opened), and removed only while locked and still under its name: a
// writer locks its file before using it and checks that it still has it.
void removeIfLeftover(int folder, const char* entry) {
    struct stat before;
    if (fstatat(folder, entry, &before, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(before.st_mode)) {
        return;
    }
    int fd = openat(folder, entry, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return;
    struct stat opened, now;
    if (fstat(fd, &opened) == 0 && sameFile(before, opened) && flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        fstatat(folder, entry, &now, AT_SYMLINK_NOFOLLOW) == 0 && sameFile(opened, now)) {
        unlinkat(folder, entry, 0);
    }
    close(fd);
}

}  // namespace

bool findDestination(const std::string& path, LinkRule rule, WriteDestination& destination,
                     std::string& reason) {
    destination = WriteDestination();
    std::string current = path;
    for (int links = 0; links <= kMaxLinks; ++links) {
        struct stat st;
        if (lstat(current.c_str(), &st) != 0) {
            if (errno != ENOENT) {
                reason = std::strerror(errno);
                return false;
            }
            destination.path = current;  // a new file; its folder decides
            return true;
        }
        if (S_ISDIR(st.st_mode)) {
            reason = std::strerror(EISDIR);
            return false;
        }
        if (S_ISREG(st.st_mode)) {
            destination.path = current;
            destination.exists = true;
            destination.old = st;
            return true;
        }
        if (rule == LinkRule::ReplaceLink) {
            // Not followed, not opened: whatever it is gives way to the file.
            destination.path = current;
            return true;
        }
        // /dev/stdout leads to /proc/self/fd/1, which leads to whatever the
        // descriptor has open: a terminal, a pipe, or the file a shell
        // redirected it to. That file is written where the descriptor
        // stands and never replaced, or the rest of what goes there would
        // be lost. Nothing else in /proc can be replaced either.
        const std::string folder = canonicalFolder(current);
        if (isUnderProc(folder)) {
            destination.kind = WriteDestination::Kind::InPlace;
            destination.path = current;
            destination.descriptor = ownDescriptor(folder, nameOf(current));
            return true;
        }
        if (S_ISLNK(st.st_mode)) {
            char target[PATH_MAX];
            ssize_t n = readlink(current.c_str(), target, sizeof target - 1);
            if (n < 0) {
                reason = std::strerror(errno);
                return false;
            }
            std::string next(target, size_t(n));
            current = next[0] == '/' ? next : folderOf(current) + "/" + next;
            continue;
        }
        if (S_ISCHR(st.st_mode) || S_ISFIFO(st.st_mode)) {
            // Cannot be renamed over, and need not be: no old contents.
            destination.kind = WriteDestination::Kind::InPlace;
            destination.path = current;
            return true;
        }
        reason = "Not a regular file";
        return false;
    }
    reason = std::strerror(ELOOP);
    return false;
}

int createLockedTemp(const std::string& path, std::string& temp) {
    // Between its creation and its lock the file is visible and unlocked,
    // and a sweep may take it for a leftover. Whoever locks it first wins:
    // a file the sweep locked or removed is given up for a new one.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string pattern = path + kTempFileInfix + std::string(kRandomChars, 'X');
        int fd = mkostemp(pattern.data(), O_CLOEXEC);
        if (fd < 0) return -1;
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            if (errno == EWOULDBLOCK || errno == EINTR) {
                close(fd);  // being removed by the sweep that holds it
                continue;
            }
            // A file system without locks: nothing more to be had.
            temp = pattern;
            return fd;
        }
        struct stat opened, named;
        if (fstat(fd, &opened) == 0 && stat(pattern.c_str(), &named) == 0 &&
            sameFile(opened, named)) {
            temp = pattern;
            return fd;
        }
        close(fd);
    }
    errno = EAGAIN;
    return -1;
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
        removeIfLeftover(dirfd(entries), e->d_name);
    }
    closedir(entries);
}

}  // namespace lineara
