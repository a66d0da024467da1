#include "core/model/person_record.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <type_traits>
#include <utility>

#include "core/model/person_list.h"

namespace lineara {
namespace {

TEST(PersonRecordLayout, FieldsSitAtTheirFileOffsets) {
    PersonRecord r;
    r.setPersonId(0x01020304);
    r.setText(field::givenNames, "Jan");
    r.setText(field::surname, "Kowalski");
    r.setText(field::sex, "M");
    r.setText(field::aliasMark, "ALIAS");
    r.setText(field::source, "S");
    r.setText(field::relationDate(1), "D1");
    r.setText(field::relationDate(8), "D8");
    r.setText(field::relationPlace(1), "P1");
    r.setText(field::relationPlace(8), "P8");
    r.setRelationType(1, 'D');
    r.setRelationType(8, 'U');
    r.setFatherId(7);
    r.setMotherId(8);
    r.setPartnerId(1, 9);
    r.setPartnerId(8, 10);
    r.setPos(-3, 258);
    r.setSelected(true);
    r.setText(field::reservedXref, "X");

    const auto& b = r.image();
    EXPECT_EQ(b[8], 0x04);
    EXPECT_EQ(b[11], 0x01);
    EXPECT_EQ(b[12], 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[13]), 3), "Jan");
    EXPECT_EQ(b[113], 8);
    EXPECT_EQ(b[286], 1);
    EXPECT_EQ(b[287], 'M');
    EXPECT_EQ(b[490], 5);
    EXPECT_EQ(b[1197], 1);
    EXPECT_EQ(b[1189], 'D');
    EXPECT_EQ(b[1196], 'U');
    EXPECT_EQ(b[1380], 2);
    EXPECT_EQ(b[1381 + 1], '1');
    EXPECT_EQ(b[1380 + 7 * 36], 2);
    EXPECT_EQ(b[1668], 2);
    EXPECT_EQ(b[1668 + 7 * 101], 2);
    EXPECT_EQ(b[1668 + 7 * 101 + 101], 0xFD);  // posX = -3, little-endian
    EXPECT_EQ(b[1308], 8);
    EXPECT_EQ(b[1312], 7);
    EXPECT_EQ(b[1348], 9);
    EXPECT_EQ(b[1376], 10);
    EXPECT_EQ(b[2476], 0xFD);
    EXPECT_EQ(b[2479], 0xFF);
    EXPECT_EQ(b[2480], 2);
    EXPECT_EQ(b[2481], 1);
    EXPECT_EQ(b[2484], 1);
    EXPECT_EQ(b[2527], 1);
    EXPECT_EQ(r.posX(), -3);
    EXPECT_EQ(r.posY(), 258);
}

TEST(PersonRecordText, AssignmentKeepsTheFirstCharactersAndZeroesTheRest) {
    PersonRecord r;
    r.setText(field::birthDate, std::string(50, 'x'));
    EXPECT_EQ(r.text(field::birthDate), std::string(35, 'x'));
    EXPECT_EQ(r.image()[field::birthDate.offset], 35);
    // The next field is untouched by the cut.
    EXPECT_EQ(r.image()[field::deathDate.offset], 0);

    r.setText(field::sex, "MF");
    EXPECT_EQ(r.text(field::sex), "M");

    // A shorter text leaves no tail of the longer one in the record.
    r.setText(field::givenNames, "Bartholomew");
    r.setText(field::givenNames, "Jan");
    EXPECT_EQ(r.text(field::givenNames), "Jan");
    EXPECT_EQ(r.image()[field::givenNames.offset + 4], 0);

    // Bytes are bytes: CP1250 letters and NUL pass unchanged.
    std::string raw("\xA3\xF3\x64\x9F\0z", 6);
    r.setText(field::surname, raw);
    EXPECT_EQ(r.text(field::surname), raw);
    EXPECT_TRUE(r.isEmpty(field::occupation));
}

TEST(PersonRecordText, LoadingCutsOversizedLengthsAndDropsAddresses) {
    PersonRecord::Image bytes;
    bytes.fill(0xAB);
    PersonRecord r;
    r.loadImage(bytes.data());
    // Every length byte of 0xAB (171) is above the capacity of all fields
    // but the picture comment, and is cut to the capacity.
    EXPECT_EQ(r.text(field::givenNames).size(), 100u);
    EXPECT_EQ(r.text(field::sex).size(), 1u);
    EXPECT_EQ(r.text(field::aliasMark).size(), 10u);
    EXPECT_EQ(r.text(field::relationDate(8)).size(), 35u);
    EXPECT_EQ(r.text(field::pictureComment).size(), 171u);
    // Pointer slots hold addresses of another process: zero them.
    for (int at : {0, 4, 1300, 1304, 1316, 1344, 2552}) {
        EXPECT_EQ(std::memcmp(&r.image()[at], "\0\0\0\0", 4), 0) << "offset " << at;
    }
    // Everything else is kept, reserved fields included.
    EXPECT_EQ(r.image()[2556], 0xAB);
    EXPECT_EQ(r.image()[1298], 0xAB);
}

// A reader holding the list by const reference must not be able to reach a
// writable record, neither from the list nor by following links; the
// build fails if it can.
using Reader = const PersonList&;
using Seen = const PersonRecord&;
static_assert(
    std::is_same_v<decltype(std::declval<Reader>().personListHead()), const PersonRecord*>);
static_assert(
    std::is_same_v<decltype(std::declval<Reader>().personListTail()), const PersonRecord*>);
static_assert(
    std::is_same_v<decltype(std::declval<Reader>().currentPerson()), const PersonRecord*>);
static_assert(
    std::is_same_v<decltype(std::declval<Reader>().findPersonById(1)), const PersonRecord*>);
static_assert(std::is_same_v<std::decay_t<decltype(std::declval<Reader>().selection()[0])>,
                             const PersonRecord*>);
static_assert(
    std::is_same_v<decltype(std::declval<Seen>().father.operator->()), const PersonRecord*>);
static_assert(!std::is_convertible_v<decltype((std::declval<Seen>().nextPerson)), PersonRecord*>);
static_assert(!std::is_convertible_v<decltype((std::declval<Seen>().mother)), PersonRecord*>);
static_assert(!std::is_convertible_v<decltype((std::declval<Seen>().partner[1])), PersonRecord*>);
// Nor does a writable record lead to another one: a relative is written
// through the edit context, which records it (tree_edit.h).
static_assert(
    !std::is_convertible_v<decltype((std::declval<PersonRecord&>().father)), PersonRecord*>);
static_assert(
    !std::is_convertible_v<decltype(std::declval<PersonList&>().personListHead()), PersonRecord*>);

TEST(RelationTypeCodes, KnownCodesAndEverythingElseIsMarried) {
    struct Case {
        char code;
        RelationType type;
    } cases[] = {{'M', RelationType::Married},  {'P', RelationType::Partner},
                 {'D', RelationType::Divorced}, {'F', RelationType::Friend},
                 {'S', RelationType::Single},   {'O', RelationType::Other},
                 {'U', RelationType::Unknown}};
    for (const Case& c : cases) {
        EXPECT_EQ(relationTypeOf(c.code), c.type) << c.code;
        EXPECT_EQ(relationCodeOf(c.type), c.code);
    }
    for (char other : {'\0', 'm', 'X', ' '}) {
        EXPECT_EQ(relationTypeOf(other), RelationType::Married);
    }
}

}  // namespace
}  // namespace lineara
