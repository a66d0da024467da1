#include "core/reports/html_presentation.h"

#include <filesystem>
#include <vector>

#include "core/checks/quality_check.h"
#include "core/platform/atomic_file_batch.h"
#include "core/platform/codepage.h"
#include "core/reports/alphabetical_lists.h"
#include "core/reports/html_ancestor_table.h"
#include "core/reports/html_family.h"
#include "core/reports/html_files.h"
#include "core/reports/html_index.h"
#include "core/reports/html_page_ids.h"
#include "core/reports/html_page_style.h"
#include "core/reports/html_person_page.h"
#include "core/reports/html_text.h"

namespace lineara {

namespace {

class Generation {
public:
    Generation(const PersonList& list, const HtmlJob& job, HtmlImageSink& images,
               HtmlProgress* progress)
        : list_(list),
          job_(job),
          images_(images),
          progress_(progress),
          style_(htmlPageStyle(job.settings, job.versionText, job.webAddress)),
          text_(job.treeCodePage, style_.charset),
          less_(job.indexLess ? job.indexLess : HtmlTextLess(asciiCaseLess)),
          files_(job.treeFolder,
                 [&job](std::string_view name) {
                     return fromCodePage(name,
                                         job.treeCodePage != nullptr ? job.treeCodePage : "CP1250");
                 }),
          ids_(list) {}

    HtmlResult run();

private:
    std::string outputPath(const std::string& name) const {
        return (std::filesystem::path(job_.outputFolder) / name).string();
    }
    bool write(const std::string& name, const std::string& content);
    std::string copyBackground(const std::string& path, const char* prefix);
    bool writePerson(const PersonRecord& person, const FamilyIndex& family);
    // The path of the file named in `f`, or empty when it may not be read.
    std::string namedFile(const PersonRecord& person, TextField f);
    void leaveOut(const PersonRecord& person, TextField f, const std::string& path,
                  NamedFileProblem problem);
    HtmlResult& fail(std::string error);
    bool finishImages();
    void say(const std::string& codePageText) {
        if (progress_ != nullptr) progress_->text(codePageText);
    }

    const PersonList& list_;
    const HtmlJob& job_;
    HtmlImageSink& images_;
    HtmlProgress* progress_;
    HtmlPageStyle style_;
    HtmlTextEncoder text_;
    HtmlTextLess less_;
    StoredFileLocator files_;
    HtmlPageIds ids_;
    // Thousands of small files into one folder: flushed to disk in groups.
    // The folder is the presentation's own: a link planted in it is
    // replaced by the page, never followed out of the folder.
    AtomicFileBatch batch_{256, LinkRule::ReplaceLink};
    std::vector<HtmlIndexLine> index_;
    HtmlResult result_;
    bool imagesFinished_ = false;
};

bool Generation::write(const std::string& name, const std::string& content) {
    std::string error;
    if (!batch_.write(outputPath(name), content.data(), content.size(), error)) {
        fail(error);
        return false;
    }
    ++result_.filesWritten;
    return true;
}

// Copies a background image beside the pages and gives the attribute that
// shows it. The copy may fail (the image moved away, say); the page then
// shows no background, which is no reason to stop.
std::string Generation::copyBackground(const std::string& path, const char* prefix) {
    if (path.empty()) return {};
    std::filesystem::path source(path);
    if (source.is_relative() && !job_.treeFolder.empty())
        source = std::filesystem::path(job_.treeFolder) / source;
    std::string name = prefix + fileNamePart(path);
    NamedFileRead image = readNamedFile(source.string(), kBackgroundFileLimit, OverLimit::Refuse);
    std::string error;
    if (image.problem == NamedFileProblem::None &&
        batch_.write(outputPath(name), image.bytes.data(), image.bytes.size(), error)) {
        ++result_.filesWritten;
    }
    return "BACKGROUND=\"" + addressPart(name) + "\" ";
}

std::string Generation::namedFile(const PersonRecord& person, TextField f) {
    if (person.isEmpty(f)) return {};
    std::string path = files_.resolve(person.text(f)).string();
    if (!job_.allowOutside && isOutsideFolder(path, job_.treeFolder)) {
        leaveOut(person, f, path, NamedFileProblem::Outside);
        return {};
    }
    return path;
}

void Generation::leaveOut(const PersonRecord& person, TextField f, const std::string& path,
                          NamedFileProblem problem) {
    HtmlLeftOut out;
    out.names = std::string(person.text(field::givenNames)) + " " +
                std::string(person.text(field::surname));
    out.storedName = std::string(person.text(f));
    out.path = path.empty() ? files_.resolve(person.text(f)).string() : path;
    out.problem = problem;
    out.picture = f.offset == field::pictureFile.offset;
    result_.leftOut.push_back(std::move(out));
}

bool Generation::writePerson(const PersonRecord& person, const FamilyIndex& family) {
    const std::string picturePath = namedFile(person, field::pictureFile);
    const std::string id = ids_.text(&person);
    HtmlImageSink::PersonImages images =
        images_.writePersonImages(person, id, picturePath, job_.outputFolder);
    if (!images.ok) {
        std::string error = images_.error();
        fail(error.empty() ? "Could not write the image " + id + ".gif" : error);
        return false;
    }
    result_.filesWritten += images.hasPicture ? 2 : 1;
    if (!picturePath.empty() && !images.hasPicture) {
        leaveOut(person, field::pictureFile, picturePath,
                 images.pictureProblem != NamedFileProblem::None ? images.pictureProblem
                                                                 : NamedFileProblem::Unreadable);
    }

    FamilyLists lists = family.familyOf(&person, style_.siblings);
    PersonPageParts parts;
    parts.family = &lists;
    if (images.hasPicture) {
        parts.pictureLines = pictureTableLines(person, id, images.pictureWidth,
                                               images.pictureHeight, style_.textColour, text_);
    }
    const std::string notesPath = namedFile(person, field::notesFile);
    if (!notesPath.empty()) {
        NotesRead notes = readNotesLines(notesPath);
        if (notes.problem != NamedFileProblem::None)
            leaveOut(person, field::notesFile, notesPath, notes.problem);
        parts.notesLines = std::move(notes.lines);
    }
    if (!write(id + ".html", personPage(person, parts, style_, ids_, text_, less_))) return false;
    index_.push_back(htmlIndexLine(person, style_, ids_, text_));
    return true;
}

HtmlResult& Generation::fail(std::string error) {
    finishImages();
    // What was written before stays.
    std::string ignored;
    batch_.commit(ignored);
    result_.status = HtmlResult::Status::Failed;
    result_.error = std::move(error);
    return result_;
}

bool Generation::finishImages() {
    if (imagesFinished_) return true;
    imagesFinished_ = true;
    return images_.finish();
}

HtmlResult Generation::run() {
    const PersonRecord* head = list_.personListHead();
    if (head == nullptr) {
        result_.status = HtmlResult::Status::EmptyTree;
        return result_;
    }
    style_.pageBackground = copyBackground(job_.settings.backgroundImage, "b_");
    style_.headerBackground = copyBackground(job_.settings.t1Image, "t1_");
    style_.bodyBackground = copyBackground(job_.settings.t2Image, "t2_");

    if (!images_.writeSharedImages(job_.outputFolder)) {
        std::string error = images_.error();
        return fail(error.empty() ? "Could not write blank.gif and arrow.gif" : error);
    }
    result_.filesWritten += 2;

    FamilyIndex family(list_);
    for (const PersonRecord* r = head; r != nullptr; r = r->nextPerson) {
        if (progress_ != nullptr && progress_->cancelled()) {
            finishImages();
            std::string ignored;
            batch_.commit(ignored);
            result_.status = HtmlResult::Status::Cancelled;
            return result_;
        }
        std::string names = "Generating files for ";
        names.append(r->text(field::givenNames)).append(" ");
        names.append(r->text(field::surname)).append("...");
        say(names);
        // An alias box is the same person again: it has no page of its own.
        if (!r->isAliasBox() && !writePerson(*r, family)) return result_;
        if (progress_ != nullptr) progress_->step();
    }

    say("Creating index...");
    if (!finishImages()) {
        std::string error = images_.error();
        return fail(error.empty() ? "Could not write the images of the persons" : error);
    }
    sortIndexLines(index_, less_);
    std::string index = indexPage(*head, index_, job_.personCount, style_, ids_, text_);
    if (style_.frames) {
        if (!write("left.html", index)) return result_;
        if (!write("index.html", startPage(*head, style_, ids_, text_))) return result_;
    } else if (!write("index.html", index)) {
        return result_;
    }
    std::string error;
    if (!batch_.commit(error)) return fail(error);
    say("Done.");
    return result_;
}

}  // namespace

HtmlResult generateHtmlPresentation(const PersonList& list, const HtmlJob& job,
                                    HtmlImageSink& images, HtmlProgress* progress) {
    Generation generation(list, job, images, progress);
    return generation.run();
}

}  // namespace lineara
