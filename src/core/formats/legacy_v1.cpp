#include "core/formats/legacy_v1.h"

namespace lineara {

void readVersion1Fields(const uint8_t* record, size_t recordSize, PersonRecord& into,
                        bool standardizeDates) {
    namespace at = legacy_v1;
    auto text = [&](size_t offset, TextField f, bool date = false) {
        copyLegacyText(record, recordSize, offset, into, f, date && standardizeDates);
    };
    text(at::givenNames, field::givenNames);
    text(at::surname, field::surname);
    text(at::birthDate, field::birthDate, true);
    text(at::deathDate, field::deathDate, true);
    text(at::sex, field::sex);
    text(at::pictureFile, field::pictureFile);
    text(at::notesFile, field::notesFile);
    text(at::aliasMark, field::aliasMark);
    into.setPos(legacyInt32(record, at::posX), legacyInt32(record, at::posY));
    into.setPersonId(legacyInt32(record, at::personId));
    into.setMotherId(legacyInt32(record, at::motherId));
    into.setFatherId(legacyInt32(record, at::fatherId));
    into.setSelected(false);
}

LegacyFormat legacyV1Format() {
    LegacyFormat format;
    format.recordSize = kLegacyV1RecordSize;
    format.readRecord = [](const uint8_t* bytes, PersonRecord& into) {
        readVersion1Fields(bytes, kLegacyV1RecordSize, into, false);
    };
    return format;
}

LegacyImportResult ReadfromFilev1(Document& doc, const std::string& path) {
    return importLegacyTree(doc, path, legacyV1Format());
}

LegacyImportResult ReadfromFilev1(Document& doc, ByteSource& source) {
    return importLegacyTree(doc, source, legacyV1Format());
}

}  // namespace lineara
