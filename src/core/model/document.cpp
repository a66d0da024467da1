#include "core/model/document.h"

#include <algorithm>

#include "core/history/move_step.h"

namespace lineara {

Document::~Document() {
    // Steps own records that are out of the list; they go first.
    history_.clear();
}

void Document::recordStep(std::unique_ptr<TreeStep> step) {
    if (!step) return;
    history_.push(std::move(step));
    persons_.setTreeModified(true);
    historyChanged();
}

void Document::afterHistoryMove() {
    persons_.setTreeModified(!history_.atSavedState());
    historyChanged();
}

bool Document::undo() {
    if (liveMove_.active) return false;
    if (!history_.undo(persons_)) return false;
    afterHistoryMove();
    return true;
}

bool Document::takeBackLastStep() {
    if (!undo()) return false;
    history_.forgetUndone();
    historyChanged();
    return true;
}

bool Document::redo() {
    if (liveMove_.active) return false;
    if (!history_.redo(persons_)) return false;
    afterHistoryMove();
    return true;
}

void Document::setCurrentPerson(const PersonRecord* person) {
    persons_.setCurrentPerson(persons_.own(person));
}

void Document::setSelection(std::vector<const PersonRecord*> persons) {
    std::vector<PersonRecord*> records;
    records.reserve(persons.size());
    for (const PersonRecord* p : persons) records.push_back(persons_.own(p));
    persons_.setSelection(std::move(records));
}

void Document::clearSelection() { persons_.clearSelection(); }

void Document::moveBoxes(std::string name, const std::vector<const PersonRecord*>& records,
                         const std::vector<std::pair<int32_t, int32_t>>& positions) {
    ListState state = captureListState(persons_);
    // Moving the selection is the common case: the step then shares the
    // selection's copy and keeps one old position for each of its boxes,
    // moved or not, which costs less than naming the moved ones apart.
    const std::vector<PersonRecord*>& selection = *state.selection;
    const bool isSelection = records.size() == selection.size() &&
                             std::equal(records.begin(), records.end(), selection.begin());
    auto moved = std::make_shared<std::vector<PersonRecord*>>();
    std::vector<std::pair<int32_t, int32_t>> old;
    bool anyMoved = false;
    for (size_t i = 0; i < records.size(); ++i) {
        PersonRecord* r = persons_.own(records[i]);
        const bool moves = r->posX() != positions[i].first || r->posY() != positions[i].second;
        anyMoved = anyMoved || moves;
        if (!moves && !isSelection) continue;
        if (!isSelection) moved->push_back(r);
        old.emplace_back(r->posX(), r->posY());
        r->setPos(positions[i].first, positions[i].second);
    }
    // Moving nothing still counts as an edit, as it always has.
    persons_.setTreeModified(true);
    if (!anyMoved) return;
    SelectionSnapshot shared = isSelection ? state.selection : SelectionSnapshot(std::move(moved));
    recordStep(std::make_unique<MoveStep>(std::move(name), state, shared, std::move(old)));
}

void Document::beginLiveMove(const std::vector<const PersonRecord*>& records) {
    liveMove_.active = true;
    // The boxes are moving: the tree is being changed from here on, unless
    // the drag is cancelled.
    liveMove_.wasModified = persons_.treeModified();
    persons_.setTreeModified(true);
    liveMove_.records.clear();
    liveMove_.start.clear();
    for (const PersonRecord* r : records) {
        liveMove_.records.push_back(persons_.own(r));
        liveMove_.start.emplace_back(r->posX(), r->posY());
    }
}

void Document::moveLive(const PersonRecord* record, int32_t x, int32_t y) {
    persons_.own(record)->setPos(x, y);
}

void Document::endLiveMove(std::string name) {
    if (!liveMove_.active) return;
    liveMove_.active = false;
    // Put the boxes back where they started, then move them through the
    // door as one step.
    std::vector<const PersonRecord*> records;
    std::vector<std::pair<int32_t, int32_t>> positions;
    for (size_t i = 0; i < liveMove_.records.size(); ++i) {
        PersonRecord* r = liveMove_.records[i];
        records.push_back(r);
        positions.emplace_back(r->posX(), r->posY());
        r->setPos(liveMove_.start[i].first, liveMove_.start[i].second);
    }
    moveBoxes(std::move(name), records, positions);
}

void Document::cancelLiveMove() {
    if (!liveMove_.active) return;
    liveMove_.active = false;
    for (size_t i = 0; i < liveMove_.records.size(); ++i) {
        liveMove_.records[i]->setPos(liveMove_.start[i].first, liveMove_.start[i].second);
    }
    persons_.setTreeModified(liveMove_.wasModified);
}

void Document::clear() {
    liveMove_.active = false;
    history_.clear();
    persons_.ClearMemory();
    persons_.setTreeModified(false);
    historyChanged();
}

SaveResult Document::SavetoFile(const std::string& path) {
    SaveResult r = lineara::SavetoFile(persons_, path);
    if (r.status == SaveResult::Saved) markSaved();
    return r;
}

void Document::markSaved() {
    history_.markSaved();
    persons_.setTreeModified(false);
}

LoadResult Document::ReadfromFile(const std::string& path) {
    clear();
    LoadResult result = lineara::ReadfromFile(persons_, path);
    if (result.status == LoadResult::Unrecognized || result.outOfMemory) currentFileName_.clear();
    history_.clear();
    persons_.setTreeModified(false);
    historyChanged();
    return result;
}

}  // namespace lineara
