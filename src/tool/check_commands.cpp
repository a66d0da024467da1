// standardize-date, convert-dates and qcheck: the date conversion and the
// quality check of the desktop program, for scripts.
//
// Record texts are bytes of the record code page; what we read from the
// command line and print is UTF-8, converted at this edge.
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "core/checks/date_check.h"
#include "core/checks/quality_check.h"
#include "core/dates/date_conversion.h"
#include "core/model/document.h"
#include "core/platform/codepage.h"
#include "core/settings/settings.h"
#include "render/checks/caption_order.h"
#include "tool/commands.h"
#include "tool/standard_output.h"
#include "tool/stored_settings.h"

namespace lineara::tool {

namespace {

std::string utf8(std::string_view recordBytes) {
    return fromCodePage(recordBytes, recordCodePage());
}

QString decoded(std::string_view recordBytes) { return QString::fromStdString(utf8(recordBytes)); }

void printLine(std::string_view caption, std::string_view text) {
    out() << utf8(caption) << '\t' << utf8(text) << '\n';
}

}  // namespace

int standardizeDate(const CommandLine& line) {
    for (const std::string& text : line.positional()) {
        out() << utf8(ConvertDateToGedcom(toCodePage(text, recordCodePage()))) << '\n';
    }
    return 0;
}

int convertDates(const CommandLine& line) {
    Document doc;
    if (!loadTree(doc, line[0])) return 1;
    DateCheckResult result = DCheck(doc);
    // The changes are told once they are in the saved tree: a list of
    // conversions that never reached the file would read as done.
    if (line.size() == 2) {
        SaveResult saved = doc.SavetoFile(line[1]);
        if (!saved.written()) return fail(saved.message);
    }
    sortInReadersOrder(result.entries, decoded);
    for (const DateConversion& entry : result.entries) printLine(entry.caption, entry.action);
    out() << result.count << '\n';
    return 0;
}

int qcheck(const CommandLine& line) {
    Document doc;
    if (!loadTree(doc, line[0])) return 1;
    // Relative names start from the tree file's folder, wherever the tool
    // was started.
    StoredFileLocator files(std::filesystem::path(line[0]).parent_path(), utf8);
    QualityCheckResult result = QCheck(doc.persons(), files);
    sortInReadersOrder(result.problems, decoded);
    for (const QualityProblem& problem : result.problems) {
        printLine(problem.caption, problem.message);
    }
    out() << result.count << '\n';
    return 0;
}

}  // namespace lineara::tool
