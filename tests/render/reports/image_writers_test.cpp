// The GIF and JPEG writers, read back with giflib and our JPEG reader.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QPainter>
#include <cmath>
#include <filesystem>
#include <set>

#include "render/pictures/jpeg_reader.h"
#include "render/reports/gif_writer.h"
#include "render/reports/jpeg_writer.h"
#include "support/child_process.h"
#include "support/gif_reader.h"
#include "support/temp_dir.h"
#include "support/test_pictures.h"

namespace lineara {
namespace {

using namespace test;

QString qPath(const std::string& path) { return QString::fromStdString(path); }

// A few flat colours: what a box without a picture looks like.
QImage fewColours() {
    QImage image(140, 50, QImage::Format_RGB32);
    image.fill(QColor(0xFF, 0xFF, 0xF0));
    QPainter p(&image);
    p.fillRect(10, 5, 30, 20, QColor(0x12, 0x34, 0x56));
    p.fillRect(60, 5, 30, 40, QColor(Qt::black));
    p.fillRect(100, 30, 39, 19, QColor(0xC0, 0xC0, 0xC0));
    p.fillRect(0, 49, 5, 1, QColor(0xAB, 0xCD, 0xEF));  // the lower-left corner
    return image;
}

int distinctColours(const QImage& image) {
    std::set<QRgb> seen;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) seen.insert(image.pixel(x, y) | 0xFF000000u);
    }
    return int(seen.size());
}

struct Difference {
    double mean = 0;  // per channel
    int worst = 0;
};

Difference difference(const QImage& a, const QImage& b) {
    Difference d;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (int e : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)}) {
                sum += std::abs(e);
                d.worst = std::max(d.worst, std::abs(e));
            }
        }
    }
    d.mean = sum / (3.0 * a.width() * a.height());
    return d;
}

TEST(GifWriter, FewColoursAreKeptExactlyInAPalettePaddedToAPowerOfTwo) {
    TempDir dir;
    for (GifDither dither : {GifDither::Nearest, GifDither::FloydSteinberg}) {
        const QImage image = fewColours();
        const std::string path = dir.file("few.gif");
        std::string error;
        ASSERT_TRUE(writeGif(image, path, dither, false, &error)) << error;
        const DecodedGif gif = readGif(path);
        ASSERT_TRUE(gif.ok);
        EXPECT_EQ(gif.version, "GIF89a");
        EXPECT_EQ(gif.images, 1);
        EXPECT_EQ(gif.width, 140);
        EXPECT_EQ(gif.height, 50);
        EXPECT_EQ(gif.palette.size(), 8u);  // five colours
        EXPECT_FALSE(gif.hasControl);
        EXPECT_EQ(gif.image, image.convertToFormat(QImage::Format_RGB32));
    }
}

TEST(GifWriter, UpTo256ColoursAreExactBeyondThatReduced) {
    TempDir dir;
    for (int colours : {1, 2, 3, 255, 256, 257, 300}) {
        QImage image(20, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        for (int i = 0; i < colours; ++i) {
            image.setPixel(i % 20, i / 20, qRgb(i % 256, (i * 7) % 256, i / 256 * 200));
        }
        const int distinct = distinctColours(image);
        const std::string path = dir.file("c.gif");
        ASSERT_TRUE(writeGif(image, path, GifDither::Nearest, false, nullptr)) << colours;
        const DecodedGif gif = readGif(path);
        ASSERT_TRUE(gif.ok) << colours;
        EXPECT_LE(gif.palette.size(), 256u);
        EXPECT_GE(gif.palette.size(), 2u);  // giflib's smallest table
        if (distinct <= 256) {
            EXPECT_EQ(gif.image, image) << colours;
        } else {
            EXPECT_NE(gif.image, image) << colours;
            EXPECT_LT(difference(gif.image, image).mean, 3.0) << colours;
        }
    }
}

TEST(GifWriter, TheLowerLeftColourIsMarkedTransparent) {
    TempDir dir;
    QImage image = fewColours();
    const std::string path = dir.file("t.gif");
    ASSERT_TRUE(writeGif(image, path, GifDither::FloydSteinberg, true, nullptr));
    DecodedGif gif = readGif(path);
    ASSERT_TRUE(gif.ok);
    ASSERT_TRUE(gif.hasControl);
    EXPECT_EQ(gif.transparent, gif.indices[size_t(49 * 140)]);
    EXPECT_EQ(gif.palette[size_t(gif.transparent)], qRgb(0xAB, 0xCD, 0xEF));

    // A photograph too: the index is the one its lower-left pixel got.
    image = photo(193, 120, 3);
    ASSERT_TRUE(writeGif(image, path, GifDither::FloydSteinberg, true, nullptr));
    gif = readGif(path);
    ASSERT_TRUE(gif.ok);
    ASSERT_TRUE(gif.hasControl);
    EXPECT_EQ(gif.transparent, gif.indices[size_t(119 * 193)]);
}

TEST(GifWriter, PhotographsAreReducedTo256ColoursCloseToTheOriginal) {
    TempDir dir;
    const QImage image = photo(193, 150, 11);
    ASSERT_GT(distinctColours(image), 5000);
    std::vector<uint8_t> nearest, diffused, again;
    ASSERT_TRUE(encodeGif(image, GifDither::Nearest, false, &nearest, nullptr));
    ASSERT_TRUE(encodeGif(image, GifDither::FloydSteinberg, false, &diffused, nullptr));
    ASSERT_TRUE(encodeGif(image, GifDither::FloydSteinberg, false, &again, nullptr));
    EXPECT_EQ(diffused, again);    // the same image always gives the same file
    EXPECT_NE(nearest, diffused);  // the dithering is really chosen
    for (const auto* bytes : {&nearest, &diffused}) {
        writeBytes(dir.file("p.gif"), *bytes);
        const DecodedGif gif = readGif(dir.file("p.gif"));
        ASSERT_TRUE(gif.ok);
        EXPECT_EQ(gif.palette.size(), 256u);
        EXPECT_GT(distinctColours(gif.image), 128);
        const Difference d = difference(gif.image, image);
        EXPECT_LT(d.mean, 8.0);
        EXPECT_LT(d.worst, 80);
    }
}

TEST(GifWriter, FailuresAreReportedAndLeaveNothingBehind) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(writeGif(QImage(), dir.file("null.gif"), GifDither::Nearest, false, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(fileExists(dir.file("null.gif")));

    std::filesystem::create_directory(dir.file("folder.gif"));
    error.clear();
    EXPECT_FALSE(writeGif(fewColours(), dir.file("folder.gif"), GifDither::Nearest, false, &error));
    EXPECT_EQ(error, "Cannot create file \"" + dir.file("folder.gif") + "\". Is a directory");
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("folder.gif")));

    EXPECT_FALSE(writeGif(fewColours(), dir.file("none/x.gif"), GifDither::Nearest, false, &error));
    EXPECT_EQ(error,
              "Cannot create file \"" + dir.file("none/x.gif") + "\". No such file or directory");

    // An existing picture is replaced whole.
    writeBytes(dir.file("old.gif"), {'o', 'l', 'd'});
    ASSERT_TRUE(writeGif(fewColours(), dir.file("old.gif"), GifDither::Nearest, false, nullptr));
    EXPECT_TRUE(readGif(dir.file("old.gif")).ok);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
}

TEST(ImageWriters, AFolderTheUserMayNotWriteIsRefused) {
    TempDir dir;
    const std::string folder = dir.file("locked");
    std::filesystem::create_directory(folder);
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    const QImage image = fewColours();
    const std::string said = runInChild(
        [&] {
            std::string problems, error;
            if (writeGif(image, folder + "/a.gif", GifDither::Nearest, false, &error)) {
                problems += "the GIF was written\n";
            } else if (error != "Cannot create file \"" + folder + "/a.gif\". Permission denied") {
                problems += error + "\n";
            }
            if (writeJpeg(image, folder + "/a.jpg", 85, &error)) {
                problems += "the JPEG was written\n";
            } else if (error != "Cannot create file \"" + folder + "/a.jpg\". Permission denied") {
                problems += error + "\n";
            }
            return problems;
        },
        true);
    EXPECT_EQ(said, "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 0);
}

TEST(JpegWriter, WritesAPictureOurReaderReadsBackClosely) {
    TempDir dir;
    const QImage image = photo(193, 97, 5);
    std::string error;
    ASSERT_TRUE(writeJpeg(image, dir.file("p.jpg"), kHtmlJpegQuality, &error)) << error;
    const QImage back = readJpeg(qPath(dir.file("p.jpg")));
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), QSize(193, 97));
    const QImage rgb = back.convertToFormat(QImage::Format_RGB32);
    EXPECT_LT(difference(rgb, image).mean, 8.0);

    // Flat areas come back almost exactly.
    const QImage flat = fewColours();
    ASSERT_TRUE(writeJpeg(flat, dir.file("f.jpg"), kHtmlJpegQuality, nullptr));
    const QImage flatBack =
        readJpeg(qPath(dir.file("f.jpg"))).convertToFormat(QImage::Format_RGB32);
    EXPECT_LT(difference(flatBack, flat).mean, 2.0);

    // The quality is the one asked for: lower quality, smaller file.
    std::vector<uint8_t> low, high;
    ASSERT_TRUE(encodeJpeg(image, 20, &low, nullptr));
    ASSERT_TRUE(encodeJpeg(image, 95, &high, nullptr));
    EXPECT_LT(low.size() * 2, high.size());
}

TEST(JpegWriter, FailuresAreReported) {
    TempDir dir;
    std::string error;
    EXPECT_FALSE(writeJpeg(QImage(), dir.file("n.jpg"), 85, &error));
    EXPECT_FALSE(error.empty());
    std::filesystem::create_directory(dir.file("d.jpg"));
    EXPECT_FALSE(writeJpeg(fewColours(), dir.file("d.jpg"), 85, &error));
    EXPECT_EQ(error, "Cannot create file \"" + dir.file("d.jpg") + "\". Is a directory");
}

}  // namespace
}  // namespace lineara
