// Tells whether anything opened a file while it was watched: a device or a
// pipe must not even be opened by code that only wants regular files, since
// opening alone can block, rewind a tape or take a terminal.
#pragma once

#include <sys/inotify.h>
#include <unistd.h>

#include <string>

namespace lineara::test {

class OpenWatch {
public:
    explicit OpenWatch(const std::string& path) {
        fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        if (fd_ >= 0) watch_ = inotify_add_watch(fd_, path.c_str(), IN_OPEN);
    }
    ~OpenWatch() {
        if (fd_ >= 0) close(fd_);
    }
    OpenWatch(const OpenWatch&) = delete;
    OpenWatch& operator=(const OpenWatch&) = delete;

    bool watching() const { return fd_ >= 0 && watch_ >= 0; }
    // Whether the file was opened since the watch began (or the last call).
    bool opened() {
        alignas(inotify_event) char buffer[4096];
        bool any = false;
        while (read(fd_, buffer, sizeof buffer) > 0) any = true;
        return any;
    }

private:
    int fd_ = -1;
    int watch_ = -1;
};

}  // namespace lineara::test
