// `lineara-tool render`, run as a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QImage>
#include <cstdio>
#include <string>
#include <vector>

#include "core/formats/tree_file.h"
#include "support/paint_support.h"
#include "support/temp_dir.h"
#include "support/tool_runner.h"

namespace lineara {
namespace {

using namespace test;

ToolRun tool(std::vector<std::string> args, const TempDir& dir) {
    args.insert(args.begin(), "render");
    return runTool(LINEARA_TOOL, args, dir);
}

const std::string kSample = std::string(LINEARA_EXAMPLES) + "/sample.ln3";

TEST(RenderTool, PaintsTheSampleCentredOnTheHomePersonOrAsAsked) {
    TempDir dir;
    std::string png = dir.file("sample.png");
    ToolRun r = tool({kSample, png}, dir);
    ASSERT_EQ(r.status, 0) << r.err;
    QImage image(QString::fromStdString(png));
    ASSERT_EQ(image.size(), QSize(1024, 768));
    EXPECT_EQ(image.pixel(0, 0), kBackground);
    // The home person's box spans (442, 344) to (582, 424); its top-left
    // corner is fill and its bottom-right corner edge.
    EXPECT_EQ(image.pixel(442, 344), kWhite);
    EXPECT_EQ(image.pixel(582, 424), kBlack);
    EXPECT_EQ(image.pixel(441, 344), kBackground);

    ToolRun sized = tool({kSample, png, "--size", "320x200", "--zoom", "50", "--scroll", "100,40",
                          "--colour-code", "gender"},
                         dir);
    ASSERT_EQ(sized.status, 0) << sized.err;
    image = QImage(QString::fromStdString(png));
    EXPECT_EQ(image.size(), QSize(320, 200));
    EXPECT_EQ(image.pixel(319, 199), kBackground);
}

TEST(RenderTool, RefusesBadArgumentsAndReportsBadFiles) {
    TempDir dir;
    std::string png = dir.file("out.png");
    for (std::vector<std::string> args : {std::vector<std::string>{kSample},
                                          {kSample, png, "--size", "0x10"},
                                          {kSample, png, "--zoom", "-5"},
                                          {kSample, png, "--scroll", "1"},
                                          {kSample, png, "--colour-code", "red"},
                                          {kSample, png, "--zoom"}}) {
        ToolRun r = tool(args, dir);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_NE(r.err.find("usage: lineara-tool render"), std::string::npos);
    }
    EXPECT_FALSE(fileExists(png));

    ToolRun missing = tool({dir.file("none.ln3"), png}, dir);
    EXPECT_EQ(missing.status, 1);
    EXPECT_FALSE(missing.err.empty());

    writeBytes(dir.file("broken.ln3"), std::vector<uint8_t>(100, 0));
    ToolRun broken = tool({dir.file("broken.ln3"), png}, dir);
    EXPECT_EQ(broken.status, 1);
    EXPECT_NE(broken.err.find(kMsgUnrecognizedFile), std::string::npos) << broken.err;
    EXPECT_FALSE(fileExists(png));
}

}  // namespace
}  // namespace lineara
