// A tree file whose persons have a photograph, for the tests of the
// presentation's files, and the tool run in the background to be killed.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "core/formats/tree_file.h"
#include "core/model/person_list.h"
#include "support/add_person.h"

namespace lineara::test {

// Saves `persons` persons to `treePath`, the first `pictured` of them with
// the picture `picture` (400 x 300 pixels of noise, written beside the
// tree: its reduced JPEG takes over 8 KB, a page or a box far less).
// Returns the persons' ids in list order.
inline std::vector<int32_t> savePictureTree(const std::string& treePath, int persons, int pictured,
                                            const std::string& picture) {
    const std::string folder = treePath.substr(0, treePath.rfind('/'));
    QImage noise(400, 300, QImage::Format_RGB32);
    uint32_t state = 12345;
    for (int y = 0; y < noise.height(); ++y) {
        for (int x = 0; x < noise.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            noise.setPixel(x, y,
                           qRgb(int(state >> 24), int(state >> 16) & 255, int(state >> 8) & 255));
        }
    }
    EXPECT_TRUE(noise.save(QString::fromStdString(folder + "/" + picture), "PNG"));
    PersonList list;
    std::vector<int32_t> ids;
    for (int i = 0; i < persons; ++i) {
        PersonRecord* p =
            addPerson(list, "Anna", "Nowak " + std::to_string(i), 200 * (i % 20), 120 * (i / 20));
        if (i < pictured) p->setText(field::pictureFile, picture);
        ids.push_back(p->personId());
    }
    EXPECT_TRUE(SavetoFile(list, treePath).written());
    return ids;
}

// The tool started with `environment` (NAME=VALUE entries) added to ours,
// its output thrown away; waits for it or kills it.
class BackgroundTool {
public:
    BackgroundTool(const std::string& tool, const std::vector<std::string>& args,
                   const std::vector<std::string>& environment) {
        std::vector<std::string> argv{tool};
        argv.insert(argv.end(), args.begin(), args.end());
        std::vector<char*> av;
        for (std::string& a : argv) av.push_back(a.data());
        av.push_back(nullptr);
        std::vector<std::string> env(environment);
        for (char** e = environ; *e != nullptr; ++e) env.push_back(*e);
        std::vector<char*> ev;
        for (std::string& e : env) ev.push_back(e.data());
        ev.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&pid_, tool.c_str(), &actions, nullptr, av.data(), ev.data()) != 0) {
            pid_ = -1;
        }
        posix_spawn_file_actions_destroy(&actions);
    }
    ~BackgroundTool() { kill(); }
    bool started() const { return pid_ > 0; }
    // The exit status, -1 when killed.
    int wait() {
        if (pid_ <= 0) return -1;
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // Kills it; false when it had already ended by itself.
    bool kill() {
        if (pid_ <= 0) return false;
        int status = 0;
        const bool running = waitpid(pid_, &status, WNOHANG) == 0;
        if (running) {
            ::kill(pid_, SIGKILL);
            waitpid(pid_, &status, 0);
        }
        pid_ = -1;
        return running;
    }

private:
    pid_t pid_ = -1;
};

}  // namespace lineara::test
