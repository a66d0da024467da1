// export-gedcom and import-gedcom: the GEDCOM export and import of the
// desktop program, for scripts.
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "core/formats/tree_file.h"
#include "core/gedcom/gedcom7_export.h"
#include "core/gedcom/gedcom_export.h"
#include "core/gedcom/gedcom_import.h"
#include "core/gedcom/gedcom_texts.h"
#include "core/gedcom/gedzip_reader.h"
#include "core/layout/auto_arrange.h"
#include "core/model/document.h"
#include "core/platform/atomic_file.h"
#include "tool/commands.h"
#include "tool/standard_output.h"
#include "tool/stored_settings.h"

namespace lineara::tool {

namespace {

// `digits` decimal digits at `at` of `text`, within [low, high].
bool readNumber(const std::string& text, size_t at, size_t digits, int low, int high, int& out) {
    if (at + digits > text.size()) return false;
    out = 0;
    for (size_t i = at; i < at + digits; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        out = out * 10 + (text[i] - '0');
    }
    return out >= low && out <= high;
}

// YYYY-MM-DDTHH:MM, exactly.
bool parseMoment(const std::string& text, GedcomTime& time) {
    return text.size() == 16 && text[4] == '-' && text[7] == '-' && text[10] == 'T' &&
           text[13] == ':' && readNumber(text, 0, 4, 0, 9999, time.year) &&
           readNumber(text, 5, 2, 1, 12, time.month) && readNumber(text, 8, 2, 1, 31, time.day) &&
           readNumber(text, 11, 2, 0, 23, time.hour) && readNumber(text, 14, 2, 0, 59, time.minute);
}

// GEDCOM 7, or a GEDZIP for a .gdz. Relative names of pictures and notes
// start from the tree file's folder, as the program finds them; files
// outside it are used only with --allow-outside.
int gedcom7Export(const CommandLine& line, const GedcomTime& now) {
    Document doc;
    if (!loadTree(doc, line[0])) return 1;
    Gedcom7FileOptions options;
    std::error_code error;
    std::filesystem::path tree = std::filesystem::absolute(line[0], error);
    options.treeFolder = tree.parent_path().string();
    options.codePage = recordCodePage();
    options.allowOutside = line.has("--allow-outside");
    Gedcom7ExportResult result = ExportGedcom7(doc.persons(), line[1], now, options);
    if (!result.ok) return fail(result.message);
    for (const Gedcom7LeftOut& left : result.leftOut) {
        std::cerr << "left out: " << left.path << " (" << namedFileProblemText(left.problem)
                  << (left.problem == NamedFileProblem::Outside ? "; --allow-outside includes it"
                                                                : "")
                  << ")\n";
    }
    out() << "individuals: " << result.individuals << '\n'
          << "families: " << result.families << '\n';
    if (isGedzipName(line[1])) out() << "media files: " << result.mediaFiles << '\n';
    return 0;
}

}  // namespace

int gedcomExport(const CommandLine& line) {
    GedcomTime now = currentLocalTime();
    if (std::optional<std::string> moment = line.value("--now")) {
        if (!parseMoment(*moment, now)) return usage(line);
    }
    if (line.has("--gedcom7") || isGedzipName(line[1])) {
        if (line.has("--standard")) return usage(line);
        return gedcom7Export(line, now);
    }
    GedcomExportOptions options;
    if (line.has("--standard")) {
        // GEDCOM 5.5.1 in UTF-8 for other programs, converted from the
        // code page the tree is written in.
        options.form = GedcomForm::Standard;
        options.codePage = recordCodePage();
    }
    Document doc;
    if (!loadTree(doc, line[0])) return 1;
    GedcomExportResult result = ExportGedcom(doc.persons(), line[1], now, options);
    if (!result.ok) return fail(result.message);
    out() << "individuals: " << result.individuals << '\n'
          << "families: " << result.families << '\n';
    return 0;
}

int gedcomImport(const CommandLine& line) {
    // A large file takes a while: find out first whether the tree can be
    // saved where it is to go.
    if (!hasTreeFileExtension(line[1])) return fail(kMsgIncorrectFileType);
    {
        AtomicFileWriter target;
        if (!target.probe(line[1])) return fail(target.error());
    }

    Document doc;
    // The boxes are arranged within the import's step, as the program does
    // once the whole file was read; a failed import keeps them at 0, 0.
    // Pictures and notes files the file names are kept relative to the
    // new tree's folder where they lie below it.
    std::error_code error;
    const std::string treeFolder = std::filesystem::absolute(line[1], error).parent_path().string();
    GedcomImportResult result;
    // What the import wrote beside the tree goes again when no tree is
    // saved to name it.
    WrittenFiles unpackedFiles;
    const auto failAndTakeBack = [&](const std::string& message) {
        removeWrittenFiles(result.notesWritten);
        removeWrittenFiles(unpackedFiles);
        return fail(message);
    };
    const std::string notesFolder = gedcomNotesFolder(line[1]);
    if (isGedzipName(line[0])) {
        // The archive's files go into a folder of their own beside the tree.
        const std::string mediaFolder = gedcomMediaFolder(line[1]);
        GedzipUnpacked unpacked = unpackGedzip(line[0], mediaFolder);
        if (!unpacked.ok) return fail(unpacked.message + "\nNothing was saved.");
        unpackedFiles = unpacked.written;
        const int64_t size = static_cast<int64_t>(unpacked.gedcom.size());
        MemorySource source(std::move(unpacked.gedcom));
        GedcomInputInfo info(line[0], true, size, recordCodePage());
        info.treeFolder = treeFolder;
        info.mediaFolder = std::filesystem::absolute(mediaFolder, error).string();
        info.notesFolder = notesFolder;
        result = importGedcom(doc, source, info, {}, autoArrangeOnList);
    } else {
        result = importGedcom(doc, line[0], {}, autoArrangeOnList, recordCodePage(), treeFolder,
                              notesFolder);
    }
    if (result.status == GedcomImportResult::CannotOpen ||
        result.status == GedcomImportResult::Empty) {
        return failAndTakeBack(result.statusText);
    }

    // A failure before the first person leaves nothing worth a file, and
    // an empty tree must not replace one that is there.
    if (!result.done() && doc.persons().empty()) {
        return failAndTakeBack(result.statusText + "\nNothing was saved.");
    }
    // What was read is kept, as the program keeps it in the tree; nothing
    // is told of the import before it is safely saved.
    SaveResult saved = doc.SavetoFile(line[1]);
    if (!saved.written()) return failAndTakeBack(saved.message + "\nNothing was saved.");

    for (const std::string& message : result.messages) {
        // The failure itself is told by the status line.
        if (message != kMsgGedcomImportFailed) std::cerr << message << '\n';
    }
    // The status and each note on a line of its own; a file that may have
    // been cut is not a success.
    const bool ok = result.done() && !result.incomplete;
    (ok ? out() : std::cerr) << result.statusText << '\n';
    out() << "persons read: " << result.counters.personsRead << '\n'
          << "families read: " << result.counters.familiesRead << '\n';
    return ok ? 0 : 1;
}

}  // namespace lineara::tool
