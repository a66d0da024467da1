// Notes and picture names that a tree from someone else may hold: files
// outside the tree's folder reached by an absolute name, by "..", through
// a link; the kernel's files; a pipe; a device; a file only its owner may
// read. Made in a test's folder, with the tree's folder at "tree".
#pragma once

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/platform/named_file.h"
#include "support/temp_dir.h"

namespace lineara::test {

struct HostileName {
    const char* label;
    std::string stored;        // as the tree names it (relative to "tree")
    std::string path;          // the file itself, for watching it
    NamedFileProblem plain;    // when files outside the folder are not allowed
    NamedFileProblem allowed;  // when they are
    std::string marker;        // text that only this file holds, if it is read
};

// The secret outside the tree is "SECRET-OUTSIDE"; the private file inside,
// mode 0600, holds "PRIVATE-INSIDE" and is the tree's own.
inline std::vector<HostileName> makeHostileNames(const TempDir& dir) {
    namespace fs = std::filesystem;
    using P = NamedFileProblem;
    const std::string tree = dir.file("tree");
    fs::create_directories(tree);
    fs::create_directories(dir.file("outside"));
    const std::string secret = dir.file("outside/secret.txt");
    writeBytes(secret,
               {'S', 'E', 'C', 'R', 'E', 'T', '-', 'O', 'U', 'T', 'S', 'I', 'D', 'E', '\n'});
    chmod(secret.c_str(), 0640);
    const std::string own = tree + "/private.txt";
    writeBytes(own, {'P', 'R', 'I', 'V', 'A', 'T', 'E', '-', 'I', 'N', 'S', 'I', 'D', 'E', '\n'});
    chmod(own.c_str(), 0600);
    mkfifo((tree + "/pipe.txt").c_str(), 0644);
    fs::create_symlink(secret, tree + "/link-out.txt");
    fs::create_symlink("/proc/self/environ", tree + "/link-proc.txt");

    std::vector<HostileName> names = {
        {"absolute, outside", secret, secret, P::Outside, P::None, "SECRET-OUTSIDE"},
        {"up and out", "../outside/secret.txt", secret, P::Outside, P::None, "SECRET-OUTSIDE"},
        {"a link out", "link-out.txt", secret, P::Outside, P::None, "SECRET-OUTSIDE"},
        {"the kernel's", "/proc/self/environ", "", P::Outside, P::SystemFile, "PATH="},
        {"a link to the kernel's", "link-proc.txt", "", P::Outside, P::SystemFile, "PATH="},
        {"a pipe", "pipe.txt", tree + "/pipe.txt", P::NotRegular, P::NotRegular, ""},
        {"the owner's only", "private.txt", own, P::None, P::None, "PRIVATE-INSIDE"},
    };
    // A device inside the tree's folder, where one may be made (as root).
    if (mknod((tree + "/device.txt").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        names.push_back(
            {"a device", "device.txt", tree + "/device.txt", P::NotRegular, P::NotRegular, ""});
    }
    return names;
}

}  // namespace lineara::test
