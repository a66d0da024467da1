#include "core/platform/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "support/child_process.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;

TEST(AtomicFileWriter, UncommittedWriteLeavesTheOldFileAndNoLitter) {
    TempDir dir;
    std::string path = dir.file("a.txt");
    writeBytes(path, {'o', 'l', 'd'});
    {
        AtomicFileWriter w;
        ASSERT_TRUE(w.open(path));
        ASSERT_TRUE(w.write("new", 3));
        EXPECT_EQ(readBytes(path), (std::vector<uint8_t>{'o', 'l', 'd'}));
    }  // abandoned
    EXPECT_EQ(readBytes(path), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(AtomicFileWriter, CommitReplacesTheFileBehindALink) {
    TempDir dir;
    std::string real = dir.file("real.txt");
    std::string link = dir.file("link.txt");
    writeBytes(real, {'o'});
    std::filesystem::create_symlink(real, link);
    AtomicFileWriter w;
    ASSERT_TRUE(w.open(link));
    ASSERT_TRUE(w.write("n", 1));
    ASSERT_TRUE(w.commit());
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readBytes(real), (std::vector<uint8_t>{'n'}));
}

TEST(AtomicFileWriter, ErrorsNameTheFileAndTheReason) {
    TempDir dir;
    AtomicFileWriter w;
    std::string path = dir.file("no/such/folder/x");
    EXPECT_FALSE(w.open(path));
    EXPECT_EQ(w.error(), "Cannot create file \"" + path + "\". No such file or directory");
    EXPECT_FALSE(w.write("x", 1));
    EXPECT_FALSE(w.commit());
}

// --- what a save may replace, as a user who is not root ---

namespace permissions {

using test::kNobody;
using test::runInChild;

struct Target {
    const char* name;
    mode_t mode;
    uid_t owner;  // root or kNobody; the child is kNobody
    bool saved;   // whether an in-place write would have been allowed
};

// The outcome of writing "new" over `path`, as "saved", or the error.
std::string saveNew(const std::string& path) {
    std::string error;
    return writeFileAtomically(path, "new", 3, error) ? "saved" : error;
}

std::string expected(const std::string& path, bool saved) {
    return saved ? "saved" : "Cannot create file \"" + path + "\". Permission denied";
}

TEST(AtomicFileWriterPermissions, SavesOnlyWhereAnInPlaceWriteWouldHaveBeenAllowed) {
    if (geteuid() != 0) GTEST_SKIP() << "needs root to make files of two owners";
    TempDir dir;
    chmod(dir.path().c_str(), 0777);  // the folder allows every rename
    const Target targets[] = {
        {"own-readonly.ln3", 0444, kNobody, false},
        {"own-writable.ln3", 0640, kNobody, true},
        {"roots.ln3", 0644, 0, false},
        {"roots-shared.ln3", 0666, 0, true},
    };
    for (const Target& t : targets) {
        writeBytes(dir.file(t.name), {'o', 'l', 'd'});
        ASSERT_EQ(chown(dir.file(t.name).c_str(), t.owner, t.owner), 0);
        ASSERT_EQ(chmod(dir.file(t.name).c_str(), t.mode), 0);
    }
    std::string problems = runInChild(
        [&] {
            std::string said;
            for (const Target& t : targets) {
                std::string outcome = saveNew(dir.file(t.name));
                if (outcome != expected(dir.file(t.name), t.saved)) said += outcome + "\n";
            }
            return said;
        },
        true);
    EXPECT_EQ(problems, "");
    for (const Target& t : targets) {
        struct stat st;
        ASSERT_EQ(stat(dir.file(t.name).c_str(), &st), 0);
        std::vector<uint8_t> bytes{'o', 'l', 'd'};
        if (t.saved) bytes = {'n', 'e', 'w'};
        EXPECT_EQ(readBytes(dir.file(t.name)), bytes) << t.name;
        EXPECT_EQ(st.st_mode & 07777, t.mode) << t.name;
        // Only a refused file keeps another user as its owner.
        EXPECT_EQ(st.st_uid, t.saved ? kNobody : t.owner) << t.name;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 4);
}

TEST(AtomicFileWriterPermissions, RootKeepsTheOldOwnerAndGroup) {
    if (geteuid() != 0) GTEST_SKIP() << "only root may give a file to another user";
    TempDir dir;
    std::string path = dir.file("t.ln3");
    writeBytes(path, {'o'});
    ASSERT_EQ(chown(path.c_str(), kNobody, kNobody), 0);
    ASSERT_EQ(chmod(path.c_str(), 0604), 0);
    EXPECT_EQ(saveNew(path), "saved");
    struct stat st;
    ASSERT_EQ(stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, kNobody);
    EXPECT_EQ(st.st_gid, kNobody);
    EXPECT_EQ(st.st_mode & 07777, 0604u);
}

// Devices cannot be renamed over; they are written as they are. Run as
// nobody, so that a writer that did try a rename in /dev would fail rather
// than replace the device.
TEST(AtomicFileWriterPermissions, DevicesAreWrittenInPlaceAndTheirErrorsReported) {
    std::string problems = runInChild(
        [] {
            std::string said;
            std::string full = saveNew("/dev/full");
            if (full != "Cannot write file \"/dev/full\". No space left on device") said += full;
            std::string null = saveNew("/dev/null");
            if (null != "saved") said += null;
            return said;
        },
        true);
    EXPECT_EQ(problems, "");
    struct stat st;
    ASSERT_EQ(stat("/dev/null", &st), 0);
    EXPECT_TRUE(S_ISCHR(st.st_mode));
}

}  // namespace permissions

TEST(AtomicFileWriter, TemporaryFilesSayWhatTheyAreAndLeftoversGoWithTheNextSave) {
    TempDir dir;
    std::string path = dir.file("t.ln3");
    const std::vector<std::string> leftovers = {"t.ln3.lineara-tmp-Ab12Cd",
                                                "t.ln3.lineara-tmp-zzzzzz"};
    const std::vector<std::string> kept = {
        "t.ln3.lineara-tmp-Ab12C",    // not a name the writer makes
        "t.ln3.lineara-tmp-Ab12Cde",  // nor this
        "u.ln3.lineara-tmp-Ab12Cd",   // another target's
        "t.ln3.lineara-tmp-Busy00",   // a save of this target still writing
    };
    for (const auto& name : leftovers) writeBytes(dir.file(name), {'x'});
    for (const auto& name : kept) writeBytes(dir.file(name), {'x'});
    int busy = ::open(dir.file("t.ln3.lineara-tmp-Busy00").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(busy, 0);
    ASSERT_EQ(flock(busy, LOCK_EX), 0);

    AtomicFileWriter w;
    ASSERT_TRUE(w.open(path));
    size_t ours = 0;
    for (auto& e : std::filesystem::directory_iterator(dir.path())) {
        std::string name = e.path().filename().string();
        bool known = std::count(leftovers.begin(), leftovers.end(), name) +
                     std::count(kept.begin(), kept.end(), name);
        if (known) continue;
        ++ours;
        EXPECT_EQ(name.rfind("t.ln3.lineara-tmp-", 0), 0u) << name;
        EXPECT_EQ(name.size(), std::string("t.ln3.lineara-tmp-").size() + 6) << name;
    }
    EXPECT_EQ(ours, 1u);
    ASSERT_TRUE(w.write("new", 3));
    ASSERT_TRUE(w.commit());
    close(busy);

    for (const auto& name : leftovers) EXPECT_FALSE(test::fileExists(dir.file(name))) << name;
    for (const auto& name : kept) EXPECT_TRUE(test::fileExists(dir.file(name))) << name;
    EXPECT_EQ(readBytes(path), (std::vector<uint8_t>{'n', 'e', 'w'}));
}

}  // namespace
}  // namespace lineara
