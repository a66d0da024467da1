// print, list-persons, list-surnames: the printed tree as a PDF file and
// the two alphabetical lists, exactly as the desktop program makes them.
#include <QGuiApplication>
#include <QPageSize>
#include <QPrinter>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "core/model/document.h"
#include "gui/lists/list_commands.h"
#include "gui/printing/pdf_file_pages.h"
#include "gui/printing/tree_printer.h"
#include "tool/commands.h"
#include "tool/gui_start.h"

namespace lineara::tool {

namespace {

constexpr char kPrintSynopsis[] =
    "print TREE.ln3 OUT.pdf [--pages N] [--portrait] [--border W] [--selected-ids ID,ID...]";

struct PrintOptions {
    std::string tree;
    std::string pdf;
    PrintChoices choices;
    std::optional<std::set<int32_t>> selectedIds;
};

bool parseNumber(const std::string& text, long min, long max, long& value) {
    if (text.empty() || text.size() > 10 || !(text[0] >= '0' && text[0] <= '9')) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtol(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0' && value >= min && value <= max;
}

bool parseIds(const std::string& text, std::set<int32_t>& ids) {
    size_t from = 0;
    while (true) {
        size_t comma = text.find(',', from);
        long id = 0;
        if (!parseNumber(text.substr(from, comma - from), 1, INT32_MAX, id)) return false;
        ids.insert(int32_t(id));
        if (comma == std::string::npos) return true;
        from = comma + 1;
    }
}

std::optional<PrintOptions> parsePrintArgs(const Args& args) {
    if (args.size() < 2) return std::nullopt;
    PrintOptions o;
    o.tree = args[0];
    o.pdf = args[1];
    for (size_t i = 2; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--portrait") {
            o.choices.landscape = false;
            continue;
        }
        if (i + 1 >= args.size()) return std::nullopt;
        const std::string& value = args[++i];
        long n = 0;
        if (name == "--pages" && parseNumber(value, 1, kMaxPrintPages, n)) {
            o.choices.pagesAcross = int(n);
        } else if (name == "--border" && parseNumber(value, 1, 5, n)) {
            o.choices.borderWidth = int(n);
        } else if (name == "--selected-ids") {
            std::set<int32_t> ids;
            if (!parseIds(value, ids)) return std::nullopt;
            o.selectedIds = ids;
            o.choices.selectedOnly = true;
        } else {
            return std::nullopt;
        }
    }
    return o;
}

// Selects the persons with these ids, in list order; false naming the
// first id that has no person.
bool selectIds(Document& doc, const std::set<int32_t>& ids, std::string& missing) {
    std::vector<const PersonRecord*> selected;
    std::set<int32_t> found;
    forEachPerson(doc.persons(), [&](const PersonRecord* p) {
        if (ids.count(p->personId()) != 0) {
            selected.push_back(p);
            found.insert(p->personId());
        }
    });
    for (int32_t id : ids) {
        if (found.count(id) == 0) {
            missing = std::to_string(id);
            return false;
        }
    }
    doc.setSelection(selected);
    return true;
}

int writeList(const Args& args, const char* synopsis,
              std::vector<std::string> (*lines)(const PersonList&, const RecordCodec&)) {
    if (args.size() != 2) return usage(synopsis);
    Document doc;
    if (!loadTree(doc, args[0])) return 1;
    std::string error;
    if (!writeListFile(QString::fromStdString(args[1]), lines(doc.persons(), RecordCodec()),
                       error)) {
        return fail(error);
    }
    return 0;
}

}  // namespace

int printTree(const Args& args) {
    std::optional<PrintOptions> options = parsePrintArgs(args);
    if (!options) return usage(kPrintSynopsis);
    Document doc;
    if (!loadTree(doc, options->tree)) return 1;
    if (options->selectedIds) {
        std::string missing;
        if (!selectIds(doc, *options->selectedIds, missing)) {
            return fail("No person has the id " + missing);
        }
    }
    if (!printBounds(doc.persons(), options->choices.selectedOnly)) {
        return fail("Nothing to print: the tree is empty");
    }

    std::unique_ptr<QGuiApplication> app = startGui();
    // The printer only lays the pages out; they are written straight into a
    // temporary file beside the target, which takes the target's name once
    // the document is complete.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(options->choices.landscape ? QPageLayout::Landscape
                                                          : QPageLayout::Portrait);
    useWholeSheetForPdf(printer);
    PdfFilePages pages(printer);
    if (!pages.open(options->pdf)) return fail(pages.error());
    PrintJob job;
    job.choices = options->choices;
    RecordCodec codec;
    job.codec = &codec;
    if (lineara::printTree(pages, doc.persons(), job) != PrintOutcome::Printed) {
        return fail(pages.error().empty() ? options->pdf + ": the printer failed" : pages.error());
    }
    if (!pages.commit()) return fail(pages.error());
    return 0;
}

int listPersons(const Args& args) {
    return writeList(args, "list-persons TREE.ln3 OUT.txt", personListText);
}

int listSurnames(const Args& args) {
    return writeList(args, "list-surnames TREE.ln3 OUT.txt", surnameListText);
}

}  // namespace lineara::tool
