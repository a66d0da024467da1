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
    lastRecorded_ = step.get();
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
    TreeStep* step = history_.stepToUndo();
    if (step == nullptr) return false;
    const size_t edge = history_.done() - 1;
    history_.undo(persons_);
    if (step->otherDocument()) crossDocuments(*step, edge, false);
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
    TreeStep* step = history_.stepToRedo();
    if (step == nullptr) return false;
    const size_t edge = history_.done();
    history_.redo(persons_);
    if (step->otherDocument()) crossDocuments(*step, edge, true);
    afterHistoryMove();
    return true;
}

// The saved state is kept as a distance from the step, not as a place in
// the history: the oldest steps may go in the meantime, and the distance
// stays true while the place would not.
DocumentSide Document::sideHere(size_t edge, bool after, size_t now) const {
    DocumentSide side;
    side.fileName = currentFileName_;
    std::optional<size_t> saved = history_.savedAt();
    // A change made beside the history (one that moved nothing, say) marks
    // the tree changed while the history still points at this state.
    if (saved && *saved == now && persons_.treeModified()) saved.reset();
    if (saved) {
        if (after && *saved >= edge) side.savedDistance = *saved - edge;
        if (!after && *saved <= edge) side.savedDistance = edge - *saved;
    }
    if (getShown_) side.shown = getShown_();
    return side;
}

void Document::crossDocuments(TreeStep& step, size_t edge, bool toAfter) {
    DocumentSide there = std::move(*step.otherDocument());
    // Left behind: the side of the step the window was on.
    const size_t now = toAfter ? edge : edge + 1;  // where the window was
    step.otherDocument() = sideHere(now, !toAfter, now);
    currentFileName_ = std::move(there.fileName);
    std::optional<size_t> saved;
    if (there.savedDistance) {
        if (toAfter) {
            saved = edge + 1 + *there.savedDistance;
        } else if (*there.savedDistance <= edge) {
            saved = edge - *there.savedDistance;
        }
    }
    history_.setSavedAt(saved);
    if (there.shown && setShown_) setShown_(*there.shown);
}

void Document::afterReplacement(TreeStep* step, DocumentSide before, bool countsAsSaved) {
    currentFileName_.clear();
    if (step != nullptr) step->otherDocument() = std::move(before);
    if (countsAsSaved) {
        markSaved();
    } else {
        // The new tree has never been saved: the old tree's saved state
        // went into the step and belongs to the old tree alone.
        history_.setSavedAt(std::nullopt);
        persons_.setTreeModified(true);
    }
    historyChanged();
}

std::vector<std::unique_ptr<PersonRecord>> Document::takeRecords() {
    liveMove_.active = false;
    history_.clear();
    std::vector<std::unique_ptr<PersonRecord>> records = persons_.releaseAll();
    persons_.setTreeModified(false);
    historyChanged();
    return records;
}

void Document::setCurrentPerson(const PersonRecord* person) { persons_.setCurrentPerson(person); }

void Document::setSelection(std::vector<const PersonRecord*> persons) {
    persons_.setSelection(std::move(persons));
}

void Document::clearSelection() { persons_.clearSelection(); }

void Document::moveBoxes(std::string name, const std::vector<const PersonRecord*>& records,
                         const std::vector<std::pair<int32_t, int32_t>>& positions) {
    ListState state = captureListState(persons_);
    // Moving the selection is the common case: the step then shares the
    // selection's copy and keeps one old position for each of its boxes,
    // moved or not, which costs less than naming the moved ones apart.
    const std::vector<const PersonRecord*>& selection = *state.selection;
    const bool isSelection = records.size() == selection.size() &&
                             std::equal(records.begin(), records.end(), selection.begin());
    auto moved = std::make_shared<std::vector<const PersonRecord*>>();
    std::vector<std::pair<int32_t, int32_t>> old;
    bool anyMoved = false;
    for (size_t i = 0; i < records.size(); ++i) {
        const PersonRecord* r = records[i];
        const bool moves = r->posX() != positions[i].first || r->posY() != positions[i].second;
        anyMoved = anyMoved || moves;
        if (!moves && !isSelection) continue;
        if (!isSelection) moved->push_back(r);
        old.emplace_back(r->posX(), r->posY());
        // No recorder listens here: the MoveStep below keeps the positions.
        persons_.edit(r)->setPos(positions[i].first, positions[i].second);
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
        liveMove_.records.push_back(r);
        liveMove_.start.emplace_back(r->posX(), r->posY());
    }
}

// A drag writes positions beside the history while it lasts; endLiveMove
// puts them back and makes the whole drag one step.
void Document::moveLive(const PersonRecord* record, int32_t x, int32_t y) {
    persons_.edit(record)->setPos(x, y);
}

void Document::endLiveMove(std::string name) {
    if (!liveMove_.active) return;
    liveMove_.active = false;
    // Put the boxes back where they started, then move them through the
    // door as one step.
    std::vector<const PersonRecord*> records;
    std::vector<std::pair<int32_t, int32_t>> positions;
    for (size_t i = 0; i < liveMove_.records.size(); ++i) {
        const PersonRecord* r = liveMove_.records[i];
        records.push_back(r);
        positions.emplace_back(r->posX(), r->posY());
        persons_.edit(r)->setPos(liveMove_.start[i].first, liveMove_.start[i].second);
    }
    moveBoxes(std::move(name), records, positions);
}

void Document::cancelLiveMove() {
    if (!liveMove_.active) return;
    liveMove_.active = false;
    for (size_t i = 0; i < liveMove_.records.size(); ++i) {
        persons_.edit(liveMove_.records[i])
            ->setPos(liveMove_.start[i].first, liveMove_.start[i].second);
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
