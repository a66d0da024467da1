// The HTML presentation: one page per person, the name index and the
// frameset start page, written into one folder. The core writes every page
// and drives the loop; the images (box images, the shared spacer and
// arrow, the reduced pictures) are drawn by the application through
// `HtmlImageSink`, since drawing text and encoding GIF and JPEG need the
// platform's drawing library.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/model/person_list.h"
#include "core/platform/named_file.h"
#include "core/reports/html_settings.h"

namespace lineara {

// The images of the presentation, written by the application.
class HtmlImageSink {
public:
    virtual ~HtmlImageSink() = default;

    // blank.gif and arrow.gif into `outputFolder`. False ends the generation
    // with an error.
    virtual bool writeSharedImages(const std::string& outputFolder) = 0;

    struct PersonImages {
        bool ok = true;           // false ends the generation with an error
        bool hasPicture = false;  // pict<id>.jpg was written
        int pictureWidth = 0;     // its size after fitting within 193 x 193
        int pictureHeight = 0;
        // Why a picture that was asked for is not there.
        NamedFileProblem pictureProblem = NamedFileProblem::None;
    };
    // Draws the person's box, reduces the picture at `picturePath` (empty
    // when the person has none; relative to nothing, already resolved) to
    // pict<id>.jpg with its thumbnail in the box, and writes <id>.gif; `id`
    // is the name of the person's page (see HtmlPageIds). The sink may
    // finish the encoding later, on other threads; `finish` waits for it.
    virtual PersonImages writePersonImages(const PersonRecord& person, const std::string& id,
                                           const std::string& picturePath,
                                           const std::string& outputFolder) = 0;
    // Waits for images still being encoded; false when any of them failed.
    virtual bool finish() = 0;
    // What went wrong with the last call that failed, for the result's
    // `error`; the generation says which image it was when this is empty.
    virtual std::string error() const { return {}; }
};

// What the window or the command line tells a generation.
struct HtmlJob {
    HtmlSettings settings;
    // Pictures and notes files resolve against it: the tree file's folder,
    // or for a tree that has no file yet the folder the user works in.
    std::string treeFolder;
    // Whether files outside the tree folder (and below it) may go into the
    // pages. Without it they are left out: a tree from someone else must
    // not publish the files of whoever generates its pages.
    bool allowOutside = false;
    std::string outputFolder;             // must exist
    const char* treeCodePage = "CP1250";  // the code page of the record texts
    int personCount = 0;                  // the index's "N individuals"
    std::string versionText;              // kVersionText
    std::string webAddress;               // the product's address
    // Case-insensitive, in the order of the user's language; a byte-wise
    // case-insensitive order when empty. Compares index lines (record
    // bytes in the tree's code page, with the markup around them).
    std::function<bool(const std::string&, const std::string&)> indexLess;
};

// Told about the progress, once per record; `text` is in the tree's code
// page ("Generating files for <names>...", "Creating index...", "Done.").
class HtmlProgress {
public:
    virtual ~HtmlProgress() = default;
    virtual void text(const std::string& codePageText) = 0;
    virtual void step() = 0;  // one record done (alias boxes too)
    virtual bool cancelled() { return false; }
};

// A notes file or picture a person names that is not in the pages.
struct HtmlLeftOut {
    std::string names;       // the person's given names and surname (record bytes)
    std::string storedName;  // as the record names the file (record bytes)
    std::string path;        // where it was looked for
    NamedFileProblem problem = NamedFileProblem::Missing;
    bool picture = false;  // the picture, else the notes file
};

struct HtmlResult {
    enum class Status { Done, EmptyTree, Failed, Cancelled };
    Status status = Status::Done;
    std::string error;                 // what failed, naming the file and the system's reason
    int filesWritten = 0;              // pages, images and copied backgrounds
    std::vector<HtmlLeftOut> leftOut;  // in list order
};

// The generation over the whole list, from its head.
HtmlResult generateHtmlPresentation(const PersonList& list, const HtmlJob& job,
                                    HtmlImageSink& images, HtmlProgress* progress = nullptr);

}  // namespace lineara
