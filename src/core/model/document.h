// The open tree as a document: the person list, the file it came from and
// the undo history.
//
// The document is the one writer of the tree. Everyone else reads the list
// through const access; every change is an operation run through change()
// (or one of the move methods), which records it as one undo step and sets
// treeModified. The operation gets a TreeEdit, through which it can write
// only what it records. Besides the steps, only markModified sets the flag,
// for the few commands listed at ModifiedWithoutStep.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/formats/tree_file.h"
#include "core/history/history.h"
#include "core/history/record_step.h"
#include "core/model/person_list.h"
#include "core/model/tree_edit.h"

namespace lineara {

// The commands that count as a change of the tree even where they leave no
// undo step (or where their step alone would not say so), as they always
// have: each caller of Document::markModified names itself here.
enum class ModifiedWithoutStep {
    NewPersonRefused,     // newPerson: a box that could not be made
    PersonsDeleted,       // deleteConfirmed
    LinkCompleted,        // completeLink: a link refused or already there
    AliasMade,            // makeAlias and makeThisAnAlias, refused ones too
    EditorConfirmed,      // the person editor's OK, before anything is written
    CollectedFilesSaved,  // collecting files: the flag stays as it was before the save
    TreeRecovered,        // a tree brought back from the recovery files is not saved
};

class Document {
public:
    Document() = default;
    ~Document();
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    const PersonList& persons() const { return persons_; }

    const std::string& currentFileName() const { return currentFileName_; }
    void setCurrentFileName(std::string path) { currentFileName_ = std::move(path); }
    bool treeModified() const { return persons_.treeModified(); }

    // --- the one door ---
    // Runs `op` on the list and keeps what it changed as one undo step
    // called `name`. A change marks the tree modified; an operation that
    // changed nothing leaves no step. Should `op` throw (out of memory),
    // whatever it had changed is put back before the exception goes on.
    template <typename Op>
    auto change(std::string name, Op&& op) -> decltype(op(std::declval<TreeEdit&>()));

    // Who is current and what is selected are not changes of the tree,
    // but undo puts them back as they were with each step.
    void setCurrentPerson(const PersonRecord* person);
    void setSelection(std::vector<const PersonRecord*> persons);
    void clearSelection();

    // Replaces the whole tree (an import): `op` fills the emptied list. One
    // undo step, which also stands between two documents: undo brings back
    // the old tree with its file name, its saved state and the place the
    // window stood over it, redo the new one with its own. The new tree is
    // untitled; it counts as saved when `countsAsSaved`, else as changed.
    template <typename Op>
    auto replaceTree(std::string name, bool countsAsSaved, Op&& op)
        -> decltype(op(std::declval<TreeEdit&>()));
    // How the document learns where the window stands and puts it back when
    // an undo or redo crosses from one tree to another. Without it the
    // window is left where it is.
    void setShownPlaceHooks(std::function<ShownPlace()> get,
                            std::function<void(const ShownPlace&)> set) {
        getShown_ = std::move(get);
        setShown_ = std::move(set);
    }
    // Hands over every record, in list order with their links, leaving the
    // document empty and without history (a tree read apart, to be given
    // to another document in one step).
    std::vector<std::unique_ptr<PersonRecord>> takeRecords();

    // Boxes set to new places as one step (an alignment).
    void moveBoxes(std::string name, const std::vector<const PersonRecord*>& records,
                   const std::vector<std::pair<int32_t, int32_t>>& positions);
    // A drag: boxes follow the mouse, and the whole drag becomes one step
    // when it ends, or goes back when it is cancelled.
    void beginLiveMove(const std::vector<const PersonRecord*>& records);
    void moveLive(const PersonRecord* record, int32_t x, int32_t y);
    void endLiveMove(std::string name);
    void cancelLiveMove();
    bool liveMoveActive() const { return liveMove_.active; }

    // --- undo and redo ---
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    const std::string& undoName() const { return history_.undoName(); }
    const std::string& redoName() const { return history_.redoName(); }
    bool undo();
    bool redo();
    // Takes the last step back as if it had never been made: undone, and
    // not offered to be done again (a new box taken off the mouse).
    bool takeBackLastStep();
    const History& history() const { return history_; }
    // Told after every change of the history (a step made, undone, redone
    // or forgotten), so the window can keep its undo and redo items right.
    void setHistoryListener(std::function<void()> listener) {
        historyListener_ = std::move(listener);
    }

    // --- the document's life ---
    // Empties the tree for a new one (or before opening another): the
    // history goes with it and the empty tree counts as saved.
    void clear();
    // The tree file operations; a damaged file, or one too large for the
    // memory, also leaves the document untitled. Both clear the history on loading, and a save that
    // wrote the file makes this the saved state.
    SaveResult SavetoFile(const std::string& path);
    LoadResult ReadfromFile(const std::string& path);
    // The tree as it is now counts as changed since the last save, beside
    // the history: only for the commands that `why` lists.
    void markModified(ModifiedWithoutStep why) {
        (void)why;
        persons_.setTreeModified(true);
    }
    // The tree as it is now counts as unchanged since the last save.
    void markSaved();
    // The bytes a save would write now, without writing them (the
    // recovery copy of a modified tree).
    std::vector<uint8_t> treeBytes() { return treeFileBytes(persons_); }
    // The same into `into`, which holds at least persons().count() records.
    void copyTreeBytes(uint8_t* into) { copyTreeFileBytes(persons_, into); }

    // Windows that keep record pointers hear of records leaving the tree.
    int addRemovalListener(PersonList::RemovalListener listener) const {
        return persons_.addRemovalListener(std::move(listener));
    }
    void removeRemovalListener(int token) const { persons_.removeRemovalListener(token); }

private:
    void recordStep(std::unique_ptr<TreeStep> step);
    void afterHistoryMove();
    // The document on this side of a step at `edge`: the states from `edge`
    // on (after) or up to it (before); `now` is the state shown.
    DocumentSide sideHere(size_t edge, bool after, size_t now) const;
    // Crossing `step` (whose states before it end at `edge`) to the side
    // kept in it; what is shown now goes into the step.
    void crossDocuments(TreeStep& step, size_t edge, bool toAfter);
    void afterReplacement(TreeStep* step, DocumentSide before, bool countsAsSaved);
    void historyChanged() {
        if (historyListener_) historyListener_();
    }

    struct LiveMove {
        bool active = false;
        std::vector<const PersonRecord*> records;
        std::vector<std::pair<int32_t, int32_t>> start;
        bool wasModified = false;
    };

    PersonList persons_;
    std::string currentFileName_;
    History history_;
    LiveMove liveMove_;
    std::function<void()> historyListener_;
    std::function<ShownPlace()> getShown_;
    std::function<void(const ShownPlace&)> setShown_;
    // The step recordStep took last (replaceTree finds its own this way).
    TreeStep* lastRecorded_ = nullptr;
};

template <typename Op>
auto Document::replaceTree(std::string name, bool countsAsSaved, Op&& op)
    -> decltype(op(std::declval<TreeEdit&>())) {
    // The old tree's side, measured before the step pushes out what was
    // undone (and with it a saved state ahead of here).
    DocumentSide before = sideHere(history_.done(), false, history_.done());
    lastRecorded_ = nullptr;
    auto replace = [&](TreeEdit& edit) {
        edit.removeAll();
        return op(edit);
    };
    if constexpr (std::is_void_v<decltype(op(std::declval<TreeEdit&>()))>) {
        change(std::move(name), replace);
        afterReplacement(lastRecorded_, std::move(before), countsAsSaved);
    } else {
        auto result = change(std::move(name), replace);
        afterReplacement(lastRecorded_, std::move(before), countsAsSaved);
        return result;
    }
}

template <typename Op>
auto Document::change(std::string name, Op&& op) -> decltype(op(std::declval<TreeEdit&>())) {
    RecordStepBuilder builder(persons_);
    TreeEdit edit(persons_);
    auto finish = [&] { recordStep(builder.finish(std::move(name))); };
    try {
        if constexpr (std::is_void_v<decltype(op(edit))>) {
            op(edit);
            finish();
        } else {
            auto result = op(edit);
            finish();
            return result;
        }
    } catch (...) {
        // Take back the half-done change, then let the failure be reported.
        if (auto step = builder.finish(std::string())) {
            step->undo(persons_);
            step->discard(false);
        }
        throw;
    }
}

}  // namespace lineara
