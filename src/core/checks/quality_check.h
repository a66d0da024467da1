// The quality check without its window: which persons name a notes file or
// a picture that is not there.
//
// Stored file names are record bytes in the tree's code page, often written
// on Windows. The caller says how to turn them into a path of this system
// (decoding the code page) and which folder relative names start from (the
// tree file's folder). Nothing here changes the process's working folder.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/person_list.h"

namespace lineara {

extern const char kMsgNotesFileMissing[];
extern const char kMsgPictureMissing[];

// Turns a stored file name (record bytes) into a file-system name (UTF-8).
using FileNameDecoder = std::function<std::string(std::string_view)>;

// Finds the files that records name.
class StoredFileLocator {
public:
    // An empty folder resolves relative names against the working folder.
    StoredFileLocator(std::filesystem::path folder, FileNameDecoder decode);

    std::filesystem::path resolve(std::string_view storedName) const;
    // True only for a regular file (or a link to one): a folder of that
    // name, or a name that cannot be looked at, counts as missing.
    bool exists(std::string_view storedName) const;

private:
    std::filesystem::path folder_;
    FileNameDecoder decode_;
};

// Which reference of the person a problem is about.
enum class QualityRule { NotesFile, Picture };

// One missing file. `person` stays valid only while the record does.
struct QualityProblem {
    const PersonRecord* person = nullptr;
    std::string caption;  // surname and given names (record bytes)
    std::string message;  // what is missing (record bytes)
    QualityRule rule = QualityRule::NotesFile;
};

struct QualityCheckResult {
    std::vector<QualityProblem> problems;  // sorted by caption
    int count = 0;
};

// Looks at every person's notes file, then picture; empty references are
// never problems. The tree is not changed.
QualityCheckResult QCheck(const PersonList& list, const StoredFileLocator& files);

// Whether the rule of `problem` still fails for its person as the record
// stands now (after the user has edited it): false once the reference is
// empty or names an existing file.
bool problemRemains(const QualityProblem& problem, const StoredFileLocator& files);

}  // namespace lineara
