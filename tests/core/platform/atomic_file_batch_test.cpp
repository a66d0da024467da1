// Many files written as one job: each whole or not at all, named in
// groups, the earlier ones kept when a later one fails, leftovers of
// killed jobs swept once at the end.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/platform/atomic_file_batch.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

using test::fileExists;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

std::vector<uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

size_t entries(const std::string& folder) {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

TEST(AtomicFileBatch, FilesTakeTheirNamesGroupByGroup) {
    TempDir dir;
    writeBytes(dir.file("2.html"), bytesOf("old"));
    chmod(dir.file("2.html").c_str(), 0640);
    AtomicFileBatch batch(3);
    std::string error;
    for (int i = 1; i <= 4; ++i) {
        std::string text = "page " + std::to_string(i);
        ASSERT_TRUE(
            batch.write(dir.file(std::to_string(i) + ".html"), text.data(), text.size(), error))
            << error;
    }
    // The first group of three has its names; the fourth is still a
    // temporary file, and the old 2.html was replaced whole.
    EXPECT_EQ(readBytes(dir.file("1.html")), bytesOf("page 1"));
    EXPECT_EQ(readBytes(dir.file("2.html")), bytesOf("page 2"));
    EXPECT_FALSE(fileExists(dir.file("4.html")));
    EXPECT_EQ(entries(dir.path()), 4u);
    ASSERT_TRUE(batch.commit(error)) << error;
    EXPECT_EQ(readBytes(dir.file("4.html")), bytesOf("page 4"));
    EXPECT_EQ(entries(dir.path()), 4u);
    struct stat st;
    ASSERT_EQ(stat(dir.file("2.html").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);  // kept, as a single save keeps it
}

TEST(AtomicFileBatch, AFailedFileKeepsTheOnesBefore) {
    TempDir dir;
    std::string error;
    {
        AtomicFileBatch batch;
        ASSERT_TRUE(batch.write(dir.file("a.html"), "a", 1, error));
        EXPECT_FALSE(batch.write(dir.file("no/such/b.html"), "b", 1, error));
        EXPECT_EQ(error, "Cannot create file \"" + dir.file("no/such/b.html") +
                             "\". No such file or directory");
        std::filesystem::create_directory(dir.file("c.html"));
        EXPECT_FALSE(batch.write(dir.file("c.html"), "c", 1, error));
        // Dropping the batch, as a failed job does, names what was complete.
    }
    EXPECT_EQ(readBytes(dir.file("a.html")), bytesOf("a"));
    EXPECT_EQ(entries(dir.path()), 2u);  // a.html and the folder c.html
}

TEST(AtomicFileBatch, LeftoversOfItsFilesGoAtTheEnd) {
    TempDir dir;
    const char* leftover = "1.html.lineara-tmp-Ab12Cd";
    const char* another = "9.html.lineara-tmp-Ab12Cd";  // not written by this job
    const char* busy = "2.html.lineara-tmp-Busy00";     // a job still writing
    for (const char* name : {leftover, another, busy}) writeBytes(dir.file(name), {'x'});
    int fd = ::open(dir.file(busy).c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(flock(fd, LOCK_EX), 0);
    AtomicFileBatch batch;
    std::string error;
    ASSERT_TRUE(batch.write(dir.file("1.html"), "1", 1, error));
    ASSERT_TRUE(batch.write(dir.file("2.html"), "2", 1, error));
    ASSERT_TRUE(batch.commit(error)) << error;
    close(fd);
    EXPECT_FALSE(fileExists(dir.file(leftover)));
    EXPECT_TRUE(fileExists(dir.file(another)));
    EXPECT_TRUE(fileExists(dir.file(busy)));
}

TEST(AtomicFileBatch, DevicesAreWrittenInPlace) {
    AtomicFileBatch batch;
    std::string error;
    EXPECT_TRUE(batch.write("/dev/null", "x", 1, error)) << error;
    EXPECT_FALSE(batch.write("/dev/full", "x", 1, error));
    EXPECT_EQ(error, "Cannot write file \"/dev/full\". No space left on device");
    EXPECT_TRUE(batch.commit(error));
}

}  // namespace
}  // namespace lineara
