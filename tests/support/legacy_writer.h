// Writes tree files of the two older versions, for tests: a person's fields
// at the places the old programs kept them. The offsets are written out
// here on purpose rather than taken from the readers, so that a reader
// reading from a wrong place is caught.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lineara::test {

constexpr size_t kV1Size = 480;
constexpr size_t kV15Size = 1372;

struct LegacyPerson {
    std::string given, surname, birthDate, deathDate, sex, pictureFile, notesFile, aliasMark;
    int32_t x = 0, y = 0, id = 0, motherId = 0, fatherId = 0;
    // Version 1.5.x only.
    std::string birthPlace, deathPlace, relationPlace, baptismDate, baptismPlace, relationDate,
        occupation, pictureComment, source;
    int32_t spouseId = 0;
};

// A short string: its length byte, then as much of the text as fits before
// the end of the record.
inline void putText(std::string& record, size_t offset, std::string_view text) {
    record[offset] = static_cast<char>(static_cast<uint8_t>(text.size()));
    size_t n = std::min(text.size(), record.size() - offset - 1);
    record.replace(offset + 1, n, text.substr(0, n));
}

inline void putInt32(std::string& record, size_t offset, int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) record[offset + i] = static_cast<char>((v >> (8 * i)) & 0xff);
}

// One record of `size` bytes (kV1Size or kV15Size); the bytes no field
// covers are `filler`.
inline std::string legacyRecord(const LegacyPerson& p, size_t size, char filler = '\0') {
    std::string r(size, filler);
    putText(r, 0, p.given);
    putText(r, 101, p.surname);
    putText(r, 202, p.birthDate);
    putText(r, 213, p.deathDate);
    putText(r, 224, p.sex);
    putText(r, 226, p.pictureFile);
    putText(r, 327, p.notesFile);
    putText(r, 428, p.aliasMark);
    putInt32(r, 448, p.x);
    putInt32(r, 452, p.y);
    putInt32(r, 464, p.id);
    putInt32(r, 468, p.motherId);
    putInt32(r, 472, p.fatherId);
    if (size == kV15Size) {
        putText(r, 477, p.birthPlace);
        putText(r, 578, p.deathPlace);
        putText(r, 679, p.relationPlace);
        putText(r, 780, p.baptismDate);
        putText(r, 791, p.baptismPlace);
        putInt32(r, 896, p.spouseId);
        putText(r, 900, p.relationDate);
        putText(r, 911, p.occupation);
        putText(r, 1012, p.pictureComment);
        putText(r, 1268, p.source);
    }
    return r;
}

inline std::string legacyFile(const std::vector<LegacyPerson>& persons, size_t size) {
    std::string file;
    for (const LegacyPerson& p : persons) file += legacyRecord(p, size);
    return file;
}

}  // namespace lineara::test
