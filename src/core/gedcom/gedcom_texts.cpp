#include "core/gedcom/gedcom_texts.h"

#include "core/platform/translatable.h"

namespace lineara {

const char kGedcomExportMenuItem[] = LINEARA_TRANSLATABLE("Menu", "&Eksportuj do pliku GEDCOM");
const char kGedcomExportDialogTitle[] = LINEARA_TRANSLATABLE("Core", "Eksport do pliku GEDCOM");
const char kGedcomExportFilter[] = "GEDCOM files|*.ged";
const char kGedcomStandardExportFilter[] = "GEDCOM 5.5.1, UTF-8|*.ged";
const char kGedcom7ExportFilter[] = "GEDCOM 7|*.ged";
const char kGedzipExportFilter[] = "GEDZIP with pictures and notes|*.gdz";
const char kGedcomDefaultExtension[] = "ged";

const char kGedcomImportMenuItem[] = LINEARA_TRANSLATABLE("Menu", "&Importuj plik GEDCOM");
const char kGedcomImportFilter[] =
    "Gedcom files (*.ged)|*.ged|GEDZIP archives (*.gdz)|*.gdz|Text files (*.txt)|*.txt|All "
    "files (*.*)|*.*";
const char kGedcomImportCaption[] = LINEARA_TRANSLATABLE("Core", "Import pliku GEDCOM");
const char kGedcomImportFileLabel[] = LINEARA_TRANSLATABLE("Core", "Plik importowany:");
const char kGedcomImportPersonsLabel[] = LINEARA_TRANSLATABLE("Core", "Osób odczytano:");
const char kGedcomImportFamiliesLabel[] = LINEARA_TRANSLATABLE("Core", "Rodzin odczytano:");
const char kGedcomImportProgressLabel[] = LINEARA_TRANSLATABLE("Core", "Postęp importowania:");
const char kGedcomImportOkButton[] = LINEARA_TRANSLATABLE("Core", "&OK");

const char kGedcomStatusImporting[] = LINEARA_TRANSLATABLE("Core", "Importing file...");
const char kGedcomStatusArranging[] =
    LINEARA_TRANSLATABLE("Core", "Please wait while arranging items...");
const char kGedcomStatusDone[] = LINEARA_TRANSLATABLE("Core", "Done.");
const char kMsgGedcomImportFailed[] = LINEARA_TRANSLATABLE("Core", "GEDCOM import failed");

std::string gedcomImportFailedStatus(int64_t linesRead) {
    return "GEDCOM import failed - file possibly corrupted (reached line " +
           std::to_string(linesRead) + ")";
}

std::string gedcomImportCancelledStatus(int64_t linesRead) {
    return "GEDCOM import cancelled (reached line " + std::to_string(linesRead) + ")";
}

std::string gedcomImportDoneStatus(int64_t relationshipsLeftOut) {
    if (relationshipsLeftOut == 0) return kGedcomStatusDone;
    // Said once for the whole file: a person with hundreds of families
    // would otherwise bring hundreds of identical messages.
    return std::string(kGedcomStatusDone) + " Relationships left out (at most 8 per person): " +
           std::to_string(relationshipsLeftOut);
}

const char kGedcomStatusEmpty[] =
    LINEARA_TRANSLATABLE("Core", "The file is empty: nothing was imported.");
const char kGedcomNoHeaderNote[] = LINEARA_TRANSLATABLE(
    "Core", "The file does not begin with its header record (HEAD): it may be incomplete.");
const char kGedcomNoTrailerNote[] = LINEARA_TRANSLATABLE(
    "Core", "The file ends before its end record (TRLR): it may be incomplete.");

std::string gedcomContinuationsNote(int64_t lines) {
    return "Lines read as continuations: " + std::to_string(lines);
}

std::string gedcomLettersReplacedNote(int64_t letters) {
    return "Letters replaced (not in the tree's code page): " + std::to_string(letters);
}

std::string gedcomReadAsNote(const std::string& codePage) {
    return "Read as " + codePageDisplayName(codePage) + " (the options' code page)";
}

std::string codePageDisplayName(const std::string& codePage) {
    // The Windows code pages by the names Windows gives them.
    static const char* const kWindows[] = {"CP874",  "CP932",  "CP936",  "CP949",  "CP950",
                                           "CP1250", "CP1251", "CP1252", "CP1253", "CP1254",
                                           "CP1255", "CP1256", "CP1257", "CP1258"};
    for (const char* name : kWindows) {
        if (codePage == name) return "Windows-" + codePage.substr(2);
    }
    if (codePage == "CP852") return "DOS-852";
    if (codePage == "MACINTOSH") return "Mac OS Roman";
    if (codePage == "JOHAB") return "Johab";
    return codePage;
}

std::string gedcomCountText(int64_t count) { return std::to_string(count) + " "; }

}  // namespace lineara
