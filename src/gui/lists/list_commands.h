// "&Wszystkie osoby" and "&Nazwiska": the alphabetical lists written to a
// text file of the user's choice (render/lists/list_text_files.h) and
// opened in the desktop's text viewer.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <string>
#include <vector>

#include "core/model/person_list.h"
#include "gui/common/file_proposals.h"
#include "gui/platform/shell.h"
#include "gui/platform/user_interaction.h"
#include "render/lists/list_text_files.h"
#include "render/platform/record_codec.h"

namespace lineara {

extern const char kNoTextViewer[];

class ListCommands {
    Q_DECLARE_TR_FUNCTIONS(ListCommands)

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
