// The notes files and pictures a tree names outside its own folder. A tree
// may come from someone else; publishing its pages or collecting its files
// must not carry along files of the user's that the tree merely names
// (a key, a password file, another family's notes) without the user's say.
#pragma once

#include <string>
#include <vector>

#include "core/checks/quality_check.h"
#include "core/model/person_record.h"

namespace lineara {

struct OutsideFile {
    const PersonRecord* person = nullptr;  // valid while the record is
    TextField field = field::notesFile;
    std::string path;  // as resolved against the folder
};

// Every existing file named by a notes or picture reference that, with its
// links followed, lies outside `folder` and the folders below it, in list
// order (a person's notes file before the picture). Files that are not
// there are left to the readers, which find nothing.
std::vector<OutsideFile> filesOutsideFolder(const PersonList& list, const StoredFileLocator& files,
                                            const std::string& folder);

}  // namespace lineara
