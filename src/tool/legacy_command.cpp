// import-legacy: the import of a tree of version 1.0 (".ln") or 1.5.x
// (".ln2"), saved as a tree file of today.
#include <cctype>
#include <iostream>
#include <string>

#include "core/formats/legacy_v1.h"
#include "core/formats/legacy_v1_5.h"
#include "core/formats/tree_file.h"
#include "core/model/document.h"
#include "tool/commands.h"
#include "tool/standard_output.h"

namespace lineara::tool {

namespace {

bool endsWith(const std::string& path, const std::string& tail) {
    if (path.size() < tail.size()) return false;
    for (size_t i = 0; i < tail.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(path[path.size() - tail.size() + i]);
        if (std::tolower(c) != tail[i]) return false;
    }
    return true;
}

}  // namespace

int importLegacy(const CommandLine& line) {
    const bool keepDates = line.has("--keep-dates");
    const std::string& in = line[0];
    const bool v15 = endsWith(in, ".ln2");
    if (!v15 && !endsWith(in, ".ln")) {
        std::cerr << "lineara-tool: " << in << ": an old tree ends in .ln or .ln2\n";
        return usage(line);
    }
    if (!hasTreeFileExtension(line[1])) return fail(kMsgIncorrectFileType);

    Document doc;
    // The dates of 1.5.x are standardised as the program does with the
    // option on, its setting on a new installation.
    LegacyImportResult result =
        v15 ? ReadfromFilev1_5(doc, in, !keepDates) : ReadfromFilev1(doc, in);
    if (!result.ok) return fail(result.message);
    SaveResult saved = doc.SavetoFile(line[1]);
    if (!saved.written()) return fail(saved.message);
    out() << "persons: " << result.persons << '\n';
    return 0;
}

}  // namespace lineara::tool
