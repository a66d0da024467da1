// The open tree as a document: the person list and the file it came from.
// Every change to the tree passes through here, so that the application
// has one door to watch (and, later, to record for undo).
#pragma once

#include <string>

#include "canvas/view_state.h"
#include "model/person_list.h"
#include "model/tree_file.h"

namespace lineara {

class Document {
public:
    PersonList& persons() { return persons_; }
    const PersonList& persons() const { return persons_; }

    const std::string& currentFileName() const { return currentFileName_; }
    void setCurrentFileName(std::string path) { currentFileName_ = std::move(path); }

    bool treeModified() const { return persons_.treeModified(); }
    void setTreeModified(bool on) { persons_.setTreeModified(on); }

    // The tree file operations of the list; a damaged file, or one too
    // large for the memory, also leaves the document untitled.
    SaveResult SavetoFile(const std::string& path) { return lineara::SavetoFile(persons_, path); }
    LoadResult ReadfromFile(const std::string& path, ViewState& view, int windowWidth,
                            int windowHeight);

private:
    PersonList persons_;
    std::string currentFileName_;
};

}  // namespace lineara
