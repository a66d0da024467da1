#include "core/platform/named_file.h"

#include <fcntl.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <memory>

namespace lineara {

namespace {

// File systems whose "regular files" are the kernel talking.
constexpr long kProcMagic = 0x9fa0;
constexpr long kSysfsMagic = 0x62656572;

// The path with every link followed; empty when it cannot be resolved.
std::string resolved(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : std::string();
}

bool under(const std::string& path, const std::string& folder) {
    if (folder == "/") return true;
    return path == folder ||
           (path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
            path[folder.size()] == '/');
}

NamedFileProblem problemOf(int error) {
    return error == ENOENT || error == ENOTDIR || error == ENAMETOOLONG || error == ELOOP
               ? NamedFileProblem::Missing
               : NamedFileProblem::Unreadable;
}

}  // namespace

const char* namedFileProblemText(NamedFileProblem problem) {
    switch (problem) {
    case NamedFileProblem::None:
        return "read";
    case NamedFileProblem::Missing:
        return "not found";
    case NamedFileProblem::NotRegular:
        return "not a regular file";
    case NamedFileProblem::SystemFile:
        return "a file of the system";
    case NamedFileProblem::TooLarge:
        return "too large";
    case NamedFileProblem::Unreadable:
        return "cannot be read";
    case NamedFileProblem::NotPicture:
        return "not a picture";
    case NamedFileProblem::Outside:
        return "outside the tree's folder";
    }
    return "";
}

bool isSystemPath(const std::string& resolvedPath) {
    for (const char* folder : {"/proc", "/sys", "/dev"}) {
        if (under(resolvedPath, folder)) return true;
    }
    return false;
}

bool isOutsideFolder(const std::string& path, const std::string& folder) {
    const std::string file = resolved(path);
    if (file.empty()) return false;
    std::string base = resolved(folder.empty() ? std::string(".") : folder);
    if (base.empty()) return true;  // a folder that is not there holds nothing
    return !under(file, base);
}

NamedFile::NamedFile(const std::string& path) {
    struct stat named;
    if (::stat(path.c_str(), &named) != 0) {
        fail(problemOf(errno), errno);
        return;
    }
    if (isSystemPath(resolved(path))) {
        fail(NamedFileProblem::SystemFile, 0);
        return;
    }
    if (!S_ISREG(named.st_mode)) {
        fail(NamedFileProblem::NotRegular, 0);
        return;
    }
    fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) {
        fail(problemOf(errno), errno);
        return;
    }
    // The name may have been given to something else since we looked.
    if (::fstat(fd_, &info_) != 0) {
        fail(NamedFileProblem::Unreadable, errno);
        return;
    }
    if (!S_ISREG(info_.st_mode) || info_.st_dev != named.st_dev || info_.st_ino != named.st_ino) {
        fail(NamedFileProblem::NotRegular, 0);
        return;
    }
    struct statfs fs;
    if (::fstatfs(fd_, &fs) == 0 &&
        (long(fs.f_type) == kProcMagic || long(fs.f_type) == kSysfsMagic)) {
        fail(NamedFileProblem::SystemFile, 0);
    }
}

NamedFile::~NamedFile() {
    if (fd_ >= 0) ::close(fd_);
}

void NamedFile::fail(NamedFileProblem problem, int error) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    problem_ = problem;
    error_ = error;
}

NamedFileRead readNamedFile(const std::string& path, size_t limit, OverLimit over) {
    NamedFileRead result;
    NamedFile file(path);
    if (!file.isOpen()) {
        result.problem = file.problem();
        return result;
    }
    result.problem = NamedFileProblem::None;
    const auto size = static_cast<unsigned long long>(file.info().st_size);
    if (over == OverLimit::Refuse && size > limit) {
        result.problem = NamedFileProblem::TooLarge;
        return result;
    }
    // The size is only a hint: the file may grow while we read it.
    result.bytes.reserve(static_cast<size_t>(std::min<unsigned long long>(size, limit)));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(file.fd(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            result.problem = NamedFileProblem::Unreadable;
            break;
        }
        if (n == 0) {
            result.complete = true;
            break;
        }
        const size_t room = limit - result.bytes.size();
        if (static_cast<size_t>(n) > room) {
            result.bytes.append(buffer, room);
            result.problem = NamedFileProblem::TooLarge;
            break;
        }
        result.bytes.append(buffer, static_cast<size_t>(n));
    }
    if (over == OverLimit::Refuse && result.problem != NamedFileProblem::None) {
        result.bytes.clear();
        result.bytes.shrink_to_fit();
    }
    return result;
}

}  // namespace lineara
