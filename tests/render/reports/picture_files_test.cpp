// Reading the pictures of persons, for the HTML presentation and for the
// person editor and picture viewer: what is never opened, what is never
// read whole, and how a presentation goes on without such a picture.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <filesystem>
#include <fstream>

#include "core/reports/html_presentation.h"
#include "render/pictures/picture_loader.h"
#include "render/reports/html_generation.h"
#include "render/reports/picture_reduce.h"
#include "support/add_person.h"
#include "support/child_process.h"
#include "support/open_watch.h"
#include "support/temp_dir.h"
#include "support/test_pictures.h"

namespace lineara {
namespace {

using namespace test;
using P = NamedFileProblem;

// A file of `size` bytes that starts as a JPEG does and takes no room.
void sparsePicture(const std::string& path, off_t size) {
    writeBytes(path, {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10, 'J', 'F', 'I', 'F', 0});
    ASSERT_EQ(truncate(path.c_str(), size), 0);
}

uint32_t crc32Of(const uint8_t* data, size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// The header of a PNG of `width` x `height` pixels, and no pixels.
void pngHeader(const std::string& path, uint32_t width, uint32_t height) {
    std::vector<uint8_t> bytes = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n',
                                  0,    0,   0,   13,  'I',  'H',  'D',  'R'};
    auto put32 = [&bytes](uint32_t v) {
        for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(uint8_t(v >> shift));
    };
    put32(width);
    put32(height);
    for (uint8_t b : {8, 2, 0, 0, 0}) bytes.push_back(b);  // 8-bit RGB
    put32(crc32Of(bytes.data() + 12, bytes.size() - 12));
    // An empty data chunk: the header is read up to the first one.
    const size_t idat = bytes.size();
    put32(0);
    for (uint8_t b : {'I', 'D', 'A', 'T'}) bytes.push_back(b);
    put32(crc32Of(bytes.data() + idat + 4, 4));
    writeBytes(path, bytes);
}

// The process's address space now, in bytes.
size_t addressSpace() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmSize:") {
            size_t kb = 0;
            status >> kb;
            return kb * 1024;
        }
    }
    return 0;
}

TEST(PictureFiles, AHugePictureIsLeftUnreadAndSaidTooLarge) {
#ifdef LINEARA_UNDER_ASAN
    GTEST_SKIP() << "a memory limit means nothing under the address sanitizer";
#endif
    TempDir dir;
    const std::string huge = dir.file("huge.jpg");
    sparsePicture(huge, off_t(1) << 30);
    const std::string wide = dir.file("wide.png");
    pngHeader(wide, 40000, 30000);  // 1.2 gigapixels from a file of 33 bytes
    // With half a gigabyte to spare, a picture read whole would not fit.
    const std::string problems = runInChild(
        [&] {
            struct rlimit limit;
            limit.rlim_cur = limit.rlim_max = addressSpace() + (size_t(512) << 20);
            if (setrlimit(RLIMIT_AS, &limit) != 0) return std::string("no limit");
            std::string said;
            const PictureSource source = readPictureSource(huge, {193, 193});
            if (source.problem != P::TooLarge || !source.bytes.isEmpty() || source.usable())
                said += "the reduction read it\n";
            NamedFileProblem why = P::None;
            if (!readPictureFile(QString::fromStdString(huge), &why).isEmpty() ||
                why != P::TooLarge)
                said += "the file was read\n";
            if (!loadPicture(QString::fromStdString(huge)).isNull()) said += "the viewer loaded\n";
            const PictureSource many = readPictureSource(wide, {193, 193});
            if (many.problem != P::TooLarge || many.usable()) said += "the PNG is used\n";
            if (!loadPicture(QString::fromStdString(wide)).isNull()) said += "PNG loaded\n";
            return said;
        },
        false);
    EXPECT_EQ(problems, "");
}

// Pipes and devices named as pictures are not even opened, by the
// presentation nor by the editor's and the viewer's loading.
TEST(PictureFiles, PipesAndDevicesAreNeverOpened) {
    TempDir dir;
    std::vector<std::string> paths = {dir.file("pipe.jpg")};
    ASSERT_EQ(mkfifo(paths[0].c_str(), 0644), 0);
    if (mknod(dir.file("device.jpg").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        paths.push_back(dir.file("device.jpg"));
    for (const std::string& path : paths) {
        OpenWatch watch(path);
        ASSERT_TRUE(watch.watching()) << path;
        const PictureSource source = readPictureSource(path, {193, 193});
        EXPECT_EQ(source.problem, P::NotRegular) << path;
        EXPECT_TRUE(loadPicture(QString::fromStdString(path)).isNull()) << path;
        EXPECT_FALSE(watch.opened()) << path;
    }
    const PictureSource kernel = readPictureSource("/proc/self/environ", {193, 193});
    EXPECT_EQ(kernel.problem, P::SystemFile);
}

// A picture too large to use costs the person the picture, not the
// presentation: the others' pictures are made and the generation says
// which one was left out and why.
TEST(PictureFiles, APresentationGoesOnWithoutAPictureTooLarge) {
    TempDir dir;
    const std::string tree = dir.file("tree");
    const std::string out = dir.file("out");
    std::filesystem::create_directories(tree);
    std::filesystem::create_directories(out);
    sparsePicture(tree + "/huge.jpg", off_t(3) << 30);
    ASSERT_TRUE(photo(300, 200, 1).save(QString::fromStdString(tree + "/small.png")));
    PersonList list;
    addPerson(list, "Jan", "Kos")->setText(field::pictureFile, "huge.jpg");
    addPerson(list, "Ewa", "Kos")->setText(field::pictureFile, "small.png");
    RecordCodec codec;
    HtmlJob job = htmlJobFor(codec);
    job.treeFolder = tree;
    job.outputFolder = out;
    QStringList warnings;
    const HtmlResult result = generateHtml(
        list, job, codec, GifDither::FloydSteinberg, [&](const QString& m) { warnings << m; },
        nullptr);
    ASSERT_EQ(result.status, HtmlResult::Status::Done) << result.error;
    EXPECT_FALSE(fileExists(out + "/pict1.jpg"));
    EXPECT_TRUE(fileExists(out + "/pict2.jpg"));
    ASSERT_EQ(result.leftOut.size(), 1u);
    EXPECT_EQ(result.leftOut[0].names, "Jan Kos");
    EXPECT_EQ(result.leftOut[0].path, tree + "/huge.jpg");
    EXPECT_EQ(result.leftOut[0].problem, P::TooLarge);
    EXPECT_TRUE(result.leftOut[0].picture);
    EXPECT_TRUE(warnings.isEmpty());
}

}  // namespace
}  // namespace lineara
