// The alphabetical lists as text files: their lines in UTF-8, sorted for
// readers, and the file written whole. The window's "&Wszystkie osoby" and
// "&Nazwiska" and the tool's list-persons and list-surnames make the same
// files through these.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "core/model/person_list.h"
#include "core/reports/alphabetical_lists.h"
#include "render/platform/record_codec.h"

namespace lineara {

// Record texts from the tree's code page to UTF-8.
Recode utf8From(const RecordCodec& codec);

// The lines of each list, UTF-8 and sorted for readers.
std::vector<std::string> personListText(const PersonList& list, const RecordCodec& codec);
std::vector<std::string> surnameListText(const PersonList& list, const RecordCodec& codec);

// Writes the lines whole or not at all, each ended by a line feed; false
// with the system's reason in `error`.
bool writeListFile(const QString& path, const std::vector<std::string>& lines, std::string& error);

}  // namespace lineara
