#include "render/painter/tree_painter.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "core/view/view_math.h"
#include "render/painter/box_painter.h"
#include "render/painter/line_painter.h"

namespace lineara {

namespace {

constexpr QRgb kBackground = 0xFF6699CC;    // (102, 153, 204)
constexpr QRgb kRelationLine = 0xFF800080;  // purple, dotted
constexpr QRgb kFatherLine = 0xFF000080;    // navy
constexpr QRgb kMotherLine = 0xFF800000;    // maroon

// A parent line leaves the child and reaches the parent through short
// vertical stubs of this many tree units.
constexpr int kParentStub = 15;

QPoint clamped(const PixelPoint& p) { return QPoint(clampPixel(p.x), clampPixel(p.y)); }

// The window's size, for the visibility tests.
struct Window {
    int width;
    int height;
    bool inside(QPoint p) const { return insideWindow(p.x(), p.y(), width, height); }
};

// What one paint has to draw, gathered in a single walk over the list and
// then drawn in the tree's drawing order: relationship lines, parent lines,
// boxes. A big tree is much larger than the processor's caches, so reading
// every record once instead of once per kind of item is most of the speed
// of a paint; the lists hold only what is visible.
struct RelationLine {
    QPoint from, to;
};
struct ParentLine {
    QPoint a, b;
    bool mother;
};
struct VisibleBox {
    const PersonRecord* person;
    BoxRect box;
    QRgb fill;
};
struct PaintLists {
    std::vector<RelationLine> relations;
    std::vector<ParentLine> parents;
    std::vector<VisibleBox> boxes;
};

// Kept between paints so that painting does not allocate once the lists
// have grown to the tree's needs.
PaintLists& emptyLists() {
    thread_local PaintLists lists;
    lists.relations.clear();
    lists.parents.clear();
    lists.boxes.clear();
    return lists;
}

// Following the list one record at a time waits on memory at every step,
// and more so for the partners and parents each record leads to, which lie
// anywhere in a tree far bigger than the processor's caches. So a second
// pointer runs a few records ahead of the walk and asks for the parts of
// the records it passes, and of their partners and parents, that the walk
// is about to read.
constexpr int kLookAhead = 8;

void prefetchPosition(const PersonRecord* r) {
    __builtin_prefetch(r->image().data() + offset::posX);
}

void prefetchLinked(const PersonRecord* r) {
    __builtin_prefetch(r->image().data() + field::aliasMark.offset);
    for (int slot = 1; slot <= kRelationSlots; ++slot) {
        if (r->partner[slot] != nullptr) prefetchPosition(r->partner[slot]);
    }
    if (r->father != nullptr) prefetchPosition(r->father);
    if (r->mother != nullptr) prefetchPosition(r->mother);
}

class LookAhead {
public:
    explicit LookAhead(const PersonRecord* head) : ahead_(head) {
        for (int i = 0; i < kLookAhead && ahead_ != nullptr; ++i) ahead_ = ahead_->nextPerson;
    }
    void step() {
        if (ahead_ == nullptr) return;
        prefetchLinked(ahead_);
        ahead_ = ahead_->nextPerson;
        if (ahead_ != nullptr) prefetchPosition(ahead_);
    }

private:
    const PersonRecord* ahead_;
};

class Collector {
public:
    Collector(const ViewState& view, Window window, const PersonList& persons,
              ColourCode colourCode, bool dragging, PaintLists& lists)
        : view_(view),
          window_(window),
          colourCode_(colourCode),
          dragged_(dragging ? persons.currentPerson() : nullptr),
          lists_(lists) {}

    void collect(const PersonRecord& r) {
        collectRelationLines(r);
        collectParentLines(r);
        collectBox(r);
    }
    const PaintCounts& counts() const { return counts_; }

private:
    QPoint pixel(int64_t treeX, int64_t treeY) const {
        return clamped(treeToPixel(view_, treeX, treeY));
    }
    QPoint centre(const PersonRecord& r) const {
        return pixel(int64_t(r.posX()) + kBoxWidth / 2, int64_t(r.posY()) + kBoxHeight / 2);
    }

    // Relationship lines join box centres. A pair is normally stored on
    // both persons; it is drawn only from the one with the lower id, so
    // once. (A partner link cannot dangle here: removing a person clears
    // every link to it, so there is no broken record to stumble on.)
    void collectRelationLines(const PersonRecord& p) {
        std::optional<QPoint> from;
        for (int slot = 1; slot <= kRelationSlots; ++slot) {
            const PersonRecord* q = p.partner[slot];
            if (q == nullptr) continue;
            if (!from) from = centre(p);
            QPoint to = centre(*q);
            // A line with both ends outside is left out even if it crosses
            // the window. Tested before the ids: most lines are outside,
            // and the partner's id is one more read from far away.
            if (!window_.inside(*from) && !window_.inside(to)) continue;
            if (q->personId() > p.personId()) lists_.relations.push_back({*from, to});
        }
    }

    void collectParentLines(const PersonRecord& c) {
        if (c.father == nullptr && c.mother == nullptr) return;
        // An alias box's `father` is the person it stands for, not a parent.
        if (c.isAliasBox()) return;
        QPoint a = pixel(int64_t(c.posX()) + kBoxWidth / 2, c.posY());
        if (c.father != nullptr) collectParentLine(a, *c.father, false);
        if (c.mother != nullptr) collectParentLine(a, *c.mother, true);
    }

    // From the middle of the child's top edge to the middle of the parent's
    // bottom edge.
    void collectParentLine(QPoint a, const PersonRecord& parent, bool mother) {
        QPoint b =
            pixel(int64_t(parent.posX()) + kBoxWidth / 2, int64_t(parent.posY()) + kBoxHeight);
        if (window_.inside(a) || window_.inside(b)) lists_.parents.push_back({a, b, mother});
    }

    void collectBox(const PersonRecord& r) {
        // The dragged box is drawn by the drag feedback instead.
        if (&r == dragged_) return;
        ++counts_.itemCount;
        if (countsAsPerson(r)) ++counts_.personCount;
        BoxRect box = boxRect(view_, r.posX(), r.posY());
        if (!box.visibleIn(window_.width, window_.height)) return;
        lists_.boxes.push_back({&r, box, boxFill(r, colourCode_)});
    }

    const ViewState& view_;
    Window window_;
    ColourCode colourCode_;
    const PersonRecord* dragged_;
    PaintLists& lists_;
    PaintCounts counts_;
};

// The records that can draw on a window of `window` pixels, or null when
// the window shows so much of the tree that walking the list is cheaper.
const std::vector<const PersonRecord*>* recordsNear(const PersonList& persons,
                                                    const ViewState& view, QSize window,
                                                    const PaintSettings& settings,
                                                    bool withLinking = true) {
    if (settings.walkWholeList) return nullptr;
    TreeArea area;
    if (!windowArea(view, window.width(), window.height(), area)) return nullptr;
    thread_local std::vector<const PersonRecord*> near;
    // Sorting a third of the tree into list order already costs as much as
    // reading all of it in that order.
    if (!persons.boxIndex().query(area, withLinking, persons.count() / 3, near)) return nullptr;
    return &near;
}

// What the navigator shows, without visiting every record: the list knows
// how many it holds and the index how many of them are persons.
PaintCounts countsOf(const PersonList& persons, bool dragging) {
    PaintCounts counts;
    counts.itemCount = int(persons.count());
    counts.personCount = int(persons.boxIndex().personCount());
    const PersonRecord* dragged = dragging ? persons.currentPerson() : nullptr;
    if (dragged != nullptr) {
        --counts.itemCount;
        if (countsAsPerson(*dragged)) --counts.personCount;
    }
    return counts;
}

void drawRelationLines(QPainter& painter, DirectPixels* direct, QSize window,
                       const PaintLists& lists) {
    const QColor purple(kRelationLine);
    for (const RelationLine& line : lists.relations) {
        drawLineTo(painter, direct, line.from, line.to, purple, kDottedLine, window);
    }
}

// Up a stub from the child, across to just below the parent, and up into
// the parent. Father and mother lines share the stub; the mother's is
// drawn after the father's.
void drawParentLines(QPainter& painter, DirectPixels* direct, QSize window, const PaintLists& lists,
                     int stub) {
    const QColor navy(kFatherLine), maroon(kMotherLine);
    for (const ParentLine& line : lists.parents) {
        const QPoint points[] = {line.a, QPoint(line.a.x(), clampPixel(int64_t(line.a.y()) - stub)),
                                 QPoint(line.b.x(), clampPixel(int64_t(line.b.y()) + stub)),
                                 line.b};
        drawPolyline(painter, direct, points, 4, line.mother ? maroon : navy, window);
    }
}

void invertRect(QPainter& painter, const BoxRect& box) {
    const QPaintDevice* device = painter.device();
    if (device != nullptr && !box.visibleIn(device->width(), device->height())) return;
    if (box.right <= box.left || box.bottom <= box.top) return;
    // Clamped to just outside the device, so the rectangle stays in int.
    const int64_t limit =
        device != nullptr ? std::max(device->width(), device->height()) + 1 : 1 << 24;
    auto c = [limit](int64_t v) { return int(std::clamp<int64_t>(v, -1, limit)); };
    painter.fillRect(
        QRect(QPoint(c(box.left), c(box.top)), QPoint(c(box.right) - 1, c(box.bottom) - 1)),
        Qt::white);
}

// Raster operations for inverting; the caller's state is left as it was.
class InvertMode {
public:
    explicit InvertMode(QPainter& painter) : painter_(painter), old_(painter.compositionMode()) {
        painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    }
    ~InvertMode() { painter_.setCompositionMode(old_); }
    InvertMode(const InvertMode&) = delete;
    InvertMode& operator=(const InvertMode&) = delete;

private:
    QPainter& painter_;
    QPainter::CompositionMode old_;
};

}  // namespace

PaintCounts paintTree(QPainter& painter, QSize window, const PersonList& persons,
                      const ViewState& view, const PaintSettings& settings,
                      const RecordCodec& codec) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setClipping(false);
    painter.fillRect(QRect(QPoint(0, 0), window), QColor(kBackground));

    PaintLists& lists = emptyLists();
    Collector collector(view, Window{window.width(), window.height()}, persons, view.colourCode,
                        settings.dragging, lists);
    PaintCounts counts;
    if (const std::vector<const PersonRecord*>* near =
            recordsNear(persons, view, window, settings)) {
        // Only the boxes near the window and those linked to them can put
        // anything on it; the index hands them out in list order, so they
        // are drawn just as a walk of the whole list would draw them.
        for (const PersonRecord* r : *near) collector.collect(*r);
        counts = countsOf(persons, settings.dragging);
    } else {
        LookAhead ahead(persons.personListHead());
        for (const PersonRecord* r = persons.personListHead(); r != nullptr; r = r->nextPerson) {
            ahead.step();
            collector.collect(*r);
        }
        counts = collector.counts();
    }
    std::optional<DirectPixels> direct;
    if (!settings.throughPainterOnly) direct = DirectPixels::of(painter);
    DirectPixels* pixels = direct ? &*direct : nullptr;
    drawRelationLines(painter, pixels, window, lists);
    drawParentLines(painter, pixels, window, lists, clampPixel(scaledLength(view, kParentStub)));
    BoxPainter boxes(painter, pixels, window, view, settings, codec);
    for (const VisibleBox& b : lists.boxes) boxes.paint(*b.person, b.box, b.fill);

    // A multi-selection replaces the highlight of the current person.
    if (!persons.selection().empty()) {
        paintSelected(painter, persons, view);
    } else if (const PersonRecord* current = persons.currentPerson()) {
        invertBox(painter, *current, view);
    }
    painter.restore();
    return counts;
}

void paintSelected(QPainter& painter, const PersonList& persons, const ViewState& view) {
    InvertMode invert(painter);
    for (const PersonRecord* r : persons.selection()) {
        invertRect(painter, boxRect(view, r->posX(), r->posY()));
    }
}

void invertBox(QPainter& painter, const PersonRecord& person, const ViewState& view) {
    InvertMode invert(painter);
    invertRect(painter, boxRect(view, person.posX(), person.posY()));
}

void paintPanPicture(QPainter& painter, QSize window, const PersonList& persons,
                     const ViewState& view) {
    painter.fillRect(QRect(QPoint(0, 0), window), QColor(kBackground));
    const int64_t limit = std::max(window.width(), window.height()) + 1;
    auto c = [limit](int64_t v) { return int(std::clamp<int64_t>(v, -1, limit)); };
    auto paint = [&](const PersonRecord* r) {
        const BoxRect box = boxRect(view, r->posX(), r->posY());
        if (!box.visibleIn(window.width(), window.height())) return;
        painter.fillRect(
            QRect(QPoint(c(box.left), c(box.top)), QPoint(c(box.right) - 1, c(box.bottom) - 1)),
            Qt::white);
    };
    if (const auto* near = recordsNear(persons, view, window, PaintSettings(), false)) {
        for (const PersonRecord* r : *near) paint(r);
    } else {
        forEachPerson(persons, paint);
    }
}

}  // namespace lineara
