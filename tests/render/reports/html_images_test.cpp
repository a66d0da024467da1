// The image writer of the HTML presentation: the files it leaves in the
// output folder, their pixels, and what happens when something fails.
#include "render/reports/html_images.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <atomic>
#include <filesystem>
#include <map>

#include "render/pictures/jpeg_reader.h"
#include "render/reports/jpeg_writer.h"
#include "render/reports/picture_reduce.h"
#include "support/add_person.h"
#include "support/child_process.h"
#include "support/gif_reader.h"
#include "support/temp_dir.h"
#include "support/test_pictures.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

using namespace test;

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kSilver = 0xFFC0C0C0;

std::map<std::string, std::vector<uint8_t>> folderContents(const std::string& folder) {
    std::map<std::string, std::vector<uint8_t>> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        files[entry.path().filename().string()] = readBytes(entry.path().string());
    }
    return files;
}

std::vector<std::string> names(const std::map<std::string, std::vector<uint8_t>>& files) {
    std::vector<std::string> out;
    for (const auto& [name, bytes] : files) out.push_back(name);
    return out;
}

std::string idOf(const PersonRecord& p) { return std::to_string(p.personId()); }

bool isJpeg(const std::vector<uint8_t>& bytes) {
    return bytes.size() > 2 && bytes[0] == 0xFF && bytes[1] == 0xD8;
}

class HtmlImages : public ::testing::Test {
protected:
    PersonRecord* person(const std::string& given, const std::string& surname) {
        PersonRecord* p = addPerson(list, given, surname);
        p->setText(field::birthDate, "1900");
        return p;
    }
    std::string picture(const std::string& name, QSize size, const char* format = "PNG") {
        const std::string path = pictures.file(name);
        const QImage image = photo(size.width(), size.height(), uint32_t(size.width()));
        if (std::string(format) == "JPEG") {
            EXPECT_TRUE(writeJpeg(image, path, 90, nullptr));
        } else {
            EXPECT_TRUE(image.save(QString::fromStdString(path), format));
        }
        return path;
    }
    QImage box(const PersonRecord& p) {
        QImage image = newHtmlBoxImage();
        drawHtmlPersonBox(image, p, htmlBoxLook(settings), codec);
        return image;
    }
    std::string out(const std::string& name) const { return output.file(name); }

    PersonList list;
    HtmlSettings settings;
    RecordCodec codec;
    TempDir output;
    TempDir pictures;
    std::vector<QString> messages;
    HtmlImageWriter::Message tell = [this](const QString& m) { messages.push_back(m); };
};

TEST_F(HtmlImages, SpacerAndArrowAreWhiteWhereTransparent) {
    HtmlImageWriter writer(settings, codec, GifDither::FloydSteinberg, tell);
    ASSERT_TRUE(writer.writeSharedImages(output.path()));
    ASSERT_TRUE(writer.finish());
    EXPECT_EQ(names(folderContents(output.path())),
              (std::vector<std::string>{"arrow.gif", "blank.gif"}));

    const DecodedGif blank = readGif(out("blank.gif"));
    ASSERT_TRUE(blank.ok);
    EXPECT_EQ(blank.version, "GIF89a");
    EXPECT_EQ(QSize(blank.width, blank.height), QSize(140, 50));
    ASSERT_TRUE(blank.hasControl);
    EXPECT_EQ(blank.palette[size_t(blank.transparent)], kWhite);
    for (int index : blank.indices) ASSERT_EQ(index, blank.transparent);

    const DecodedGif arrow = readGif(out("arrow.gif"));
    ASSERT_TRUE(arrow.ok);
    ASSERT_TRUE(arrow.hasControl);
    EXPECT_EQ(arrow.palette[size_t(arrow.transparent)], kWhite);
    EXPECT_EQ(arrow.indices[size_t(49 * 140)], arrow.transparent);
    // Tip, head corners and shaft in black, silver inside, white around.
    EXPECT_EQ(arrow.colourAt(70, 10), kBlack);
    EXPECT_EQ(arrow.colourAt(60, 30), kBlack);
    EXPECT_EQ(arrow.colourAt(80, 30), kBlack);
    EXPECT_EQ(arrow.colourAt(70, 40), kBlack);
    EXPECT_EQ(arrow.colourAt(70, 25), kSilver);
    EXPECT_EQ(arrow.colourAt(70, 35), kSilver);
    EXPECT_EQ(arrow.colourAt(62, 35), kWhite);
    QRect drawn;
    for (int y = 0; y < 50; ++y) {
        for (int x = 0; x < 140; ++x) {
            if (arrow.colourAt(x, y) != kWhite) drawn |= QRect(x, y, 1, 1);
        }
    }
    EXPECT_EQ(drawn, QRect(QPoint(60, 10), QPoint(80, 40)));
}

TEST_F(HtmlImages, ABoxWithoutPictureIsItsDrawingExactly) {
    PersonRecord* p = person("Jan", "Kowalski");
    p->setText(field::notesFile, "jan.txt");
    HtmlImageWriter writer(settings, codec, GifDither::FloydSteinberg, tell);
    const auto result = writer.writePersonImages(*p, idOf(*p), "", output.path());
    EXPECT_TRUE(result.ok);
    EXPECT_FALSE(result.hasPicture);
    ASSERT_TRUE(writer.finish());
    const std::string name = std::to_string(p->personId()) + ".gif";
    EXPECT_EQ(names(folderContents(output.path())), std::vector<std::string>{name});
    const DecodedGif gif = readGif(out(name));
    ASSERT_TRUE(gif.ok);
    EXPECT_FALSE(gif.hasControl);
    EXPECT_LE(gif.palette.size(), 4u);  // outline, fill, text, white sheet
    EXPECT_EQ(gif.image, box(*p));
    EXPECT_TRUE(messages.empty());
}

TEST_F(HtmlImages, PicturesAreReducedWrittenAndThumbnailedInTheBox) {
    struct Case {
        const char* file;
        QSize size;
        const char* format;
        QSize fitted;
        QSize thumbnail;
    };
    const Case cases[] = {
        {"small.png", {60, 40}, "PNG", {60, 40}, {25, 17}},
        {"wide.jpg", {400, 200}, "JPEG", {193, 97}, {25, 13}},
        {"tall.png", {40, 300}, "PNG", {26, 193}, {4, 30}},
        {"square.bmp", {193, 193}, "BMP", {193, 193}, {25, 25}},
    };
    HtmlImageWriter writer(settings, codec, GifDither::FloydSteinberg, tell);
    for (const Case& c : cases) {
        PersonRecord* p = person(c.file, "");
        const auto result = writer.writePersonImages(
            *p, idOf(*p), picture(c.file, c.size, c.format), output.path());
        EXPECT_TRUE(result.ok);
        ASSERT_TRUE(result.hasPicture) << c.file;
        EXPECT_EQ(QSize(result.pictureWidth, result.pictureHeight), c.fitted) << c.file;
        const std::string id = std::to_string(p->personId());
        // The files are all there once the writer has finished.
        ASSERT_TRUE(writer.finish());
        const QImage written = readJpeg(QString::fromStdString(out("pict" + id + ".jpg")));
        EXPECT_EQ(written.size(), c.fitted) << c.file;
        const DecodedGif gif = readGif(out(id + ".gif"));
        ASSERT_TRUE(gif.ok) << c.file;
        EXPECT_FALSE(gif.hasControl);
        EXPECT_LE(gif.palette.size(), 256u);
        // The thumbnail's black frame, standing on y = 47; the rest of the
        // box as drawn.
        const QRect place(2, 47 - c.thumbnail.height(), c.thumbnail.width(), c.thumbnail.height());
        const QImage drawn = box(*p);
        for (int y = 0; y < 50; ++y) {
            for (int x = 0; x < 140; ++x) {
                const bool inside = place.contains(x, y);
                const bool edge = inside && (x == place.left() || x == place.right() ||
                                             y == place.top() || y == place.bottom());
                if (edge) {
                    ASSERT_EQ(gif.colourAt(x, y), kBlack) << c.file << " " << x << "," << y;
                } else if (!inside) {
                    ASSERT_EQ(gif.colourAt(x, y), drawn.pixel(x, y))
                        << c.file << " " << x << "," << y;
                }
            }
        }
    }
    EXPECT_TRUE(messages.empty());
}

// Large JPEG pictures are decoded at a fraction of their size; the result
// must still be the picture fitted from its own size, and look the same as
// a whole decoding scaled down.
TEST_F(HtmlImages, LargeJpegsAreReducedAsIfDecodedWhole) {
    for (QSize size :
         {QSize(1600, 1200), QSize(1001, 333), QSize(390, 3000), QSize(200, 180), QSize(7, 1900)}) {
        const std::string path = picture("big.jpg", size, "JPEG");
        const QImage reduced = reducedPicture(path, {193, 193});
        const PictureSize fitted = fitWithin({size.width(), size.height()}, {193, 193});
        ASSERT_EQ(reduced.size(), QSize(fitted.width, fitted.height)) << size.width();
        const QImage whole =
            readJpeg(QString::fromStdString(path))
                .scaled(reduced.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_RGB32);
        const QImage got = reduced.convertToFormat(QImage::Format_RGB32);
        double sum = 0;
        for (int y = 0; y < got.height(); ++y) {
            for (int x = 0; x < got.width(); ++x) {
                const QRgb a = got.pixel(x, y), b = whole.pixel(x, y);
                sum += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
                       std::abs(qBlue(a) - qBlue(b));
            }
        }
        EXPECT_LT(sum / (3.0 * got.width() * got.height()), 4.0) << size.width();
    }
    EXPECT_TRUE(reducedPicture(pictures.file("none.jpg"), {193, 193}).isNull());
}

// A name that is not UTF-8 (a tree written on Windows, "zdjęcie" in
// CP1250) still names its file.
TEST_F(HtmlImages, PictureNamesAreTheFileSystemsBytes) {
    const std::string path = pictures.file(
        "zdj\xEA"
        "cie.png");
    writeBytes(path, readBytes(picture("plain.png", {50, 20})));
    HtmlImageWriter writer(settings, codec, GifDither::Nearest, tell, 0);
    PersonRecord* jan = person("Jan", "Kos");
    const auto result = writer.writePersonImages(*jan, idOf(*jan), path, output.path());
    EXPECT_TRUE(result.hasPicture);
    EXPECT_EQ(QSize(result.pictureWidth, result.pictureHeight), QSize(50, 20));
    EXPECT_TRUE(writer.finish());
}

TEST_F(HtmlImages, PicturesThatCannotBeReadAreLeftOutWithoutAWord) {
    const std::string garbage = pictures.file("garbage.jpg");
    writeBytes(garbage, {0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3});
    const std::string text = pictures.file("notes.png");
    writeBytes(text, {'h', 'e', 'l', 'l', 'o'});
    const std::string empty = pictures.file("empty.gif");
    writeBytes(empty, {});
    const std::string fifo = pictures.file("pipe.jpg");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const std::string folder = pictures.file("folder.jpg");
    std::filesystem::create_directory(folder);

    HtmlImageWriter writer(settings, codec, GifDither::Nearest, tell);
    std::vector<std::string> expected;
    for (const std::string& path : {garbage, text, empty, fifo, folder,
                                    pictures.file("missing.jpg"), std::string("/dev/null")}) {
        PersonRecord* p = person("Ewa", "Lis");
        const auto result = writer.writePersonImages(*p, idOf(*p), path, output.path());
        EXPECT_TRUE(result.ok) << path;
        EXPECT_FALSE(result.hasPicture) << path;
        expected.push_back(std::to_string(p->personId()) + ".gif");
    }
    ASSERT_TRUE(writer.finish());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names(folderContents(output.path())), expected);
    EXPECT_TRUE(messages.empty());
}

// A picture whose header is good but whose data is not: its page was
// written from the header's size, so a grey picture of that size stands in
// for it rather than a missing file.
TEST_F(HtmlImages, APictureBrokenAfterItsHeaderBecomesGreyOfTheSameSize) {
    std::vector<uint8_t> png = readBytes(picture("whole.png", {60, 40}, "PNG"));
    // The compressed pixels turned to junk; the header stays whole.
    const std::string bytes(png.begin(), png.end());
    const size_t data = bytes.find("IDAT");
    ASSERT_NE(data, std::string::npos);
    for (size_t i = data + 4; i + 12 < png.size(); ++i) png[i] = 0xFF;
    const std::string broken = pictures.file("broken.png");
    writeBytes(broken, png);
    HtmlImageWriter writer(settings, codec, GifDither::Nearest, tell);
    PersonRecord* p = person("Ewa", "Lis");
    const auto result = writer.writePersonImages(*p, idOf(*p), broken, output.path());
    ASSERT_TRUE(writer.finish());
    ASSERT_TRUE(result.hasPicture);
    EXPECT_EQ(QSize(result.pictureWidth, result.pictureHeight), QSize(60, 40));
    const QImage written =
        readJpeg(QString::fromStdString(out("pict" + std::to_string(p->personId()) + ".jpg")));
    ASSERT_EQ(written.size(), QSize(60, 40));
    EXPECT_NEAR(qGray(written.pixel(30, 20)), 0xC0, 4);
    EXPECT_TRUE(messages.empty());
}

// An encoder that fails: every time, or only the first time.
class FailingWriter : public HtmlImageWriter {
public:
    FailingWriter(const HtmlSettings& s, const RecordCodec& c, Message m, bool always)
        : HtmlImageWriter(s, c, GifDither::Nearest, std::move(m), 0), always_(always) {}
    mutable int calls = 0;

protected:
    bool encodeBox(const QImage& box, std::vector<uint8_t>* out) const override {
        if (always_ || calls++ == 0) return false;
        return HtmlImageWriter::encodeBox(box, out);
    }

private:
    bool always_;
};

TEST_F(HtmlImages, ABoxThatCannotBeAGifIsWrittenAsJpegUnderItsName) {
    const std::string photoPath = picture("p.png", {300, 200});
    for (bool always : {true, false}) {
        for (bool withPicture : {true, false}) {
            messages.clear();
            FailingWriter writer(settings, codec, tell, always);
            PersonRecord* p = person("Jan", "Kos");
            const auto result =
                writer.writePersonImages(*p, idOf(*p), withPicture ? photoPath : "", output.path());
            EXPECT_TRUE(result.ok);
            EXPECT_EQ(result.hasPicture, withPicture);
            EXPECT_TRUE(writer.finish()) << writer.error();
            const auto bytes = readBytes(out(std::to_string(p->personId()) + ".gif"));
            // A second try, with the thumbnail read back from the reduced
            // picture, saves the GIF; without a picture there is nothing
            // to read back, and the box becomes a JPEG.
            const bool gif = !always && withPicture;
            SCOPED_TRACE(std::string(always ? "always" : "once") +
                         (withPicture ? " with picture" : " without picture"));
            if (gif) {
                EXPECT_TRUE(readGif(out(std::to_string(p->personId()) + ".gif")).ok);
                EXPECT_TRUE(messages.empty());
            } else {
                EXPECT_TRUE(isJpeg(bytes));
                const QImage back =
                    readJpeg(QString::fromStdString(out(std::to_string(p->personId()) + ".gif")));
                EXPECT_EQ(back.size(), QSize(140, 50));
                EXPECT_EQ(messages, std::vector<QString>{
                                        QStringLiteral("Could not convert picture to GIF format")});
            }
        }
    }
}

// Writes persons until the writer says the generation has failed, as the
// generation does.
int writeUntilFailure(HtmlImageWriter& writer, const PersonList& list, const std::string& folder) {
    int written = 0;
    for (const PersonRecord* p = list.personListHead(); p != nullptr; p = p->nextPerson) {
        if (!writer.writePersonImages(*p, idOf(*p), "", folder).ok) break;
        ++written;
    }
    return written;
}

TEST_F(HtmlImages, AFailedWriteEndsTheImagesInPersonOrder) {
    for (int threads : {0, 2}) {
        TempDir folder;
        PersonList persons;
        for (int i = 0; i < 40; ++i) addPerson(persons, "Osoba", std::to_string(i));
        const int blocked =
            persons.personListHead()->nextPerson->nextPerson->nextPerson->personId();
        std::filesystem::create_directory(folder.file(std::to_string(blocked) + ".gif"));

        HtmlImageWriter writer(settings, codec, GifDither::FloydSteinberg, tell, threads);
        writeUntilFailure(writer, persons, folder.path());
        EXPECT_FALSE(writer.finish());
        EXPECT_EQ(writer.error(), "Cannot create file \"" + folder.file(std::to_string(blocked)) +
                                      ".gif\". Is a directory");
        // The persons before the failing one have their images, none after.
        for (const PersonRecord* p = persons.personListHead(); p != nullptr; p = p->nextPerson) {
            const std::string gif = folder.file(std::to_string(p->personId()) + ".gif");
            if (p->personId() < blocked) {
                EXPECT_TRUE(readGif(gif).ok) << threads;
            }
            if (p->personId() > blocked) {
                EXPECT_FALSE(fileExists(gif)) << threads;
            }
        }
        // A new generation starts afresh.
        std::filesystem::remove(folder.file(std::to_string(blocked) + ".gif"));
        EXPECT_TRUE(writer.writeSharedImages(folder.path()));
        EXPECT_EQ(writeUntilFailure(writer, persons, folder.path()), 40);
        EXPECT_TRUE(writer.finish());
        EXPECT_EQ(writer.error(), "");
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(HtmlImages, AFolderTheUserMayNotWriteEndsTheGeneration) {
    const std::string folder = output.file("locked");
    std::filesystem::create_directory(folder);
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    PersonRecord* p = person("Jan", "Kos");
    const std::string photoPath = picture("p.png", {30, 30});
    const std::string said = runInChild(
        [&] {
            std::string problems;
            HtmlImageWriter writer(settings, codec, GifDither::Nearest, nullptr);
            if (writer.writeSharedImages(folder)) problems += "shared images written\n";
            const std::string denied =
                "Cannot create file \"" + folder + "/blank.gif\". Permission denied";
            if (writer.error() != denied) problems += writer.error() + "\n";
            // The picture fails silently; the box ends the generation.
            HtmlImageWriter second(settings, codec, GifDither::Nearest, nullptr);
            const auto result = second.writePersonImages(*p, idOf(*p), photoPath, folder);
            if (result.hasPicture) problems += "picture written\n";
            if (second.finish()) problems += "the box was written\n";
            return problems;
        },
        true);
    EXPECT_EQ(said, "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 0);
}

TEST_F(HtmlImages, TwoThreadsWriteTheSameFilesAsOne) {
    generateSyntheticTree(list, 200, 3);
    // One person in ten has a picture, of varied sizes and kinds.
    std::vector<std::string> paths;
    for (int i = 0; i < 5; ++i) {
        paths.push_back(picture("p" + std::to_string(i) + (i % 2 ? ".jpg" : ".png"),
                                QSize(80 + 90 * i, 260 - 40 * i), i % 2 ? "JPEG" : "PNG"));
    }
    std::map<std::string, std::vector<uint8_t>> results[2];
    for (int threads : {0, 2}) {
        TempDir folder;
        HtmlImageWriter writer(settings, codec, GifDither::FloydSteinberg, tell, threads);
        ASSERT_TRUE(writer.writeSharedImages(folder.path()));
        int n = 0, pictured = 0;
        for (const PersonRecord* p = list.personListHead(); p != nullptr; p = p->nextPerson, ++n) {
            const std::string path = n % 10 == 0 ? paths[size_t(n / 10 % 5)] : "";
            const auto result = writer.writePersonImages(*p, idOf(*p), path, folder.path());
            ASSERT_TRUE(result.ok);
            pictured += result.hasPicture;
        }
        ASSERT_TRUE(writer.finish()) << writer.error();
        EXPECT_EQ(pictured, (n + 9) / 10);
        results[threads ? 1 : 0] = folderContents(folder.path());
        EXPECT_EQ(results[threads ? 1 : 0].size(), size_t(2 + n + pictured));
    }
    EXPECT_EQ(names(results[0]), names(results[1]));
    for (const auto& [name, bytes] : results[0]) {
        EXPECT_TRUE(bytes == results[1][name]) << name;
    }
    EXPECT_TRUE(messages.empty());
}

}  // namespace
}  // namespace lineara
