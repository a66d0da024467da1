#include "support/child_process.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

namespace lineara::test {

std::string runInChild(const std::function<std::string()>& work, bool asNobody) {
    int channel[2];
    if (pipe(channel) != 0) return "pipe failed";
    pid_t child = fork();
    if (child < 0) return "fork failed";
    if (child == 0) {
        close(channel[0]);
        std::string said;
        if (asNobody && geteuid() == 0 &&
            (setgroups(0, nullptr) != 0 || setresgid(kNobody, kNobody, kNobody) != 0 ||
             setresuid(kNobody, kNobody, kNobody) != 0)) {
            said = "cannot become user nobody";
        } else {
            // Nothing may escape into the test framework's copy in the child.
            try {
                said = work();
            } catch (...) {
                said = "the work in the child threw";
            }
        }
        for (size_t done = 0; done < said.size();) {
            ssize_t n = write(channel[1], said.data() + done, said.size() - done);
            if (n <= 0) break;
            done += size_t(n);
        }
        _exit(0);
    }
    close(channel[1]);
    std::string said;
    char buffer[4096];
    ssize_t n;
    while ((n = read(channel[0], buffer, sizeof buffer)) > 0) said.append(buffer, size_t(n));
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status)) {
        said += "[the child died of signal " + std::to_string(WTERMSIG(status)) + "]";
    }
    return said;
}

}  // namespace lineara::test
