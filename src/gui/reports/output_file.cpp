#include "gui/reports/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "core/platform/atomic_file.h"

namespace lineara {

namespace {

bool fail(std::string* error, const char* what, const std::string& path, int errnum) {
    if (error != nullptr) *error = fileErrorMessage(what, path, errnum);
    return false;
}

bool writeAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += size_t(n);
    }
    return true;
}

}  // namespace

bool writeOutputFile(const std::string& path, const std::vector<uint8_t>& bytes,
                     std::string* error) {
    struct stat st;
    if (stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return fail(error, "Cannot create file", path, EISDIR);
        if (faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0) {
            return fail(error, "Cannot create file", path, errno);
        }
    }
    std::string temp = path + kTempFileInfix + "XXXXXX";
    int fd = mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return fail(error, "Cannot create file", path, errno);
    // The temporary file is private; the image gets the mode of any file
    // the user makes.
    bool ok = fchmod(fd, newFileMode()) == 0 && writeAll(fd, bytes);
    int written = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        written = errno;
    }
    if (!ok) {
        unlink(temp.c_str());
        return fail(error, "Cannot write file", path, written);
    }
    if (rename(temp.c_str(), path.c_str()) != 0) {
        int renameError = errno;
        unlink(temp.c_str());
        return fail(error, "Cannot create file", path, renameError);
    }
    return true;
}

std::string outputPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

}  // namespace lineara
