#include "render/tree_image/tree_image.h"

#include <QImage>
#include <algorithm>
#include <numeric>
#include <unordered_map>
#include <vector>

#include "core/reports/print_geometry.h"
#include "core/view/view_math.h"
#include "render/tree_image/tile_device.h"

namespace lineara {

namespace {

// A tile's side in pixels, about. The painter clamps line ends 20,000
// pixels from its window's corner, so a line leaving a tile of this size
// keeps its true direction for 4,000 pixels beyond it, some thirty boxes'
// widths at full size; every tile walks the whole tree, so they are made
// as large as that allows.
constexpr int64_t kTileTarget = 16000;

// A tile's side in tree units: a whole number of units that is also a
// whole number of pixels at the scale, so that every tile's pixels meet
// their neighbours' exactly.
int64_t tileUnits(int scalePercent) {
    const int64_t step = 100 / std::gcd(scalePercent, 100);
    const int64_t units = kTileTarget * 100 / scalePercent;
    return std::max(step, units / step * step);
}

}  // namespace

std::optional<TreeImageGeometry> treeImageGeometry(const PersonList& persons,
                                                   const TreeImageRequest& request) {
    const std::optional<PrintBounds> bounds = printBounds(persons, request.selectedOnly);
    if (!bounds) return std::nullopt;
    TreeImageGeometry g;
    g.view.zoomPercent = request.scalePercent;
    g.view.colourCode = request.colourCode;
    g.view.scrollX = static_cast<int32_t>(kTreeImageMargin - bounds->minX);
    g.view.scrollY = static_cast<int32_t>(kTreeImageMargin - bounds->minY);
    g.width = scaledLength(g.view, static_cast<double>(bounds->width() + 2 * kTreeImageMargin));
    g.height = scaledLength(g.view, static_cast<double>(bounds->height() + 2 * kTreeImageMargin));
    return g;
}

TreeImageSource::TreeImageSource(PersonList& list, bool selectedOnly) : list_(list) {
    if (!selectedOnly) {
        current_ = list.currentPerson();
        selection_ = list.selection();
        list.clearSelection();
        list.setCurrentPerson(nullptr);
        return;
    }
    copy_ = std::make_unique<PersonList>();
    std::unordered_map<const PersonRecord*, const PersonRecord*> copyOf;
    for (const PersonRecord* p : list.selection()) {
        auto record = std::make_unique<PersonRecord>(*p);
        record->nextPerson = nullptr;
        record->previousPerson = nullptr;
        record->setSelected(false);
        copyOf[p] = record.get();
        copy_->appendLoaded(std::move(record));
    }
    // Links to persons left out of the picture are dropped with them.
    auto mapped = [&](const PersonRecord* to) -> const PersonRecord* {
        const auto at = copyOf.find(to);
        return at == copyOf.end() ? nullptr : at->second;
    };
    for (const auto& [original, copy] : copyOf) {
        PersonRecord* r = copy_->edit(copy);
        r->mother = mapped(original->mother);
        r->father = mapped(original->father);
        for (int slot = 1; slot <= kRelationSlots; ++slot)
            r->partner[slot] = mapped(original->partner[slot]);
    }
    copy_->setCurrentPerson(nullptr);
}

TreeImageSource::~TreeImageSource() {
    if (copy_) return;
    list_.setSelection(selection_);
    list_.setCurrentPerson(current_);
}

bool paintTreeImage(QPainter& painter, TreeImageTarget target, const PersonList& persons,
                    const TreeImageGeometry& geometry, const TreeImageRequest& request,
                    const RecordCodec& codec, const TreeImageProgress& progress) {
    const int64_t units = tileUnits(request.scalePercent);
    const int64_t tile = units * request.scalePercent / 100;
    const int64_t across = (geometry.width + tile - 1) / tile;
    const int64_t down = (geometry.height + tile - 1) / tile;

    // The tiles a box reaches into, edge included.
    std::vector<bool> used(static_cast<size_t>(across * down), false);
    int total = 0;
    forEachPerson(persons, [&](const PersonRecord* p) {
        const BoxRect box = boxRect(geometry.view, p->posX(), p->posY());
        const int64_t x0 = std::clamp<int64_t>(box.left / tile, 0, across - 1);
        const int64_t x1 = std::clamp<int64_t>(box.right / tile, 0, across - 1);
        const int64_t y0 = std::clamp<int64_t>(box.top / tile, 0, down - 1);
        const int64_t y1 = std::clamp<int64_t>(box.bottom / tile, 0, down - 1);
        for (int64_t y = y0; y <= y1; ++y) {
            for (int64_t x = x0; x <= x1; ++x) {
                const size_t at = static_cast<size_t>(y * across + x);
                if (!used[at]) ++total;
                used[at] = true;
            }
        }
    });

    const QSize whole(int(geometry.width), int(geometry.height));
    int done = 0;
    if (progress && !progress(done, total)) return false;
    // A picture of one tile is painted as the canvas paints a window.
    if (across == 1 && down == 1 && target == TreeImageTarget::Raster) {
        paintTree(painter, whole, persons, geometry.view, request.paint, codec);
        return !progress || progress(1, 1);
    }
    // The background of the whole picture at once, by painting an empty
    // tree: tiles without boxes are then already done.
    const PersonList nobody;
    paintTree(painter, whole, nobody, geometry.view, request.paint, codec);
    for (int64_t y = 0; y < down; ++y) {
        for (int64_t x = 0; x < across; ++x) {
            if (!used[static_cast<size_t>(y * across + x)]) continue;
            ViewState view = geometry.view;
            view.scrollX = static_cast<int32_t>(view.scrollX - x * units);
            view.scrollY = static_cast<int32_t>(view.scrollY - y * units);
            const QSize window(int(std::min(tile, geometry.width - x * tile)),
                               int(std::min(tile, geometry.height - y * tile)));
            const QPoint corner(int(x * tile), int(y * tile));
            if (target == TreeImageTarget::Raster) {
                // Painted apart and copied in: nothing of a box reaching
                // over the tile's edge is painted over its neighbour.
                QImage image(window, QImage::Format_RGB32);
                if (image.isNull()) return false;
                {
                    QPainter tilePainter(&image);
                    paintTree(tilePainter, window, persons, view, request.paint, codec);
                }
                painter.drawImage(corner, image);
            } else {
                TileDevice device(painter, QRect(corner, window));
                QPainter tilePainter(&device);
                paintTree(tilePainter, window, persons, view, request.paint, codec);
            }
            ++done;
            if (progress && !progress(done, total)) return false;
        }
    }
    return true;
}

}  // namespace lineara
