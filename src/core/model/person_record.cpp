#include "core/model/person_record.h"

#include "core/model/record_pool.h"

#include <algorithm>
#include <cstring>

namespace lineara {

namespace {

// The 4-byte slots where the record format keeps pointers. We never store
// addresses in them, so files are reproducible and reveal nothing.
constexpr int kPointerSlots[] = {offset::nextPerson,   offset::previousPerson, offset::mother,
                                 offset::father,       offset::partner + 4,    offset::partner + 8,
                                 offset::partner + 12, offset::partner + 16,   offset::partner + 20,
                                 offset::partner + 24, offset::partner + 28,   offset::partner + 32,
                                 offset::tagTree};

// Every short string of the record, personal data or not.
constexpr TextField kAllTextFields[] = {field::givenNames,
                                        field::surname,
                                        field::birthDate,
                                        field::deathDate,
                                        field::sex,
                                        field::pictureFile,
                                        field::notesFile,
                                        field::aliasMark,
                                        field::birthPlace,
                                        field::deathPlace,
                                        field::baptismDate,
                                        field::baptismPlace,
                                        field::occupation,
                                        field::pictureComment,
                                        field::source,
                                        field::gedcomImportXref,
                                        field::gedcomChildFamilyXref,
                                        field::reservedXref,
                                        field::relationDate(1),
                                        field::relationDate(2),
                                        field::relationDate(3),
                                        field::relationDate(4),
                                        field::relationDate(5),
                                        field::relationDate(6),
                                        field::relationDate(7),
                                        field::relationDate(8),
                                        field::relationPlace(1),
                                        field::relationPlace(2),
                                        field::relationPlace(3),
                                        field::relationPlace(4),
                                        field::relationPlace(5),
                                        field::relationPlace(6),
                                        field::relationPlace(7),
                                        field::relationPlace(8)};

}  // namespace

void* PersonRecord::operator new(size_t size) { return record_pool::allocate(size); }

void* PersonRecord::operator new(size_t size, const std::nothrow_t&) noexcept {
    try {
        return record_pool::allocate(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

void PersonRecord::operator delete(void* p) noexcept { record_pool::release(p); }

void PersonRecord::loadImage(const uint8_t* bytes) {
    std::memcpy(image_.data(), bytes, kRecordSize);
    for (int at : kPointerSlots) std::memset(image_.data() + at, 0, 4);
    for (const TextField& f : kAllTextFields) {
        if (image_[f.offset] > f.capacity) image_[f.offset] = f.capacity;
    }
}

std::string_view PersonRecord::text(TextField f) const {
    // The length byte is kept within the capacity by loadImage and setText;
    // the clamp here is the last line of defence against a future writer.
    size_t length = std::min<size_t>(image_[f.offset], f.capacity);
    return std::string_view(reinterpret_cast<const char*>(image_.data() + f.offset + 1), length);
}

void PersonRecord::setText(TextField f, std::string_view value) {
    size_t length = std::min<size_t>(value.size(), f.capacity);
    uint8_t* at = image_.data() + f.offset;
    at[0] = static_cast<uint8_t>(length);
    // An empty view may have no data at all, which memcpy must not see.
    if (length > 0) std::memcpy(at + 1, value.data(), length);
    std::memset(at + 1 + length, 0, f.capacity - length);
}

int32_t PersonRecord::int32At(int at) const {
    const uint8_t* p = image_.data() + at;
    uint32_t v = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    return static_cast<int32_t>(v);
}

void PersonRecord::setInt32At(int at, int32_t value) {
    uint32_t v = static_cast<uint32_t>(value);
    uint8_t* p = image_.data() + at;
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

RelationType relationTypeOf(char code) {
    switch (code) {
    case 'P':
        return RelationType::Partner;
    case 'D':
        return RelationType::Divorced;
    case 'F':
        return RelationType::Friend;
    case 'S':
        return RelationType::Single;
    case 'O':
        return RelationType::Other;
    case 'U':
        return RelationType::Unknown;
    default:
        return RelationType::Married;
    }
}

char relationCodeOf(RelationType type) {
    switch (type) {
    case RelationType::Partner:
        return 'P';
    case RelationType::Divorced:
        return 'D';
    case RelationType::Friend:
        return 'F';
    case RelationType::Single:
        return 'S';
    case RelationType::Other:
        return 'O';
    case RelationType::Unknown:
        return 'U';
    case RelationType::Married:
        break;
    }
    return 'M';
}

}  // namespace lineara
