#include "core/reports/print_geometry.h"

#include <algorithm>

#include "core/view/view_math.h"

namespace lineara {

std::optional<PrintBounds> printBounds(const PersonList& list, bool selectedOnly) {
    const PersonRecord* start =
        selectedOnly ? (list.selection().empty() ? nullptr : list.selection().front())
                     : list.personListHead();
    if (start == nullptr) return std::nullopt;
    PrintBounds b{start->posX(), start->posX(), start->posY(), start->posY()};
    forEachPerson(list, [&](const PersonRecord* p) {
        if (!takesPart(p, selectedOnly)) return;
        b.minX = std::min<int64_t>(b.minX, p->posX());
        b.maxX = std::max<int64_t>(b.maxX, p->posX());
        b.minY = std::min<int64_t>(b.minY, p->posY());
        b.maxY = std::max<int64_t>(b.maxY, p->posY());
    });
    return b;
}

std::vector<PageCell> pageOrder(int pagesAcross) {
    std::vector<PageCell> order;
    for (int r = 1; r <= pagesAcross; ++r) {
        for (int c = 1; c <= pagesAcross; ++c) order.push_back(PageCell{r, c});
    }
    return order;
}

PageGeometry pageGeometry(const PrintBounds& bounds, int pageWidth, int pageHeight, int pagesAcross,
                          int screenFontSize) {
    PageGeometry g;
    g.pageWidth = pageWidth;
    g.pageHeight = pageHeight;
    g.pagesAcross = std::clamp(pagesAcross, 1, kMaxPrintPages);
    g.bounds = bounds;
    g.usableWidth = pageWidth - int(roundHalfEven(pageWidth / 20.0));
    g.usableHeight = pageHeight - int(roundHalfEven(g.usableWidth / 20.0));
    const double tw = double(bounds.width());
    const double th = double(bounds.height());
    g.scale = g.usableWidth / tw;
    if (th * g.scale > g.usableHeight) g.scale = g.usableHeight / th;
    g.fontHeight = int(roundHalfEven(screenFontSize * g.scale));
    g.offsetX = int(roundHalfEven((pageWidth - tw * g.scale) / 2));
    g.offsetY = int(roundHalfEven((pageHeight - th * g.scale) / 2));
    return g;
}

int64_t PageGeometry::mapX(int64_t treeX, const PageCell& cell) const {
    return (roundHalfEven(scale * double(treeX - bounds.minX)) + offsetX) * pagesAcross -
           int64_t(pageWidth) * (cell.column - 1);
}

int64_t PageGeometry::mapY(int64_t treeY, const PageCell& cell) const {
    return (roundHalfEven(scale * double(treeY - bounds.minY)) + offsetY) * pagesAcross -
           int64_t(pageHeight) * (cell.row - 1);
}

int64_t PageGeometry::halfBoxWidth() const {
    return roundHalfEven(kBoxWidth / 2.0 * scale * pagesAcross);
}

}  // namespace lineara
