// Where a line of text can put ink, told without drawing it: every pixel
// the text really inks lies within, and the bounds are close enough to the
// text to be of use.
#include "render/painter/text_ink.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <optional>

#include "render/tree_image/picture_metrics.h"

namespace lineara {
namespace {

// A device that draws every text item onto an image (where its ink can be
// found) and asks TextInk about the same item.
class InkDevice : public QPaintDevice {
public:
    InkDevice() : image_(400, 120, QImage::Format_RGB32), engine_(*this) { image_.fill(Qt::white); }
    QPaintEngine* paintEngine() const override { return const_cast<Engine*>(&engine_); }
    const QImage& image() const { return image_; }
    const std::optional<QRectF>& bounds() const { return bounds_; }
    int items() const { return items_; }

protected:
    int metric(PaintDeviceMetric m) const override { return pictureMetric(m, image_.size()); }

private:
    class Engine : public QPaintEngine {
    public:
        explicit Engine(InkDevice& device) : device_(device) {}
        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState& state) override {
            if (state.state() & DirtyFont) font_ = state.font();
        }
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        // Decorations (the underline) come as shapes of their own.
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawPath(const QPainterPath&) override {}
        void drawTextItem(const QPointF& p, const QTextItem& item) override {
            ++device_.items_;
            device_.bounds_ = ink_.bounds(p, item);
            QPainter painter(&device_.image_);
            painter.setFont(font_);
            painter.setPen(Qt::black);
            painter.drawTextItem(p, item);
        }
        Type type() const override { return User; }

    private:
        InkDevice& device_;
        QFont font_;
        TextInk ink_;
    };

    QImage image_;
    Engine engine_;
    std::optional<QRectF> bounds_;
    int items_ = 0;
};

QRect inked(const QImage& image) {
    QRect ink;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != qRgb(255, 255, 255)) ink |= QRect(x, y, 1, 1);
        }
    }
    return ink;
}

TEST(TextInk, HoldsAllTheInkAndLittleMore) {
    const struct {
        const char* text;
        bool italic;
        bool underline;
    } cases[] = {
        {"Kowalski", false, false},      {"Świętosław", false, false},
        {"ŁÓDŹ Ąą Ęę Żż", false, false}, {"jjj fff ggg", false, false},
        {"Wiśniewska", true, true},      {"- 22.1.1962", false, false},
        {"AVAWAT Ty Yo", false, false},  {"ABT 1850 / fyj", true, false},
    };
    for (const auto& c : cases) {
        QFont font(QStringLiteral("Liberation Serif"));
        font.setPixelSize(15);
        font.setItalic(c.italic);
        font.setUnderline(c.underline);
        InkDevice device;
        {
            QPainter painter(&device);
            painter.setRenderHint(QPainter::TextAntialiasing, false);
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(QPoint(20, 60), QString::fromUtf8(c.text));
        }
        ASSERT_EQ(device.items(), 1) << c.text;
        ASSERT_TRUE(device.bounds().has_value()) << c.text;
        const QRectF bounds = *device.bounds();
        // The underline is drawn apart from the glyphs, not by the item.
        const QRect ink = inked(device.image());
        ASSERT_FALSE(ink.isEmpty()) << c.text;
        EXPECT_TRUE(bounds.contains(QRectF(ink))) << c.text;
        // Close: within a font height of the ink at the sides, within a
        // few pixels above and below.
        const QFontMetricsF metrics(font);
        EXPECT_GT(bounds.left(), ink.left() - metrics.height()) << c.text;
        EXPECT_LT(bounds.right(), ink.right() + 1 + metrics.height()) << c.text;
        EXPECT_GT(bounds.top(), 60 - metrics.ascent() - 4) << c.text;
        EXPECT_LT(bounds.bottom(), 60 + metrics.descent() + 4) << c.text;
    }
}

TEST(TextInk, GivesNoBoundsWhereShapingDecidesThePlaces) {
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPixelSize(15);
    for (const char* text : {"Ane\xCC\x81la", "\xF0\x9D\x90\x80"}) {  // a combining accent; 𝐀
        InkDevice device;
        {
            QPainter painter(&device);
            painter.setFont(font);
            painter.drawText(QPoint(20, 60), QString::fromUtf8(text));
        }
        ASSERT_GE(device.items(), 1) << text;
        EXPECT_FALSE(device.bounds().has_value()) << text;
    }
}

}  // namespace
}  // namespace lineara
