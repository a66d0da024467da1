// Reading a GEDCOM file into an empty tree.
//
// One pass over the lines that understands individual records (name,
// sex, occupation, source, birth, death and baptism with their dates and
// places) and family records (husband, wife, children, marriage and
// divorce with their dates and places) and passes over everything else.
// Persons are made in file order, all at 0, 0; families become parent links
// and relationships once the whole file is read, so that records may come
// in any order. The texts are converted from the file's character set into
// the tree's code page (see gedcom_charset.h); continuation lines (CONC,
// CONT), and lines without a level number, are joined to the value they
// continue. What the records say is read as gedcom_import_persons.h and
// gedcom_import_families.h tell. Arranging the boxes afterwards is the
// caller's business: the import only reads.
//
// The file is read as a stream, so that neither its size nor the length of
// one line costs memory. Whatever happens in the file, what was read before
// a failure stays in the tree.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/gedcom/gedcom_reader.h"
#include "core/gedcom/new_files.h"
#include "core/model/document.h"

namespace lineara {

// The code page of a tree whose options chose none.
constexpr char kDefaultTreeCodePage[] = "CP1250";

// What the import window counts.
struct GedcomImportCounters {
    int64_t linesRead = 0;
    int64_t personsRead = 0;
    int64_t familiesRead = 0;
    // Each line's length and two for its line end, whatever the line end
    // really was.
    int64_t bytesRead = 0;
};

struct GedcomImportProgress {
    GedcomImportCounters counters;
    // Without a size (a pipe, a device) the window hides its progress bar.
    bool sizeKnown = false;
    int percent = 0;  // 0 to 100
};

// Told before each line and once at the end; returning false stops the
// import (what was read stays). The window lets itself repaint here.
using GedcomProgress = std::function<bool(const GedcomImportProgress&)>;

// Where the bytes come from, for the messages and the progress.
struct GedcomInputInfo {
    GedcomInputInfo(std::string path_ = {}, bool sizeKnown_ = false, int64_t size_ = 0,
                    std::string codePage_ = kDefaultTreeCodePage)
        : path(std::move(path_)),
          sizeKnown(sizeKnown_),
          size(size_),
          codePage(std::move(codePage_)) {}

    std::string path;
    bool sizeKnown = false;
    int64_t size = 0;
    // The tree's code page: the records' texts are written in it, and a
    // file without a character set of its own is taken to be in it.
    std::string codePage = kDefaultTreeCodePage;
    // The folder the new tree goes to, for the names of the pictures and
    // notes files the file names; empty: they are kept whole. And the
    // folder the file's own relative names start from, when not the
    // folder of `path` (an unpacked GEDZIP).
    std::string treeFolder;
    std::string mediaFolder;
    // Where the persons' notes go, a file each; empty: they are not kept.
    std::string notesFolder;
};

struct GedcomImportResult {
    enum Status {
        Done,          // read to the end; the tree is to be arranged now
        Failed,        // stopped at a line it could not read; what was read stays
        Empty,         // the file holds no GEDCOM line: nothing was read
        Cancelled,     // stopped by the progress callback; what was read stays
        CannotOpen,    // the file could not be opened: nothing was read
        TreeNotEmpty,  // the import only reads into an empty tree: nothing was read
    };
    Status status = Done;
    GedcomImportCounters counters;
    // Relationships that found no free slot on one of the two persons.
    int64_t relationshipsLeftOut = 0;
    // Read to the end, but the file did not begin with its header or did
    // not end with its trailer: it may have been cut.
    bool incomplete = false;
    // A GEDCOM 7 file of this program's gave every person's box position:
    // the boxes need no arrangement.
    bool positionsKept = false;
    // For message boxes, in the order they arose; each text at most once.
    std::vector<std::string> messages;
    // What the status line says after its first line: lines read as
    // continuations, letters replaced, the code page a file was read in,
    // a file that may be incomplete.
    std::vector<std::string> notes;
    // The window's last status text (after the arrangement, for Done): its
    // first line, then each note on a line of its own.
    std::string statusText;
    // The notes files the import wrote, to be taken back when the new tree
    // cannot be saved.
    WrittenFiles notesWritten;

    bool done() const { return status == Done; }
};

// The import into `list`, which must be empty (TreeNotEmpty otherwise), not
// undoable by itself. Running out of memory throws std::bad_alloc, with what
// was read so far in the list.
GedcomImportResult importGedcomOnList(TreeEdit& list, ByteSource& source,
                                      const GedcomInputInfo& info,
                                      const GedcomProgress& progress = {});

// Work on the tree that belongs to the import's own undo step: the
// arrangement of the boxes that follows a finished import.
using GedcomAfterImport = std::function<void(TreeEdit&)>;

// The import into the open tree, which must be empty, as one undo step:
// undo gives back the empty tree. `after` runs when the file was read to
// its end, within the same step. Running out of memory takes the whole
// import back and is reported as a failure. The progress callback is
// told while the step is being made: it must not change the document.
GedcomImportResult importGedcom(Document& doc, ByteSource& source, const GedcomInputInfo& info,
                                const GedcomProgress& progress = {},
                                const GedcomAfterImport& after = {});
GedcomImportResult importGedcom(Document& doc, const std::string& path,
                                const GedcomProgress& progress = {},
                                const GedcomAfterImport& after = {},
                                const std::string& codePage = kDefaultTreeCodePage,
                                const std::string& treeFolder = {},
                                const std::string& notesFolder = {});

// The folder of the notes files of a tree saved at `treePath`:
// "family.ln3" gives "family_notes", beside it.
std::string gedcomNotesFolder(const std::string& treePath);
// The folder a GEDZIP's files are unpacked into, beside `path` (the new
// tree, or the archive where there is no tree file yet): "family.ln3"
// gives "family_media".
std::string gedcomMediaFolder(const std::string& path);

}  // namespace lineara
