// Trees of version 1.5.x: records of 1372 bytes, the fields of version 1.0
// at the same places and further the places of birth, death and baptism,
// the date of baptism, occupation, source, the picture comment and one
// relationship: the spouse, with its place and date, which becomes
// relationship slot 1. Its type stays 0, which counts as married.
//
// The dates of birth, death, baptism and of the relationship go through the
// date standardisation when the option is on.
#pragma once

#include <cstddef>
#include <string>

#include "core/formats/legacy_file.h"

namespace lineara {

constexpr size_t kLegacyV15RecordSize = 1372;

// Where version 1.5.x keeps what version 1.0 did not have.
namespace legacy_v1_5 {
constexpr size_t birthPlace = 477;
constexpr size_t deathPlace = 578;
constexpr size_t relationPlace = 679;
constexpr size_t baptismDate = 780;
constexpr size_t baptismPlace = 791;
constexpr size_t spouseId = 896;
constexpr size_t relationDate = 900;
constexpr size_t occupation = 911;
constexpr size_t pictureComment = 1012;
constexpr size_t source = 1268;
}  // namespace legacy_v1_5

LegacyFormat legacyV15Format(bool dateStandardization);

// The import of a version 1.5.x tree (see importLegacyTree);
// `dateStandardization` is the option of that name.
LegacyImportResult ReadfromFilev1_5(Document& doc, const std::string& path,
                                    bool dateStandardization);
LegacyImportResult ReadfromFilev1_5(Document& doc, ByteSource& source, bool dateStandardization);

}  // namespace lineara
