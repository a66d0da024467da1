// The files a tree names (pictures, notes) are found from the tree file's
// folder, never from the process's working folder, which the program never
// changes. Only a tree without a file yet takes its relative names from the
// working folder, as the place it will most likely be saved.
#pragma once

#include <QString>
#include <string>

namespace lineara {

// The tree file's folder, absolute; "" for a tree without a file.
QString treeFolder(const std::string& currentFileName);

// `name` as it is found on disk: a relative name is taken from the tree
// file's folder; an absolute one, an empty one and any name of a tree
// without a file are left as they are.
QString fileOfTree(const std::string& currentFileName, const QString& name);

}  // namespace lineara
