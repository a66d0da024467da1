#include "core/gedcom/gedcom_import.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <memory>
#include <new>
#include <string_view>
#include <unordered_map>

#include "core/formats/tree_file.h"
#include "core/gedcom/gedcom7_dates.h"
#include "core/gedcom/gedcom_charset.h"
#include "core/gedcom/gedcom_import_families.h"
#include "core/gedcom/gedcom_import_layout.h"
#include "core/gedcom/gedcom_import_media.h"
#include "core/gedcom/gedcom_import_persons.h"
#include "core/gedcom/gedcom_importer.h"
#include "core/gedcom/gedcom_texts.h"
#include "core/history/step_names.h"
#include "core/platform/atomic_file.h"

namespace lineara {

namespace {

// Without a size the progress is counted against this many bytes.
constexpr int64_t kAssumedSize = 1000000;
// What a value gathers of its continuation lines at most; every field
// keeps far less.
constexpr size_t kContinuedBytes = 4096;
// A note's text goes into a file of its own and may be long.
constexpr size_t kContinuedNoteBytes = 1u << 20;

GedcomImportResult withStatus(GedcomImportResult::Status status, std::string message) {
    GedcomImportResult result;
    result.status = status;
    if (!message.empty()) {
        result.statusText = message;
        result.messages.push_back(std::move(message));
    }
    return result;
}

}  // namespace

namespace detail {

bool GedcomImporter::report() {
    if (!progress_) return true;
    GedcomImportProgress p;
    p.counters = counters_;
    p.sizeKnown = info_.sizeKnown;
    int64_t size = info_.sizeKnown ? info_.size : kAssumedSize;
    if (halfSize_) size /= 2;
    if (size <= 0) {
        p.percent = 100;
    } else {
        // Rounded, and never past the end: the count assumes two bytes
        // for every line end.
        double percent =
            static_cast<double>(counters_.bytesRead) * 100.0 / static_cast<double>(size);
        p.percent = static_cast<int>(std::min(100.0, percent + 0.5));
    }
    return progress_(p);
}

void GedcomImporter::addMessage(const std::string& text) {
    if (std::find(messages_.begin(), messages_.end(), text) == messages_.end()) {
        messages_.push_back(text);
    }
}

GedcomImportResult GedcomImporter::run(TreeEdit& list) {
    list_ = &list;
    if (!list.empty()) return finish(GedcomImportResult::TreeNotEmpty);
    list.setCurrentPerson(nullptr);
    persons_ = std::make_unique<ImportedPersons>(list, decoder_);
    families_ = std::make_unique<ImportedFamilies>(list, decoder_);
    media_ = std::make_unique<ImportedMedia>(decoder_);
    layout_ = std::make_unique<ImportedLayout>(decoder_);
    personNotes_ = std::make_unique<ImportedNotes>(decoder_);

    UnicodeSource unicode(source_);
    GedcomLineReader reader(unicode);
    GedcomLineScanner scanner;
    GedcomLine line;
    bool first = true;
    for (;;) {
        GedcomLineReader::Result next = reader.next(scanner);
        if (first) {
            first = false;
            decoder_.setMark(unicode.mark());
            halfSize_ = unicode.utf16();
        }
        if (next == GedcomLineReader::Result::End) break;
        if (next == GedcomLineReader::Result::Error) {
            readError_ = reader.error();
            flushPending();
            return finish(GedcomImportResult::Failed);
        }
        ++counters_.linesRead;
        counters_.bytesRead += static_cast<int64_t>(scanner.length()) + 2;
        if (!report()) {
            flushPending();
            return finish(GedcomImportResult::Cancelled);
        }
        // Blank lines, of any length, say nothing.
        if (scanner.length() < 2 || scanner.blank()) continue;
        scanner.finish(line);
        if (!line.hasLevel) {
            // A line of text without a level goes on with the value before,
            // as a note pasted with its line breaks does. Before any line
            // there is none, and a line of binary bytes is no text.
            if (!hasPending_ || scanner.hasNul()) {
                flushPending();
                return finish(GedcomImportResult::Failed);
            }
            extendBroken(scanner.text());
            ++continuations_;
            continue;
        }
        if (!line.levelOk) {
            flushPending();
            return finish(GedcomImportResult::Failed);
        }
        if (continues(line)) {
            extend(line);
            continue;
        }
        if (!flushPending()) return finish(GedcomImportResult::Failed);
        std::swap(pending_, line);
        pendingValue_ = pending_.value;
        hasPending_ = true;
        pendingNote_ = isNote(pending_);
    }
    if (!flushPending()) return finish(GedcomImportResult::Failed);
    return finish(anyLine_ ? GedcomImportResult::Done : GedcomImportResult::Empty);
}

bool GedcomImporter::continues(const GedcomLine& line) const {
    return hasPending_ && line.level == pending_.level + 1 &&
           (line.tagIs("CONC") || line.tagIs("CONT"));
}

void GedcomImporter::extend(const GedcomLine& line) {
    std::string& value = pendingValue_;
    const size_t limit = pendingNote_ ? kContinuedNoteBytes : kContinuedBytes;
    if (value.size() >= limit) return;
    if (line.tagIs("CONT")) {
        // A new line of the text; the record's fields hold one line, a
        // note keeps its lines.
        value += pendingNote_ ? '\n' : ' ';
    } else {
        // A program that split the text at a space may have put the space
        // at the beginning of the continuation.
        value.append(line.valueIndent, ' ');
    }
    value += line.value;
    if (value.size() > limit) value.resize(limit);
}

// A broken line is a new line of the text, as a CONT line is.
void GedcomImporter::extendBroken(std::string_view text) {
    std::string& value = pendingValue_;
    const size_t limit = pendingNote_ ? kContinuedNoteBytes : kContinuedBytes;
    if (value.size() >= limit) return;
    value += pendingNote_ ? '\n' : ' ';
    value.append(text.substr(0, limit - value.size()));
}

bool GedcomImporter::flushPending() {
    if (!hasPending_) return true;
    hasPending_ = false;
    return dispatch(pending_, trimGedcomBlanks(pendingValue_));
}

std::vector<std::string> GedcomImporter::notes(GedcomImportResult::Status status) const {
    std::vector<std::string> out;
    if (continuations_ > 0) out.push_back(gedcomContinuationsNote(continuations_));
    if (decoder_.lettersReplaced() > 0) {
        out.push_back(gedcomLettersReplacedNote(int64_t(decoder_.lettersReplaced())));
    }
    if (decoder_.guessedLetters()) out.push_back(gedcomReadAsNote(info_.codePage));
    if (!notKept_.empty()) out.push_back(notKept_.note());
    // A file read to its end without its first or last record may have been
    // cut; one that failed or was stopped says so already.
    if (status == GedcomImportResult::Done) {
        if (!beganWithHeader_) out.push_back(kGedcomNoHeaderNote);
        if (!endedWithTrailer_) out.push_back(kGedcomNoTrailerNote);
    }
    return out;
}

GedcomImportResult GedcomImporter::finish(GedcomImportResult::Status status) {
    GedcomImportResult result;
    result.status = status;
    result.counters = counters_;
    if (status != GedcomImportResult::TreeNotEmpty) releaseDate(nullptr);
    switch (status) {
    case GedcomImportResult::Done:
    case GedcomImportResult::Failed:
    case GedcomImportResult::Cancelled:
        // What was read stays, with its families and sources.
        families_->link([this](std::string_view xref) { return FindImportedPerson(xref); });
        persons_->resolveSources();
        resolveMedia();
        resolveNotes();
        layout_->resolve(*list_,
                         [this](std::string_view xref) { return FindImportedPerson(xref); });
        for (const std::string& message : families_->messages()) addMessage(message);
        result.relationshipsLeftOut = families_->relationshipsLeftOut();
        result.notes = notes(status);
        break;
    case GedcomImportResult::Empty:
    case GedcomImportResult::CannotOpen:
    case GedcomImportResult::TreeNotEmpty:
        break;
    }
    result.incomplete =
        status == GedcomImportResult::Done && (!beganWithHeader_ || !endedWithTrailer_);
    result.positionsKept =
        counters_.personsRead > 0 && positioned_ == counters_.personsRead + aliasBoxes_;
    std::string head;
    switch (status) {
    case GedcomImportResult::Done:
        report();
        list_->setCurrentPerson(list_->personListHead());
        head = gedcomImportDoneStatus(result.relationshipsLeftOut);
        break;
    case GedcomImportResult::Failed:
        report();
        addMessage(kMsgGedcomImportFailed);
        if (readError_ != 0)
            addMessage(fileErrorMessage("Cannot read file", info_.path, readError_));
        head = gedcomImportFailedStatus(counters_.linesRead);
        break;
    case GedcomImportResult::Cancelled:
        head = gedcomImportCancelledStatus(counters_.linesRead);
        break;
    case GedcomImportResult::Empty:
        report();
        addMessage(kGedcomStatusEmpty);
        head = kGedcomStatusEmpty;
        break;
    case GedcomImportResult::CannotOpen:
    case GedcomImportResult::TreeNotEmpty:
        break;
    }
    result.statusText = head;
    for (const std::string& note : result.notes) result.statusText += "\n" + note;
    result.messages = messages_;
    result.notesWritten = notesWritten_;
    return result;
}

GedcomImportResult GedcomImporter::outOfMemory() const {
    GedcomImportResult result;
    result.status = GedcomImportResult::Failed;
    result.counters = counters_;
    result.relationshipsLeftOut = families_ ? families_->relationshipsLeftOut() : 0;
    // The tree is taken back; so are its notes files.
    removeWrittenFiles(notesWritten_);
    result.messages = {kMsgGedcomImportFailed, outOfMemoryMessage("import", info_.path)};
    result.statusText = gedcomImportFailedStatus(counters_.linesRead);
    return result;
}

}  // namespace detail

using detail::GedcomImporter;

GedcomImportResult importGedcomOnList(TreeEdit& list, ByteSource& source,
                                      const GedcomInputInfo& info, const GedcomProgress& progress) {
    return GedcomImporter(source, info, progress).run(list);
}

GedcomImportResult importGedcom(Document& doc, ByteSource& source, const GedcomInputInfo& info,
                                const GedcomProgress& progress, const GedcomAfterImport& after) {
    if (!doc.persons().empty()) return withStatus(GedcomImportResult::TreeNotEmpty, {});
    GedcomImporter importer(source, info, progress);
    try {
        return doc.change(step_name::kImportGedcom, [&](TreeEdit& list) {
            GedcomImportResult result = importer.run(list);
            // A file of this program's that placed every box keeps its
            // drawing; any other gets the arrangement.
            if (result.done() && after && !result.positionsKept) after(list);
            return result;
        });
    } catch (const std::bad_alloc&) {
        // The document has taken the half-read tree back.
        return importer.outOfMemory();
    }
}

GedcomImportResult importGedcom(Document& doc, const std::string& path,
                                const GedcomProgress& progress, const GedcomAfterImport& after,
                                const std::string& codePage, const std::string& treeFolder,
                                const std::string& notesFolder) {
    if (!doc.persons().empty()) return withStatus(GedcomImportResult::TreeNotEmpty, {});
    FileSource file;
    if (!file.open(path)) return withStatus(GedcomImportResult::CannotOpen, file.error());
    GedcomInputInfo info(path, file.sizeKnown(), file.size(), codePage);
    info.treeFolder = treeFolder;
    info.notesFolder = notesFolder;
    return importGedcom(doc, file, info, progress, after);
}

namespace {

std::string besideWithoutExtension(const std::string& filePath, const char* suffix) {
    std::filesystem::path path(filePath);
    path.replace_extension();
    return path.string() + suffix;
}

}  // namespace

std::string gedcomNotesFolder(const std::string& treePath) {
    return besideWithoutExtension(treePath, "_notes");
}

std::string gedcomMediaFolder(const std::string& path) {
    return besideWithoutExtension(path, "_media");
}

}  // namespace lineara
