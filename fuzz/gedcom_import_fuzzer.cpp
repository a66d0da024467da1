// libFuzzer target for the GEDCOM import. The first byte chooses the size
// of the pieces the file is handed over in; the rest is the file. For any
// file:
// - the import ends, and the tree holds together: links only to persons of
//   the tree, never to oneself, every relationship on both persons;
// - the streaming line split agrees with the whole-line split on every line;
// - the export of the imported tree is read back with the same persons;
// - undo gives back the empty tree.
// A broken promise aborts, so that libFuzzer keeps the input.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unordered_set>

#include "core/gedcom/gedcom_export.h"
#include "core/gedcom/gedcom_import.h"
#include "core/gedcom/gedcom_line.h"

namespace {

using namespace lineara;

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

void check(bool ok, const char* what) {
    if (!ok) broken(what);
}

int slotsWith(const PersonRecord* person, const PersonRecord* partner) {
    int n = 0;
    for (int i = 1; i <= kRelationSlots; ++i) n += person->partner[i] == partner;
    return n;
}

void checkTree(const PersonList& list) {
    std::unordered_set<const PersonRecord*> records;
    forEachPerson(list, [&](const PersonRecord* r) { records.insert(r); });
    check(records.size() == list.count(), "count");
    forEachPerson(list, [&](const PersonRecord* r) {
        for (const PersonRecord* parent : {r->father, r->mother}) {
            check(parent != r, "own parent");
            check(parent == nullptr || records.count(parent) != 0, "stray parent");
        }
        for (int i = 1; i <= kRelationSlots; ++i) {
            const PersonRecord* q = r->partner[i];
            if (q == nullptr) continue;
            check(q != r, "own partner");
            check(records.count(q) != 0, "stray partner");
            check(slotsWith(r, q) == slotsWith(q, r), "one-sided relationship");
        }
    });
}

void checkLine(std::string_view line, size_t piece) {
    GedcomLine whole = ParseGedcomLine(line);
    GedcomLineScanner scanner;
    for (size_t at = 0; at < line.size(); at += piece) {
        scanner.append(line.data() + at, std::min(piece, line.size() - at));
    }
    GedcomLine scanned = scanner.finish();
    check(scanned.levelOk == whole.levelOk, "level ok");
    check(scanned.hasLevel == whole.hasLevel, "has level");
    if (!whole.levelOk) return;
    check(scanned.level == whole.level, "level");
    check(scanned.tagLength == whole.tag.size(), "tag length");
    check(scanned.tag == whole.tag.substr(0, kGedcomKeptTagBytes), "tag");
    check(scanned.value == whole.value, "value");
}

// The lines as the reader should find them, the plain way.
void checkLines(std::string_view bytes, size_t piece) {
    size_t start = 0;
    for (size_t i = 0; i <= bytes.size(); ++i) {
        bool end = i == bytes.size() || bytes[i] == 26;
        if (end || bytes[i] == '\r' || bytes[i] == '\n') {
            checkLine(bytes.substr(start, i - start), piece);
            if (end) return;
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    size_t piece = data[0] == 0 ? SIZE_MAX : 1 + data[0] % 64;
    std::string file(reinterpret_cast<const char*>(data + 1), size - 1);

    checkLines(file, piece == SIZE_MAX ? file.size() + 1 : piece);

    Document doc;
    MemorySource source(file, piece);
    GedcomImportResult result =
        importGedcom(doc, source, {"fuzz.ged", true, static_cast<int64_t>(file.size())});
    check(result.status == GedcomImportResult::Done || result.status == GedcomImportResult::Failed ||
              result.status == GedcomImportResult::Empty,
          "status");
    check(result.counters.personsRead == static_cast<int64_t>(doc.persons().count()), "persons");
    checkTree(doc.persons());

    std::string exported = gedcomText(doc.persons(), {2026, 1, 2, 3, 4});
    Document again;
    MemorySource exportedSource(exported);
    GedcomImportResult reread = importGedcom(again, exportedSource, {"again.ged", false, 0});
    check(reread.done(), "the export reads back");
    check(again.persons().count() == doc.persons().count(), "the export keeps the persons");
    checkTree(again.persons());

    if (!doc.persons().empty()) {
        check(doc.undo(), "undo");
        check(doc.persons().empty() && doc.persons().highestPersonId() == 0, "undo empties");
    }
    return 0;
}
