// The question asked before a tree's files outside its folder are used:
// published in the HTML pages or copied by Collect all files.
#pragma once

#include <QString>
#include <vector>

#include "core/checks/outside_files.h"
#include "gui/platform/user_interaction.h"
#include "render/platform/record_codec.h"

namespace lineara {

// Finds the tree's files with a stored name's bytes decoded as the codec
// decodes record texts, relative names taken from `folder`.
StoredFileLocator storedFileLocator(const RecordCodec& codec, const QString& folder);

// The files of `list` outside `folder`, as filesOutsideFolder finds them.
std::vector<OutsideFile> treeFilesOutside(const PersonList& list, const RecordCodec& codec,
                                          const QString& folder);

// Lists the files (the first few of them) and asks whether to `use` them
// ("publish them in the pages", "copy them"): Yes includes them, No leaves
// them out, Cancel stops the command.
Answer askAboutOutsideFiles(UserInteraction& ui, const std::vector<OutsideFile>& files,
                            const QString& folder, const QString& use);

}  // namespace lineara
