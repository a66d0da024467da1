#include "core/platform/recovery_store.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

#include "core/platform/atomic_file.h"

namespace lineara {

namespace {

const char kTreeSuffix[] = ".ln3";
const char kDescriptionSuffix[] = ".desc";
const char kLockSuffix[] = ".lock";
constexpr off_t kRecordBytes = 2560;

bool endsWith(const std::string& s, const char* suffix) {
    const size_t n = std::strlen(suffix);
    return s.size() > n && s.compare(s.size() - n, n, suffix) == 0;
}

std::string systemError(const std::string& what, const std::string& path, int errnum) {
    return what + " \"" + path + "\": " + std::strerror(errnum);
}

// Every missing folder on the way, each readable by the user alone: the
// recovered trees are as private as the user's own files.
bool makeFolders(const std::string& path, std::string& error) {
    for (size_t at = 1; at <= path.size(); ++at) {
        if (at != path.size() && path[at] != '/') continue;
        const std::string part = path.substr(0, at);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) {
            error = systemError("Cannot create folder", part, errno);
            return false;
        }
    }
    struct stat st;
    if (stat(path.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        error = systemError("Cannot create folder", path,
                            stat(path.c_str(), &st) != 0 ? errno : ENOTDIR);
        return false;
    }
    return true;
}

std::string newSessionId() {
    std::random_device device;
    std::mt19937_64 random((static_cast<uint64_t>(device()) << 32) ^ device() ^
                           static_cast<uint64_t>(getpid()));
    char text[64];
    std::snprintf(text, sizeof text, "%d-%016llx", static_cast<int>(getpid()),
                  static_cast<unsigned long long>(random()));
    return text;
}

bool writeWhole(const std::string& path, const void* data, size_t size, std::string& error) {
    AtomicFileWriter file;
    if (!file.open(path) || !file.restrictMode(0600) || !file.write(data, size) || !file.commit()) {
        error = file.error();
        return false;
    }
    return true;
}

bool readText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return !in.bad();
}

int64_t toNumber(const std::string& text, bool& ok) {
    char* end = nullptr;
    errno = 0;
    long long n = std::strtoll(text.c_str(), &end, 10);
    ok = !text.empty() && *end == '\0' && errno != ERANGE;
    return n;
}

std::string stripSuffix(const std::string& name, const char* suffix) {
    return name.substr(0, name.size() - std::strlen(suffix));
}

}  // namespace

std::string recoveryFolderFrom(const char* xdgStateHome, const char* home) {
    if (xdgStateHome != nullptr && xdgStateHome[0] == '/') {
        return std::string(xdgStateHome) + "/lineara/recovery";
    }
    if (home != nullptr && home[0] != '\0')
        return std::string(home) + "/.local/state/lineara/recovery";
    return std::string();
}

// --- the description ---

std::string formatDescription(const RecoveryDescription& d) {
    std::ostringstream out;
    out << "file=" << d.treeFile << '\n'
        << "written=" << d.writtenAt << '\n'
        << "persons=" << d.persons << '\n';
    if (d.treeFileSeen) {
        out << "file-size=" << d.treeFileSize << '\n'
            << "file-mtime-ns=" << d.treeFileMtimeNs << '\n';
    }
    return out.str();
}

bool parseDescription(const std::string& text, RecoveryDescription& d) {
    RecoveryDescription parsed;
    bool haveFile = false, haveWritten = false, havePersons = false;
    bool haveSize = false, haveMtime = false;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const size_t eq = line.find('=');
        if (eq == std::string::npos) continue;
        const std::string key = line.substr(0, eq);
        const std::string value = line.substr(eq + 1);
        bool ok = true;
        if (key == "file") {
            parsed.treeFile = value;
            haveFile = true;
        } else if (key == "written") {
            parsed.writtenAt = toNumber(value, ok);
            haveWritten = ok;
        } else if (key == "persons") {
            parsed.persons = toNumber(value, ok);
            havePersons = ok && parsed.persons >= 0;
        } else if (key == "file-size") {
            parsed.treeFileSize = toNumber(value, ok);
            haveSize = ok;
        } else if (key == "file-mtime-ns") {
            parsed.treeFileMtimeNs = toNumber(value, ok);
            haveMtime = ok;
        }
    }
    if (!haveFile || !haveWritten || !havePersons) return false;
    parsed.treeFileSeen = haveSize && haveMtime;
    d = parsed;
    return true;
}

void noteTreeFileState(RecoveryDescription& d) {
    struct stat st;
    d.treeFileSeen = !d.treeFile.empty() && stat(d.treeFile.c_str(), &st) == 0;
    if (!d.treeFileSeen) return;
    d.treeFileSize = st.st_size;
    d.treeFileMtimeNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
}

// --- the running program's session ---

RecoverySession::RecoverySession(std::string folder)
    : folder_(std::move(folder)), id_(newSessionId()) {}

RecoverySession::~RecoverySession() {
    if (lockFd_ >= 0) {
        // Unlinked while still held: nobody can take the name for a
        // session that is going away.
        unlink(lockPath().c_str());
        close(lockFd_);
    }
}

std::string RecoverySession::treePath() const { return folder_ + "/" + id_ + kTreeSuffix; }
std::string RecoverySession::descriptionPath() const {
    return folder_ + "/" + id_ + kDescriptionSuffix;
}
std::string RecoverySession::lockPath() const { return folder_ + "/" + id_ + kLockSuffix; }

bool RecoverySession::takeLock(std::string& error) {
    if (lockFd_ >= 0) return true;
    if (!makeFolders(folder_, error)) return false;
    const std::string path = lockPath();
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        error = systemError("Cannot create file", path, errno);
        return false;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        error = systemError("Cannot lock file", path, errno);
        close(fd);
        return false;
    }
    lockFd_ = fd;
    return true;
}

bool RecoverySession::write(const uint8_t* tree, size_t size, const RecoveryDescription& d,
                            std::string& error) {
    std::lock_guard<std::mutex> hold(mutex_);
    if (folder_.empty()) {
        error = "No folder for recovery files";
        return false;
    }
    if (!takeLock(error)) return false;
    // The tree first: a description never names a tree that is not there
    // whole. A kill between the two leaves the new tree beside the old
    // description, which only says less than it could.
    if (!writeWhole(treePath(), tree, size, error)) return false;
    const std::string text = formatDescription(d);
    if (!writeWhole(descriptionPath(), text.data(), text.size(), error)) return false;
    written_ = true;
    return true;
}

void RecoverySession::remove() {
    std::lock_guard<std::mutex> hold(mutex_);
    if (!written_) return;
    // The description goes first: a tree without one is reported as
    // damaged, never offered with the wrong name.
    unlink(descriptionPath().c_str());
    unlink(treePath().c_str());
    written_ = false;
}

bool RecoverySession::hasFiles() const {
    std::lock_guard<std::mutex> hold(mutex_);
    return written_;
}

// --- what earlier programs left ---

LeftRecovery::~LeftRecovery() { release(); }

LeftRecovery::LeftRecovery(LeftRecovery&& other) noexcept { *this = std::move(other); }

LeftRecovery& LeftRecovery::operator=(LeftRecovery&& other) noexcept {
    if (this == &other) return *this;
    release();
    treePath = std::move(other.treePath);
    descriptionPath = std::move(other.descriptionPath);
    description = std::move(other.description);
    damage = std::move(other.damage);
    lockPath_ = std::move(other.lockPath_);
    lockFd_ = other.lockFd_;
    other.lockFd_ = -1;
    return *this;
}

void LeftRecovery::release() {
    if (lockFd_ >= 0) close(lockFd_);
    lockFd_ = -1;
}

LeftRecovery::TreeFileNow LeftRecovery::treeFileNow() const {
    if (description.treeFile.empty()) return TreeFileNow::Untitled;
    RecoveryDescription now = description;
    noteTreeFileState(now);
    if (!now.treeFileSeen) {
        return description.treeFileSeen ? TreeFileNow::Deleted : TreeFileNow::Unchanged;
    }
    // A file that did not exist when the recovery was written (the tree
    // was saved under a new name only later) counts as changed.
    if (!description.treeFileSeen || now.treeFileSize != description.treeFileSize ||
        now.treeFileMtimeNs != description.treeFileMtimeNs) {
        return TreeFileNow::Changed;
    }
    return TreeFileNow::Unchanged;
}

void LeftRecovery::discard() {
    if (!descriptionPath.empty()) unlink(descriptionPath.c_str());
    if (!treePath.empty()) unlink(treePath.c_str());
    if (lockFd_ >= 0) unlink(lockPath_.c_str());
    release();
}

bool LeftRecovery::moveAside(std::string& error) {
    const std::string suffix =
        ".damaged-" + std::to_string(std::chrono::duration_cast<std::chrono::seconds>(
                                         std::chrono::system_clock::now().time_since_epoch())
                                         .count());
    bool ok = true;
    for (const std::string* path : {&treePath, &descriptionPath}) {
        if (path->empty() || access(path->c_str(), F_OK) != 0) continue;
        const std::string aside = *path + suffix;
        if (rename(path->c_str(), aside.c_str()) != 0) {
            if (ok) error = systemError("Cannot rename file", *path, errno);
            ok = false;
        }
    }
    if (ok && lockFd_ >= 0) unlink(lockPath_.c_str());
    release();
    return ok;
}

std::vector<LeftRecovery> findLeftRecoveries(const std::string& folder) {
    std::vector<LeftRecovery> found;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) return found;
    std::vector<std::string> ids;
    while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (endsWith(name, kDescriptionSuffix))
            ids.push_back(stripSuffix(name, kDescriptionSuffix));
        if (endsWith(name, kTreeSuffix)) ids.push_back(stripSuffix(name, kTreeSuffix));
        if (endsWith(name, kLockSuffix)) ids.push_back(stripSuffix(name, kLockSuffix));
    }
    closedir(dir);
    std::sort(ids.begin(), ids.end());
    ids.erase(std::unique(ids.begin(), ids.end()), ids.end());

    for (const std::string& id : ids) {
        LeftRecovery left;
        left.lockPath_ = folder + "/" + id + kLockSuffix;
        const int fd =
            open(left.lockPath_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) continue;  // nothing can be claimed here: not ours to offer
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            close(fd);  // a running program's files
            continue;
        }
        left.lockFd_ = fd;
        left.treePath = folder + "/" + id + kTreeSuffix;
        left.descriptionPath = folder + "/" + id + kDescriptionSuffix;
        struct stat st;
        std::string text;
        const bool haveTree = lstat(left.treePath.c_str(), &st) == 0;
        if (!haveTree) {
            // A lock whose program is gone, or a description whose tree was
            // never written or already removed: nothing of the user's here.
            left.discard();
            continue;
        }
        if (!S_ISREG(st.st_mode)) {
            left.damage = "not a regular file";
        } else if (st.st_size % kRecordBytes != 0) {
            left.damage = "the tree is cut short";
        } else if (lstat(left.descriptionPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode) ||
                   !readText(left.descriptionPath, text)) {
            // Only a plain file is read: a pipe put here would hold the
            // start for ever.
            left.damage = "the description is missing";
        } else if (!parseDescription(text, left.description)) {
            left.damage = "the description cannot be read";
        }
        found.push_back(std::move(left));
    }
    std::stable_sort(found.begin(), found.end(), [](const LeftRecovery& a, const LeftRecovery& b) {
        return a.description.writtenAt < b.description.writtenAt;
    });
    return found;
}

}  // namespace lineara
