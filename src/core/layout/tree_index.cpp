#include "core/layout/tree_index.h"

#include <algorithm>
#include <functional>

namespace lineara {

TreeIndex::TreeIndex(const PersonList& list) {
    records_.reserve(list.count());
    forEachPerson(list, [this](const PersonRecord* r) { records_.push_back(r); });
    byAddress_.reserve(records_.size());
    for (size_t i = 0; i < records_.size(); ++i) {
        byAddress_.emplace_back(records_[i], static_cast<int32_t>(i));
    }
    std::sort(byAddress_.begin(), byAddress_.end(), [](const auto& a, const auto& b) {
        return std::less<const PersonRecord*>()(a.first, b.first);
    });
    links_.resize(records_.size());
    for (size_t i = 0; i < records_.size(); ++i) {
        const PersonRecord* r = records_[i];
        Links& l = links_[i];
        l.father = indexOf(r->father);
        l.mother = indexOf(r->mother);
        for (int slot = 1; slot <= kRelationSlots; ++slot) {
            l.partners[slotIndex(slot) - 1] = indexOf(r->partner[slot]);
        }
        l.aliasBox = r->isAliasBox();
    }
}

int32_t TreeIndex::indexOf(const PersonRecord* record) const {
    if (record == nullptr) return kNone;
    auto it = std::lower_bound(byAddress_.begin(), byAddress_.end(), record,
                               [](const auto& entry, const PersonRecord* r) {
                                   return std::less<const PersonRecord*>()(entry.first, r);
                               });
    return it != byAddress_.end() && it->first == record ? it->second : kNone;
}

AncestorHeights::AncestorHeights(const TreeIndex& tree)
    : tree_(tree), height_(tree.size(), kUnknown) {}

int AncestorHeights::of(int32_t person) {
    if (person == TreeIndex::kNone) return 0;
    if (height_[size_t(person)] != kUnknown) return height_[size_t(person)];

    // Depth first up the parent links with a stack of our own: a chain of
    // a hundred thousand generations must not exhaust the call stack.
    std::vector<Frame>& stack = stack_;
    auto enter = [&](int32_t p) {
        height_[size_t(p)] = kOnPath;
        stack.push_back(Frame{p, tree_.isAliasBox(p) ? 2 : 0, 0});
    };
    enter(person);
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.nextParent < 2) {
            int32_t parent =
                top.nextParent == 0 ? tree_.father(top.person) : tree_.mother(top.person);
            ++top.nextParent;
            if (parent == TreeIndex::kNone) continue;
            uint8_t known = height_[size_t(parent)];
            if (known == kUnknown) {
                enter(parent);
            } else {
                // A parent still on the path is the person's own descendant:
                // the chain runs in a circle and never ends.
                top.highest = std::max(top.highest, known == kOnPath ? kCap : int(known));
            }
            continue;
        }
        int h = std::min(kCap, top.highest + 1);
        height_[size_t(top.person)] = static_cast<uint8_t>(h);
        stack.pop_back();
        if (!stack.empty()) stack.back().highest = std::max(stack.back().highest, h);
    }
    return height_[size_t(person)];
}

}  // namespace lineara
