#include "core/gedcom/gedcom_texts.h"

namespace lineara {

const char kGedcomExportMenuItem[] = "&Eksportuj do pliku GEDCOM";
const char kGedcomExportDialogTitle[] = "Eksport do pliku GEDCOM";
const char kGedcomExportFilter[] = "GEDCOM files|*.ged";
const char kGedcomStandardExportFilter[] = "GEDCOM 5.5.1, UTF-8|*.ged";
const char kGedcomDefaultExtension[] = "ged";

const char kGedcomImportMenuItem[] = "&Importuj plik GEDCOM";
const char kGedcomImportFilter[] =
    "Gedcom files (*.ged)|*.ged|Text files (*.txt)|*.txt|All files (*.*)|*.*";
const char kGedcomImportCaption[] = "Import pliku GEDCOM";
const char kGedcomImportFileLabel[] = "Plik importowany:";
const char kGedcomImportPersonsLabel[] = "Osób odczytano:";
const char kGedcomImportFamiliesLabel[] = "Rodzin odczytano:";
const char kGedcomImportProgressLabel[] = "Postęp importowania:";
const char kGedcomImportOkButton[] = "&OK";

const char kGedcomStatusImporting[] = "Importing file...";
const char kGedcomStatusArranging[] = "Please wait while arranging items...";
const char kGedcomStatusDone[] = "Done.";
const char kMsgGedcomImportFailed[] = "GEDCOM import failed";

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

std::string gedcomCountText(int64_t count) { return std::to_string(count) + " "; }

}  // namespace lineara
