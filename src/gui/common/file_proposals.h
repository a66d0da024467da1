// What the file dialogs propose: for a file made from the tree, the tree's
// own name with that file's extension, in the folder last used for that
// kind of file (the tree's folder until one was). The folders are kept in
// the settings store, so they are there again at the next start.
#pragma once

#include <QString>
#include <string>

namespace lineara {

class Registry;

enum class FileKind { Tree, Gedcom, Text, Picture };

class FileProposals {
public:
    // Without a store the folders are kept for this run only.
    explicit FileProposals(Registry* registry) : registry_(registry) {}

    // The preset for a dialog of `kind`: a folder and, when the tree has a
    // file name, that name with `extension` ("ged", "txt"; empty: the
    // folder alone).
    QString proposal(FileKind kind, const std::string& treeFile, const QString& extension) const;
    // The folder the user has chosen a file of `kind` in.
    QString folder(FileKind kind, const std::string& treeFile) const;
    // The user chose `path`: its folder is the one offered next time.
    void remember(FileKind kind, const QString& path);

private:
    Registry* registry_;
    QString kept_[4];
};

}  // namespace lineara
