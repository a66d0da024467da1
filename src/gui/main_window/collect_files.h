// Copies every picture and notes file of a tree next to a new tree file
// and makes the persons refer to the copies by bare file name.
#pragma once

#include <QString>
#include <QStringList>

#include "core/model/document.h"
#include "gui/platform/record_codec.h"

namespace lineara {

struct CollectOutcome {
    // File names in the tree that name a file in the folder afterwards
    // (two persons sharing one file count twice, as both were collected).
    int collected = 0;
    QStringList failures;  // files that could not be copied, as named
};

// `destFolder` is absolute and ends with a separator; relative names in
// the tree are taken from `sourceFolder` (the working folder when empty).
//
// Only regular files are copied, each through a temporary file, so the
// folder never holds half a copy. A file that is already in the folder
// (the same file, not merely the same name) is not copied again. A file
// of the same name that is a different file is never overwritten: the
// copy gets the first free name "photo (2).jpg", "photo (3).jpg", ...
// One source file named by several persons is copied once. A file that
// cannot be copied keeps its old name in the record, so the tree never
// points at nothing.
CollectOutcome collectPersonFiles(PersonList& persons, const QString& destFolder,
                                  const RecordCodec& codec, const QString& sourceFolder);
// The same for the open tree, as one undo step of its document.
CollectOutcome collectPersonFiles(Document& doc, const QString& destFolder,
                                  const RecordCodec& codec, const QString& sourceFolder);

// The part of a stored path after its last "\" or "/": stored paths may
// come from Windows.
QString bareFileName(const QString& storedPath);

}  // namespace lineara
