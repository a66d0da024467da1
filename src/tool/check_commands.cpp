// standardize-date, convert-dates and qcheck: the date conversion and the
// quality check of the desktop program, for scripts.
//
// Record texts are bytes of the record code page; what we read from the
// command line and print is UTF-8, converted at this edge.
#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>

#include "core/checks/date_check.h"
#include "core/checks/quality_check.h"
#include "core/dates/date_conversion.h"
#include "core/model/document.h"
#include "core/platform/codepage.h"
#include "core/platform/registry.h"
#include "core/settings/settings.h"
#include "gui/checks/caption_order.h"
#include "tool/commands.h"

namespace lineara::tool {

// Trees do not record their code page: like the desktop program, the tool
// takes it from the character set chosen in the options, CP1250 when none
// was chosen. The settings file is only read here, never created.
const char* recordCodePage() {
    static const char* const codePage = [] {
        const char* config = std::getenv("XDG_CONFIG_HOME");
        const char* home = std::getenv("HOME");
        std::string folder = config != nullptr && *config != '\0'
                                 ? std::string(config)
                                 : std::string(home != nullptr ? home : "") + "/.config";
        Registry registry(folder + "/lineara/registry.ini");
        int choice = AppSettings().charsetChoice;
        if (std::optional<std::string> stored = registry.value(kSettingsKey, "ScreenCharset")) {
            int parsed = 0;
            auto [end, error] =
                std::from_chars(stored->data(), stored->data() + stored->size(), parsed);
            if (error == std::errc() && end == stored->data() + stored->size()) choice = parsed;
        }
        return codePageForCharset(charsetCodeForChoice(choice));
    }();
    return codePage;
}

namespace {

std::string utf8(std::string_view recordBytes) {
    return fromCodePage(recordBytes, recordCodePage());
}

QString decoded(std::string_view recordBytes) { return QString::fromStdString(utf8(recordBytes)); }

void printLine(std::string_view caption, std::string_view text) {
    std::cout << utf8(caption) << '\t' << utf8(text) << '\n';
}

}  // namespace

int standardizeDate(const Args& args) {
    if (args.empty()) return usage("standardize-date TEXT...");
    for (const std::string& text : args) {
        std::cout << utf8(ConvertDateToGedcom(toCodePage(text, recordCodePage()))) << '\n';
    }
    return 0;
}

int convertDates(const Args& args) {
    if (args.size() != 1 && args.size() != 2) return usage("convert-dates TREE.ln3 [OUT.ln3]");
    Document doc;
    if (!loadTree(doc, args[0])) return 1;
    DateCheckResult result = DCheck(doc);
    sortInReadersOrder(result.entries, decoded);
    for (const DateConversion& entry : result.entries) printLine(entry.caption, entry.action);
    std::cout << result.count << '\n';
    if (args.size() == 2) {
        SaveResult saved = doc.SavetoFile(args[1]);
        if (!saved.written()) return fail(saved.message);
    }
    return 0;
}

int qcheck(const Args& args) {
    if (args.size() != 1) return usage("qcheck TREE.ln3");
    Document doc;
    if (!loadTree(doc, args[0])) return 1;
    // Relative names start from the tree file's folder, wherever the tool
    // was started.
    StoredFileLocator files(std::filesystem::path(args[0]).parent_path(), utf8);
    QualityCheckResult result = QCheck(doc.persons(), files);
    sortInReadersOrder(result.problems, decoded);
    for (const QualityProblem& problem : result.problems) {
        printLine(problem.caption, problem.message);
    }
    std::cout << result.count << '\n';
    return 0;
}

}  // namespace lineara::tool
