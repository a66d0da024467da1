#include "core/formats/legacy_v1_5.h"

#include "core/formats/legacy_v1.h"

namespace lineara {

namespace {

void readRecord(const uint8_t* record, PersonRecord& into, bool standardize) {
    namespace at = legacy_v1_5;
    readVersion1Fields(record, kLegacyV15RecordSize, into, standardize);
    auto text = [&](size_t offset, TextField f, bool date = false) {
        copyLegacyText(record, kLegacyV15RecordSize, offset, into, f, date && standardize);
    };
    text(at::birthPlace, field::birthPlace);
    text(at::deathPlace, field::deathPlace);
    text(at::relationPlace, field::relationPlace(1));
    text(at::baptismDate, field::baptismDate, true);
    text(at::baptismPlace, field::baptismPlace);
    into.setPartnerId(1, legacyInt32(record, at::spouseId));
    text(at::relationDate, field::relationDate(1), true);
    text(at::occupation, field::occupation);
    text(at::pictureComment, field::pictureComment);
    text(at::source, field::source);
}

}  // namespace

LegacyFormat legacyV15Format(bool dateStandardization) {
    LegacyFormat format;
    format.recordSize = kLegacyV15RecordSize;
    format.readRecord = [dateStandardization](const uint8_t* bytes, PersonRecord& into) {
        readRecord(bytes, into, dateStandardization);
    };
    format.hasSpouse = true;
    return format;
}

LegacyImportResult ReadfromFilev1_5(Document& doc, const std::string& path,
                                    bool dateStandardization) {
    return importLegacyTree(doc, path, legacyV15Format(dateStandardization));
}

LegacyImportResult ReadfromFilev1_5(Document& doc, ByteSource& source, bool dateStandardization) {
    return importLegacyTree(doc, source, legacyV15Format(dateStandardization));
}

}  // namespace lineara
