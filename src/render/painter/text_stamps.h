// What the box texts of one font cost to draw, kept from paint to paint.
// A paint redraws the same few hundred names and dates it drew last time;
// measuring and shaping them again is most of what a paint at a small zoom
// costs. So each text keeps its width, the shortened form of a name that
// does not fit, and, once it has been drawn twice, its pixels: a small
// transparent image drawn by QPainter exactly as the text is drawn on the
// picture, copied on later paints instead of drawing the text again.
//
// The texts of one thread are kept together, up to a bound on their
// pixels; past it they are dropped and gathered again.
#pragma once

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QPoint>
#include <QString>

namespace lineara {

// The text shortened with "..." until it fits `width` pixels; unchanged
// when it already fits, "..." alone when nothing else does.
QString shortenToWidth(const QString& text, const QFontMetrics& metrics, int width);

struct TextStamp {
    int advance = 0;    // the text's width in its font
    int fittedTo = -1;  // the width `fitted` was shortened for
    QString fitted;     // the text shortened with "..." to fit it
    int drawn = 0;      // times drawn without a stamp
    bool stampable = true;
    QImage pixels;  // premultiplied ARGB; null until made
    QPoint origin;  // where in `pixels` the text's baseline starts
};

class TextStamps {
public:
    // The texts of `font` drawn in `colour` (the pen) on this thread,
    // measured at `dpi` (0: the screen's, as QFontMetrics(font) measures).
    // The reference stays valid until the next call of trim().
    static TextStamps& of(const QFont& font, QRgb colour, int dpi = 0);

    // Drops everything once the stamps hold more pixels than the bound.
    // Called before a paint, never during one.
    static void trim();

    // The entry of `text`, its width measured the first time.
    TextStamp& entry(const QString& text, const QFontMetrics& metrics);

    // The text as shown `width` pixels wide (put in `shown`): itself when
    // it fits, else shortened by shortenToWidth, once for each width; the
    // entry returned is that of the text shown.
    TextStamp& fitted(const QString& text, const QFontMetrics& metrics, int width, QString& shown);

    // The text's pixels for copying, made on its second drawing; null
    // while not (yet) worth making, or when the text is not drawn in whole
    // opaque pixels and must go through the painter.
    // `font` is the one the stamps were asked `of`.
    const QImage* pixels(TextStamp& stamp, const QString& text, const QFont& font,
                         const QFontMetrics& metrics);

    // Drops every stamp of this thread: the next paints are first paints.
    static void forgetAll();

private:
    explicit TextStamps(QRgb colour) : colour_(colour) {}
    bool make(TextStamp& stamp, const QString& text, const QFont& font,
              const QFontMetrics& metrics);

    // No QFont is kept: these live as long as the thread, which can be
    // longer than Qt's font machinery.
    QRgb colour_;
    QHash<QString, TextStamp> texts_;
};

}  // namespace lineara
