// libFuzzer target for the import of older tree files, built once for each
// version (LINEARA_LEGACY_V15 0 or 1). The first byte chooses the size of
// the pieces the file is handed over in and whether dates are
// standardised; the rest is the file. For any file:
// - the import succeeds exactly when the file is whole records, and a
//   failure leaves the tree that was open as it was, with no undo step;
// - the imported tree holds together: as many records as the file has,
//   links only to its records and only in the slots the version has, every
//   text within its field, the names and ids as a plain reading of the
//   bytes finds them, no id above the highest;
// - undo gives back the tree that was open, redo the imported one.
// A broken promise aborts, so that libFuzzer keeps the input.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unordered_set>

#include "core/formats/legacy_v1.h"
#include "core/formats/legacy_v1_5.h"
#include "core/formats/tree_file.h"

#ifndef LINEARA_LEGACY_V15
#error "LINEARA_LEGACY_V15 must be 0 or 1"
#endif

namespace {

using namespace lineara;

constexpr bool kV15 = LINEARA_LEGACY_V15 != 0;
constexpr size_t kSize = kV15 ? kLegacyV15RecordSize : kLegacyV1RecordSize;

[[noreturn]] void broken(const char* what) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
}

void check(bool ok, const char* what) {
    if (!ok) broken(what);
}

// The plain reading: a little-endian number, a text cut to its field.
int32_t idAt(const uint8_t* record, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | record[at + i];
    return static_cast<int32_t>(v);
}
std::string textAt(const uint8_t* record, size_t at, size_t capacity) {
    size_t n = std::min<size_t>(record[at], capacity);
    return std::string(reinterpret_cast<const char*>(record + at + 1), n);
}

void checkTree(const PersonList& list, const uint8_t* file, size_t records) {
    check(list.count() == records, "count");
    std::unordered_set<const PersonRecord*> all;
    forEachPerson(list, [&](const PersonRecord* r) { all.insert(r); });
    check(all.size() == records, "distinct records");
    size_t i = 0;
    forEachPerson(list, [&](const PersonRecord* r) {
        const uint8_t* bytes = file + i * kSize;
        check(r->personId() == idAt(bytes, 464), "id");
        check(r->personId() <= list.highestPersonId(), "highest id");
        check(r->posX() == idAt(bytes, 448) && r->posY() == idAt(bytes, 452), "position");
        check(r->text(field::givenNames) == textAt(bytes, 0, 100), "given names");
        check(r->text(field::surname) == textAt(bytes, 101, 100), "surname");
        if (kV15) {
            check(r->text(field::source) == textAt(bytes, 1268, 100), "source");
            check(r->text(field::pictureComment) == textAt(bytes, 1012, 247), "comment");
        } else {
            check(r->isEmpty(field::birthPlace) && r->isEmpty(field::source), "1.0 has no places");
        }
        for (TextField f : field::kPersonalData) check(r->text(f).size() <= f.capacity, "text");
        for (const PersonRecord* q : {r->father.get(), r->mother.get(), r->partner[1].get()}) {
            check(q == nullptr || all.count(q) != 0, "stray link");
        }
        check(r->father == nullptr || r->father->personId() == idAt(bytes, 472), "father");
        check(kV15 || r->partner[1] == nullptr, "1.0 has no spouse");
        for (int s = 2; s <= kRelationSlots; ++s) check(r->partner[s] == nullptr, "slot");
        ++i;
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t piece = data[0] & 0x7f ? 1 + (data[0] & 0x7f) * 37 : SIZE_MAX;
    const bool standardize = (data[0] & 0x80) != 0;
    const uint8_t* file = data + 1;
    const size_t length = size - 1;

    Document doc;
    PersonList& open = const_cast<PersonList&>(doc.persons());
    check(open.LagNyPerson(0, 0).ok, "the open tree");
    open.edit(open.currentPerson())->setText(field::givenNames, "Stary");
    const std::vector<uint8_t> before = treeFileBytes(open);

    MemorySource source(std::string(reinterpret_cast<const char*>(file), length), piece);
    LegacyImportResult result =
        kV15 ? ReadfromFilev1_5(doc, source, standardize) : ReadfromFilev1(doc, source);
    check(result.ok == (length % kSize == 0), "whole records and only they import");
    if (!result.ok) {
        check(result.message == kMsgLegacyFileError, "message");
        check(!doc.canUndo() && treeFileBytes(open) == before, "a failure changes nothing");
        return 0;
    }
    checkTree(doc.persons(), file, length / kSize);
    const std::vector<uint8_t> imported = treeFileBytes(open);
    check(doc.undo() && treeFileBytes(open) == before, "undo gives back the open tree");
    check(doc.redo() && treeFileBytes(open) == imported, "redo gives the import again");
    return 0;
}
