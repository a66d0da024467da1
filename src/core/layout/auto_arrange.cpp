#include "core/layout/auto_arrange.h"

#include "core/platform/translatable.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <vector>

#include "core/history/step_names.h"
#include "core/layout/ancestor_walk.h"
#include "core/layout/centre_rows.h"
#include "core/layout/tree_index.h"

namespace lineara {

const char kMsgNothingToArrange[] = LINEARA_TRANSLATABLE("Core", "Nie ma co przestawic.");
// The arrangement is one undo step like any other change, and the question
// says so.
const char kAskAutoArrange[] = LINEARA_TRANSLATABLE(
    "Core",
    "Ta operacja kompletnie przestawi wszystkie Twoje pozycje. Możesz ją cofnąć (Ctrl+Z). "
    "Na pewno chcesz to zrobić?");

namespace {

constexpr int64_t kColumnStep = 160;  // a box and a gap of 20
constexpr int64_t kRowStep = 500;
constexpr int kLevelBound = 999;

int32_t clampToInt32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

// For every person, the records that name it as their father, mother or
// partner, in the order in which the arrangement visits the list, each
// record once with the ways it names the person. Looking these up is what
// would otherwise cost a scan of the whole list for every box placed.
class Relatives {
public:
    struct Entry {
        int32_t person;
        bool child;    // names the person as father or mother
        bool partner;  // in one of its partner slots
    };

    Relatives(const TreeIndex& tree, const std::vector<int32_t>& order)
        : begin_(tree.size() + 1, 0) {
        // Counted first, then filled, so each person's entries are one run.
        for (int32_t s : order)
            forTargets(tree, s, [this](int32_t t, Entry) { ++begin_[size_t(t) + 1]; });
        for (size_t i = 1; i < begin_.size(); ++i) begin_[i] += begin_[i - 1];
        entries_.resize(begin_.back());
        std::vector<uint32_t> fill(begin_.begin(), begin_.end() - 1);
        for (int32_t s : order) {
            forTargets(tree, s, [&](int32_t t, Entry e) { entries_[fill[size_t(t)]++] = e; });
        }
    }

    uint32_t begin(int32_t person) const { return begin_[size_t(person)]; }
    uint32_t end(int32_t person) const { return begin_[size_t(person) + 1]; }
    const Entry& entry(uint32_t at) const { return entries_[at]; }

private:
    // Calls fn(target, entry) once for every distinct person `s` names.
    template <typename Fn>
    static void forTargets(const TreeIndex& tree, int32_t s, Fn&& fn) {
        std::array<std::pair<int32_t, Entry>, kRelationSlots + 2> named;
        size_t count = 0;
        auto note = [&](int32_t target, bool child) {
            if (target == TreeIndex::kNone) return;
            for (size_t k = 0; k < count; ++k) {
                if (named[k].first != target) continue;
                (child ? named[k].second.child : named[k].second.partner) = true;
                return;
            }
            named[count++] = {target, Entry{s, child, !child}};
        };
        note(tree.father(s), true);
        note(tree.mother(s), true);
        for (int slot = 1; slot <= kRelationSlots; ++slot) note(tree.partner(s, slot), false);
        for (size_t k = 0; k < count; ++k) fn(named[k].first, named[k].second);
    }

    std::vector<uint32_t> begin_;
    std::vector<Entry> entries_;
};

// Places boxes depth first with a stack of its own, so that a tree of any
// depth (a chain of partners or generations a hundred thousand long) does
// not exhaust the call stack. The visiting order is that of the plain
// recursion: each frame goes through the relatives that name its person,
// then the person's partner slots, then the father, then the mother.
class Placement {
public:
    Placement(const TreeIndex& tree, const Relatives& relatives, int64_t frontierStart)
        : tree_(tree), relatives_(relatives), placed_(tree.size(), 0) {
        frontier_.fill(frontierStart);
        posX.resize(tree.size());
        posY.resize(tree.size());
        for (size_t i = 0; i < tree.size(); ++i) {
            posX[i] = tree.record(int32_t(i))->posX();
            posY[i] = tree.record(int32_t(i))->posY();
        }
    }

    // One box of the list and all its relatives not placed yet.
    void placeGroup(int32_t person) {
        place(person, posX[size_t(person)], posY[size_t(person)], 0);
        while (!stack_.empty()) step();
    }

    std::vector<int32_t> posX, posY;

private:
    enum Stage : uint8_t { NamedBy, PartnerSlots, Father, Mother, Done };
    struct Frame {
        int32_t person;
        int32_t level;
        int64_t x, y;
        uint32_t cursor;  // in the relatives, then the partner slot
        Stage stage;
    };

    // Puts a box in place and opens its frame; false when it is placed
    // already or its level is out of bounds.
    bool place(int32_t p, int64_t x, int64_t y, int level) {
        if (p == TreeIndex::kNone || placed_[size_t(p)] || level > kLevelBound ||
            level < -kLevelBound) {
            return false;
        }
        int64_t& frontier = frontier_[size_t(level + kLevelBound + 1)];
        x = std::max(x, frontier);
        frontier = x + kColumnStep;
        posX[size_t(p)] = clampToInt32(x);
        posY[size_t(p)] = clampToInt32(y);
        placed_[size_t(p)] = 1;
        stack_.push_back(Frame{p, level, x, y, relatives_.begin(p), NamedBy});
        return true;
    }

    // Makes the top frame's next call. `f` is copied: a call pushes.
    void step() {
        Frame& top = stack_.back();
        const Frame f = top;
        switch (f.stage) {
        case NamedBy: {
            if (f.cursor == relatives_.end(f.person)) {
                top.stage = PartnerSlots;
                top.cursor = 1;
                return;
            }
            ++top.cursor;
            const Relatives::Entry& e = relatives_.entry(f.cursor);
            // A child goes one row lower; when it cannot (placed, or too
            // many levels down), the record may still be a partner.
            if (e.child && place(e.person, f.x, f.y + kRowStep, f.level - 1)) return;
            if (e.partner) place(e.person, f.x, f.y, f.level);
            return;
        }
        case PartnerSlots:
            if (f.cursor > uint32_t(kRelationSlots)) {
                top.stage = Father;
                return;
            }
            ++top.cursor;
            place(tree_.partner(f.person, int(f.cursor)), f.x, f.y, f.level);
            return;
        case Father:
            top.stage = Mother;
            place(tree_.father(f.person), f.x - kColumnStep, f.y - kRowStep, f.level + 1);
            return;
        case Mother:
            top.stage = Done;
            place(tree_.mother(f.person), f.x + kColumnStep, f.y - kRowStep, f.level + 1);
            return;
        case Done:
            stack_.pop_back();
            return;
        }
    }

    const TreeIndex& tree_;
    const Relatives& relatives_;
    std::vector<uint8_t> placed_;
    std::array<int64_t, 2 * kLevelBound + 3> frontier_;  // levels -1000 .. 1000
    std::vector<Frame> stack_;
};

// The first record with the most generations of ancestors.
int32_t chooseRoot(const TreeIndex& tree) {
    AncestorHeights heights(tree);
    int32_t root = 0;
    int best = 0;
    for (size_t i = 0; i < tree.size(); ++i) {
        int depth = std::min(heights.of(int32_t(i)), AncestorTable::kDepthLimit + 1);
        if (depth > best) {
            best = depth;
            root = int32_t(i);
        }
    }
    return root;
}

}  // namespace

void autoArrangeOnList(TreeEdit& list) {
    if (list.empty()) return;
    const TreeIndex tree(list);
    const int32_t root = chooseRoot(tree);

    // The list as it will be once the root is the home person.
    std::vector<int32_t> order;
    order.reserve(tree.size());
    order.push_back(root);
    for (size_t i = 0; i < tree.size(); ++i) {
        if (int32_t(i) != root) order.push_back(int32_t(i));
    }
    const Relatives relatives(tree, order);
    Placement placement(tree, relatives, int64_t{tree.record(root)->posX()} + kColumnStep);
    for (int32_t q : order) placement.placeGroup(q);

    std::vector<uint8_t> hasParent(tree.size());
    for (size_t i = 0; i < tree.size(); ++i) hasParent[i] = tree.hasParent(int32_t(i));
    CentreRows(placement.posX, placement.posY, hasParent);

    // Only now is the list written.
    const PersonRecord* home = tree.record(root);
    list.moveToFront(home);
    list.setCurrentPerson(home);
    list.clearSelection();
    for (size_t i = 0; i < tree.size(); ++i) {
        const PersonRecord* r = tree.record(int32_t(i));
        const int32_t x = placement.posX[i], y = placement.posY[i];
        if (r->posX() == x && r->posY() == y && !r->selected()) continue;
        list.setPlace(r, x, y, false);
    }
}

Outcome autoArrange(Document& doc) {
    if (doc.persons().empty()) return Outcome::failure(kMsgNothingToArrange);
    doc.change(step_name::kAutoArrange, [](TreeEdit& list) { autoArrangeOnList(list); });
    doc.setCurrentPerson(doc.persons().personListHead());
    return Outcome::success();
}

}  // namespace lineara
