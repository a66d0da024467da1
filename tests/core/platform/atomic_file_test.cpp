#include "core/platform/atomic_file.h"

#include <gtest/gtest.h>

#include <filesystem>

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

}  // namespace
}  // namespace lineara
