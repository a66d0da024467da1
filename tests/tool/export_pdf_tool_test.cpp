// The tree's picture as a PDF, read back as a reader shows it: poppler's
// pdftoppm draws the page at the picture's own resolution without
// smoothing, as the PNG is drawn, to be held against the PNG of the same
// tree; pdftotext reads its texts.
#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/formats/tree_file.h"
#include "core/model/person_list.h"
#include "support/add_person.h"
#include "support/temp_dir.h"
#include "support/tool_runner.h"

namespace lineara {
namespace {

using namespace test;

const std::string kSample = std::string(LINEARA_EXAMPLES) + "/sample.ln3";
constexpr QRgb kBackgroundColour = 0xFF6699CC;

bool near(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) <= 64 && std::abs(qGreen(a) - qGreen(b)) <= 64 &&
           std::abs(qBlue(a) - qBlue(b)) <= 64;
}

// Pixels of `a` with no pixel of its colour in `b` at the same place or
// next to it: a glyph drawn a pixel aside by another rasterizer, or the
// edge of a sloping line, is no difference; a missing or misplaced box,
// line or text is.
int64_t unmatched(const QImage& a, const QImage& b) {
    int64_t count = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb c = a.pixel(x, y);
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy) {
                for (int dx = -1; dx <= 1 && !found; ++dx) {
                    const int px = x + dx, py = y + dy;
                    found = b.rect().contains(px, py) && near(c, b.pixel(px, py));
                }
            }
            count += found ? 0 : 1;
        }
    }
    return count;
}

// A row of couples with a child each, wider than one tile of the picture
// (16,000 pixels), the children set aside so that their lines slope; the
// last father's birth date runs far past his box's right edge, into the
// margin, where the box clips it.
std::string wideTree(const TempDir& dir) {
    const std::string path = dir.file("wide.ln3");
    PersonList wide;
    constexpr int kCouples = 115;
    for (int i = 0; i < kCouples; ++i) {
        PersonRecord* parent = addPerson(wide, "Jan", "Nowak", i * 150, 0);
        PersonRecord* child = addPerson(wide, "Ola", "Nowak", i * 150 + (i % 3) * 40, 300);
        child->setText(field::birthDate, "1901");
        child->father = parent;
        child->setFatherId(parent->personId());
        if (i == kCouples - 1) {
            parent->setText(field::birthDate, "1.1.1850 or else 2.2.1851 or 3.3.1852");
        }
    }
    EXPECT_EQ(SavetoFile(wide, path).status, SaveResult::Saved);
    return path;
}

QImage rendered(const std::string& pdf, const TempDir& dir) {
    const std::string stem = dir.file("page");
    const ToolRun r = runTool(
        "pdftoppm", {"-r", "96", "-aa", "no", "-aaVector", "no", "-singlefile", pdf, stem}, dir);
    EXPECT_EQ(r.status, 0) << r.err;
    return QImage(QString::fromStdString(stem + ".ppm")).convertToFormat(QImage::Format_RGB32);
}

TEST(ExportPdfTool, ThePageShowsWhatThePngShows) {
    TempDir dir;
    const std::string wide = wideTree(dir);
    for (const std::string& tree : {kSample, wide}) {
        const std::string png = dir.file("tree.png");
        const std::string pdf = dir.file("tree.pdf");
        ASSERT_EQ(runTool(LINEARA_TOOL, {"export-image", tree, png}, dir).status, 0);
        const ToolRun r = runTool(LINEARA_TOOL, {"export-image", tree, pdf}, dir);
        ASSERT_EQ(r.status, 0) << r.err;
        ASSERT_EQ(r.out, "");  // drawn at full size
        const QImage expected =
            QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
        const QImage page = rendered(pdf, dir);
        ASSERT_EQ(page.size(), expected.size()) << tree;
        // Measured: a few dozen pixels in a million, where sloping lines
        // meet; a line joined past its bend shows some thousand.
        const int64_t allowed = int64_t(page.width()) * page.height() / 5000;
        EXPECT_LE(unmatched(expected, page), allowed) << tree;
        EXPECT_LE(unmatched(page, expected), allowed) << tree;
        if (tree != wide) continue;
        // The date beyond the last box is clipped: the margin right of it
        // is empty on the page as in the PNG.
        const int right = page.width() - 40;
        for (const QImage* image : {&expected, &page}) {
            int64_t inked = 0;
            for (int y = 40; y < 120; ++y) {
                for (int x = right + 2; x < page.width(); ++x) {
                    inked += near(image->pixel(x, y), kBackgroundColour) ? 0 : 1;
                }
            }
            EXPECT_EQ(inked, 0) << (image == &page ? "pdf" : "png");
        }
    }
}

TEST(ExportPdfTool, TheTextsCanBeReadBack) {
    TempDir dir;
    const std::string pdf = dir.file("tree.pdf");
    ASSERT_EQ(runTool(LINEARA_TOOL, {"export-image", kSample, pdf}, dir).status, 0);
    const std::string text = dir.file("tree.txt");
    const ToolRun r = runTool("pdftotext", {pdf, text}, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<uint8_t> bytes = readBytes(text);
    const QString read =
        QString::fromUtf8(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
    PersonList tree;
    ASSERT_TRUE(ReadfromFile(tree, kSample).loaded());
    int kowalski = 0;
    forEachPerson(tree, [&](const PersonRecord* p) {
        kowalski += p->text(field::surname) == "Kowalski" ? 1 : 0;
    });
    ASSERT_GT(kowalski, 3);
    EXPECT_EQ(read.count(QStringLiteral("Kowalski")), kowalski) << read.toStdString();
    EXPECT_EQ(read.count(QStringLiteral("Świętosław")), 1);
    EXPECT_EQ(read.count(QStringLiteral("- 22.1.1962")), 1);
}

}  // namespace
}  // namespace lineara
