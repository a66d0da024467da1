// The tree file: every record of the list, 2560 bytes each, in list order,
// with nothing before, between or after them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/model/person_list.h"

namespace lineara {

extern const char kMsgIncorrectFileType[];
extern const char kMsgUnrecognizedFile[];

struct SaveResult {
    enum Status {
        Saved,
        Refused,    // not an "ln3" path: nothing written, the message says so
        FileError,  // could not be written: the old file is untouched
    };
    Status status = Saved;
    std::string message;
    bool written() const { return status == Saved; }
};

struct LoadResult {
    enum Status {
        Loaded,
        Unrecognized,  // damaged: the list is left empty and unmodified
        FileError,     // could not be opened or read: the list is empty
    };
    Status status = Loaded;
    std::string message;
    // A file error because the tree did not fit in memory: the list is
    // empty and the document is left untitled.
    bool outOfMemory = false;
    bool loaded() const { return status == Loaded; }
};

// Writes the list to `path`. The records' id fields are filled from their
// links first. The file is written whole or not at all: a temporary file
// in the same folder is renamed over the target only once it is complete.
SaveResult SavetoFile(PersonList& list, const std::string& path);

// The bytes SavetoFile would write (the id fields are filled first).
std::vector<uint8_t> treeFileBytes(PersonList& list);
// The same into `into`, which holds at least list.count() records' bytes.
void copyTreeFileBytes(PersonList& list, uint8_t* into);

// Replaces the list with the records of `path` and resolves their links.
// On success nothing is current or selected. Where the view goes is the
// caller's business (see centreOnHome).
LoadResult ReadfromFile(PersonList& list, const std::string& path);

// The file error of running out of memory while working on a file, e.g.
// Not enough memory to open file "/x/y.ln3"
std::string outOfMemoryMessage(const char* action, const std::string& path);

// Whether SavetoFile accepts the path: it must end in "ln3", any case.
bool hasTreeFileExtension(const std::string& path);

}  // namespace lineara
