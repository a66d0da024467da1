// The step of a drag or an alignment: boxes that moved and where they were.
// It keeps positions only, so moving a hundred thousand boxes costs about
// their positions, not their records.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "core/history/tree_step.h"

namespace lineara {

class MoveStep : public TreeStep {
public:
    // `records` moved from `oldPositions` (parallel to it) to where they
    // are now. `records` is often the selection itself and shares its copy.
    MoveStep(std::string name, ListState state, SelectionSnapshot records,
             std::vector<std::pair<int32_t, int32_t>> oldPositions);

    size_t bytes() const override;
    void discard(bool) override {}

protected:
    void restoreRecords(PersonList& list, bool toBefore) override;

private:
    SelectionSnapshot records_;
    // Swapped with the records' positions on every undo and redo.
    std::vector<std::pair<int32_t, int32_t>> otherPositions_;
    bool recordsAreSelection_ = false;
};

}  // namespace lineara
