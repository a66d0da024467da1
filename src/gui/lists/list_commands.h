// "&Wszystkie osoby" and "&Nazwiska": the alphabetical lists written to a
// text file of the user's choice and opened in the desktop's text viewer.
#pragma once

#include <QString>
#include <string>
#include <vector>

#include "core/model/person_list.h"
#include "core/reports/alphabetical_lists.h"
#include "gui/common/file_proposals.h"
#include "gui/platform/record_codec.h"
#include "gui/platform/shell.h"
#include "gui/platform/user_interaction.h"

namespace lineara {

extern const char kNoTextViewer[];

// Record texts from the tree's code page to UTF-8.
Recode utf8From(const RecordCodec& codec);

// The lines of each list, UTF-8 and sorted for readers.
std::vector<std::string> personListText(const PersonList& list, const RecordCodec& codec);
std::vector<std::string> surnameListText(const PersonList& list, const RecordCodec& codec);

// Writes the lines whole or not at all, each ended by a line feed; false
// with the system's reason in `error`.
bool writeListFile(const QString& path, const std::vector<std::string>& lines, std::string& error);

class ListCommands {
public:
    // `proposals` (may be null) offers the folder and the tree's name,
    // `treeFile`, for the file.
    ListCommands(const PersonList& list, const RecordCodec& codec, UserInteraction& ui,
                 Shell& shell, FileProposals* proposals = nullptr, std::string treeFile = {})
        : list_(list),
          codec_(codec),
          ui_(ui),
          shell_(shell),
          proposals_(proposals),
          treeFile_(std::move(treeFile)) {}

    void SavetoFile1Click();
    void Surnames1Click();

private:
    void saveAndOpen(const std::vector<std::string>& lines, const QString& title);

    const PersonList& list_;
    const RecordCodec& codec_;
    UserInteraction& ui_;
    Shell& shell_;
    FileProposals* proposals_;
    std::string treeFile_;
};

}  // namespace lineara
