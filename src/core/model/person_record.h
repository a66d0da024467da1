// One person of the tree: the fixed 2560-byte record that is both the unit
// of memory and the unit of the tree file.
//
// The record keeps its on-disk image verbatim, so that a tree loaded and
// saved again keeps every byte we do not understand (leftovers after short
// strings, reserved fields, foreign data). The links between records are
// native pointers held beside the image: the image has only 4-byte slots for
// them, and they mean nothing outside this process anyway. Those slots in
// the image stay zero, which is also what the tree file gets.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <new>
#include <string>
#include <string_view>

namespace lineara {

constexpr int kRecordSize = 2560;
constexpr int kRelationSlots = 8;  // hard limit of relationships per person
constexpr int kBoxWidth = 140;
constexpr int kBoxHeight = 80;

// Relationship slots are numbered 1 to 8, as the record and the user count
// them; arrays of them keep an unused place 0. The index of a slot there.
constexpr size_t slotIndex(int slot) {
    assert(slot >= 0 && slot <= kRelationSlots);
    return static_cast<size_t>(slot);
}

// A short string field: a length byte at `offset`, followed by `capacity`
// character bytes.
struct TextField {
    uint16_t offset;
    uint8_t capacity;
};

namespace field {
constexpr TextField givenNames{12, 100};
constexpr TextField surname{113, 100};
constexpr TextField birthDate{214, 35};
constexpr TextField deathDate{250, 35};
constexpr TextField sex{286, 1};
constexpr TextField pictureFile{288, 100};
constexpr TextField notesFile{389, 100};
constexpr TextField aliasMark{490, 10};
constexpr TextField birthPlace{501, 100};
constexpr TextField deathPlace{602, 100};
constexpr TextField baptismDate{703, 35};
constexpr TextField baptismPlace{739, 100};
constexpr TextField occupation{840, 100};
constexpr TextField pictureComment{941, 247};
constexpr TextField source{1197, 100};
constexpr TextField gedcomImportXref{2485, 20};
constexpr TextField gedcomChildFamilyXref{2506, 20};
constexpr TextField reservedXref{2527, 20};

// Relationship slots are numbered 1 to 8.
constexpr TextField relationDate(int slot) {
    return TextField{static_cast<uint16_t>(1344 + 36 * slot), 35};
}
constexpr TextField relationPlace(int slot) {
    return TextField{static_cast<uint16_t>(1567 + 101 * slot), 100};
}

// Every short string of the record, for loops that treat them alike
// (loading, copying personal data to an alias box, tests).
constexpr TextField kPersonalData[] = {
    givenNames, surname,    birthDate,   deathDate,    sex,        pictureFile,    notesFile,
    birthPlace, deathPlace, baptismDate, baptismPlace, occupation, pictureComment, source};
}  // namespace field

// Offsets of the fixed-size values in the record image.
namespace offset {
constexpr int nextPerson = 0;
constexpr int previousPerson = 4;
constexpr int personId = 8;
constexpr int relationType = 1188;  // + slot
constexpr int mother = 1300;
constexpr int father = 1304;
constexpr int motherId = 1308;
constexpr int fatherId = 1312;
constexpr int partner = 1312;    // + 4 * slot
constexpr int partnerId = 1344;  // + 4 * slot
constexpr int posX = 2476;
constexpr int posY = 2480;
constexpr int selected = 2484;
constexpr int reservedCount = 2548;
constexpr int tagTree = 2552;
constexpr int reservedWord = 2556;
}  // namespace offset

// Alias marks (see PersonRecord::isAliasBox).
constexpr std::string_view kAliasOriginal = "ALIAS";
constexpr std::string_view kAliasBox = "REF";

class PersonRecord;

// A link from one record to another. Following a link gives a const record
// only, whatever the record it starts from: writing a relative goes through
// the edit context like any other write (see tree_edit.h), so that the
// change is recorded. It reads and assigns like a plain pointer.
class RecordLink {
public:
    RecordLink() = default;
    RecordLink(std::nullptr_t) {}  // NOLINT: reads as a pointer
    explicit RecordLink(const PersonRecord* record) : record_(record) {}
    RecordLink& operator=(const PersonRecord* record) {
        record_ = record;
        return *this;
    }

    operator const PersonRecord*() const { return record_; }
    const PersonRecord* operator->() const { return record_; }
    const PersonRecord* get() const { return record_; }

private:
    const PersonRecord* record_ = nullptr;
};

class PersonRecord {
public:
    using Image = std::array<uint8_t, kRecordSize>;

    PersonRecord() : image_{} {}

    // Records come from the record pool (see record_pool.h).
    static void* operator new(size_t size);
    static void* operator new(size_t size, const std::nothrow_t&) noexcept;
    static void operator delete(void* p) noexcept;

    // --- the record image ---
    const Image& image() const { return image_; }
    // Replaces the image with bytes read from a file. Pointer slots are
    // zeroed (they are addresses of some other process) and length bytes
    // beyond a field's capacity are cut to it, so nothing reads past a field.
    void loadImage(const uint8_t* bytes);
    uint8_t* mutableImage() { return image_.data(); }

    // --- short strings ---
    // The text of a field: raw bytes in the record's code page.
    std::string_view text(TextField f) const;
    // Keeps the first `capacity` bytes; the rest of the field is zeroed so
    // no tail of an older, longer text lingers in the file.
    void setText(TextField f, std::string_view value);
    bool isEmpty(TextField f) const { return lengthByte(f) == 0; }

    // --- fixed values ---
    int32_t personId() const { return int32At(offset::personId); }
    void setPersonId(int32_t id) { setInt32At(offset::personId, id); }
    int32_t posX() const { return int32At(offset::posX); }
    int32_t posY() const { return int32At(offset::posY); }
    void setPosX(int32_t x) { setInt32At(offset::posX, x); }
    void setPosY(int32_t y) { setInt32At(offset::posY, y); }
    void setPos(int32_t x, int32_t y) {
        setPosX(x);
        setPosY(y);
    }
    bool selected() const { return image_[offset::selected] != 0; }
    void setSelected(bool on) { image_[offset::selected] = on ? 1 : 0; }

    int32_t motherId() const { return int32At(offset::motherId); }
    int32_t fatherId() const { return int32At(offset::fatherId); }
    int32_t partnerId(int slot) const { return int32At(offset::partnerId + 4 * slot); }
    void setMotherId(int32_t id) { setInt32At(offset::motherId, id); }
    void setFatherId(int32_t id) { setInt32At(offset::fatherId, id); }
    void setPartnerId(int slot, int32_t id) { setInt32At(offset::partnerId + 4 * slot, id); }

    // The stored type code of a relationship slot (see RelationType).
    char relationType(int slot) const {
        return static_cast<char>(image_[offset::relationType + slotIndex(slot)]);
    }
    void setRelationType(int slot, char code) {
        image_[offset::relationType + slotIndex(slot)] = static_cast<uint8_t>(code);
    }

    // --- convenience over the texts ---
    bool isAliasBox() const { return text(field::aliasMark) == kAliasBox; }
    bool isAliasOriginal() const { return text(field::aliasMark) == kAliasOriginal; }

    // --- links (memory only) ---
    RecordLink nextPerson;
    RecordLink previousPerson;
    RecordLink mother;
    // In an alias box ("REF") this is the original, not a father.
    RecordLink father;
    // Slots 1 to 8, indexed by slot number.
    class PartnerLinks {
    public:
        RecordLink& operator[](int slot) { return links_[slotIndex(slot)]; }
        const RecordLink& operator[](int slot) const { return links_[slotIndex(slot)]; }
        bool operator==(const PartnerLinks& other) const { return links_ == other.links_; }

    private:
        std::array<RecordLink, kRelationSlots + 1> links_{};
    };
    PartnerLinks partner;

private:
    uint8_t lengthByte(TextField f) const { return image_[f.offset]; }
    int32_t int32At(int at) const;
    void setInt32At(int at, int32_t value);

    Image image_;
};

// The meaning of a relationship type code. Any byte other than the seven
// known codes, 0 included, counts as married.
enum class RelationType { Married, Partner, Divorced, Friend, Single, Other, Unknown };
RelationType relationTypeOf(char code);
char relationCodeOf(RelationType type);

}  // namespace lineara
