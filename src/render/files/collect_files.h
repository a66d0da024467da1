// Copies every picture and notes file of a tree next to a new tree file
// and makes the persons refer to the copies by bare file name.
#pragma once

#include <QString>
#include <QStringList>

#include "core/model/document.h"
#include "render/platform/record_codec.h"

namespace lineara {

struct CollectOutcome {
    // File names in the tree that name a file in the folder afterwards
    // (two persons sharing one file count twice, as both were collected).
    int collected = 0;
    QStringList failures;  // files that could not be copied, as named
    // Files outside the tree's folder that were not copied, as named
    // (CollectOptions::allowOutside).
    QStringList outside;
    // The copies this collection made (full paths), for taking them back
    // when the tree cannot be saved beside them.
    QStringList created;
    bool namesChanged = false;  // some record now names another file
};

struct CollectOptions {
    // Relative names in the tree are taken from here (the working folder
    // when empty): the tree file's folder.
    QString sourceFolder;
    // Files that lie outside the source folder (with links followed) are
    // copied only when allowed: a tree from someone else must not gather
    // the user's own files into a folder that is then passed on.
    bool allowOutside = false;
};

// `destFolder` is absolute and ends with a separator.
//
// Only regular files are copied (see core/platform/named_file.h), each
// through a temporary file, so the folder never holds half a copy, and
// never readable by more people than the original. A file that is already
// in the folder (the same file, not merely the same name) is not copied
// again. A file of the same name that is a different file is never
// overwritten: the copy gets the first free name "photo (2).jpg",
// "photo (3).jpg", ... One source file named by several persons is copied
// once. A file that cannot be copied keeps its old name in the record, so
// the tree never points at nothing.
CollectOutcome collectPersonFiles(TreeEdit& persons, const QString& destFolder,
                                  const RecordCodec& codec, const CollectOptions& options);
// The same for the open tree, as one undo step of its document.
CollectOutcome collectPersonFiles(Document& doc, const QString& destFolder,
                                  const RecordCodec& codec, const CollectOptions& options);

// Removes the copies a collection made; returns those that could not be
// removed.
QStringList removeCollectedCopies(const CollectOutcome& outcome);

// The part of a stored path after its last "\" or "/": stored paths may
// come from Windows.
QString bareFileName(const QString& storedPath);

}  // namespace lineara
