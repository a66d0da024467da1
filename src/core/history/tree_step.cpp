#include "core/history/tree_step.h"

#include <algorithm>

namespace lineara {

ListState captureListState(const PersonList& list, const SelectionSnapshot& reuse) {
    ListState state;
    const auto& now = list.selection();
    if (reuse && *reuse == now) {
        state.selection = reuse;
    } else {
        state.selection = std::make_shared<const std::vector<const PersonRecord*>>(now);
    }
    state.current = list.currentPerson();
    state.highestPersonId = list.highestPersonId();
    return state;
}

void restoreListState(PersonList& list, const ListState& state) {
    list.setSelection(*state.selection);
    list.setCurrentPerson(list.contains(state.current) ? state.current : nullptr);
    list.setHighestPersonId(state.highestPersonId);
}

void TreeStep::undo(PersonList& list) {
    // The selection marks are part of the records' bytes: clear them first,
    // so that the records come back with exactly the marks of that moment.
    list.clearSelection();
    restoreRecords(list, true);
    restoreListState(list, before_);
}

void TreeStep::redo(PersonList& list) {
    list.clearSelection();
    restoreRecords(list, false);
    restoreListState(list, after_);
}

size_t TreeStep::listStateBytes() const {
    size_t n = sizeof(*this) + name_.size();
    if (otherDocument_) n += otherDocument_->fileName.size();
    n += before_.selection->size() * sizeof(PersonRecord*);
    if (after_.selection != before_.selection)
        n += after_.selection->size() * sizeof(PersonRecord*);
    return n;
}

}  // namespace lineara
