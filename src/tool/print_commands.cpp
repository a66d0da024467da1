// print, list-persons, list-surnames: the printed tree as a PDF file and
// the two alphabetical lists, exactly as the desktop program makes them.
#include <QGuiApplication>
#include <QPageSize>
#include <cerrno>
#include <cstdlib>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "core/model/document.h"
#include "render/lists/list_text_files.h"
#include "render/printing/pdf_file_pages.h"
#include "render/printing/tree_printer.h"
#include "tool/commands.h"
#include "tool/gui_start.h"
#include "tool/stored_settings.h"

namespace lineara::tool {

namespace {

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

std::optional<PrintOptions> parsePrintArgs(const CommandLine& line) {
    PrintOptions o;
    o.tree = line[0];
    o.pdf = line[1];
    long n = 0;
    if (line.has("--portrait")) o.choices.landscape = false;
    if (std::optional<std::string> value = line.value("--pages")) {
        if (!parseNumber(*value, 1, kMaxPrintPages, n)) return std::nullopt;
        o.choices.pagesAcross = int(n);
    }
    if (std::optional<std::string> value = line.value("--border")) {
        if (!parseNumber(*value, 1, 5, n)) return std::nullopt;
        o.choices.borderWidth = int(n);
    }
    if (std::optional<std::string> value = line.value("--selected-ids")) {
        std::set<int32_t> ids;
        if (!parseIds(*value, ids)) return std::nullopt;
        o.selectedIds = ids;
        o.choices.selectedOnly = true;
    }
    return o;
}

int writeList(const CommandLine& line,
              std::vector<std::string> (*lines)(const PersonList&, const RecordCodec&)) {
    Document doc;
    if (!loadTree(doc, line[0])) return 1;
    std::string error;
    if (!writeListFile(QString::fromStdString(line[1]), lines(doc.persons(), storedRecordCodec()),
                       error)) {
        return fail(error);
    }
    return 0;
}

}  // namespace

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

bool loadTreeWithSelection(Document& doc, const std::string& path,
                           const std::optional<std::set<int32_t>>& ids) {
    if (!loadTree(doc, path)) return false;
    if (!ids) return true;
    std::vector<const PersonRecord*> selected;
    std::set<int32_t> found;
    forEachPerson(doc.persons(), [&](const PersonRecord* p) {
        if (ids->count(p->personId()) != 0) {
            selected.push_back(p);
            found.insert(p->personId());
        }
    });
    for (int32_t id : *ids) {
        if (found.count(id) == 0) {
            fail("No person has the id " + std::to_string(id));
            return false;
        }
    }
    doc.setSelection(selected);
    return true;
}

int printTree(const CommandLine& line) {
    std::optional<PrintOptions> options = parsePrintArgs(line);
    if (!options) return usage(line);
    Document doc;
    if (!loadTreeWithSelection(doc, options->tree, options->selectedIds)) return 1;
    if (!printBounds(doc.persons(), options->choices.selectedOnly)) {
        return fail("Nothing to print: the tree is empty");
    }

    std::unique_ptr<QGuiApplication> app = startGui();
    // The pages are written straight into a temporary file beside the
    // target, which takes the target's name once the document is complete.
    PdfFilePages pages(
        wholeA4Sheet(options->choices.landscape ? QPageLayout::Landscape : QPageLayout::Portrait),
        kPdfDotsPerInch);
    if (!pages.open(options->pdf)) return fail(pages.error());
    PrintJob job;
    job.choices = options->choices;
    const RecordCodec codec = storedRecordCodec();
    job.codec = &codec;
    if (lineara::printTree(pages, doc.persons(), job) != PrintOutcome::Printed) {
        return fail(pages.error().empty() ? options->pdf + ": the printer failed" : pages.error());
    }
    if (!pages.commit()) return fail(pages.error());
    return 0;
}

int listPersons(const CommandLine& line) { return writeList(line, personListText); }

int listSurnames(const CommandLine& line) { return writeList(line, surnameListText); }

}  // namespace lineara::tool
