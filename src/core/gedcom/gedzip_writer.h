// Writing a GEDZIP: a zip archive with the GEDCOM text as gedcom.ged at its
// root and the files it names beside it. The archive is made in memory and
// written whole or not at all (see atomic_file.h).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/gedcom/gedcom7_files.h"

namespace lineara {

// False with the reason in `error` when the archive could not be made or
// written; nothing is then left under `path`.
bool writeGedzip(const std::string& path, std::string_view gedcom,
                 const std::vector<GedzipEntry>& entries, std::string& error);

}  // namespace lineara
