// The pictures and notes files a GEDCOM 7 export names, and the bytes a
// GEDZIP carries of them.
//
// A plain .ged names each file by its URI and carries the notes file's
// text as a NOTE. A GEDZIP also packs the files, each once under a name of
// its own in media/ (see gedcom7_media.h), and names them there. Files are
// read as the other readers of named files read them: regular files only,
// within a size, and a file outside the tree's folder only with the
// user's consent (a tree from someone else may name anything).
#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/model/person_list.h"
#include "core/platform/named_file.h"

namespace lineara {

constexpr size_t kGedzipPictureLimit = 64u << 20;  // 64 MiB
constexpr size_t kGedzipNotesLimit = 16u << 20;    // 16 MiB

struct Gedcom7FileOptions {
    std::string treeFolder;  // relative names start here; the folder the consent is about
    std::string codePage = "CP1250";
    bool allowOutside = false;
    bool pack = false;  // GEDZIP: read the files into the archive
};

// What an individual record says of one person's files (UTF-8).
struct Gedcom7PersonFiles {
    std::string pictureUri;  // empty: no picture
    std::string pictureForm;
    std::string notesUri;  // empty: no notes file
    std::string notesText;
};

struct GedzipEntry {
    std::string name;  // "media/0001_photo.jpg"
    std::string bytes;
};

struct Gedcom7LeftOut {
    std::string path;
    NamedFileProblem problem = NamedFileProblem::Missing;
};

class Gedcom7FilePlan {
public:
    Gedcom7FilePlan(const PersonList& list, const Gedcom7FileOptions& options);

    Gedcom7PersonFiles filesOf(const PersonRecord& person) const;
    // The packed files, in the order first named.
    const std::vector<GedzipEntry>& entries() const { return entries_; }
    // Files not read, each once: missing, not regular, too large, or
    // outside the folder without consent.
    const std::vector<Gedcom7LeftOut>& leftOut() const { return leftOut_; }

private:
    struct Known {
        std::string uri;   // empty when left out of a GEDZIP
        std::string text;  // a notes file's text, UTF-8
    };
    const Known& know(std::string_view stored, bool notes);

    Gedcom7FileOptions options_;
    std::unordered_map<std::string, Known> pictures_;
    std::unordered_map<std::string, Known> notes_;
    std::vector<GedzipEntry> entries_;
    std::vector<Gedcom7LeftOut> leftOut_;
};

}  // namespace lineara
