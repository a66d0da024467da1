// The commands of lineara-tool. Each takes the arguments after its name and
// returns the process exit status: 0 on success, 1 on failure with the
// program's message on standard error, 2 for a usage error.
#pragma once

#include <string>
#include <vector>

namespace lineara {
class Document;
}

namespace lineara::tool {

using Args = std::vector<std::string>;

int info(const Args& args);
int resave(const Args& args);
int generate(const Args& args);
int makeSample(const Args& args);
int standardizeDate(const Args& args);
int convertDates(const Args& args);
int qcheck(const Args& args);
int render(const Args& args);
int collect(const Args& args);
int gedcomExport(const Args& args);
int gedcomImport(const Args& args);
int importLegacy(const Args& args);
int arrange(const Args& args);
int organize(const Args& args);
int createAncestors(const Args& args);
int printTree(const Args& args);
int listPersons(const Args& args);
int listSurnames(const Args& args);

// The code page of the trees' texts: the character set chosen in the
// desktop program's options, CP1250 when none was chosen.
const char* recordCodePage();

// Loads a tree as the desktop program opens one; on failure prints the
// message and returns false.
bool loadTree(Document& doc, const std::string& path);

// Prints "lineara-tool: <message>" style errors consistently.
int fail(const std::string& message);
int usage(const std::string& synopsis);

}  // namespace lineara::tool
