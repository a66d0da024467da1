// What the two check windows share: the file label, the working folder
// change, the two-column list and the hook into the person editor.
#pragma once

#include <QString>
#include <functional>
#include <string>

class QTreeWidget;
class QWidget;

namespace lineara {

class PersonRecord;

// Makes the person current, opens the editor on it and returns when the
// editor is closed.
using EditPersonFn = std::function<void(PersonRecord*)>;

// "Plik: " and the tree file, or "Plik: (Nowy)" for a tree without one.
QString fileLabelText(const std::string& currentFileName);

// The tree file's folder, absolute; "" for a tree without a file.
QString treeFolder(const std::string& currentFileName);

// Relative names in the records start from the tree file's folder, so the
// checks work from there. A folder that cannot be entered is no error.
void enterTreeFolder(const std::string& currentFileName);

// A report list with the columns "Osoby" (200) and `second` (1000).
QTreeWidget* makeCheckList(const QString& second, QWidget* parent);
void resetCheckColumns(QTreeWidget* list, const QString& second);

}  // namespace lineara
