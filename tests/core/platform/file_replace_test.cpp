// Where a write goes (links, pipes, this process's descriptors), and saves
// of one file racing each other's sweep of leftovers.
#include "core/platform/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "core/platform/atomic_file.h"
#include "core/platform/atomic_file_batch.h"
#include "support/child_process.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

std::vector<uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

std::vector<std::string> entries(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

// Three writers saving one file over and over, as three scripts resaving
// into one tree or the program saving while a script does. Each save's
// sweep of leftovers runs while the others create their temporary files;
// none may take another's file for a leftover.
TEST(FileReplace, ConcurrentSavesOfOneFileAllSucceed) {
    TempDir dir;
    const std::string target = dir.file("out.ln3");
    constexpr int kWriters = 3;
    constexpr int kSaves = 400;
    std::atomic<int> failures{0};
    std::vector<std::string> firstError(kWriters);
    std::vector<std::thread> writers;
    for (int w = 0; w < kWriters; ++w) {
        writers.emplace_back([&, w] {
            const std::string text(64, char('a' + w));
            for (int i = 0; i < kSaves; ++i) {
                std::string error;
                if (!writeFileAtomically(target, text.data(), text.size(), error)) {
                    if (failures++ == 0) firstError[size_t(w)] = error;
                }
            }
        });
    }
    for (std::thread& t : writers) t.join();
    std::string errors;
    for (const std::string& e : firstError) errors += e;
    EXPECT_EQ(failures.load(), 0) << errors;
    // One whole file from one of them, and nothing else.
    const std::vector<uint8_t> last = readBytes(target);
    ASSERT_EQ(last.size(), 64u);
    EXPECT_EQ(std::count(last.begin(), last.end(), last[0]), 64);
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"out.ln3"});
}

// A link in the place of the file, followed (the tree file) or replaced
// (a folder the program fills).
TEST(FileReplace, LinksAreFollowedOrReplacedAsTheRuleSays) {
    TempDir dir;
    fs::create_directory(dir.file("web"));
    writeBytes(dir.file("victim.txt"), bytesOf("keep"));
    const std::string link = dir.file("web/1.html");
    fs::create_symlink("../victim.txt", link);

    std::string error;
    ASSERT_TRUE(writeFileAtomically(link, "page", 4, error, LinkRule::ReplaceLink)) << error;
    EXPECT_FALSE(fs::is_symlink(link));
    EXPECT_EQ(readBytes(link), bytesOf("page"));
    EXPECT_EQ(readBytes(dir.file("victim.txt")), bytesOf("keep"));

    fs::remove(link);
    fs::create_symlink("../victim.txt", link);
    ASSERT_TRUE(writeFileAtomically(link, "tree", 4, error, LinkRule::ReplaceTarget)) << error;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(readBytes(dir.file("victim.txt")), bytesOf("tree"));

    // A pipe planted in the folder is replaced too, never opened (which
    // would wait for a reader for ever).
    const std::string pipe = dir.file("web/2.html");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
    AtomicFileBatch batch(256, LinkRule::ReplaceLink);
    ASSERT_TRUE(batch.write(pipe, "two", 3, error)) << error;
    ASSERT_TRUE(batch.commit(error)) << error;
    EXPECT_TRUE(fs::is_regular_file(pipe));
    EXPECT_EQ(entries(dir.file("web")), (std::vector<std::string>{"1.html", "2.html"}));
}

// A path that leads to one of our descriptors (/dev/stdout, /dev/fd/N,
// /proc/self/fd/N) is written where the descriptor stands: what was
// written there before stays, and the file is the same file.
TEST(FileReplace, ADescriptorOfOursIsWrittenWhereItStands) {
    TempDir dir;
    const std::string redirect = dir.file("redirect.txt");
    int fd = ::open(redirect.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::write(fd, "before\n", 7), 7);
    struct stat original;
    ASSERT_EQ(fstat(fd, &original), 0);
    const std::string number = std::to_string(fd);
    const std::string link = dir.file("out.txt");
    fs::create_symlink("/proc/self/fd/" + number, link);

    for (const std::string& path : {"/dev/fd/" + number, "/proc/self/fd/" + number, link}) {
        std::string error;
        EXPECT_TRUE(writeFileAtomically(path, "line\n", 5, error)) << path << ": " << error;
    }
    ASSERT_EQ(::write(fd, "after\n", 6), 6);
    close(fd);
    EXPECT_EQ(readBytes(redirect), bytesOf("before\nline\nline\nline\nafter\n"));
    struct stat now;
    ASSERT_EQ(stat(redirect.c_str(), &now), 0);
    EXPECT_EQ(now.st_ino, original.st_ino);
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(entries(dir.path()), (std::vector<std::string>{"out.txt", "redirect.txt"}));
}

// Finding out whether a file could be saved opens no pipe: a reader
// waiting at it would take the open and close for the end of the data, and
// with nobody reading the open would wait for ever.
TEST(FileReplace, AProbeOpensNoPipe) {
    TempDir dir;
    const std::string pipe = dir.file("tree.ln3");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
    const std::string said = test::runInChild(
        [&] {
            alarm(5);  // an open would never return
            AtomicFileWriter probe;
            return probe.probe(pipe) ? std::string() : probe.error();
        },
        false);
    EXPECT_EQ(said, "");

    AtomicFileWriter probe;
    EXPECT_FALSE(probe.probe(dir.file("no/such/tree.ln3")));
    EXPECT_EQ(probe.error(), "Cannot create file \"" + dir.file("no/such/tree.ln3") +
                                 "\". No such file or directory");
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"tree.ln3"});
}

}  // namespace
}  // namespace lineara
