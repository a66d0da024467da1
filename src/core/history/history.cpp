#include "core/history/history.h"

namespace lineara {

namespace {
const std::string kNothing;
}

History::~History() { clear(); }

void History::push(std::unique_ptr<TreeStep> step) {
    if (!step) return;
    dropUndone();
    bytes_ += step->bytes();
    steps_.push_back(std::move(step));
    done_ = steps_.size();
    // The newest step always stays, even when it alone is over the limit.
    while (steps_.size() > 1 && (steps_.size() > kMaxSteps || bytes_ > kMaxBytes)) dropOldest();
}

void History::dropUndone() {
    while (steps_.size() > done_) {
        steps_.back()->discard(false);
        bytes_ -= steps_.back()->bytes();
        steps_.pop_back();
    }
    // The saved state was among those undone: nothing leads back to it.
    if (saved_ && *saved_ > done_) saved_.reset();
}

void History::dropOldest() {
    steps_.front()->discard(true);
    bytes_ -= steps_.front()->bytes();
    steps_.erase(steps_.begin());
    --done_;
    if (saved_) {
        if (*saved_ == 0) {
            saved_.reset();
        } else {
            --*saved_;
        }
    }
}

const std::string& History::undoName() const {
    return canUndo() ? steps_[done_ - 1]->name() : kNothing;
}

const std::string& History::redoName() const {
    return canRedo() ? steps_[done_]->name() : kNothing;
}

bool History::undo(PersonList& list) {
    if (!canUndo()) return false;
    steps_[--done_]->undo(list);
    return true;
}

bool History::redo(PersonList& list) {
    if (!canRedo()) return false;
    steps_[done_++]->redo(list);
    return true;
}

void History::clear() {
    // Undone steps first: what they created was never in the tree.
    dropUndone();
    while (!steps_.empty()) dropOldest();
    done_ = 0;
    bytes_ = 0;
    saved_ = 0;
}

}  // namespace lineara
