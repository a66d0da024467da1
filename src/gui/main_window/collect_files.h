// Copies every picture and notes file of a tree next to a new tree file
// and makes the persons refer to the copies by bare file name.
#pragma once

#include <QString>
#include <QStringList>

#include "core/model/person_list.h"
#include "gui/platform/record_codec.h"

namespace lineara {

struct CollectOutcome {
    int collected = 0;     // files that are in the folder afterwards
    QStringList failures;  // files that could not be copied, as named
};

// `destFolder` ends with a separator. A file already in the folder is not
// overwritten and counts as collected. A file that cannot be copied keeps
// its old name in the record, so the tree never points at nothing.
CollectOutcome collectPersonFiles(PersonList& persons, const QString& destFolder,
                                  const RecordCodec& codec);

// The part of a stored path after its last "\" or "/": stored paths may
// come from Windows.
QString bareFileName(const QString& storedPath);

}  // namespace lineara
