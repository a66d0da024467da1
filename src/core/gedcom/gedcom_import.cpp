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

// Whether the first `n` bytes of `value`, upper-cased (a to z only), are
// `word` (of n bytes).
bool startsWithWord(std::string_view value, std::string_view word) {
    if (value.size() < word.size()) return false;
    for (size_t i = 0; i < word.size(); ++i) {
        char c = value[i];
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c != word[i]) return false;
    }
    return true;
}

class GedcomImporter {
public:
    GedcomImporter(ByteSource& source, const GedcomInputInfo& info, const GedcomProgress& progress)
        : source_(source), info_(info), progress_(progress), decoder_(info.codePage.c_str()) {}

    GedcomImportResult run(TreeEdit& list);
    // The result of an import that ran out of memory and was taken back.
    GedcomImportResult outOfMemory() const;

private:
    enum class Record { None, Individual, Family, AliasBox };

    bool report();
    // A line is handed on only once its continuation lines are read.
    bool continues(const GedcomLine& line) const;
    void extend(const GedcomLine& line);
    void extendBroken(std::string_view text);
    bool flushPending();
    // False when the import cannot go on.
    bool dispatch(const GedcomLine& line, std::string_view raw);
    bool recordStart(const GedcomLine& line);
    void readPosition(std::string_view raw);
    void resolveMedia();
    void detail(const GedcomLine& line, std::string_view raw);
    void releaseDate(const std::string* phrase);

    const PersonRecord* FindImportedPerson(std::string_view xref) const;
    GedcomImportResult finish(GedcomImportResult::Status status);
    std::vector<std::string> notes(GedcomImportResult::Status status) const;
    void addMessage(const std::string& text);

    ByteSource& source_;
    GedcomInputInfo info_;
    const GedcomProgress& progress_;
    TreeEdit* list_ = nullptr;
    GedcomTextDecoder decoder_;
    bool halfSize_ = false;  // UTF-16: the lines hold about half the file's bytes

    GedcomImportCounters counters_;
    std::vector<std::string> messages_;
    int readError_ = 0;
    int64_t continuations_ = 0;  // lines without a level, joined to the value before

    GedcomLine pending_;
    std::string pendingValue_;
    bool hasPending_ = false;

    Record recordType_ = Record::None;
    bool inHeader_ = false;
    bool inSource_ = false;
    // GEDCOM 7 (HEAD.GEDC.VERS 7.x): UTF-8 always, dates that may be
    // phrases, and this program's own extension structures.
    std::string headerTag_;  // the level-1 tag of the header read last
    bool version7_ = false;
    // A DATE of level 2 waits for the PHRASE that may follow it: the
    // phrase is the date as written and goes into the tree instead.
    GedcomLine heldDate_;
    std::string heldDateValue_;
    bool holdingDate_ = false;
    // Persons whose box position the file gave (_LNPOS).
    int64_t positioned_ = 0;
    // Whether the file held a line at all, began with its header and ended
    // with its trailer.
    bool anyLine_ = false;
    bool beganWithHeader_ = false;
    bool endedWithTrailer_ = false;

    std::unique_ptr<ImportedPersons> persons_;
    std::unique_ptr<ImportedFamilies> families_;
    std::unique_ptr<ImportedMedia> media_;
    std::unique_ptr<ImportedLayout> layout_;
    int64_t aliasBoxes_ = 0;
    bool inMedia_ = false;  // in an object record
    // Cross-references of the persons read, whole; the first person with a
    // cross-reference keeps it.
    std::unordered_map<std::string, const PersonRecord*> xrefs_;
};

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
    if (value.size() >= kContinuedBytes) return;
    if (line.tagIs("CONT")) {
        // A new line of the text; the record's fields hold one line.
        value += ' ';
    } else {
        // A program that split the text at a space may have put the space
        // at the beginning of the continuation.
        value.append(line.valueIndent, ' ');
    }
    value += line.value;
    if (value.size() > kContinuedBytes) value.resize(kContinuedBytes);
}

// A broken line is a new line of the text, as a CONT line is.
void GedcomImporter::extendBroken(std::string_view text) {
    std::string& value = pendingValue_;
    if (value.size() >= kContinuedBytes) return;
    value += ' ';
    value.append(text.substr(0, kContinuedBytes - value.size()));
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
    return result;
}

GedcomImportResult GedcomImporter::outOfMemory() const {
    GedcomImportResult result;
    result.status = GedcomImportResult::Failed;
    result.counters = counters_;
    result.relationshipsLeftOut = families_ ? families_->relationshipsLeftOut() : 0;
    result.messages = {kMsgGedcomImportFailed, outOfMemoryMessage("import", info_.path)};
    result.statusText = gedcomImportFailedStatus(counters_.linesRead);
    return result;
}

void GedcomImporter::detail(const GedcomLine& line, std::string_view raw) {
    if (inSource_) return;
    if (recordType_ == Record::Individual && list_->currentPerson() != nullptr) {
        persons_->detail(list_->currentPerson(), line, raw);
    } else if (recordType_ == Record::Family) {
        families_->detail(line, raw);
    }
}

// The held DATE, with the phrase that followed it, or its value in the
// form the tree writes standardised dates.
void GedcomImporter::releaseDate(const std::string* phrase) {
    if (!holdingDate_) return;
    holdingDate_ = false;
    const std::string text = phrase != nullptr ? *phrase : gedcom7DateAsTree(heldDateValue_);
    detail(heldDate_, text);
}

bool GedcomImporter::dispatch(const GedcomLine& line, std::string_view raw) {
    if (holdingDate_) {
        if (line.level == 3 && line.tagIs("PHRASE")) {
            const std::string phrase(raw);
            releaseDate(&phrase);
            return true;
        }
        releaseDate(nullptr);
    }
    if (!anyLine_) {
        anyLine_ = true;
        beganWithHeader_ = line.level == 0 && line.tagIs("HEAD");
    }
    switch (line.level) {
    case 0:
        list_->setCurrentPerson(nullptr);
        endedWithTrailer_ = line.tagIs("TRLR");
        inHeader_ = line.tagIs("HEAD");
        inSource_ = line.tagStartsWith("@") && startsWithWord(line.value, "SOUR");
        if (inSource_) persons_->sourceRecord(line.tag);
        inMedia_ = line.tagStartsWith("@") && startsWithWord(line.value, "OBJE");
        if (inMedia_) {
            media_->record(line.tag);
        } else {
            media_->otherLine();
        }
        return recordStart(line);
    case 1:
        if (inHeader_) headerTag_ = line.tag;
        if (inHeader_ && line.tagIs("CHAR") && !version7_) decoder_.declare(raw);
        if (version7_ && list_->currentPerson() != nullptr &&
            (recordType_ == Record::Individual || recordType_ == Record::AliasBox)) {
            if (line.tagIs("_LNPOS")) readPosition(raw);
            layout_->boxLine(list_->currentPerson(), line, raw);
        }
        if (inMedia_) {
            media_->recordLine(line, raw);
        } else if (inSource_) {
            persons_->sourceLine(line, raw);
        } else if (recordType_ == Record::Individual && list_->currentPerson() != nullptr) {
            if (line.tagIs("OBJE")) {
                media_->personObject(list_->currentPerson(), raw);
            } else {
                media_->otherLine();
            }
            persons_->fact(list_->currentPerson(), line, raw);
        } else if (recordType_ == Record::Family) {
            families_->fact(line, raw);
        }
        return true;
    case 2:
        if (inHeader_ && headerTag_ == "GEDC" && line.tagIs("VERS") && !raw.empty() &&
            raw[0] == '7') {
            // GEDCOM 7 is UTF-8, whatever else the file says.
            version7_ = true;
            decoder_.declare("UTF-8");
        }
        if (inMedia_) {
            media_->recordLine(line, raw);
            return true;
        }
        media_->personObjectDetail(line, raw);
        if (version7_ && list_->currentPerson() != nullptr &&
            (recordType_ == Record::Individual || recordType_ == Record::AliasBox)) {
            layout_->boxLine(list_->currentPerson(), line, raw);
        }
        if (version7_ && line.tagIs("DATE") && !inHeader_) {
            heldDate_ = line;
            heldDateValue_ = std::string(raw);
            holdingDate_ = true;
            return true;
        }
        detail(line, raw);
        return true;
    default:
        return true;  // deeper levels say nothing we keep
    }
}

void GedcomImporter::resolveMedia() {
    GedcomMediaPlaces places;
    std::error_code error;
    places.sourceFolder = info_.mediaFolder.empty()
                              ? std::filesystem::absolute(info_.path, error).parent_path().string()
                              : info_.mediaFolder;
    places.treeFolder = info_.treeFolder;
    places.codePage = info_.codePage;
    places.uris = version7_;
    media_->resolve(*list_, places);
}

// "x y" of a box, as this program writes it; anything else is passed over.
void GedcomImporter::readPosition(std::string_view raw) {
    int32_t xy[2] = {0, 0};
    const char* p = raw.data();
    const char* end = raw.data() + raw.size();
    for (int32_t& v : xy) {
        auto [next, error] = std::from_chars(p, end, v);
        if (error != std::errc()) return;
        p = next;
        if (p < end && *p == ' ') ++p;
    }
    if (p != end) return;
    list_->edit(list_->currentPerson())->setPos(xy[0], xy[1]);
    ++positioned_;
}

bool GedcomImporter::recordStart(const GedcomLine& line) {
    // Headers, trailers, notes, sources and the like change nothing more:
    // the record type and the family being read stay as they were.
    if (!line.tagStartsWith("@")) return true;
    if (startsWithWord(line.value, "INDI")) {
        recordType_ = Record::Individual;
        Outcome made = list_->LagNyPerson(0, 0);
        if (!made) {
            addMessage(made.message);
            return false;
        }
        PersonRecord* person = list_->edit(list_->currentPerson());
        person->setPos(0, 0);
        person->setText(field::gedcomImportXref, line.tag);  // cut to the field
        xrefs_.emplace(line.tag, person);
        persons_->start();
        ++counters_.personsRead;
    } else if (version7_ && line.value == "_LNALIAS") {
        // An alias box of this program's: a box of its own, linked to its
        // person once every record is read.
        recordType_ = Record::AliasBox;
        Outcome made = list_->LagNyPerson(0, 0);
        if (!made) {
            addMessage(made.message);
            return false;
        }
        list_->edit(list_->currentPerson())->setPos(0, 0);
        layout_->aliasBox(list_->currentPerson(), line.tag);
        ++aliasBoxes_;
    } else if (startsWithWord(line.value, "FAM")) {
        recordType_ = Record::Family;
        families_->start();
        ++counters_.familiesRead;
    }
    return true;
}

const PersonRecord* GedcomImporter::FindImportedPerson(std::string_view xref) const {
    auto it = xrefs_.find(std::string(xref));
    return it != xrefs_.end() ? it->second : nullptr;
}

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
                                const std::string& codePage, const std::string& treeFolder) {
    if (!doc.persons().empty()) return withStatus(GedcomImportResult::TreeNotEmpty, {});
    FileSource file;
    if (!file.open(path)) return withStatus(GedcomImportResult::CannotOpen, file.error());
    GedcomInputInfo info(path, file.sizeKnown(), file.size(), codePage);
    info.treeFolder = treeFolder;
    return importGedcom(doc, file, info, progress, after);
}

}  // namespace lineara
