// The picture of the tree for a given view, painted into any QPainter: the
// canvas's back buffer, the PNG of `lineara-tool render`, later the printer.
//
// Drawing order: background, relationship lines, parent lines, boxes in
// list order (later boxes over earlier ones), then the highlight of the
// selection or of the current person. Everything is drawn in whole pixels
// without antialiasing, so that the inverted gesture feedback drawn over
// the picture can be taken back exactly.
#pragma once

#include <QPainter>
#include <QSize>
#include <QString>

#include "core/model/person_list.h"
#include "core/view/view_state.h"
#include "render/platform/record_codec.h"

namespace lineara {

struct PaintSettings {
    QString fontName = QStringLiteral("Times New Roman");
    int fontSize = 16;  // character cell height at 100 %, in pixels
    // The current person's box is being dragged: it is left out, since
    // only the drag's feedback shows it.
    bool dragging = false;
    // Visits every record instead of asking the box index for those near
    // the window: the reference the index is measured and tested against.
    bool walkWholeList = false;
    // Draws every pixel through QPainter, as on a printer or in a vector
    // file, instead of writing an image's pixels directly and reusing the
    // texts drawn on earlier paints: the reference those are tested and
    // measured against.
    bool throughPainterOnly = false;
};

// What the navigator shows after a paint: every box visited, and those
// that stand for a person (named, and not an alias box).
struct PaintCounts {
    int itemCount = 0;
    int personCount = 0;
};

// Paints the whole window: the background first, then the tree as seen
// through `view` in a window of size `window`. Inverting the highlight
// needs a target with raster operations, such as a QImage of
// Format_RGB32.
PaintCounts paintTree(QPainter& painter, QSize window, const PersonList& persons,
                      const ViewState& view, const PaintSettings& settings,
                      const RecordCodec& codec);

// Inverts the box of every selected record; a second call restores the
// picture.
void paintSelected(QPainter& painter, const PersonList& persons, const ViewState& view);

// Inverts one box, fill and outline: [left, right) × [top, bottom). The
// highlight of the current person, and the feedback of a dragged box.
void invertBox(QPainter& painter, const PersonRecord& person, const ViewState& view);

// The quick picture shown while the view is panned: the background and
// every visible box as a plain white rectangle, without lines or text.
void paintPanPicture(QPainter& painter, QSize window, const PersonList& persons,
                     const ViewState& view);

}  // namespace lineara
