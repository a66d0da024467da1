#include "core/history/move_step.h"

namespace lineara {

MoveStep::MoveStep(std::string name, ListState state, SelectionSnapshot records,
                   std::vector<std::pair<int32_t, int32_t>> oldPositions)
    : TreeStep(std::move(name), state, state),
      records_(std::move(records)),
      otherPositions_(std::move(oldPositions)),
      recordsAreSelection_(records_ == state.selection) {}

size_t MoveStep::bytes() const {
    size_t n = listStateBytes() + otherPositions_.capacity() * sizeof(otherPositions_[0]);
    // The moved records are the selection in the common case, counted
    // with it already.
    if (!recordsAreSelection_) n += records_->size() * sizeof(PersonRecord*);
    return n;
}

void MoveStep::restoreRecords(PersonList& list, bool) {
    const std::vector<const PersonRecord*>& records = *records_;
    for (size_t i = 0; i < records.size(); ++i) {
        auto& other = otherPositions_[i];
        std::pair<int32_t, int32_t> now{records[i]->posX(), records[i]->posY()};
        list.edit(records[i])->setPos(other.first, other.second);
        other = now;
    }
}

}  // namespace lineara
