// The undo history of a document: the steps done, newest last, and those
// undone, ready to be done again. It keeps the last 100 steps and at most
// 64 MiB, dropping the oldest first.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/history/tree_step.h"

namespace lineara {

class History {
public:
    static constexpr size_t kMaxSteps = 100;
    static constexpr size_t kMaxBytes = size_t{64} << 20;

    History() = default;
    ~History();
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    // A new step, already applied to the tree; the steps undone before it
    // can no longer be done again.
    void push(std::unique_ptr<TreeStep> step);
    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    const std::string& undoName() const;  // empty when there is nothing to undo
    const std::string& redoName() const;
    bool undo(PersonList& list);
    bool redo(PersonList& list);
    // The step the next undo or redo would take; null when there is none.
    TreeStep* stepToUndo() { return canUndo() ? steps_[done_ - 1].get() : nullptr; }
    TreeStep* stepToRedo() { return canRedo() ? steps_[done_].get() : nullptr; }
    // Forgets the steps undone, so they cannot be done again.
    void forgetUndone() { dropUndone(); }
    // Forgets every step; the tree as it is now counts as saved.
    void clear();

    // The tree as it is now is the one on disk.
    void markSaved() { saved_ = done_; }
    // Whether the tree is as it was when last saved or opened (false once
    // that state has left the history).
    bool atSavedState() const { return saved_ && *saved_ == done_; }
    // Where the saved state is: how many steps lie before it (none when no
    // state kept is the saved one). Only the document's crossing from one
    // tree to another moves it other than markSaved.
    std::optional<size_t> savedAt() const { return saved_; }
    void setSavedAt(std::optional<size_t> at) { saved_ = at; }

    size_t bytes() const { return bytes_; }
    size_t done() const { return done_; }
    size_t size() const { return steps_.size(); }

private:
    void dropOldest();
    void dropUndone();

    std::vector<std::unique_ptr<TreeStep>> steps_;
    size_t done_ = 0;  // steps_[0, done_) are in the tree
    size_t bytes_ = 0;
    std::optional<size_t> saved_ = 0;
};

}  // namespace lineara
