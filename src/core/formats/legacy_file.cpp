#include "core/formats/legacy_file.h"

#include "core/platform/translatable.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <unordered_map>
#include <vector>

#include "core/dates/date_conversion.h"
#include "core/history/step_names.h"
#include "core/platform/atomic_file.h"

namespace lineara {

const char kMsgLegacyFileError[] =
    LINEARA_TRANSLATABLE("Core", "There was an error opening the file");

namespace {

// Records are asked of the source this many at a time.
constexpr size_t kBatchRecords = 64;

LegacyImportResult failure(std::string detail) {
    LegacyImportResult r;
    r.message = kMsgLegacyFileError;
    r.detail = std::move(detail);
    return r;
}

// The records read so far, not yet in any list.
using Staged = std::vector<std::unique_ptr<PersonRecord>>;

// The highest id after the records were read, as the old program left it:
// each record first took the next id, then its own id from the file, and
// the highest went up to that id when it was larger. So every record
// counts once even when its id is small or repeated, and no new person
// can get the id of an imported one.
int32_t highestIdAfter(const Staged& records) {
    int32_t highest = 0;
    for (const auto& r : records) {
        if (highest < std::numeric_limits<int32_t>::max()) ++highest;
        highest = std::max(highest, r->personId());
    }
    return highest;
}

// Reads the whole source into records. False with the reason in `detail`
// when it cannot be read to its end in whole records.
bool readRecords(ByteSource& source, const LegacyFormat& format, Staged& records,
                 std::string& detail) {
    const size_t size = format.recordSize;
    std::vector<uint8_t> batch(size * kBatchRecords);
    size_t filled = 0;
    for (;;) {
        int error = 0;
        int64_t n = source.read(reinterpret_cast<char*>(batch.data()) + filled,
                                batch.size() - filled, error);
        if (n < 0) {
            detail = std::strerror(error);
            return false;
        }
        filled += static_cast<size_t>(n);
        const bool end = n == 0;
        size_t whole = filled / size;
        // Until the end only full batches are taken, so a record is never
        // read from two reads.
        if (!end && filled < batch.size()) continue;
        for (size_t k = 0; k < whole; ++k) {
            auto record = std::make_unique<PersonRecord>();
            format.readRecord(batch.data() + k * size, *record);
            records.push_back(std::move(record));
        }
        if (end) {
            if (filled % size != 0) {
                detail = "the file ends inside record " + std::to_string(records.size() + 1);
                return false;
            }
            return true;
        }
        filled = 0;
    }
}

// Turns the ids of the records into links, before they go into the list:
// the first record with an id (in file order) is the one a link names, as
// findPersonById finds it.
void resolveLinks(Staged& records, bool hasSpouse) {
    std::unordered_map<int32_t, const PersonRecord*> byId;
    byId.reserve(records.size());
    for (const auto& r : records) {
        if (r->personId() > 0) byId.emplace(r->personId(), r.get());
    }
    auto find = [&byId](int32_t id) -> const PersonRecord* {
        if (id <= 0) return nullptr;
        auto it = byId.find(id);
        return it != byId.end() ? it->second : nullptr;
    };
    for (auto& r : records) {
        r->father = find(r->fatherId());
        r->mother = find(r->motherId());
        // Taken as the file states it: when only one of two persons names
        // the other, the relationship is on that side only.
        if (hasSpouse) r->partner[1] = find(r->partnerId(1));
    }
}

}  // namespace

int32_t legacyInt32(const uint8_t* record, size_t offset) {
    const uint8_t* b = record + offset;
    uint32_t v = uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
    int32_t out;
    std::memcpy(&out, &v, sizeof out);
    return out;
}

void copyLegacyText(const uint8_t* record, size_t recordSize, size_t offset, PersonRecord& into,
                    TextField f, bool standardize) {
    if (offset >= recordSize) return;
    size_t length = std::min<size_t>({record[offset], f.capacity, recordSize - offset - 1});
    std::string_view text(reinterpret_cast<const char*>(record + offset + 1), length);
    if (standardize) {
        into.setText(f, StandardizeDate(text, true));
    } else {
        into.setText(f, text);
    }
}

LegacyImportResult importLegacyTree(Document& doc, ByteSource& source, const LegacyFormat& format) {
    Staged records;
    try {
        std::string detail;
        if (!readRecords(source, format, records, detail)) return failure(detail);
        // A tree of no person is no tree the old programs wrote: an empty
        // file is one whose writing went wrong.
        if (records.empty()) return failure("the file is empty");
        const int32_t highest = highestIdAfter(records);
        const size_t count = records.size();
        resolveLinks(records, format.hasSpouse);
        // What the old file holds replaces the tree, as an untitled tree
        // that counts as saved; undo brings back the tree before with its
        // file name.
        doc.replaceTree(step_name::kImportLegacy, true, [&](TreeEdit& list) {
            for (auto& r : records) list.appendLoaded(std::move(r));
            list.setHighestPersonId(highest);
            list.setCurrentPerson(nullptr);
        });
        LegacyImportResult r;
        r.ok = true;
        r.persons = count;
        return r;
    } catch (const std::bad_alloc&) {
        // The document has taken back whatever the change had done.
        return failure("not enough memory");
    }
}

LegacyImportResult importLegacyTree(Document& doc, const std::string& path,
                                    const LegacyFormat& format) {
    // A device would hand out records without end (/dev/zero) or none that
    // mean anything; an old tree is a file, or comes through a pipe.
    struct stat st;
    if (::stat(path.c_str(), &st) == 0 && (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode))) {
        return failure(fileErrorMessage("Cannot open file", path, ENODEV));
    }
    FileSource file;
    if (!file.open(path)) return failure(file.error());
    return importLegacyTree(doc, file, format);
}

}  // namespace lineara
