#include "core/formats/tree_file.h"

#include "core/platform/translatable.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <limits>
#include <new>
#include <optional>
#include <unordered_map>
#include <vector>

#include "core/platform/atomic_file.h"

namespace lineara {

const char kMsgIncorrectFileType[] =
    LINEARA_TRANSLATABLE("Core", "Incorrect file type. Lineara did not save the file.");
const char kMsgUnrecognizedFile[] =
    LINEARA_TRANSLATABLE("Core", "Error: Lineara did not recognize the file");

namespace {

// Records are read and written in batches of this many, so that a large
// tree costs few system calls without a second copy of the whole file.
constexpr size_t kBatchRecords = 256;

int32_t idOf(const PersonRecord* person) { return person != nullptr ? person->personId() : 0; }

// The ids in a record's image stand for its links only in the file; they
// are brought up to date just before the bytes are written.
void fillIdsFromLinks(PersonList& list) {
    forEachPerson(list, [&list](const PersonRecord* person) {
        PersonRecord* r = list.edit(person);
        r->setFatherId(idOf(r->father));
        r->setMotherId(idOf(r->mother));
        for (int i = 1; i <= kRelationSlots; ++i) r->setPartnerId(i, idOf(r->partner[i]));
    });
}

// Turns the ids read from the file into links. One index from id to the
// first record with that id (in list order) gives exactly what a walk of the
// list from the head would, in linear time.
void resolveLinks(PersonList& list) {
    std::unordered_map<int32_t, const PersonRecord*> byId;
    byId.reserve(list.count());
    forEachPerson(list, [&byId](const PersonRecord* r) {
        if (r->personId() > 0) byId.emplace(r->personId(), r);  // keeps the first
    });
    auto find = [&byId](int32_t id) -> const PersonRecord* {
        if (id <= 0) return nullptr;
        auto it = byId.find(id);
        return it != byId.end() ? it->second : nullptr;
    };
    forEachPerson(list, [&find, &list](const PersonRecord* person) {
        PersonRecord* r = list.edit(person);
        r->father = find(r->fatherId());
        r->mother = find(r->motherId());
        for (int i = 1; i <= kRelationSlots; ++i) r->partner[i] = find(r->partnerId(i));
    });
}

// Reads up to `size` bytes, stopping early only at the end of the file.
// Returns the count read, or -1 with errno set.
ssize_t readFully(int fd, uint8_t* buffer, size_t size) {
    size_t done = 0;
    while (done < size) {
        ssize_t n = ::read(fd, buffer + done, size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    return static_cast<ssize_t>(done);
}

}  // namespace

std::string outOfMemoryMessage(const char* action, const std::string& path) {
    return std::string("Not enough memory to ") + action + " file \"" + path + "\"";
}

bool hasTreeFileExtension(const std::string& path) {
    if (path.size() < 3) return false;
    std::string tail = path.substr(path.size() - 3);
    for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return tail == "ln3";
}

std::vector<uint8_t> treeFileBytes(PersonList& list) {
    fillIdsFromLinks(list);
    std::vector<uint8_t> bytes;
    bytes.reserve(list.count() * kRecordSize);
    forEachPerson(list, [&bytes](const PersonRecord* r) {
        bytes.insert(bytes.end(), r->image().begin(), r->image().end());
    });
    return bytes;
}

void copyTreeFileBytes(PersonList& list, uint8_t* into) {
    fillIdsFromLinks(list);
    forEachPerson(list, [&into](const PersonRecord* r) {
        std::memcpy(into, r->image().data(), kRecordSize);
        into += kRecordSize;
    });
}

SaveResult SavetoFile(PersonList& list, const std::string& path) {
    if (!hasTreeFileExtension(path)) return {SaveResult::Refused, kMsgIncorrectFileType};

    fillIdsFromLinks(list);

    AtomicFileWriter file;
    if (!file.open(path)) return {SaveResult::FileError, file.error()};
    std::vector<uint8_t> batch;
    batch.reserve(kBatchRecords * kRecordSize);
    auto flush = [&]() {
        bool ok = file.write(batch.data(), batch.size());
        batch.clear();
        return ok;
    };
    for (const PersonRecord* r = list.personListHead(); r != nullptr; r = r->nextPerson) {
        batch.insert(batch.end(), r->image().begin(), r->image().end());
        if (batch.size() == kBatchRecords * kRecordSize && !flush()) {
            return {SaveResult::FileError, file.error()};
        }
    }
    if ((!batch.empty() && !flush()) || !file.commit()) {
        return {SaveResult::FileError, file.error()};
    }
    return {SaveResult::Saved, {}};
}

LoadResult ReadfromFile(PersonList& list, const std::string& path) {
    list.ClearMemory();

    // A tree is a file. A device would hand out records without end
    // (/dev/zero) and a pipe would keep the program waiting for a writer:
    // both are refused before they are opened, and once more when open in
    // case the name changed in between.
    auto notATree = [&path](const struct stat& st) -> std::optional<LoadResult> {
        if (S_ISDIR(st.st_mode)) {
            return LoadResult{LoadResult::FileError,
                              fileErrorMessage("Cannot open file", path, EISDIR)};
        }
        if (!S_ISREG(st.st_mode)) {
            return LoadResult{LoadResult::FileError,
                              fileErrorMessage("Cannot open file", path, "Not a regular file")};
        }
        return std::nullopt;
    };
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) {
        return {LoadResult::FileError, fileErrorMessage("Cannot open file", path, errno)};
    }
    if (auto refused = notATree(st)) return *refused;
    int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) return {LoadResult::FileError, fileErrorMessage("Cannot open file", path, errno)};
    if (fstat(fd, &st) != 0) st.st_mode = 0;
    if (auto refused = notATree(st)) {
        ::close(fd);
        return *refused;
    }

    // Whatever was read of a file that cannot be taken goes again.
    auto leaveEmpty = [&list] {
        list.ClearMemory();
        list.setCurrentPerson(nullptr);
        list.setTreeModified(false);
    };
    auto damaged = [&]() -> LoadResult {
        ::close(fd);
        leaveEmpty();
        return {LoadResult::Unrecognized, kMsgUnrecognizedFile};
    };

    // A tree larger than the memory left is a file error like any other,
    // not the end of the program: what was read so far is given back.
    try {
        std::vector<uint8_t> batch(kBatchRecords * kRecordSize);
        for (;;) {
            ssize_t n = readFully(fd, batch.data(), batch.size());
            if (n < 0) return damaged();
            size_t whole = static_cast<size_t>(n) / kRecordSize;
            for (size_t k = 0; k < whole; ++k) {
                auto record = std::make_unique<PersonRecord>();
                record->loadImage(batch.data() + k * kRecordSize);
                record->setSelected(false);
                list.appendLoaded(std::move(record));
            }
            // The file ends inside a record: not one of ours.
            if (static_cast<size_t>(n) % kRecordSize != 0) return damaged();
            if (static_cast<size_t>(n) < batch.size()) break;
        }
        ::close(fd);
        fd = -1;
        resolveLinks(list);
    } catch (const std::bad_alloc&) {
        if (fd >= 0) ::close(fd);
        leaveEmpty();
        LoadResult result{LoadResult::FileError, outOfMemoryMessage("open", path)};
        result.outOfMemory = true;
        return result;
    }

    list.setCurrentPerson(nullptr);
    return {LoadResult::Loaded, {}};
}

}  // namespace lineara
