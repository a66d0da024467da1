#include "core/layout/ancestor_walk.h"

#include <algorithm>
#include <cstdint>
#include <memory>

#include "core/layout/tree_index.h"

namespace lineara {

namespace {

class Walk {
public:
    Walk(AncestorTable& table, const PersonList& list) : table_(table), list_(list) {}

    // Rows of the table are filled by going up person by person: there are
    // only 255 places in them. Above the table only the depth counts, and
    // that is what the heights tell at once.
    void visit(const PersonRecord* p, int d, int a) {
        if (d <= AncestorTable::kRows && a >= 1 && a <= AncestorTable::kColumns) {
            table_.ancestorTable[AncestorTable::place(d, AncestorTable::kRows)]
                                [AncestorTable::place(a, AncestorTable::kColumns)] = p;
        }
        table_.ancestorDepth = std::max(table_.ancestorDepth, d);
        if (stopped()) return;
        if (p->isAliasBox()) return;
        // Parents beyond the table's rows or columns (a walk started in a
        // column of no pedigree) are not entered anywhere.
        if (d >= AncestorTable::kRows || a < 1 || a > AncestorTable::kColumns / 2) {
            reachAbove(p, d);
            return;
        }
        if (const PersonRecord* f = linked(p->father)) visit(f, d + 1, 2 * a - 1);
        if (const PersonRecord* m = linked(p->mother)) visit(m, d + 1, 2 * a);
    }

private:
    bool stopped() const { return table_.ancestorDepth > AncestorTable::kDepthLimit; }

    const PersonRecord* linked(const PersonRecord* r) const {
        return list_.contains(r) ? r : nullptr;
    }

    // Going up from `p` in row `d` reaches row d + height - 1. Going up
    // one line after another would stop at the first line that passes the
    // limit, one row beyond it; otherwise it ends at the deepest row.
    void reachAbove(const PersonRecord* p, int d) {
        if (!heights_) {
            index_ = std::make_unique<TreeIndex>(list_);
            heights_ = std::make_unique<AncestorHeights>(*index_);
        }
        int64_t reach = int64_t{d} + heights_->of(index_->indexOf(p)) - 1;
        int64_t limit = AncestorTable::kDepthLimit + 1;
        table_.ancestorDepth = std::max(table_.ancestorDepth, int(std::min(reach, limit)));
    }

    AncestorTable& table_;
    const PersonList& list_;
    std::unique_ptr<TreeIndex> index_;
    std::unique_ptr<AncestorHeights> heights_;
};

}  // namespace

int CheckOut(AncestorTable& table, const PersonList& list, const PersonRecord* person, int depth,
             int column) {
    if (list.contains(person) && depth >= 1) Walk(table, list).visit(person, depth, column);
    return table.ancestorDepth;
}

}  // namespace lineara
