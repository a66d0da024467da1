// A tile of a picture drawn through TileDevice lands on the target where
// the tile lies, clipped to it, as the same drawing made straight on the
// target moved to the tile's corner: gathered fills and line runs, a text,
// a drawing the painter transforms, and the painter's own clip.
#include "render/tree_image/tile_device.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QPainter>

namespace lineara {
namespace {

void drawTile(QPainter& p) {
    p.fillRect(QRect(5, 5, 40, 20), QColor(200, 0, 0));
    p.fillRect(QRect(10, 40, 30, 1), QColor(0, 0, 200));  // runs of a line
    p.fillRect(QRect(40, 41, 1, 12), QColor(0, 0, 200));
    p.fillRect(QRect(120, 90, 80, 60), QColor(0, 150, 0));  // past the tile's corner
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(15);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QPoint(20, 80), QStringLiteral("Kowalski"));
    p.drawText(QPoint(110, 30), QStringLiteral("past the edge"));
    p.save();
    p.translate(60, 10);
    p.scale(2, 2);
    p.fillRect(QRectF(0, 0, 10, 5), QColor(0, 120, 120));
    p.drawLine(QPointF(0, 10), QPointF(20, 30));
    p.restore();
    p.setClipRect(QRect(0, 0, 50, 100));
    p.fillRect(QRect(30, 90, 60, 20), QColor(150, 0, 150));
    p.setClipping(false);
    p.drawLine(QPoint(0, 119), QPoint(149, 100));
}

TEST(TileDevice, DrawsOnTheTargetWhereTheTileLiesAndWithinIt) {
    for (const QRect& tile : {QRect(0, 0, 150, 120), QRect(100, 50, 150, 120)}) {
        QImage expected(300, 200, QImage::Format_RGB32);
        expected.fill(Qt::white);
        QImage actual = expected;
        {
            QPainter p(&expected);
            p.setClipRect(tile);
            p.translate(tile.topLeft());
            drawTile(p);
        }
        {
            QPainter target(&actual);
            TileDevice device(target, tile);
            QPainter p(&device);
            drawTile(p);
        }
        EXPECT_TRUE(actual == expected) << tile.x() << "," << tile.y();
    }
}

}  // namespace
}  // namespace lineara
