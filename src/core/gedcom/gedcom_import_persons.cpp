#include "core/gedcom/gedcom_import_persons.h"

#include "core/gedcom/gedcom_values.h"

namespace lineara {

namespace {

// What a line's value keeps of its bytes.
constexpr size_t kValueBytes = 100;

}  // namespace

std::string importedText(GedcomTextDecoder& decoder, std::string_view raw, bool* cut) {
    std::string value;
    if (decoder.leadingAtOnly()) {
        if (raw.substr(0, 2) == "@@") raw.remove_prefix(1);
        value = decoder.toTree(raw);
    } else if (raw.find("@@") != std::string_view::npos) {
        std::string plain(raw);
        undoubleAt(plain);
        value = decoder.toTree(plain);
    } else {
        value = decoder.toTree(raw);
    }
    if (cut != nullptr) *cut = value.size() > kValueBytes;
    if (value.size() > kValueBytes) value.resize(kValueBytes);
    return value;
}

void ImportedPersons::start() {
    nameSeen_ = inFirstName_ = nameHasSlash_ = nameCut_ = false;
    suffix_.clear();
    event_ = Event::None;
    eventNumber_ = 0;
    for (Owner& owner : owners_) owner = Owner{};
}

void ImportedPersons::fact(const PersonRecord* person, const GedcomLine& line,
                           std::string_view raw) {
    inFirstName_ = false;
    ++eventNumber_;
    event_ = Event::None;
    std::string_view tag4 = std::string_view(line.tag).substr(0, 4);
    if (tag4 == "BIRT") {
        event_ = Event::Birth;
    } else if (tag4 == "DEAT") {
        event_ = Event::Death;
    } else if (tag4 == "BAPM") {
        event_ = Event::Baptism;
    } else if (line.tagIs("CHR")) {
        event_ = Event::Christening;
    } else if (line.tagIs("NAME")) {
        if (nameSeen_) return;  // an alternative name
        nameSeen_ = inFirstName_ = true;
        const std::string value = importedText(decoder_, raw, &nameCut_);
        PersonRecord* r = list_.edit(person);
        size_t slash = value.find('/');
        nameHasSlash_ = slash != std::string::npos;
        if (slash == std::string::npos) {
            r->setText(field::givenNames, value);
            r->setText(field::surname, "");
        } else {
            std::string surname(trimGedcomBlanks(std::string_view(value).substr(slash + 1)));
            std::string given(trimGedcomBlanks(std::string_view(value).substr(0, slash)));
            size_t second = surname.find('/');
            if (second != std::string::npos) {
                // What follows the surname is a suffix ("Jr.", "III"): it
                // goes after the given names, not into the surname.
                std::string suffix(trimGedcomBlanks(std::string_view(surname).substr(second + 1)));
                surname =
                    std::string(trimGedcomBlanks(std::string_view(surname).substr(0, second)));
                if (!suffix.empty()) given += given.empty() ? suffix : " " + suffix;
                suffix_ = suffix;
            }
            r->setText(field::givenNames, given);
            // "Kowalski /" leaves no blank behind once its slash is gone.
            r->setText(field::surname, trimGedcomBlanks(surname));
        }
    } else if (line.tagStartsWith("SEX")) {
        list_.edit(person)->setText(field::sex,
                                    std::string_view(importedText(decoder_, raw)).substr(0, 1));
    } else if (line.tagStartsWith("OCCU")) {
        list_.edit(person)->setText(field::occupation, importedText(decoder_, raw));
    } else if (line.tagStartsWith("SOUR")) {
        // A later SOUR line replaces what an earlier one gave.
        while (!pointers_.empty() && pointers_.back().first == person) pointers_.pop_back();
        if (isGedcomPointer(raw)) {
            pointers_.emplace_back(person, std::string(raw));
        } else {
            list_.edit(person)->setText(field::source, importedText(decoder_, raw));
        }
    }
}

void ImportedPersons::detail(const PersonRecord* person, const GedcomLine& line,
                             std::string_view raw) {
    if (inFirstName_) {
        // A name without slashes may say which part is which in GIVN and
        // SURN; a name with them has said it already, but for a part that
        // holds a slash itself, or a name cut short.
        if (line.tagIs("NSFX")) {
            // A suffix the NAME did not carry goes after the given names.
            const std::string suffix = importedText(decoder_, raw);
            if (suffix.empty() || suffix == suffix_) return;
            std::string given(person->text(field::givenNames));
            list_.edit(person)->setText(field::givenNames,
                                        given.empty() ? suffix : given + " " + suffix);
            suffix_ = suffix;
            return;
        }
        const bool given = line.tagIs("GIVN");
        if (!given && !line.tagIs("SURN")) return;
        std::string value = importedText(decoder_, raw);
        if (nameHasSlash_ && !nameCut_ && value.find('/') == std::string::npos) return;
        list_.edit(person)->setText(given ? field::givenNames : field::surname, value);
        return;
    }
    if (event_ != Event::None) eventDetail(person, line, raw);
}

void ImportedPersons::eventDetail(const PersonRecord* person, const GedcomLine& line,
                                  std::string_view raw) {
    const bool date = line.tagIs("DATE");
    if (!date && !line.tagIs("PLAC")) return;
    std::string value = importedText(decoder_, raw);
    if (value.empty()) return;  // an event without it gives nothing
    const bool christening = event_ == Event::Christening;
    const int kind = event_ == Event::Birth ? 0 : event_ == Event::Death ? 1 : 2;
    static constexpr TextField kDates[] = {field::birthDate, field::deathDate, field::baptismDate};
    static constexpr TextField kPlaces[] = {field::birthPlace, field::deathPlace,
                                            field::baptismPlace};
    Owner& owner = owners_[kind];
    PersonRecord* r = list_.edit(person);
    if (owner.number != eventNumber_) {
        // The fields belong to the first event that gave one of them; a
        // baptism takes them from a christening.
        const bool baptismOverChristening = owner.christening && !christening;
        if (owner.number != 0 && !baptismOverChristening) return;
        if (owner.number != 0) {
            r->setText(kDates[kind], "");
            r->setText(kPlaces[kind], "");
        }
        owner = Owner{eventNumber_, christening};
    }
    r->setText(date ? kDates[kind] : kPlaces[kind], value);
}

void ImportedPersons::sourceRecord(std::string_view xref) { sourceXref_ = std::string(xref); }

void ImportedPersons::sourceLine(const GedcomLine& line, std::string_view raw) {
    const bool title = line.tagIs("TITL");
    if (!title && !line.tagIs("TEXT")) return;
    SourceTexts& texts = sources_[sourceXref_];
    std::string& into = title ? texts.title : texts.text;
    if (into.empty()) into = importedText(decoder_, raw);
}

void ImportedPersons::resolveSources() {
    for (const auto& [person, xref] : pointers_) {
        auto it = sources_.find(xref);
        if (it == sources_.end()) continue;
        const std::string& title = it->second.title.empty() ? it->second.text : it->second.title;
        if (!title.empty()) list_.edit(person)->setText(field::source, title);
    }
    pointers_.clear();
    sources_.clear();
}

}  // namespace lineara
