// The tree's picture without the tool: a stopped drawing leaves the old
// file and the tree's highlight as they were; tiles meet without a seam.
#include "render/tree_image/tree_image_file.h"

#include <gtest/gtest.h>

#include <QDir>

#include "support/add_person.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

using namespace test;

TEST(TreeImage, AStoppedPictureLeavesTheOldFileAndTheHighlight) {
    TempDir dir;
    PersonList list;
    // Far apart, so that the picture has tiles to count.
    const PersonRecord* jan = addPerson(list, "Jan", "Kowalski", 0, 0);
    const PersonRecord* ewa = addPerson(list, "Ewa", "Nowak", 60000, 0);
    list.setSelection({jan, ewa});
    list.setCurrentPerson(jan);
    const RecordCodec codec;
    for (TreeImageFormat format :
         {TreeImageFormat::Svg, TreeImageFormat::Pdf, TreeImageFormat::Png}) {
        const std::string path = dir.file("old.picture");
        writeBytes(path, {'o', 'l', 'd'});
        int calls = 0;
        TreeImageRequest request;
        request.scalePercent = format == TreeImageFormat::Png ? 50 : 100;
        const TreeImageResult result =
            writeTreeImage(path, format, list, request, codec, [&calls](int done, int total) {
                EXPECT_EQ(total, 2);
                ++calls;
                return done < 1;  // the first tile, then Cancel
            });
        EXPECT_EQ(result.outcome, TreeImageResult::Cancelled);
        EXPECT_EQ(calls, 2);
        EXPECT_EQ(readBytes(path), (std::vector<uint8_t>{'o', 'l', 'd'}));
        EXPECT_EQ(list.selection(), (std::vector<const PersonRecord*>{jan, ewa}));
        EXPECT_EQ(list.currentPerson(), jan);
    }
    // Nothing but the old file in the folder: no temporary file is left.
    EXPECT_EQ(QDir(QString::fromStdString(dir.path())).entryList(QDir::Files).size(), 1);
}

// The picture's size and where a tree point lands, at scales that make a
// tile's side an odd number of tree units.
TEST(TreeImage, GeometryFitsTheBoxesWithTheMarginAtEveryScale) {
    PersonList list;
    addPerson(list, "Jan", "", -300, 50);
    addPerson(list, "Ewa", "", 1000, 700);
    const struct {
        int scale;
        int64_t width, height;
    } cases[] = {
        {100, 1300 + 140 + 80, 650 + 80 + 80}, {50, 760, 405}, {33, 502, 267}, {7, 106, 57}};
    for (const auto& c : cases) {
        TreeImageRequest request;
        request.scalePercent = c.scale;
        const auto g = treeImageGeometry(list, request);
        ASSERT_TRUE(g.has_value());
        EXPECT_EQ(g->width, c.width) << c.scale;
        EXPECT_EQ(g->height, c.height) << c.scale;
        EXPECT_EQ(g->view.scrollX, 340);
        EXPECT_EQ(g->view.scrollY, -10);
    }
    list.setSelection({});
    TreeImageRequest selected;
    selected.selectedOnly = true;
    EXPECT_FALSE(treeImageGeometry(list, selected).has_value());
    EXPECT_FALSE(treeImageGeometry(PersonList(), TreeImageRequest()).has_value());
}

// The scale offered for a PNG too large: the largest that fits, checked
// against every scale one above it, for trees too wide, too high and of
// too many pixels in all.
TEST(TreeImage, TheLargestPngScaleIsTheLargestThatFits) {
    struct Case {
        int32_t x, y;  // the second box; the first is at (0, 0)
        int asked;
    };
    const Case cases[] = {{40000, 0, 100},      {0, 90000, 250}, {30000, 30000, 1000},
                          {30000, 30000, 7},    {2000, 0, 100},  {600000, 0, 100},
                          {100000, 100000, 300}};
    for (const Case& c : cases) {
        PersonList list;
        addPerson(list, "Jan", "Kowalski", 0, 0);
        addPerson(list, "Ewa", "Nowak", c.x, c.y);
        TreeImageRequest request;
        request.scalePercent = c.asked;
        auto fits = [&](int scale) {
            TreeImageRequest at = request;
            at.scalePercent = scale;
            const std::optional<TreeImageGeometry> g = treeImageGeometry(list, at);
            return g && pngFits(g->width, g->height);
        };
        const std::optional<int> largest = largestPngScale(list, request);
        int expected = 0;  // by trying every scale from the smallest up
        for (int scale = kMinTreeImageScale; scale <= c.asked && fits(scale); ++scale) {
            expected = scale;
        }
        if (expected == 0) {
            EXPECT_FALSE(largest) << c.x << "," << c.y;
        } else {
            EXPECT_EQ(largest, expected) << c.x << "," << c.y;
        }
    }
}

}  // namespace
}  // namespace lineara
