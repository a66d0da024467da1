// Where the printed tree lands on paper: which persons take part, the
// tree's bounds, the scale that fits it to a page, and the mapping of a
// tree point onto one page of an N x N sheet of pages. Numbers only; the
// drawing itself is the application's.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/model/person_list.h"

namespace lineara {

constexpr int kMaxPrintPages = 8;  // pages across (and down) at most

// Whether a record is printed: every record, or only the selected ones.
inline bool takesPart(const PersonRecord* person, bool selectedOnly) {
    return person != nullptr && (!selectedOnly || person->selected());
}

// The smallest and largest box corners of the persons taking part.
struct PrintBounds {
    int64_t minX = 0, maxX = 0, minY = 0, maxY = 0;
    int64_t width() const { return maxX - minX + kBoxWidth; }
    int64_t height() const { return maxY - minY + kBoxHeight; }
};

// None when nothing would be printed: an empty tree, or only selected
// persons asked for and no selection.
std::optional<PrintBounds> printBounds(const PersonList& list, bool selectedOnly);

// One page of the sheet; row and column count from 1.
struct PageCell {
    int row = 1;
    int column = 1;
    bool operator==(const PageCell& o) const { return row == o.row && column == o.column; }
};

// The pages in the order they come out of the printer: row by row.
std::vector<PageCell> pageOrder(int pagesAcross);

struct PageGeometry {
    int pageWidth = 0;   // pw, printer pixels
    int pageHeight = 0;  // ph
    int pagesAcross = 1;
    PrintBounds bounds;
    int usableWidth = 0;   // W
    int usableHeight = 0;  // H
    double scale = 0;      // s, printer pixels per tree unit on a single page
    int fontHeight = 0;    // f, the box font on a single page
    int offsetX = 0;       // ox
    int offsetY = 0;       // oy

    // A tree point on page `cell`; points of other pages fall outside
    // [0, pageWidth) x [0, pageHeight) and are clipped by the printer.
    int64_t mapX(int64_t treeX, const PageCell& cell) const;
    int64_t mapY(int64_t treeY, const PageCell& cell) const;
    // Half a box's width on the page: the column the box texts centre on.
    int64_t halfBoxWidth() const;
};

// The geometry for pages of pw x ph printer pixels. Both margins derive
// from the width, so that a portrait and a landscape page frame the tree
// alike.
PageGeometry pageGeometry(const PrintBounds& bounds, int pageWidth, int pageHeight, int pagesAcross,
                          int screenFontSize);

}  // namespace lineara
