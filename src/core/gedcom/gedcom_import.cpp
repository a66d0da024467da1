#include "core/gedcom/gedcom_import.h"

#include <algorithm>
#include <new>
#include <string_view>
#include <unordered_map>

#include "core/formats/tree_file.h"
#include "core/gedcom/gedcom_charset.h"
#include "core/gedcom/gedcom_texts.h"
#include "core/history/step_names.h"
#include "core/platform/atomic_file.h"

namespace lineara {

namespace {

// Without a size the progress is counted against this many bytes.
constexpr int64_t kAssumedSize = 1000000;
// What a line's value keeps of its 255 bytes.
constexpr size_t kValueBytes = 100;
// The date and place of the family event being read.
constexpr size_t kEventDateBytes = 35;
constexpr size_t kEventPlaceBytes = 100;
// What a value gathers of its continuation lines at most; every field
// keeps far less.
constexpr size_t kContinuedBytes = 4096;

std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && isGedcomBlank(static_cast<unsigned char>(text.front()))) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isGedcomBlank(static_cast<unsigned char>(text.back()))) {
        text.remove_suffix(1);
    }
    return text;
}

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

    GedcomImportResult run(PersonList& list);
    // The result of an import that ran out of memory and was taken back.
    GedcomImportResult outOfMemory() const;

private:
    enum class Record { None, Individual, Family };

    bool report();
    // A line is handed on only once its continuation lines are read.
    bool continues(const GedcomLine& line) const;
    void extend(const GedcomLine& line);
    bool flushPending();
    // False when the import cannot go on.
    bool dispatch(const GedcomLine& line, std::string_view raw);
    bool recordStart(const GedcomLine& line);
    void individualFact(const GedcomLine& line, const std::string& value);
    void familyLink(const GedcomLine& line, std::string_view raw);
    void individualEvent(const GedcomLine& line, const std::string& value);
    void familyEvent(const GedcomLine& line, const std::string& value);

    // Families are linked once the whole file is read, so that they may
    // name persons that come after them.
    enum class FamilyStep : uint8_t {
        Start,
        Husband,
        Wife,
        Child,
        Divorce,
        Marriage,
        Date,
        Place,
        EventLine
    };
    struct FamilyLine {
        FamilyStep step;
        std::string text;  // a cross-reference, a date or a place
    };
    void linkFamilies();
    void linkFamilyLine(const FamilyLine& line);

    PersonRecord* FindImportedPerson(std::string_view xref) const;
    void setFather(PersonRecord* child, PersonRecord* father);
    void setMother(PersonRecord* child, PersonRecord* mother);
    void addRelationship(bool divorce);
    void startEvent() {
        eventDate_.clear();
        eventPlace_.clear();
    }
    void eventToRelationship();
    GedcomImportResult finish(GedcomImportResult::Status status);
    void addMessage(const std::string& text);

    ByteSource& source_;
    GedcomInputInfo info_;
    const GedcomProgress& progress_;
    PersonList* list_ = nullptr;
    GedcomTextDecoder decoder_;
    bool halfSize_ = false;  // UTF-16: the lines hold about half the file's bytes

    GedcomImportCounters counters_;
    int64_t leftOut_ = 0;
    std::vector<std::string> messages_;
    int readError_ = 0;

    GedcomLine pending_;
    std::string pendingValue_;
    bool hasPending_ = false;

    Record recordType_ = Record::None;
    bool inHeader_ = false;
    std::string lastLevel1Tag_;  // its first four bytes are all that is asked of it
    // The person's first NAME counts; the others are alternative names.
    bool nameSeen_ = false;
    bool inFirstName_ = false;
    bool nameHasSlash_ = false;

    std::vector<FamilyLine> familyLines_;
    PersonRecord* famHusband_ = nullptr;
    PersonRecord* famWife_ = nullptr;
    PersonRecord* famChild_ = nullptr;
    // Children read before the family's husband or wife was known.
    std::vector<PersonRecord*> awaitingFather_;
    std::vector<PersonRecord*> awaitingMother_;
    std::string eventDate_;
    std::string eventPlace_;
    // The relationship made last in this family record: on whom, in which
    // slot. Its date and place go to those slots only while they still
    // belong to the family's husband and wife.
    struct Added {
        PersonRecord* husband = nullptr;
        int husbandSlot = 0;
        PersonRecord* wife = nullptr;
        int wifeSlot = 0;
    } added_;
    // Cross-references of the persons read, whole; the first person with a
    // cross-reference keeps it.
    std::unordered_map<std::string, PersonRecord*> xrefs_;
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

GedcomImportResult GedcomImporter::run(PersonList& list) {
    list_ = &list;
    if (!list.empty()) return finish(GedcomImportResult::TreeNotEmpty);
    list.setCurrentPerson(nullptr);

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
    return finish(GedcomImportResult::Done);
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

bool GedcomImporter::flushPending() {
    if (!hasPending_) return true;
    hasPending_ = false;
    return dispatch(pending_, trimBlanks(pendingValue_));
}

GedcomImportResult GedcomImporter::finish(GedcomImportResult::Status status) {
    GedcomImportResult result;
    result.status = status;
    result.counters = counters_;
    switch (status) {
    case GedcomImportResult::Done:
    case GedcomImportResult::Failed:
    case GedcomImportResult::Cancelled:
        // What was read stays, with its families.
        linkFamilies();
        break;
    case GedcomImportResult::CannotOpen:
    case GedcomImportResult::TreeNotEmpty:
        break;
    }
    result.relationshipsLeftOut = leftOut_;
    switch (status) {
    case GedcomImportResult::Done:
        report();
        list_->setCurrentPerson(list_->personListHead());
        result.statusText = gedcomImportDoneStatus(leftOut_);
        break;
    case GedcomImportResult::Failed:
        report();
        addMessage(kMsgGedcomImportFailed);
        if (readError_ != 0)
            addMessage(fileErrorMessage("Cannot read file", info_.path, readError_));
        result.statusText = gedcomImportFailedStatus(counters_.linesRead);
        break;
    case GedcomImportResult::Cancelled:
        result.statusText = gedcomImportCancelledStatus(counters_.linesRead);
        break;
    case GedcomImportResult::CannotOpen:
    case GedcomImportResult::TreeNotEmpty:
        break;
    }
    result.messages = messages_;
    return result;
}

GedcomImportResult GedcomImporter::outOfMemory() const {
    GedcomImportResult result;
    result.status = GedcomImportResult::Failed;
    result.counters = counters_;
    result.relationshipsLeftOut = leftOut_;
    result.messages = {kMsgGedcomImportFailed, outOfMemoryMessage("import", info_.path)};
    result.statusText = gedcomImportFailedStatus(counters_.linesRead);
    return result;
}

bool GedcomImporter::dispatch(const GedcomLine& line, std::string_view raw) {
    // The record texts keep their first bytes in the tree's code page.
    std::string value = decoder_.toTree(raw);
    if (value.size() > kValueBytes) value.resize(kValueBytes);
    switch (line.level) {
    case 0:
        list_->setCurrentPerson(nullptr);
        inHeader_ = line.tagIs("HEAD");
        return recordStart(line);
    case 1:
        lastLevel1Tag_ = line.tag.substr(0, 4);
        if (inHeader_ && line.tagIs("CHAR")) decoder_.declare(raw);
        if (recordType_ == Record::Individual && list_->currentPerson() != nullptr) {
            individualFact(line, value);
        } else if (recordType_ == Record::Family) {
            familyLink(line, raw);
        }
        return true;
    case 2:
        if (recordType_ == Record::Individual && list_->currentPerson() != nullptr) {
            individualEvent(line, value);
        } else if (recordType_ == Record::Family) {
            familyEvent(line, value);
        }
        return true;
    default:
        return true;  // deeper levels say nothing we keep
    }
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
        nameSeen_ = inFirstName_ = nameHasSlash_ = false;
        ++counters_.personsRead;
    } else if (startsWithWord(line.value, "FAM")) {
        recordType_ = Record::Family;
        familyLines_.push_back({FamilyStep::Start, {}});
        ++counters_.familiesRead;
    }
    return true;
}

void GedcomImporter::individualFact(const GedcomLine& line, const std::string& value) {
    PersonRecord* person = list_->edit(list_->currentPerson());
    inFirstName_ = false;
    if (line.tagIs("NAME")) {
        if (nameSeen_) return;  // an alternative name
        nameSeen_ = inFirstName_ = true;
        size_t slash = value.find('/');
        nameHasSlash_ = slash != std::string::npos;
        if (slash == std::string::npos) {
            person->setText(field::givenNames, value);
            person->setText(field::surname, "");
        } else {
            std::string surname(trimBlanks(std::string_view(value).substr(slash + 1)));
            size_t second = surname.find('/');
            if (second != std::string::npos) surname.erase(second, 1);
            person->setText(field::givenNames,
                            trimBlanks(std::string_view(value).substr(0, slash)));
            person->setText(field::surname, surname);
        }
    } else if (line.tagStartsWith("SEX")) {
        person->setText(field::sex, std::string_view(value).substr(0, 1));
    } else if (line.tagStartsWith("OCCU")) {
        person->setText(field::occupation, value);
    } else if (line.tagStartsWith("SOUR")) {
        person->setText(field::source, value);
    }
}

void GedcomImporter::individualEvent(const GedcomLine& line, const std::string& value) {
    if (inFirstName_) {
        // A name without slashes may say which part is which in GIVN and
        // SURN; a name with them has said it already.
        if (!nameHasSlash_ && line.tagIs("GIVN")) {
            list_->edit(list_->currentPerson())->setText(field::givenNames, value);
        } else if (!nameHasSlash_ && line.tagIs("SURN")) {
            list_->edit(list_->currentPerson())->setText(field::surname, value);
        }
        return;
    }
    struct Event {
        const char* tag;
        TextField date;
        TextField place;
    };
    static constexpr Event kEvents[] = {{"BIRT", field::birthDate, field::birthPlace},
                                        {"DEAT", field::deathDate, field::deathPlace},
                                        {"BAPM", field::baptismDate, field::baptismPlace}};
    for (const Event& event : kEvents) {
        if (lastLevel1Tag_ != event.tag) continue;
        if (line.tagIs("DATE")) {
            list_->edit(list_->currentPerson())->setText(event.date, value);
        } else if (line.tagIs("PLAC")) {
            list_->edit(list_->currentPerson())->setText(event.place, value);
        }
        return;
    }
}

PersonRecord* GedcomImporter::FindImportedPerson(std::string_view xref) const {
    auto it = xrefs_.find(std::string(xref));
    return it != xrefs_.end() ? it->second : nullptr;
}

// Nobody becomes his own father, mother or partner, whatever a file says.
void GedcomImporter::setFather(PersonRecord* child, PersonRecord* father) {
    if (child != father) list_->edit(child)->father = father;
}

void GedcomImporter::setMother(PersonRecord* child, PersonRecord* mother) {
    if (child != mother) list_->edit(child)->mother = mother;
}

void GedcomImporter::addRelationship(bool divorce) {
    added_ = Added{};
    if (famHusband_ == famWife_) return;
    Outcome made = list_->AddMarriage(famHusband_, famWife_);
    if (!made) {
        // One message for the whole file; the status line says how many.
        ++leftOut_;
        addMessage(made.message);
        return;
    }
    added_ = {famHusband_, list_->addedSlotIndex()[0], famWife_, list_->addedSlotIndex()[1]};
    if (divorce) {
        list_->edit(famHusband_)->setRelationType(added_.husbandSlot, 'D');
        list_->edit(famWife_)->setRelationType(added_.wifeSlot, 'D');
    }
}

void GedcomImporter::familyLink(const GedcomLine& line, std::string_view raw) {
    if (line.tagStartsWith("HUSB")) {
        familyLines_.push_back({FamilyStep::Husband, std::string(raw)});
    } else if (line.tagStartsWith("WIFE")) {
        familyLines_.push_back({FamilyStep::Wife, std::string(raw)});
    } else if (line.tagStartsWith("CHIL")) {
        familyLines_.push_back({FamilyStep::Child, std::string(raw)});
    } else if (line.tagStartsWith("DIV")) {
        familyLines_.push_back({FamilyStep::Divorce, {}});
    } else if (line.tagStartsWith("MARR")) {
        familyLines_.push_back({FamilyStep::Marriage, {}});
    }
}

void GedcomImporter::familyEvent(const GedcomLine& line, const std::string& value) {
    if (lastLevel1Tag_ != "MARR" && lastLevel1Tag_.compare(0, 3, "DIV") != 0) return;
    if (line.tagIs("DATE")) {
        familyLines_.push_back({FamilyStep::Date, value.substr(0, kEventDateBytes)});
    } else if (line.tagIs("PLAC")) {
        familyLines_.push_back({FamilyStep::Place, value.substr(0, kEventPlaceBytes)});
    } else {
        familyLines_.push_back({FamilyStep::EventLine, {}});
    }
}

void GedcomImporter::linkFamilies() {
    for (const FamilyLine& line : familyLines_) linkFamilyLine(line);
    familyLines_.clear();
    familyLines_.shrink_to_fit();
}

// The family's lines in the order they were read: each parent goes to the
// children read so far and to every child read after it, a relationship
// is made when both husband and wife are known.
void GedcomImporter::linkFamilyLine(const FamilyLine& line) {
    switch (line.step) {
    case FamilyStep::Start:
        famHusband_ = famWife_ = famChild_ = nullptr;
        awaitingFather_.clear();
        awaitingMother_.clear();
        added_ = Added{};
        startEvent();
        break;
    case FamilyStep::Husband:
        famHusband_ = FindImportedPerson(line.text);
        if (famHusband_ == nullptr) break;
        if (famWife_ != nullptr) addRelationship(false);
        for (PersonRecord* child : awaitingFather_) setFather(child, famHusband_);
        awaitingFather_.clear();
        if (famChild_ != nullptr) setFather(famChild_, famHusband_);
        break;
    case FamilyStep::Wife:
        famWife_ = FindImportedPerson(line.text);
        if (famWife_ == nullptr) break;
        if (famHusband_ != nullptr) addRelationship(false);
        for (PersonRecord* child : awaitingMother_) setMother(child, famWife_);
        awaitingMother_.clear();
        if (famChild_ != nullptr) setMother(famChild_, famWife_);
        break;
    case FamilyStep::Child:
        famChild_ = FindImportedPerson(line.text);
        if (famChild_ == nullptr) break;
        if (famHusband_ != nullptr) {
            setFather(famChild_, famHusband_);
        } else {
            awaitingFather_.push_back(famChild_);
        }
        if (famWife_ != nullptr) {
            setMother(famChild_, famWife_);
        } else {
            awaitingMother_.push_back(famChild_);
        }
        break;
    case FamilyStep::Divorce:
        // A divorce is a relationship of its own, beside the marriage, with
        // a date and place of its own: it never takes the marriage's.
        startEvent();
        if (famHusband_ != nullptr && famWife_ != nullptr) addRelationship(true);
        break;
    case FamilyStep::Marriage:
        startEvent();
        break;
    case FamilyStep::Date:
        eventDate_ = line.text;
        eventToRelationship();
        break;
    case FamilyStep::Place:
        eventPlace_ = line.text;
        eventToRelationship();
        break;
    case FamilyStep::EventLine:
        eventToRelationship();
        break;
    }
}

// The event belongs to the relationship made last: the marriage made at
// the HUSB or WIFE line, or the divorce made at the DIV line.
void GedcomImporter::eventToRelationship() {
    auto setOn = [this](PersonRecord* person, int slot) {
        PersonRecord* r = list_->edit(person);
        r->setText(field::relationDate(slot), eventDate_);
        r->setText(field::relationPlace(slot), eventPlace_);
    };
    if (famHusband_ != nullptr && added_.husbandSlot > 0 && added_.husband == famHusband_) {
        setOn(famHusband_, added_.husbandSlot);
    }
    if (famWife_ != nullptr && added_.wifeSlot > 0 && added_.wife == famWife_) {
        setOn(famWife_, added_.wifeSlot);
    }
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

GedcomImportResult importGedcom(PersonList& list, ByteSource& source, const GedcomInputInfo& info,
                                const GedcomProgress& progress) {
    return GedcomImporter(source, info, progress).run(list);
}

GedcomImportResult importGedcom(Document& doc, ByteSource& source, const GedcomInputInfo& info,
                                const GedcomProgress& progress, const GedcomAfterImport& after) {
    if (!doc.persons().empty()) return withStatus(GedcomImportResult::TreeNotEmpty, {});
    GedcomImporter importer(source, info, progress);
    try {
        return doc.change(step_name::kImportGedcom, [&](PersonList& list) {
            GedcomImportResult result = importer.run(list);
            if (result.done() && after) after(list);
            return result;
        });
    } catch (const std::bad_alloc&) {
        // The document has taken the half-read tree back.
        return importer.outOfMemory();
    }
}

GedcomImportResult importGedcom(Document& doc, const std::string& path,
                                const GedcomProgress& progress, const GedcomAfterImport& after,
                                const std::string& codePage) {
    if (!doc.persons().empty()) return withStatus(GedcomImportResult::TreeNotEmpty, {});
    FileSource file;
    if (!file.open(path)) return withStatus(GedcomImportResult::CannotOpen, file.error());
    return importGedcom(doc, file, {path, file.sizeKnown(), file.size(), codePage}, progress,
                        after);
}

}  // namespace lineara
