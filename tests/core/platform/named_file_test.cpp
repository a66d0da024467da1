// Reading the files a tree names: only regular files outside the system's
// own folders, never opening anything else, never more than a limit; and
// telling which files lie outside a tree's folder.
#include "core/platform/named_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "support/open_watch.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

namespace fs = std::filesystem;
using test::OpenWatch;
using test::TempDir;
using test::writeBytes;
using P = NamedFileProblem;

TEST(NamedFile, OnlyRegularFilesOutsideTheSystemsFoldersAreRead) {
    TempDir dir;
    writeBytes(dir.file("notes.txt"), {'a', 'b'});
    fs::create_directory(dir.file("folder.txt"));
    ASSERT_EQ(mkfifo(dir.file("pipe.txt").c_str(), 0644), 0);
    const bool device = mknod(dir.file("device.txt").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    fs::create_symlink("/proc/self/status", dir.file("status.txt"));
    fs::create_symlink(dir.file("notes.txt"), dir.file("link.txt"));

    const struct {
        std::string path;
        P problem;
        std::string bytes;
    } rows[] = {
        {dir.file("notes.txt"), P::None, "ab"},
        {dir.file("link.txt"), P::None, "ab"},  // a link to a regular file is that file
        {dir.file("gone.txt"), P::Missing, ""},
        {dir.file("notes.txt/x"), P::Missing, ""},
        {dir.file("folder.txt"), P::NotRegular, ""},
        {dir.file("pipe.txt"), P::NotRegular, ""},
        {"/proc/self/environ", P::SystemFile, ""},  // "regular" to stat
        {dir.file("status.txt"), P::SystemFile, ""},
        {"/dev/zero", P::SystemFile, ""},
        {"/sys/kernel/mm/transparent_hugepage/enabled", P::SystemFile, ""},
    };
    for (const auto& row : rows) {
        if (row.path.rfind("/sys/", 0) == 0 && !fs::exists(row.path)) continue;
        NamedFileRead read = readNamedFile(row.path, 1024, OverLimit::Refuse);
        EXPECT_EQ(read.problem, row.problem) << row.path;
        EXPECT_EQ(read.bytes, row.bytes) << row.path;
        EXPECT_EQ(read.complete, row.problem == P::None) << row.path;
    }

    // A pipe and a device are not even opened: opening a pipe may wait for
    // a writer, opening a device may do anything its driver does.
    std::vector<std::string> unopened = {dir.file("pipe.txt")};
    if (device) unopened.push_back(dir.file("device.txt"));
    for (const std::string& path : unopened) {
        OpenWatch watch(path);
        ASSERT_TRUE(watch.watching()) << path;
        NamedFile file(path);
        EXPECT_FALSE(file.isOpen()) << path;
        EXPECT_EQ(file.problem(), P::NotRegular) << path;
        EXPECT_FALSE(watch.opened()) << path;
    }
}

TEST(NamedFile, AFileBeyondTheLimitIsRefusedUnreadOrCut) {
    TempDir dir;
    // A gigabyte that takes no room: refused from its size alone.
    const std::string huge = dir.file("huge.jpg");
    {
        int fd = ::open(huge.c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(ftruncate(fd, off_t(1) << 30), 0);
        ::close(fd);
    }
    NamedFileRead read = readNamedFile(huge, 64u << 20, OverLimit::Refuse);
    EXPECT_EQ(read.problem, P::TooLarge);
    EXPECT_TRUE(read.bytes.empty());
    EXPECT_EQ(read.bytes.capacity() < 1024u, true);

    writeBytes(dir.file("notes.txt"), std::vector<uint8_t>(100, 'x'));
    read = readNamedFile(dir.file("notes.txt"), 10, OverLimit::Cut);
    EXPECT_EQ(read.problem, P::TooLarge);
    EXPECT_EQ(read.bytes, std::string(10, 'x'));
    EXPECT_FALSE(read.complete);
    read = readNamedFile(dir.file("notes.txt"), 100, OverLimit::Refuse);  // exactly the limit
    EXPECT_EQ(read.problem, P::None);
    EXPECT_EQ(read.bytes.size(), 100u);
}

TEST(NamedFile, OutsideMeansOutsideTheFolderAndBelowWithLinksFollowed) {
    TempDir dir;
    fs::create_directories(dir.file("tree/photos"));
    fs::create_directories(dir.file("tree-other"));
    for (const char* name : {"tree/a.txt", "tree/photos/b.jpg", "tree-other/c.txt", "d.txt"})
        writeBytes(dir.file(name), {'x'});
    fs::create_symlink(dir.file("d.txt"), dir.file("tree/out.txt"));
    fs::create_symlink(dir.file("tree/a.txt"), dir.file("in.txt"));
    fs::create_symlink(dir.file("tree"), dir.file("tree-link"));
    const std::string tree = dir.file("tree");
    const struct {
        std::string path;
        std::string folder;
        bool outside;
    } rows[] = {
        {dir.file("tree/a.txt"), tree, false},
        {dir.file("tree/photos/b.jpg"), tree, false},
        {dir.file("tree/photos/../a.txt"), tree, false},
        {dir.file("tree/../d.txt"), tree, true},
        {dir.file("tree/photos/../../tree-other/c.txt"), tree,
         true},                                                  // a name that only starts alike
        {dir.file("tree/out.txt"), tree, true},                  // a link inside leading out
        {dir.file("in.txt"), tree, false},                       // a link outside leading in
        {dir.file("tree/a.txt"), dir.file("tree-link"), false},  // the folder through a link
        {dir.file("tree/gone.txt"), tree, false},                // nothing there to read
        {"/etc/passwd", tree, true},
        {"/etc/passwd", "/", false},
        {dir.file("d.txt"), dir.file("no-such-folder"), true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(isOutsideFolder(row.path, row.folder), row.outside)
            << row.path << " in " << row.folder;
    }
}

}  // namespace
}  // namespace lineara
