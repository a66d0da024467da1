// What the user reads around GEDCOM export and import: the menu items, the
// file dialogs, the import window's captions, its messages and its status
// lines. The windows and the command-line tool take them from here.
#pragma once

#include <cstdint>
#include <string>

namespace lineara {

// --- export ---
extern const char kGedcomExportMenuItem[];     // "&Eksportuj do pliku GEDCOM"
extern const char kGedcomExportDialogTitle[];  // "Eksport do pliku GEDCOM"
extern const char kGedcomExportFilter[];       // "GEDCOM files|*.ged"
// The second choice of the export dialog: the standard form.
extern const char kGedcomStandardExportFilter[];  // "GEDCOM 5.5.1, UTF-8|*.ged"
extern const char kGedcomDefaultExtension[];      // "ged"
// The third and fourth: GEDCOM 7.0, plain or as a GEDZIP with the files.
extern const char kGedcom7ExportFilter[];  // "GEDCOM 7|*.ged"
extern const char kGedzipExportFilter[];   // "GEDZIP with pictures and notes|*.gdz"

// --- import ---
extern const char kGedcomImportMenuItem[];  // "&Importuj plik GEDCOM"
extern const char kGedcomImportFilter[];    // the open dialog's filter, Windows style
extern const char kGedcomImportCaption[];   // "Import pliku GEDCOM", the window's title
extern const char kGedcomImportFileLabel[];
extern const char kGedcomImportPersonsLabel[];
extern const char kGedcomImportFamiliesLabel[];
extern const char kGedcomImportProgressLabel[];
extern const char kGedcomImportOkButton[];

extern const char kGedcomStatusImporting[];  // "Importing file..."
extern const char kGedcomStatusArranging[];  // "Please wait while arranging items..."
extern const char kGedcomStatusDone[];       // "Done."
extern const char kMsgGedcomImportFailed[];  // "GEDCOM import failed"

// The status line of a failed import, naming the line it had reached.
std::string gedcomImportFailedStatus(int64_t linesRead);
// The status line of an import stopped by the user.
std::string gedcomImportCancelledStatus(int64_t linesRead);
// The status line of a finished import: "Done.", followed by how many
// relationships found no free slot when there were any.
std::string gedcomImportDoneStatus(int64_t relationshipsLeftOut);
// The status of a file without a single GEDCOM line.
extern const char kGedcomStatusEmpty[];  // "The file is empty: nothing was imported."
// Notes that follow the status line, each on a line of its own.
extern const char kGedcomNoHeaderNote[];   // the file does not begin with HEAD
extern const char kGedcomNoTrailerNote[];  // the file does not end with TRLR
// Lines without a level number, read as going on with the value before.
std::string gedcomContinuationsNote(int64_t lines);
// Letters of the file that the tree's code page cannot hold.
std::string gedcomLettersReplacedNote(int64_t letters);
// A file of 8-bit letters that names no character set of its own, read in
// the tree's code page (an iconv name such as "CP1250").
std::string gedcomReadAsNote(const std::string& codePage);
// A code page as users know it: "Windows-1250" for "CP1250".
std::string codePageDisplayName(const std::string& codePage);

// A count as the window's boxes show it: the number and one space, "0 ".
std::string gedcomCountText(int64_t count);

}  // namespace lineara
