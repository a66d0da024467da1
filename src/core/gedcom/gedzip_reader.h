// Reading a GEDZIP: the GEDCOM text of its gedcom.ged, and the other files
// unpacked into a folder of their own beside the new tree.
//
// An archive comes from someone else and is read as such: an entry whose
// name is absolute, climbs with "..", or is a link refuses the whole
// archive before anything is written; so does one that is larger than any
// picture or notes file (or than it says it is: a zip bomb), and an archive
// without gedcom.ged. Files are created new inside the folder, never
// through a link and never over a file that is there; what was written is
// removed again when the unpacking fails half-way.
#pragma once

#include <cstddef>
#include <string>

#include "core/gedcom/new_files.h"

namespace lineara {

constexpr size_t kGedzipEntryLimit = 64u << 20;      // 64 MiB
constexpr size_t kGedzipArchiveLimit = 1024u << 20;  // 1 GiB unpacked

struct GedzipUnpacked {
    bool ok = false;
    std::string message;  // why the archive was refused
    std::string gedcom;   // the bytes of gedcom.ged
    size_t mediaFiles = 0;
    // What was unpacked, to be taken back when the new tree cannot be saved.
    WrittenFiles written;
};

// Unpacks `archive`; its files go below `mediaFolder`, made when missing.
GedzipUnpacked unpackGedzip(const std::string& archive, const std::string& mediaFolder);

}  // namespace lineara
