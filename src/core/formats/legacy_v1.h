// Trees of version 1.0: records of 480 bytes holding names, the dates of
// birth and death as typed, sex, picture and notes file, the alias mark,
// the box position and the ids of the person, the mother and the father.
// Version 1.0 knew no places, baptism, occupation, source, picture comment
// or relationships.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/formats/legacy_file.h"

namespace lineara {

constexpr size_t kLegacyV1RecordSize = 480;

// Where version 1.0 keeps its fields (version 1.5.x keeps them there too).
namespace legacy_v1 {
constexpr size_t givenNames = 0;
constexpr size_t surname = 101;
constexpr size_t birthDate = 202;
constexpr size_t deathDate = 213;
constexpr size_t sex = 224;
constexpr size_t pictureFile = 226;
constexpr size_t notesFile = 327;
constexpr size_t aliasMark = 428;
constexpr size_t posX = 448;
constexpr size_t posY = 452;
constexpr size_t personId = 464;
constexpr size_t motherId = 468;
constexpr size_t fatherId = 472;
}  // namespace legacy_v1

// The fields of version 1.0 of a record of `recordSize` bytes into `into`;
// with `standardizeDates` the dates of birth and death go through the date
// standardisation (version 1.5.x does that, version 1.0 never).
void readVersion1Fields(const uint8_t* record, size_t recordSize, PersonRecord& into,
                        bool standardizeDates);

LegacyFormat legacyV1Format();

// The import of a version 1.0 tree (see importLegacyTree).
LegacyImportResult ReadfromFilev1(Document& doc, const std::string& path);
LegacyImportResult ReadfromFilev1(Document& doc, ByteSource& source);

}  // namespace lineara
