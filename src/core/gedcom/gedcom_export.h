// Writing the whole tree as a GEDCOM file: a header, an individual record
// for every person (alias boxes are not persons of their own), a family
// record for every family (see export_families.h) and the trailer.
//
// The file is single-byte text: record texts go out in the tree's bytes,
// every line ends with CR LF. That is this program's own form. The standard
// form is for other programs: GEDCOM 5.5.1 in UTF-8, with the header,
// submitter and links they expect, the texts converted from the tree's code
// page, baptisms, families of any number of children and marriage dates
// and places whole. In both, a text never breaks its line nor reads as a
// link (see gedcom_values.h), and a name reads back with the same given
// names and surname, whatever slashes it holds.
//
// The export carries names, sex, birth, death, occupation, source, the
// families' marriage dates and places and who is whose child; pictures,
// notes, relationship types and box positions stay behind. So an export
// neither changes the tree nor counts as saving it.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "core/gedcom/gedcom_writer.h"
#include "core/model/person_list.h"

namespace lineara {

// The moment written into the header, local time.
struct GedcomTime {
    int year = 0;
    int month = 1;  // 1 to 12
    int day = 1;
    int hour = 0;  // 0 to 23
    int minute = 0;
};

GedcomTime currentLocalTime();

struct GedcomExportResult {
    bool ok = true;
    std::string message;  // why the file could not be written, with the system's reason
    size_t individuals = 0;
    size_t families = 0;
};

enum class GedcomForm {
    Own,       // this program's own: single bytes, "1 CHAR ANSI"
    Standard,  // GEDCOM 5.5.1, UTF-8, for other programs
};

struct GedcomExportOptions {
    GedcomForm form = GedcomForm::Own;
    // The tree's code page, which the standard form converts from.
    std::string codePage = "CP1250";
};

GedcomExportResult writeGedcom(const PersonList& list, const GedcomTime& now,
                               const GedcomSink& sink, const GedcomExportOptions& options = {});
// The whole file as text.
std::string gedcomText(const PersonList& list, const GedcomTime& now,
                       const GedcomExportOptions& options = {});

// Writes the file at `path`, replacing one of that name only once it is
// complete; a file that cannot be written whole is reported and nothing is
// left under its name.
GedcomExportResult ExportGedcom(const PersonList& list, const std::string& path,
                                const GedcomTime& now, const GedcomExportOptions& options = {});

}  // namespace lineara
