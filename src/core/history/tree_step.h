// One undoable step: what a single user action changed in the tree, kept
// so that it can be taken back and done again exactly.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/model/person_list.h"

namespace lineara {

// The selection as it was at some moment. Steps share one copy between
// their before and after sides (and with a move of that very selection),
// so a large selection is not stored twice.
using SelectionSnapshot = std::shared_ptr<const std::vector<const PersonRecord*>>;

// What is true of the list as a whole on either side of a step.
struct ListState {
    SelectionSnapshot selection;
    const PersonRecord* current = nullptr;
    int32_t highestPersonId = 0;
};

ListState captureListState(const PersonList& list, const SelectionSnapshot& reuse = nullptr);
// Puts back the selection, the current person and the highest id. The
// current person is left empty when it is not in the list.
void restoreListState(PersonList& list, const ListState& state);

// Where the window stood over a tree: kept with a document that an import
// replaced, so that taking the import back shows that tree as it was left.
struct ShownPlace {
    double zoomPercent = 100.0;
    int32_t scrollX = 0;
    int32_t scrollY = 0;
};

// The document on the far side of a step that replaced the whole tree: its
// file name, how many steps from the step's edge its saved state lies (none
// when no state on that side is the saved one), and where the window stood.
struct DocumentSide {
    std::string fileName;
    std::optional<size_t> savedDistance;
    std::optional<ShownPlace> shown;
};

class TreeStep {
public:
    TreeStep(std::string name, ListState before, ListState after)
        : name_(std::move(name)), before_(std::move(before)), after_(std::move(after)) {}
    virtual ~TreeStep() = default;
    TreeStep(const TreeStep&) = delete;
    TreeStep& operator=(const TreeStep&) = delete;

    // What the user reads in "Cofnij: ..." and "Ponów: ...".
    const std::string& name() const { return name_; }
    void undo(PersonList& list);
    void redo(PersonList& list);
    // The memory the step holds, records it keeps alive included.
    virtual size_t bytes() const = 0;
    // The step leaves the history. `applied`: whether its change is in the
    // tree now (so records it removed are gone for good) or not (so
    // records it created never come back).
    virtual void discard(bool applied) = 0;

    // Set on a step that replaced the whole tree: the document on the side
    // of the step that is not in the window now. Crossing the step swaps it
    // with the one that is.
    std::optional<DocumentSide>& otherDocument() { return otherDocument_; }

protected:
    virtual void restoreRecords(PersonList& list, bool toBefore) = 0;
    size_t listStateBytes() const;

private:
    std::string name_;
    ListState before_;
    ListState after_;
    std::optional<DocumentSide> otherDocument_;
};

}  // namespace lineara
