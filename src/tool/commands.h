// The commands of lineara-tool. Each takes what the argument reader found
// on its command line and returns the process exit status: 0 on success,
// 1 on failure with the program's message on standard error, 2 for a
// usage error.
#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>

#include "core/view/colour_code.h"

#include "tool/arguments.h"

namespace lineara {
class Document;
}

namespace lineara::tool {

int info(const CommandLine& line);
int resave(const CommandLine& line);
int generate(const CommandLine& line);
int makeSample(const CommandLine& line);
int standardizeDate(const CommandLine& line);
int convertDates(const CommandLine& line);
int qcheck(const CommandLine& line);
int render(const CommandLine& line);
int collect(const CommandLine& line);
int gedcomExport(const CommandLine& line);
int gedcomImport(const CommandLine& line);
int importLegacy(const CommandLine& line);
int arrange(const CommandLine& line);
int organize(const CommandLine& line);
int createAncestors(const CommandLine& line);
int printTree(const CommandLine& line);
int listPersons(const CommandLine& line);
int listSurnames(const CommandLine& line);
int html(const CommandLine& line);

int exportImage(const CommandLine& line);

// "ID,ID...": whole numbers from 1 up; false for anything else.
bool parseIds(const std::string& text, std::set<int32_t>& ids);
// "none", "gender", "notes" or "picture".
bool parseColourCode(const std::string& text, ColourCode& code);

// Loads a tree as the desktop program opens one; on failure prints the
// message and returns false.
bool loadTree(Document& doc, const std::string& path);
// The same, then the persons with `ids` (when given) selected in list
// order; an id without a person is named on standard error and fails.
bool loadTreeWithSelection(Document& doc, const std::string& path,
                           const std::optional<std::set<int32_t>>& ids);

// Prints the message on standard error and returns 1.
int fail(const std::string& message);
// Prints the command's usage line on standard error and returns 2: for a
// value the reader let through that the command cannot use.
int usage(const CommandLine& line);

}  // namespace lineara::tool
