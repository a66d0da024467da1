#include "gui/canvas/tree_canvas.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPainter>

#include "support/paint_support.h"

namespace lineara {
namespace {

using namespace test;

TEST(TreeCanvas, ShowsWhatItsRendererPaintsAtTheWidgetsSize) {
    TreeCanvas canvas;
    canvas.resize(200, 100);
    int renders = 0;
    QSize seen;
    canvas.setRenderer([&](QImage& picture) {
        ++renders;
        seen = picture.size();
        picture.fill(QColor(kPurple));
        QPainter(&picture).fillRect(10, 10, 5, 5, QColor(kNavy));
    });
    canvas.renderNow();
    EXPECT_EQ(renders, 1);
    EXPECT_EQ(seen, QSize(200, 100));
    EXPECT_EQ(canvas.picture().format(), QImage::Format_RGB32);
    EXPECT_TRUE(canvas.testAttribute(Qt::WA_OpaquePaintEvent));

    QImage shown = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(0, 0), kPurple);
    EXPECT_EQ(shown.pixel(12, 12), kNavy);

    // Feedback drawn over the picture shows without rendering again.
    {
        QPainter painter(&canvas.picture());
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(0, 0, 5, 5, Qt::white);
    }
    canvas.update();
    shown = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shown.pixel(2, 2), inverted(kPurple));
    EXPECT_EQ(renders, 1);
}

TEST(TreeCanvas, ResizingRendersAgainAtTheNewSize) {
    TreeCanvas canvas;
    std::vector<QSize> sizes;
    canvas.setRenderer([&](QImage& picture) {
        sizes.push_back(picture.size());
        picture.fill(Qt::white);
    });
    canvas.resize(120, 80);
    canvas.show();
    canvas.resize(300, 150);
    QCoreApplication::processEvents();
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(sizes.back(), QSize(300, 150));
    EXPECT_EQ(canvas.picture().size(), QSize(300, 150));
}

}  // namespace
}  // namespace lineara
