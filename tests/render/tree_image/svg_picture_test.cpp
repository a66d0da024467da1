// The tree's picture as an SVG: texts that need escaping read back as they
// were drawn, a text longer than its box is clipped to it, the document
// drawn by an SVG renderer shows what the PNG of the same tree shows, and
// a full disk leaves the old file.
#include <sys/resource.h>

#include <gtest/gtest.h>

#include <unistd.h>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <cmath>
#include <csignal>
#include <filesystem>
#include <map>

#include "core/view/view_math.h"
#include "render/tree_image/svg_paint_device.h"
#include "render/tree_image/svg_text.h"
#include "render/tree_image/tree_image_file.h"
#include "support/add_person.h"
#include "support/child_process.h"
#include "support/temp_dir.h"
#include "testdata/sample_family.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

using namespace test;

// A <text> of the document: its content, place and clip.
struct SvgText {
    QString text;
    double x = 0, y = 0;
    QString clipPath;  // the url of its own clip, or empty
    bool inClipGroup = false;
};

struct SvgDocument {
    bool wellFormed = false;
    std::vector<SvgText> texts;
    std::map<QString, QRectF> clips;  // by id
};

SvgDocument readSvg(const std::string& path) {
    SvgDocument svg;
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return svg;
    QXmlStreamReader xml(&file);
    std::vector<bool> clipping{false};  // whether an open group clips
    QString clipId;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto a = xml.attributes();
            const auto number = [&a](const char* name) {
                return a.value(QLatin1String(name)).toDouble();
            };
            if (xml.name() == QStringLiteral("g")) {
                clipping.push_back(clipping.back() || a.hasAttribute(QStringLiteral("clip-path")));
            } else if (xml.name() == QStringLiteral("clipPath")) {
                clipId = a.value(QStringLiteral("id")).toString();
            } else if (xml.name() == QStringLiteral("rect") && !clipId.isEmpty()) {
                svg.clips[clipId] =
                    QRectF(number("x"), number("y"), number("width"), number("height"));
            } else if (xml.name() == QStringLiteral("text")) {
                SvgText t{QString(), number("x"), number("y"),
                          a.value(QStringLiteral("clip-path")).toString(), clipping.back()};
                t.text = xml.readElementText();
                svg.texts.push_back(t);
            }
        } else if (xml.isEndElement()) {
            if (xml.name() == QStringLiteral("g")) clipping.pop_back();
            if (xml.name() == QStringLiteral("clipPath")) clipId.clear();
        }
    }
    svg.wellFormed = !xml.hasError();
    return svg;
}

TEST(SvgText, EscapesMarkupAndKeepsOnlyWhatXmlAllows) {
    const QString replacement(QChar(0xFFFD));
    const struct {
        QString drawn;
        QString read;
    } cases[] = {
        {QStringLiteral("Jan & Ewa <Kowalscy>"), QStringLiteral("Jan & Ewa <Kowalscy>")},
        {QStringLiteral("\"Zosia\" 'Ola'"), QStringLiteral("\"Zosia\" 'Ola'")},
        {QStringLiteral("Świętosław Łódź żółć"), QStringLiteral("Świętosław Łódź żółć")},
        {QStringLiteral("a  b\tc\nd\re "), QStringLiteral("a  b\tc\nd\re ")},
        {QStringLiteral("x\x01y\x1Fz"), QStringLiteral("x") + replacement + QStringLiteral("y") +
                                            replacement + QStringLiteral("z")},
        {QString(QChar(0xFFFE)) + QChar(0xFFFF), replacement + replacement},
        {QStringLiteral("half ") + QChar(0xD83D), QStringLiteral("half ") + replacement},
        {QChar(0xDE00) + QStringLiteral(" half"), replacement + QStringLiteral(" half")},
        {QString::fromUtf8("smile \xF0\x9F\x98\x80"), QString::fromUtf8("smile \xF0\x9F\x98\x80")},
    };
    for (const auto& c : cases) {
        std::string xml = "<t a=\"";
        appendSvgEscaped(xml, c.drawn);
        xml += "\">";
        appendSvgEscaped(xml, c.drawn);
        xml += "</t>";
        QXmlStreamReader reader(QByteArray::fromStdString(xml));
        ASSERT_TRUE(reader.readNextStartElement()) << xml;
        EXPECT_EQ(reader.attributes().value(QStringLiteral("a")).toString(), c.read) << xml;
        EXPECT_EQ(reader.readElementText(), c.read) << xml;
        EXPECT_FALSE(reader.hasError()) << xml;
    }
}

TEST(SvgText, NumbersToAHundredthWithoutTrailingZeros) {
    const struct {
        double value;
        const char* written;
    } cases[] = {{0, "0"},           {12, "12"},    {-3.5, "-3.5"},     {0.25, "0.25"},
                 {0.004, "0"},       {-0.004, "0"}, {1.005001, "1.01"}, {199999.9, "199999.9"},
                 {-16000, "-16000"}, {2.1, "2.1"},  {-0.5, "-0.5"},     {1e300 * 1e300, "0"}};
    for (const auto& c : cases) {
        std::string out;
        appendSvgNumber(out, c.value);
        EXPECT_EQ(out, c.written) << c.value;
    }
}

// Names in the code page's bytes: markup characters, quotes, Polish
// letters and a control character XML does not allow.
TEST(SvgPicture, TextsThatNeedEscapingReadBackAsDrawn) {
    TempDir dir;
    PersonList list;
    addPerson(list, "Jan & <Ewa>", "\"Kot\" 'Mysz'", 0, 0);
    addPerson(list, "\x8C\x77i\xEAtos\xB3\x61w", "Ko\x01t", 200, 0);  // Świętosław, Ko?t
    const std::string path = dir.file("names.svg");
    const RecordCodec codec;
    ASSERT_EQ(writeTreeImage(path, TreeImageFormat::Svg, list, TreeImageRequest(), codec).outcome,
              TreeImageResult::Written);
    const SvgDocument svg = readSvg(path);
    ASSERT_TRUE(svg.wellFormed);
    std::vector<QString> texts;
    for (const SvgText& t : svg.texts) texts.push_back(t.text);
    std::sort(texts.begin(), texts.end());
    std::vector<QString> expected{QStringLiteral("Jan & <Ewa>"), QStringLiteral("\"Kot\" 'Mysz'"),
                                  QStringLiteral("Świętosław"),
                                  QStringLiteral("Ko") + QChar(0xFFFD) + QStringLiteral("t")};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(texts, expected);
}

// A date wider than its box is clipped to the box, from its line down;
// texts that fit are not clipped at all.
TEST(SvgPicture, ATextLongerThanItsBoxIsClippedToIt) {
    TempDir dir;
    PersonList list;
    PersonRecord* jan = addPerson(list, "Jan", "Kowalski", 0, 0);
    jan->setText(field::deathDate, "ABT 12 DEC 1912 in the parish of Wola Wielka");
    const std::string path = dir.file("clip.svg");
    const RecordCodec codec;
    TreeImageRequest request;
    const auto geometry = treeImageGeometry(list, request);
    ASSERT_TRUE(geometry.has_value());
    ASSERT_EQ(writeTreeImage(path, TreeImageFormat::Svg, list, request, codec).outcome,
              TreeImageResult::Written);
    const SvgDocument svg = readSvg(path);
    ASSERT_TRUE(svg.wellFormed);
    ASSERT_EQ(svg.texts.size(), 3u);
    const BoxRect box = boxRect(geometry->view, jan->posX(), jan->posY());
    for (const SvgText& t : svg.texts) {
        if (!t.text.startsWith(QStringLiteral("- ABT"))) {
            EXPECT_TRUE(t.clipPath.isEmpty()) << t.text.toStdString();
            EXPECT_FALSE(t.inClipGroup) << t.text.toStdString();
            continue;
        }
        ASSERT_TRUE(t.clipPath.startsWith(QStringLiteral("url(#")));
        const QString id = t.clipPath.mid(5, t.clipPath.size() - 6);
        ASSERT_EQ(svg.clips.count(id), 1u) << id.toStdString();
        const QRectF clip = svg.clips.at(id);
        EXPECT_EQ(clip.left(), double(box.left));
        EXPECT_EQ(clip.right(), double(box.right));
        EXPECT_EQ(clip.bottom(), double(box.bottom));
        EXPECT_GT(clip.top(), double(box.top));
        EXPECT_LT(clip.top(), t.y);
        EXPECT_LT(t.x, clip.left());  // the text starts left of the box
    }
}

QImage rasterised(const std::string& path, QSize size) {
    QSvgRenderer renderer(QString::fromStdString(path));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

// The SVG drawn by Qt's SVG renderer, which smooths edges, against the
// PNG, which does not. Outside the boxes' fills: every pixel of a line in
// the PNG has, within a pixel of it, a pixel of the drawing that shows the
// line's colour over the background (at least a third of the way from the
// one to the other), and every pixel of the drawing clearly off the
// background is such a mix with a line's colour found within a pixel in
// the PNG. Inside a box the renderer's smoothed text differs in its
// pixels, so there the dark pixels are compared: about as many, over about
// the same rectangle.
struct Mix {
    double share;     // of the way from the background to the colour
    double distance;  // of the pixel from that way
};

Mix mixOf(QRgb pixel, QRgb background, QRgb colour) {
    const double d[] = {double(qRed(colour)) - qRed(background),
                        double(qGreen(colour)) - qGreen(background),
                        double(qBlue(colour)) - qBlue(background)};
    const double s[] = {double(qRed(pixel)) - qRed(background),
                        double(qGreen(pixel)) - qGreen(background),
                        double(qBlue(pixel)) - qBlue(background)};
    const double length = d[0] * d[0] + d[1] * d[1] + d[2] * d[2];
    const double t = length == 0 ? 0 : (s[0] * d[0] + s[1] * d[1] + s[2] * d[2]) / length;
    double off = 0;
    for (int i = 0; i < 3; ++i) off += (s[i] - t * d[i]) * (s[i] - t * d[i]);
    return {t, std::sqrt(off)};
}

bool shows(QRgb pixel, QRgb background, QRgb colour) {
    const Mix m = mixOf(pixel, background, colour);
    return m.share >= 1.0 / 3 && m.share <= 1.1 && m.distance <= 48;
}

int distanceOf(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

void expectSameAsPng(const PersonList& list, const std::string& name) {
    TempDir dir;
    const RecordCodec codec;
    PersonList& tree = const_cast<PersonList&>(list);
    const std::string svgPath = dir.file(name + ".svg"), pngPath = dir.file(name + ".png");
    ASSERT_EQ(writeTreeImage(svgPath, TreeImageFormat::Svg, tree, {}, codec).outcome,
              TreeImageResult::Written);
    ASSERT_EQ(writeTreeImage(pngPath, TreeImageFormat::Png, tree, {}, codec).outcome,
              TreeImageResult::Written);
    const QImage png =
        QImage(QString::fromStdString(pngPath)).convertToFormat(QImage::Format_RGB32);
    const QImage svg = rasterised(svgPath, png.size());
    const auto geometry = treeImageGeometry(list, {});
    ASSERT_TRUE(geometry.has_value());

    std::vector<QRect> boxes;
    forEachPerson(list, [&](const PersonRecord* p) {
        const BoxRect b = boxRect(geometry->view, p->posX(), p->posY());
        boxes.emplace_back(QPoint(int(b.left), int(b.top)),
                           QPoint(int(b.right) - 1, int(b.bottom) - 1));
    });
    std::vector<bool> inBox(size_t(png.width()) * size_t(png.height()), false);
    for (const QRect& b : boxes) {
        for (int y = b.top(); y <= b.bottom(); ++y) {
            for (int x = b.left(); x <= b.right(); ++x)
                inBox[size_t(y) * size_t(png.width()) + size_t(x)] = true;
        }
    }
    const QRgb background = png.pixel(0, 0);
    const auto around = [&png](int x, int y, auto&& test) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                const QPoint p(x + dx, y + dy);
                if (png.rect().contains(p) && test(p)) return true;
            }
        }
        return false;
    };
    // Where lines of two colours meet or cross, which of them lies on top
    // in a pixel is the drawing order's, and smoothing mixes them.
    const auto meeting = [&png, background](int x, int y) {
        QRgb seen = background;
        for (int dy = -2; dy <= 2; ++dy) {
            for (int dx = -2; dx <= 2; ++dx) {
                const QPoint p(x + dx, y + dy);
                if (!png.rect().contains(p)) continue;
                const QRgb c = png.pixel(p);
                if (c == background) continue;
                if (seen != background && c != seen) return true;
                seen = c;
            }
        }
        return false;
    };
    int64_t missing = 0, stray = 0;
    QPoint firstMissing(-1, -1), firstStray(-1, -1);
    for (int y = 0; y < png.height(); ++y) {
        for (int x = 0; x < png.width(); ++x) {
            if (inBox[size_t(y) * size_t(png.width()) + size_t(x)] || meeting(x, y)) continue;
            const QRgb line = png.pixel(x, y);
            if (line != background &&
                !around(x, y, [&](QPoint q) { return shows(svg.pixel(q), background, line); })) {
                if (missing++ == 0) firstMissing = QPoint(x, y);
            }
            const QRgb drawn = svg.pixel(x, y);
            if (distanceOf(drawn, background) > 96 && !around(x, y, [&](QPoint q) {
                    return png.pixel(q) != background &&
                           mixOf(drawn, background, png.pixel(q)).share >= 0.15 &&
                           mixOf(drawn, background, png.pixel(q)).distance <= 96;
                })) {
                if (stray++ == 0) firstStray = QPoint(x, y);
            }
        }
    }
    EXPECT_EQ(missing, 0) << name << ": first at " << firstMissing.x() << "," << firstMissing.y();
    EXPECT_EQ(stray, 0) << name << ": first at " << firstStray.x() << "," << firstStray.y();

    for (const QRect& b : boxes) {
        const auto ink = [&b](const QImage& image, QRect& bounds) {
            int count = 0;
            for (int y = b.top(); y <= b.bottom(); ++y) {
                for (int x = b.left(); x <= b.right(); ++x) {
                    if (qGray(image.pixel(x, y)) >= 128) continue;
                    ++count;
                    bounds |= QRect(x, y, 1, 1);
                }
            }
            return count;
        };
        QRect pngBounds, svgBounds;
        const int pngInk = ink(png, pngBounds), svgInk = ink(svg, svgBounds);
        SCOPED_TRACE(name + " box at " + std::to_string(b.left()) + "," + std::to_string(b.top()));
        EXPECT_GE(svgInk * 2, pngInk);
        EXPECT_LE(svgInk, pngInk * 2);
        EXPECT_LE(std::abs(svgBounds.left() - pngBounds.left()), 6);
        EXPECT_LE(std::abs(svgBounds.right() - pngBounds.right()), 6);
        EXPECT_LE(std::abs(svgBounds.top() - pngBounds.top()), 3);
        EXPECT_LE(std::abs(svgBounds.bottom() - pngBounds.bottom()), 3);
    }
}

TEST(SvgPicture, DrawnByAnSvgRendererItShowsWhatThePngShows) {
    PersonList sample;
    std::string error;
    ASSERT_TRUE(buildSampleFamily(sample, error)) << error;
    expectSameAsPng(sample, "sample");

    // Wider than one tile of the picture (16,000 pixels): a box across the
    // place where two tiles meet, lines crossing it and each other.
    PersonList wide;
    PersonRecord* father = addPerson(wide, "Jan", "Nowak", 0, 0);
    PersonRecord* mother = addPerson(wide, "Ewa", "Nowak", 15900, 0);
    for (int32_t x : {15700, 300}) {
        PersonRecord* child = addPerson(wide, "Ola", "Nowak", x, 300);
        child->setText(field::birthDate, "1901");
        child->father = father;
        child->setFatherId(father->personId());
        child->mother = mother;
        child->setMotherId(mother->personId());
    }
    expectSameAsPng(wide, "wide");
}

// What a painter draws straight on the device, as a document.
template <typename Paint>
QByteArray drawnDocument(QSize size, Paint&& paint) {
    std::string document;
    SvgPaintDevice device(size, [&document](std::string_view piece) {
        document.append(piece);
        return true;
    });
    {
        QPainter painter(&device);
        paint(painter);
    }
    EXPECT_TRUE(device.finish());
    return QByteArray::fromStdString(document);
}

// A picture is embedded whole, as PNG data at its place and size.
TEST(SvgPaintDevice, APictureIsEmbeddedAtItsPlace) {
    QImage picture(4, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) picture.setPixel(x, y, qRgb(x * 60, y * 100, 200 - x * y * 10));
    }
    const QByteArray document = drawnDocument(QSize(100, 100), [&](QPainter& p) {
        p.translate(5, 0);
        p.drawImage(QRect(5, 20, 8, 6), picture);
    });
    QXmlStreamReader xml(document);
    int images = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != QStringLiteral("image")) continue;
        ++images;
        const auto a = xml.attributes();
        EXPECT_EQ(a.value(QStringLiteral("x")), QStringLiteral("10"));
        EXPECT_EQ(a.value(QStringLiteral("y")), QStringLiteral("20"));
        EXPECT_EQ(a.value(QStringLiteral("width")), QStringLiteral("8"));
        EXPECT_EQ(a.value(QStringLiteral("height")), QStringLiteral("6"));
        const QString href = a.value(QStringLiteral("xlink:href")).toString();
        const QString prefix = QStringLiteral("data:image/png;base64,");
        ASSERT_TRUE(href.startsWith(prefix));
        const QImage read =
            QImage::fromData(QByteArray::fromBase64(href.mid(prefix.size()).toLatin1()), "PNG");
        EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), picture);
    }
    EXPECT_FALSE(xml.hasError());
    EXPECT_EQ(images, 1);
}

// Colours and the font are said once for everything drawn in them in a
// row: no group is empty, and no group follows one that says the same.
TEST(SvgPaintDevice, AColourOrFontIsWrittenOnlyWhenItChanges) {
    const QByteArray document = drawnDocument(QSize(300, 200), [](QPainter& p) {
        p.fillRect(0, 0, 300, 200, QColor(0x6699cc));
        for (int i = 0; i < 3; ++i) {
            p.fillRect(10 + i * 90, 10, 80, 40, Qt::white);
            p.fillRect(12 + i * 90, 60, 70, 1, Qt::white);
            p.setPen(Qt::black);
            p.setFont(QFont(QStringLiteral("Liberation Serif"), 12));
            p.drawText(QPoint(15 + i * 90, 25), QStringLiteral("Jan"));
            p.drawText(QPoint(15 + i * 90, 40), QStringLiteral("Kowalski"));
        }
    });
    QXmlStreamReader xml(document);
    std::vector<int> children{0};
    std::vector<QString> previousSibling{QString()};
    int groups = 0, texts = 0, rects = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            ++children.back();
            QString said;
            for (const auto& a : xml.attributes())
                said += a.qualifiedName().toString() + a.value().toString() + QLatin1Char(';');
            if (xml.name() == QStringLiteral("g")) {
                ++groups;
                EXPECT_NE(said, previousSibling.back()) << said.toStdString();
            }
            texts += xml.name() == QStringLiteral("text") ? 1 : 0;
            rects += xml.name() == QStringLiteral("rect") ? 1 : 0;
            previousSibling.back() = xml.name() == QStringLiteral("g") ? said : QString();
            children.push_back(0);
            previousSibling.push_back(QString());
        } else if (xml.isEndElement()) {
            if (xml.name() == QStringLiteral("g")) {
                EXPECT_GT(children.back(), 0);
            }
            children.pop_back();
            previousSibling.pop_back();
        }
    }
    EXPECT_FALSE(xml.hasError());
    EXPECT_EQ(texts, 6);
    EXPECT_GE(rects, 4);
    // The background, then for each box its white, its font and its black.
    EXPECT_LE(groups, 1 + 3 + 1 + 3);
}

// A file-size limit stands in for a full disk: the picture fails with the
// system's reason, the old file stays and no temporary file is left.
TEST(SvgPicture, AFullDiskKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.file("tree.svg");
    writeBytes(path, {'o', 'l', 'd'});
    PersonList tree;
    generateSyntheticTree(tree, 300, 1);
    const std::string said = runInChild(
        [&] {
            alarm(60);
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{65536, 65536};
            setrlimit(RLIMIT_FSIZE, &limit);
            const RecordCodec codec;
            const TreeImageResult r =
                writeTreeImage(path, TreeImageFormat::Svg, tree, TreeImageRequest(), codec);
            if (r.outcome != TreeImageResult::Failed) return std::string("written");
            return r.error;
        },
        false);
    EXPECT_NE(said.find("File too large"), std::string::npos) << said;
    EXPECT_EQ(readBytes(path), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

}  // namespace
}  // namespace lineara
