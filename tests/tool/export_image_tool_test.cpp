// `lineara-tool export-image`, run as a user runs it: the whole tree as
// one SVG, PDF or PNG picture.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QString>
#include <QXmlStreamReader>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/formats/tree_file.h"
#include "core/model/person_list.h"
#include "render/painter/box_painter.h"
#include "support/add_person.h"
#include "support/temp_dir.h"
#include "support/tool_runner.h"

namespace lineara {
namespace {

using namespace test;

const std::string kSample = std::string(LINEARA_EXAMPLES) + "/sample.ln3";

ToolRun tool(std::vector<std::string> args, const TempDir& dir,
             const char* command = "export-image") {
    args.insert(args.begin(), command);
    return runTool(LINEARA_TOOL, args, dir);
}

struct Bounds {
    int minX = 0, minY = 0, maxX = 0, maxY = 0;
};

Bounds boundsOf(const PersonList& list) {
    Bounds b{list.personListHead()->posX(), list.personListHead()->posY(),
             list.personListHead()->posX(), list.personListHead()->posY()};
    forEachPerson(list, [&](const PersonRecord* p) {
        b.minX = std::min(b.minX, p->posX());
        b.minY = std::min(b.minY, p->posY());
        b.maxX = std::max(b.maxX, p->posX());
        b.maxY = std::max(b.maxY, p->posY());
    });
    return b;
}

// What an SVG holds: its texts, and the corners of its white rectangles
// (box fills), a rectangle's fill being its own or its nearest group's.
struct SvgContent {
    bool wellFormed = false;
    std::vector<QString> texts;
    std::multiset<std::pair<int, int>> whiteCorners;
};

SvgContent readSvg(const std::string& path) {
    QFile file(QString::fromStdString(path));
    SvgContent svg;
    if (!file.open(QIODevice::ReadOnly)) return svg;
    QXmlStreamReader xml(&file);
    std::vector<QString> fills{QStringLiteral("#000000")};  // of the open groups
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const auto attributes = xml.attributes();
            QString fill = attributes.value(QStringLiteral("fill")).toString();
            if (fill.isEmpty()) fill = fills.back();
            if (xml.name() == QStringLiteral("g")) fills.push_back(fill);
            if (xml.name() == QStringLiteral("text")) svg.texts.push_back(xml.readElementText());
            if (xml.name() == QStringLiteral("rect") && fill == QStringLiteral("#ffffff")) {
                svg.whiteCorners.insert({attributes.value(QStringLiteral("x")).toInt(),
                                         attributes.value(QStringLiteral("y")).toInt()});
            }
        } else if (xml.isEndElement() && xml.name() == QStringLiteral("g")) {
            fills.pop_back();
        }
    }
    svg.wellFormed = !xml.hasError();
    return svg;
}

TEST(ExportImageTool, TheSvgHoldsEveryBoxAtItsPlaceWithItsTextsOnce) {
    TempDir dir;
    PersonList tree;
    ASSERT_TRUE(ReadfromFile(tree, kSample).loaded());
    const Bounds b = boundsOf(tree);

    const std::string svgPath = dir.file("tree.svg");
    const ToolRun r = tool({kSample, svgPath}, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    const SvgContent svg = readSvg(svgPath);
    ASSERT_TRUE(svg.wellFormed);

    // One white fill for each named box, its corner 40 units in from the
    // margin, and each of its texts drawn once.
    std::multiset<std::pair<int, int>> boxes;
    size_t texts = 0;
    int kowalski = 0;
    forEachPerson(tree, [&](const PersonRecord* p) {
        if (boxFill(*p, ColourCode::None) == kBoxWhite) {
            boxes.insert({p->posX() - b.minX + 40, p->posY() - b.minY + 40});
        }
        for (const TextField& f :
             {field::givenNames, field::surname, field::birthDate, field::deathDate}) {
            texts += p->isEmpty(f) ? 0 : 1;
        }
        kowalski += p->text(field::surname) == "Kowalski" ? 1 : 0;
    });
    ASSERT_GT(boxes.size(), 10u);
    EXPECT_EQ(svg.whiteCorners, boxes);
    std::map<QString, int> drawn;
    for (const QString& text : svg.texts) ++drawn[text];
    EXPECT_EQ(svg.texts.size(), texts);
    EXPECT_EQ(drawn[QStringLiteral("Kowalski")], kowalski);
    EXPECT_EQ(drawn[QStringLiteral("Świętosław")], 1);
    EXPECT_EQ(drawn[QStringLiteral("- 22.1.1962")], 1);

    // Only the persons asked for, fitted to them.
    const ToolRun some = tool({kSample, svgPath, "--selected-ids", "1,2"}, dir);
    ASSERT_EQ(some.status, 0) << some.err;
    const SvgContent two = readSvg(svgPath);
    ASSERT_TRUE(two.wellFormed);
    EXPECT_EQ(two.whiteCorners.size(), 2u);
    EXPECT_EQ(two.whiteCorners.count({40, 40}), 1u);
}

// The PNG at 100 % is the canvas's picture of the same area: `render` of
// the whole picture for the sample; for a tree wider than one tile of the
// picture, `render` of a strip across the place where two tiles meet. (In
// a strip the canvas leaves out lines passing through it with both ends
// outside, so that tree's lines are short: parents just above their
// children.)
TEST(ExportImageTool, ThePngAtFullSizeIsWhatRenderPaintsThere) {
    TempDir dir;
    struct Case {
        std::string tree;
        int stripX;  // -1: the whole picture
    };
    const std::string generated = dir.file("wide.ln3");
    {
        PersonList wide;
        for (int i = 0; i < 130; ++i) {
            PersonRecord* parent = addPerson(wide, "Jan", "Nowak", i * 150, 0);
            PersonRecord* child = addPerson(wide, "Ola", "Nowak", i * 150 + (i % 3) * 40, 300);
            child->setText(field::birthDate, "1901");
            child->father = parent;
            child->setFatherId(parent->personId());
        }
        ASSERT_EQ(SavetoFile(wide, generated).status, SaveResult::Saved);
    }
    for (const Case& c : {Case{kSample, -1}, Case{generated, 16000 - 700}}) {
        PersonList tree;
        ASSERT_TRUE(ReadfromFile(tree, c.tree).loaded());
        const Bounds b = boundsOf(tree);
        const std::string png = dir.file("tree.png");
        const ToolRun r = tool({c.tree, png, "--scale", "100"}, dir);
        ASSERT_EQ(r.status, 0) << r.err;
        const QImage picture(QString::fromStdString(png));
        ASSERT_EQ(picture.size(), QSize(b.maxX - b.minX + 140 + 80, b.maxY - b.minY + 80 + 80));

        const int x = c.stripX < 0 ? 0 : c.stripX;
        const QSize size = c.stripX < 0 ? picture.size() : QSize(1400, picture.height());
        ASSERT_LE(x + size.width(), picture.width());
        const std::string rendered = dir.file("render.png");
        const ToolRun shown = runTool(
            LINEARA_TOOL,
            {"render", c.tree, rendered, "--size",
             std::to_string(size.width()) + "x" + std::to_string(size.height()), "--scroll",
             std::to_string(40 - b.minX - x) + "," + std::to_string(40 - b.minY), "--zoom", "100"},
            dir);
        ASSERT_EQ(shown.status, 0) << shown.err;
        const QImage expected =
            QImage(QString::fromStdString(rendered)).convertToFormat(QImage::Format_RGB32);
        EXPECT_TRUE(picture.copy(QRect(QPoint(x, 0), size)).convertToFormat(QImage::Format_RGB32) ==
                    expected)
            << c.tree;
    }
}

TEST(ExportImageTool, RefusesWhatItCannotMakeAndKeepsTheOldFile) {
    TempDir dir;
    const std::string out = dir.file("out.png");
    for (std::vector<std::string> args : {std::vector<std::string>{kSample, dir.file("out.gif")},
                                          {kSample, dir.file("svg")},
                                          {kSample, out, "--scale", "0"},
                                          {kSample, out, "--scale", "1001"},
                                          {kSample, out, "--scale", "50%"},
                                          {kSample, out, "--selected-ids", "1,x"},
                                          {kSample, out, "--colour-code", "red"}}) {
        const ToolRun r = tool(args, dir);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_NE(r.err.find("usage: lineara-tool export-image"), std::string::npos);
    }
    EXPECT_FALSE(fileExists(out));

    writeBytes(out, {'o', 'l', 'd'});
    const ToolRun missing = tool({kSample, out, "--selected-ids", "1,999"}, dir);
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("No person has the id 999"), std::string::npos) << missing.err;

    // 1,500 persons at twice their size are over 32,767 pixels wide:
    // refused before anything is drawn, the limit named.
    const std::string wide = dir.file("wide.ln3");
    ASSERT_EQ(tool({"1500", wide}, dir, "generate").status, 0);
    const ToolRun huge = tool({wide, out, "--scale", "200"}, dir);
    EXPECT_EQ(huge.status, 1);
    EXPECT_NE(huge.err.find("45840 x 21920 pixels"), std::string::npos) << huge.err;
    EXPECT_NE(huge.err.find("32767 pixels a side"), std::string::npos) << huge.err;
    EXPECT_EQ(readBytes(out), (std::vector<uint8_t>{'o', 'l', 'd'}));
    // The largest scale that fits is named: one more is still refused.
    const size_t named = huge.err.find("choose --scale ");
    ASSERT_NE(named, std::string::npos) << huge.err;
    const int largest = std::atoi(huge.err.c_str() + named + 15);
    EXPECT_GT(largest, 50);
    EXPECT_NE(huge.err.find(" or less", named), std::string::npos) << huge.err;
    const ToolRun above = tool({wide, out, "--scale", std::to_string(largest + 1)}, dir);
    EXPECT_EQ(above.status, 1);
    EXPECT_NE(above.err.find("choose --scale " + std::to_string(largest) + " or less"),
              std::string::npos)
        << above.err;

    PersonList empty;
    const std::string emptyTree = dir.file("empty.ln3");
    ASSERT_EQ(SavetoFile(empty, emptyTree).status, SaveResult::Saved);
    const ToolRun nothing = tool({emptyTree, dir.file("empty.svg")}, dir);
    EXPECT_EQ(nothing.status, 1);
    EXPECT_NE(nothing.err.find("Nothing to draw"), std::string::npos) << nothing.err;
    EXPECT_FALSE(fileExists(dir.file("empty.svg")));
}

// A picture too large for a PDF page is scaled down onto the largest one,
// and the tool says to what.
TEST(ExportImageTool, APdfLargerThanAPageCanBeIsScaledDownAndSaysSo) {
    TempDir dir;
    const std::string pdf = dir.file("tree.pdf");
    const ToolRun fits = tool({kSample, pdf, "--scale", "100"}, dir);
    ASSERT_EQ(fits.status, 0) << fits.err;
    EXPECT_EQ(fits.out, "");
    const std::vector<uint8_t> bytes = readBytes(pdf);
    const std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(text.rfind("%PDF-", 0), 0u);
    // 1,340 x 760 pixels at 96 to the inch.
    EXPECT_NE(text.find("/MediaBox [0 0 1005.000000 570.000000]"), std::string::npos);

    // 1,500 persons are 22,920 pixels wide: 115 dots to the inch make
    // the page 14,350 points wide, and the tree 96/115 of its size.
    const std::string wide = dir.file("wide.ln3");
    ASSERT_EQ(tool({"1500", wide}, dir, "generate").status, 0);
    const ToolRun big = tool({wide, pdf}, dir);
    ASSERT_EQ(big.status, 0) << big.err;
    EXPECT_NE(big.out.find("drawn at 83.5 % of its size"), std::string::npos) << big.out;
}

}  // namespace
}  // namespace lineara
