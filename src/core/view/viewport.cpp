#include "core/view/viewport.h"

#include <climits>
#include <vector>

#include "core/history/step_names.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/view/view_math.h"

namespace lineara {

namespace {

constexpr double kZoomStep = 1.25;
constexpr double kZoomInLimit = 200.0;
constexpr double kZoomOutLimit = 1.0;
constexpr double kAreaZoomLimit = 200.0;

// Scroll offsets are int32; a view pushed beyond that range by many steps
// far out stops at its edge instead of wrapping round to the other side.
int32_t clampOffset(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

void moveBy(ViewState& view, int64_t dx, int64_t dy) {
    view.scrollX = clampOffset(view.scrollX + dx);
    view.scrollY = clampOffset(view.scrollY + dy);
}

// An eighth of the window in tree units at `percent`: half of what a zoom
// step adds to or takes from the visible width, which keeps the centre put.
int64_t eighth(int extent, double percent) {
    return roundHalfEven((extent / 8.0) / (percent / 100.0));
}

// The window's extent in tree units at `percent`, rounded.
int64_t visibleUnits(int extent, double percent) {
    return roundHalfEven(extent / (percent / 100.0));
}

}  // namespace

bool zoomInStep(ViewState& view, WindowExtent window) {
    if (view.zoomPercent < kZoomInLimit) {
        view.zoomPercent *= kZoomStep;
        moveBy(view, -eighth(window.width, view.zoomPercent),
               -eighth(window.height, view.zoomPercent));
    }
    return true;
}

bool zoomOutStep(ViewState& view, WindowExtent window) {
    if (view.zoomPercent <= kZoomOutLimit) return false;
    moveBy(view, eighth(window.width, view.zoomPercent), eighth(window.height, view.zoomPercent));
    view.zoomPercent /= kZoomStep;
    return true;
}

bool zoomTo(ViewState& view, WindowExtent window, double percent) {
    if (!(percent > 0)) return false;
    int64_t dW = visibleUnits(window.width, percent) - visibleUnits(window.width, view.zoomPercent);
    int64_t dH =
        visibleUnits(window.height, percent) - visibleUnits(window.height, view.zoomPercent);
    // Both are differences of window-sized figures: far inside the range
    // where a double holds every integer.
    moveBy(view, roundHalfEven(static_cast<double>(dW) / 2.0),
           roundHalfEven(static_cast<double>(dH) / 2.0));
    view.zoomPercent = percent;
    return true;
}

void centreAt100(ViewState& view, WindowExtent window, int32_t posX, int32_t posY) {
    view.zoomPercent = 100.0;
    view.scrollX = clampOffset(int64_t(window.width / 2) - posX - kBoxWidth / 2);
    view.scrollY = clampOffset(int64_t(window.height / 2) - posY - kBoxHeight / 2);
}

void centreAtPresentZoom(ViewState& view, WindowExtent window, int32_t posX, int32_t posY) {
    const double zoom = view.zoomPercent;
    centreAt100(view, window, posX, posY);
    zoomTo(view, window, zoom);
}

void scrollByStep(ViewState& view, ScrollDirection direction, int scrollStep) {
    const int64_t units = roundHalfEven(scrollStep / zoomFactor(view));
    switch (direction) {
    case ScrollDirection::Left:
        moveBy(view, units, 0);
        break;
    case ScrollDirection::Right:
        moveBy(view, -units, 0);
        break;
    case ScrollDirection::Up:
        moveBy(view, 0, units);
        break;
    case ScrollDirection::Down:
        moveBy(view, 0, -units);
        break;
    }
}

void zoomToArea(ViewState& view, WindowExtent window, int32_t x1, int32_t y1, int32_t x2,
                int32_t y2) {
    view.scrollX = clampOffset(-int64_t(std::min(x1, x2)));
    view.scrollY = clampOffset(-int64_t(std::min(y1, y2)));
    // Only the width decides: the band keeps the window's proportions
    // while it is drawn, so its height would give the same figure.
    const int64_t width = int64_t(std::max(x1, x2)) - std::min(x1, x2);
    if (width > 0) {
        // At most 2^32: a double holds it exactly.
        view.zoomPercent =
            std::min(kAreaZoomLimit, window.width * 100.0 / static_cast<double>(width));
    }
}

bool alignSelection(Document& doc, AlignSide side) {
    const auto& selection = doc.persons().selection();
    if (selection.empty()) return false;
    const bool horizontal = side == AlignSide::Left || side == AlignSide::Right;
    const bool smallest = side == AlignSide::Left || side == AlignSide::Top;
    auto coordinate = [horizontal](const PersonRecord* r) {
        return horizontal ? r->posX() : r->posY();
    };
    int32_t target = coordinate(selection.front());
    for (const PersonRecord* r : selection) {
        target = smallest ? std::min(target, coordinate(r)) : std::max(target, coordinate(r));
    }
    std::vector<const PersonRecord*> records(selection.begin(), selection.end());
    std::vector<std::pair<int32_t, int32_t>> positions;
    positions.reserve(records.size());
    for (const PersonRecord* r : records) {
        positions.emplace_back(horizontal ? target : r->posX(), horizontal ? r->posY() : target);
    }
    // One box aligned with itself still counts as an edit (the door marks
    // the tree modified even when nothing moved).
    doc.moveBoxes(step_name::alignBoxes(records.size()), records, positions);
    return true;
}

bool showWholeTree(ViewState& view, const PersonList& list, WindowExtent window, int margin) {
    const PersonRecord* head = list.personListHead();
    const int64_t usableWidth = int64_t(window.width) - 2 * int64_t(margin);
    const int64_t usableHeight = int64_t(window.height) - 2 * int64_t(margin);
    if (head == nullptr || usableWidth <= 0 || usableHeight <= 0) return false;
    int64_t minX = head->posX(), maxX = minX, minY = head->posY(), maxY = minY;
    forEachPerson(list, [&](const PersonRecord* r) {
        minX = std::min<int64_t>(minX, r->posX());
        maxX = std::max<int64_t>(maxX, r->posX());
        minY = std::min<int64_t>(minY, r->posY());
        maxY = std::max<int64_t>(maxY, r->posY());
    });
    const double width = double(maxX - minX + kBoxWidth);
    const double height = double(maxY - minY + kBoxHeight);
    const double z = std::min(
        {kAreaZoomLimit / 100.0, double(usableWidth) / width, double(usableHeight) / height});
    view.zoomPercent = z * 100.0;
    // A tree point x is drawn at (x + scroll) * z: the middle of the boxes
    // goes to the middle of the window.
    const double middleX = (double(minX) + double(maxX) + kBoxWidth) / 2;
    const double middleY = (double(minY) + double(maxY) + kBoxHeight) / 2;
    view.scrollX = clampOffset(std::llround(window.width / 2.0 / z - middleX));
    view.scrollY = clampOffset(std::llround(window.height / 2.0 / z - middleY));
    return true;
}

void centreOnHome(ViewState& view, const PersonList& list, WindowExtent window) {
    view.zoomPercent = 100.0;
    if (const PersonRecord* home = list.personListHead()) {
        auto clamp = [](int64_t v) {
            return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
        };
        view.scrollX = clamp(int64_t(window.width / 2) - home->posX() - kBoxWidth / 2);
        view.scrollY = clamp(int64_t(window.height / 2) - home->posY() - kBoxHeight / 2);
    }
}

}  // namespace lineara
