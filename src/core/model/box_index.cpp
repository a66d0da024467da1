#include "core/model/box_index.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "core/model/person_list.h"

namespace lineara {

namespace {

// List order is kept as numbers with room between them, so a record put
// back in the middle of the list usually finds a number of its own; when
// it does not, the whole list is numbered again at the next question.
constexpr int64_t kOrderStep = int64_t{1} << 20;

int64_t floorDiv(int64_t v, int64_t d) {
    int64_t q = v / d;
    return (v % d != 0 && (v < 0) != (d < 0)) ? q - 1 : q;
}

void eraseOne(std::vector<const PersonRecord*>& v, const PersonRecord* r) {
    auto it = std::find(v.begin(), v.end(), r);
    if (it == v.end()) return;
    *it = v.back();
    v.pop_back();
}

}  // namespace

int64_t BoxIndex::cellKey(int64_t x, int64_t y) {
    const int64_t cx = floorDiv(x, kCellSize), cy = floorDiv(y, kCellSize);
    return int64_t(uint64_t(cx) << 32 | uint64_t(uint32_t(cy)));
}

void BoxIndex::markDirty(const PersonRecord* record, Slot& slot) const {
    if (slot.dirty) return;
    slot.dirty = true;
    dirty_.push_back(record);
}

void BoxIndex::changed(const PersonRecord* record) {
    if (!built_) return;
    auto it = slots_.find(record);
    // A record out of the list (being made, or kept by the history) is
    // not indexed; it is read when it is linked.
    if (it != slots_.end()) markDirty(record, it->second);
}

void BoxIndex::placed(const PersonRecord* record) {
    if (!built_) return;
    Slot& slot = slots_[record];
    markDirty(record, slot);
    if (orderStale_) return;
    const PersonRecord* previous = record->previousPerson;
    const PersonRecord* next = record->nextPerson;
    auto orderOf = [this](const PersonRecord* r, int64_t& order) {
        auto it = slots_.find(r);
        if (it == slots_.end()) return false;
        order = it->second.order;
        return true;
    };
    int64_t before = 0, after = 0;
    const bool hasBefore = previous != nullptr && orderOf(previous, before);
    const bool hasAfter = next != nullptr && orderOf(next, after);
    if ((previous != nullptr && !hasBefore) || (next != nullptr && !hasAfter)) {
        orderStale_ = true;
    } else if (hasBefore && hasAfter) {
        if (after - before < 2) {
            orderStale_ = true;
        } else {
            slot.order = before + (after - before) / 2;
        }
    } else if (hasBefore) {
        slot.order = before + kOrderStep;
    } else if (hasAfter) {
        slot.order = after - kOrderStep;
    } else {
        slot.order = 0;
    }
}

void BoxIndex::unlinked(const PersonRecord* record) {
    if (!built_) return;
    auto it = slots_.find(record);
    if (it == slots_.end()) return;
    // Only the index's own copies are read here: the record itself may be
    // freed before the index hears anything more.
    leaveCell(record, it->second);
    dropLinks(record, it->second);
    if (it->second.person) --personCount_;
    slots_.erase(it);
    // A dirty entry left in dirty_ is passed over when no slot has it.
}

void BoxIndex::reset() {
    resetBounds();
    built_ = false;
    orderStale_ = false;
    personCount_ = 0;
    slots_.clear();
    cells_.clear();
    inbound_.clear();
    dirty_.clear();
}

void BoxIndex::resetBounds() const {
    cellsLeft_ = cellsTop_ = INT64_MAX;
    cellsRight_ = cellsBottom_ = INT64_MIN;
}

void BoxIndex::leaveCell(const PersonRecord* record, Slot& slot) const {
    if (!slot.indexed) return;
    slot.indexed = false;
    auto cell = cells_.find(slot.cell);
    if (cell == cells_.end()) return;
    eraseOne(cell->second, record);
    if (cell->second.empty()) cells_.erase(cell);
}

void BoxIndex::dropLinks(const PersonRecord* record, Slot& slot) const {
    for (const PersonRecord*& target : slot.out) {
        if (target == nullptr) continue;
        auto it = inbound_.find(target);
        if (it != inbound_.end()) {
            eraseOne(it->second, record);
            if (it->second.empty()) inbound_.erase(it);
        }
        target = nullptr;
    }
}

void BoxIndex::refresh(const PersonRecord* record, Slot& slot) const {
    slot.dirty = false;
    const int64_t key = cellKey(record->posX(), record->posY());
    if (!slot.indexed || slot.cell != key) {
        leaveCell(record, slot);
        slot.cell = key;
        cells_[key].push_back(record);
        const int64_t cx = key >> 32, cy = int32_t(uint32_t(uint64_t(key)));
        cellsLeft_ = std::min(cellsLeft_, cx);
        cellsRight_ = std::max(cellsRight_, cx);
        cellsTop_ = std::min(cellsTop_, cy);
        cellsBottom_ = std::max(cellsBottom_, cy);
        slot.indexed = true;
    }
    std::array<const PersonRecord*, kRelationSlots + 2> out{};
    out[0] = record->mother;
    out[1] = record->father;
    for (int i = 1; i <= kRelationSlots; ++i) out[size_t(1 + i)] = record->partner[i];
    if (out != slot.out) {
        dropLinks(record, slot);
        slot.out = out;
        for (const PersonRecord* target : out) {
            if (target != nullptr) inbound_[target].push_back(record);
        }
    }
    const bool person = countsAsPersonBox(*record);
    if (person != slot.person) {
        slot.person = person;
        if (person) {
            ++personCount_;
        } else {
            --personCount_;
        }
    }
}

void BoxIndex::build() const {
    resetBounds();
    slots_.clear();
    cells_.clear();
    inbound_.clear();
    dirty_.clear();
    personCount_ = 0;
    slots_.reserve(list_.count());
    int64_t order = 0;
    for (const PersonRecord* r = list_.personListHead(); r != nullptr; r = r->nextPerson) {
        slots_[r].order = order;
        order += kOrderStep;
    }
    // Orders first: the slots must not move while they are read.
    for (auto& [record, slot] : slots_) refresh(record, slot);
    built_ = true;
    orderStale_ = false;
}

void BoxIndex::renumber() const {
    int64_t order = 0;
    for (const PersonRecord* r = list_.personListHead(); r != nullptr; r = r->nextPerson) {
        auto it = slots_.find(r);
        if (it != slots_.end()) it->second.order = order;
        order += kOrderStep;
    }
    orderStale_ = false;
}

void BoxIndex::ensureCurrent() const {
    // After a change of most of the tree (an arrangement) reading it all
    // again costs no more than catching up record by record.
    if (!built_ || dirty_.size() > list_.count() / 2) {
        build();
        return;
    }
    for (const PersonRecord* r : dirty_) {
        auto it = slots_.find(r);
        if (it != slots_.end() && it->second.dirty) refresh(r, it->second);
    }
    dirty_.clear();
    if (orderStale_) renumber();
}

bool BoxIndex::query(const TreeArea& area, bool withLinking, size_t limit,
                     std::vector<const PersonRecord*>& out) const {
    ensureCurrent();
    out.clear();
    if (area.right < area.left || area.bottom < area.top) return true;
    // A box at (x, y) covers [x, x + width] × [y, y + height].
    const int64_t minX = area.left - kBoxWidth, maxX = area.right;
    const int64_t minY = area.top - kBoxHeight, maxY = area.bottom;
    const int64_t cx0 = floorDiv(minX, kCellSize), cx1 = floorDiv(maxX, kCellSize);
    const int64_t cy0 = floorDiv(minY, kCellSize), cy1 = floorDiv(maxY, kCellSize);
    std::vector<std::pair<int64_t, const PersonRecord*>> found;
    auto take = [&](const std::vector<const PersonRecord*>& cell) {
        for (const PersonRecord* r : cell) {
            const int64_t x = r->posX(), y = r->posY();
            if (x < minX || x > maxX || y < minY || y > maxY) continue;
            const Slot& slot = slots_.find(r)->second;
            found.emplace_back(slot.order, r);
            if (!withLinking) continue;
            auto linked = inbound_.find(r);
            if (linked == inbound_.end()) continue;
            for (const PersonRecord* from : linked->second) {
                auto linking = slots_.find(from);
                if (linking != slots_.end()) found.emplace_back(linking->second.order, from);
            }
        }
    };
    // An area around every filled cell holds every box.
    if (cx0 <= cellsLeft_ && cx1 >= cellsRight_ && cy0 <= cellsTop_ && cy1 >= cellsBottom_ &&
        slots_.size() > limit) {
        return false;
    }
    // The cells in range, gathered first: their sizes tell whether the
    // answer would be too large before any record is read.
    thread_local std::vector<const std::vector<const PersonRecord*>*> inRange;
    inRange.clear();
    size_t boxes = 0;
    auto consider = [&](const std::vector<const PersonRecord*>& cell) {
        inRange.push_back(&cell);
        boxes += cell.size();
    };
    const double cellCount = double(cx1 - cx0 + 1) * double(cy1 - cy0 + 1);
    if (cellCount > double(cells_.size())) {
        // An area over most of the tree: fewer cells are filled than
        // covered.
        for (const auto& [key, cell] : cells_) {
            const int64_t cx = key >> 32, cy = int32_t(uint32_t(uint64_t(key)));
            if (cx >= cx0 && cx <= cx1 && cy >= cy0 && cy <= cy1) consider(cell);
        }
    } else {
        for (int64_t cx = cx0; cx <= cx1; ++cx) {
            for (int64_t cy = cy0; cy <= cy1; ++cy) {
                auto it = cells_.find(int64_t(uint64_t(cx) << 32 | uint64_t(uint32_t(cy))));
                if (it != cells_.end()) consider(it->second);
            }
        }
    }
    if (boxes > limit) return false;
    for (const auto* cell : inRange) {
        take(*cell);
        if (found.size() > limit) return false;
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    out.reserve(found.size());
    for (const auto& f : found) out.push_back(f.second);
    return true;
}

size_t BoxIndex::personCount() const {
    ensureCurrent();
    return personCount_;
}

}  // namespace lineara
