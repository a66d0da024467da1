// The GEDCOM 7.0 export, plain (.ged) or as a GEDZIP (.gdz) that carries
// the pictures and notes files along.
//
// The file is UTF-8 without a CHAR line; a value never breaks its line
// (line breaks go on in CONT lines, 7.0 has no CONC) and one that begins
// with "@" has it doubled. Individuals carry name, sex, birth, baptism,
// death, occupation, source, the notes file's text and the picture;
// families their partners, children and relationship; dates go out in
// GEDCOM's grammar or as phrases (see gedcom7_dates.h). What GEDCOM has no
// tag for — the box positions, the alias boxes and the relationship slots
// as the tree keeps them — goes into extension structures declared in the
// header's schema, so that an import can rebuild the tree whole.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/gedcom/gedcom7_files.h"
#include "core/gedcom/gedcom_export.h"

namespace lineara {

struct Gedcom7ExportResult : GedcomExportResult {
    size_t mediaFiles = 0;                // files packed into a GEDZIP
    std::vector<Gedcom7LeftOut> leftOut;  // files named but not read
};

GedcomExportResult writeGedcom7(const PersonList& list, const GedcomTime& now,
                                const GedcomSink& sink, const std::string& codePage,
                                const Gedcom7FilePlan& files);

// Whether `path` ends in ".gdz" (any case): the export then writes a GEDZIP.
bool isGedzipName(std::string_view path);

// Writes the file at `path`, whole or not at all: a GEDZIP when the name
// ends in ".gdz", else a plain GEDCOM 7 file.
Gedcom7ExportResult ExportGedcom7(const PersonList& list, const std::string& path,
                                  const GedcomTime& now, Gedcom7FileOptions options);

}  // namespace lineara
