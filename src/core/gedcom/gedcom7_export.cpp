#include "core/gedcom/gedcom7_export.h"

#include <cstdio>
#include <unordered_map>

#include "core/gedcom/export_forms.h"
#include "core/gedcom/gedcom7_dates.h"
#include "core/gedcom/gedzip_writer.h"
#include "core/platform/atomic_file.h"
#include "core/platform/codepage.h"

namespace lineara {

namespace {

using detail::headerDate;
using detail::Utf8Texts;

// The extension tags of this program and what each keeps.
struct ExtensionTag {
    const char* tag;
    const char* uri;
};
constexpr ExtensionTag kExtensionTags[] = {
    {"_LNPOS", "urn:lineara:gedcom7:position"},      // "x y" of a box
    {"_LNALIAS", "urn:lineara:gedcom7:alias-box"},   // a record: an alias box
    {"_LNOF", "urn:lineara:gedcom7:alias-of"},       // the person an alias box stands for
    {"_LNREL", "urn:lineara:gedcom7:relationship"},  // a relationship slot, its partner
    {"_LNSLOT", "urn:lineara:gedcom7:slot"},         // the slot's number, 1 to 8
    {"_LNKIND", "urn:lineara:gedcom7:kind"},         // the slot's type code
    {"_LNDATE", "urn:lineara:gedcom7:date"},         // the slot's date as written
    {"_LNPLAC", "urn:lineara:gedcom7:place"},        // the slot's place
    {"_LNNOTES", "urn:lineara:gedcom7:notes-file"},  // an OBJE that is a notes file
    {"_LNFATH", "urn:lineara:gedcom7:father-box"},   // a father drawn as an alias box
    {"_LNMOTH", "urn:lineara:gedcom7:mother-box"},   // a mother drawn as an alias box
};

class Writer {
public:
    Writer(GedcomLineWriter& out, const std::string& codePage) : out_(out), utf8Texts_(codePage) {}

    std::string utf8(std::string_view text) const { return utf8Texts_(text); }

    // "level tag" with a value of our own making, already clean.
    void line(int level, std::string_view tag, std::string_view value = {}) {
        if (value.empty()) {
            out_.line(level, " ", tag);
        } else {
            out_.line(level, " ", tag, " ", value);
        }
    }

    // "level tag text" for a text in UTF-8: each line break goes on in a
    // CONT line, control bytes are dropped, a line value that begins with
    // "@" has it doubled.
    void text(int level, std::string_view tag, std::string_view value) {
        size_t start = 0;
        bool first = true;
        for (size_t i = 0; i <= value.size(); ++i) {
            if (i < value.size() && value[i] != '\r' && value[i] != '\n') continue;
            const std::string piece = clean(value.substr(start, i - start));
            if (first) {
                line(level, tag, piece);
            } else {
                line(level + 1, "CONT", piece);
            }
            first = false;
            if (i + 1 < value.size() && value[i] == '\r' && value[i + 1] == '\n') ++i;
            start = i + 1;
        }
    }

    void date(int level, std::string_view dateText) {
        const Gedcom7Date d = gedcom7Date(utf8(dateText));
        if (d.value.empty() && d.phrase.empty()) return;
        line(level, "DATE", d.value);
        if (!d.phrase.empty()) text(level + 1, "PHRASE", d.phrase);
    }

    void event(int level, const char* tag, std::string_view date, std::string_view place) {
        if (date.empty() && place.empty()) return;
        line(level, tag);
        this->date(level + 1, date);
        // A place is a list of names, one line long.
        if (!place.empty()) line(level + 1, "PLAC", flat(utf8(place)));
    }

    // A text on one line: its line breaks become blanks.
    static std::string flat(std::string_view value) {
        std::string joined;
        joined.reserve(value.size());
        for (size_t i = 0; i < value.size(); ++i) {
            const bool crlf = value[i] == '\r' && i + 1 < value.size() && value[i + 1] == '\n';
            if (crlf) continue;  // CR LF is one break: the LF makes the blank
            joined += value[i] == '\r' || value[i] == '\n' ? ' ' : value[i];
        }
        return clean(joined);
    }

private:
    static std::string clean(std::string_view piece) {
        std::string out;
        out.reserve(piece.size() + 1);
        for (char c : piece) {
            const auto u = static_cast<unsigned char>(c);
            if (u == '\t') {
                out += ' ';
            } else if (u >= 0x20 && u != 0x7F) {
                out += c;
            }
        }
        if (!out.empty() && out[0] == '@') out.insert(out.begin(), '@');
        return out;
    }

    GedcomLineWriter& out_;
    Utf8Texts utf8Texts_;
};

std::string pointer(char kind, int64_t number) {
    return "@" + std::string(1, kind) + std::to_string(number) + "@";
}

// An individual's pointer, or an alias box's: both may be a partner.
std::string boxPointer(const PersonRecord* box) {
    return pointer(box->isAliasBox() ? 'A' : 'I', box->personId());
}

void writeHeader(Writer& w, const GedcomTime& now) {
    char time[8];
    std::snprintf(time, sizeof time, "%02d:%02d", now.hour % 24, now.minute % 60);
    w.line(0, "HEAD");
    w.line(1, "GEDC");
    w.line(2, "VERS", "7.0");
    w.line(1, "SCHMA");
    for (const ExtensionTag& t : kExtensionTags) {
        w.line(2, "TAG", std::string(t.tag) + " " + t.uri);
    }
    w.line(1, "SOUR", "LINEARA");
    w.line(2, "VERS", "1.1");
    w.line(2, "NAME", "Lineara");
    w.line(1, "DATE", headerDate(now));
    w.line(2, "TIME", time);
}

// "M" or "F"; a sex the tree does not give goes out as no SEX at all,
// so that it reads back as it was.
std::string sexValue(std::string_view sex) {
    if (sex == "M" || sex == "m") return "M";
    if (sex == "F" || sex == "f") return "F";
    return {};
}

// The NAME value, "given /surname/": its slashes delimit the surname, so
// the parts' own become blanks (GIVN and SURN carry them whole).
std::string nameValue(const std::string& given, const std::string& surname) {
    auto part = [](const std::string& text) {
        std::string out;
        for (char c : text) {
            const auto u = static_cast<unsigned char>(c);
            if (u < 0x20 || u == 0x7F) continue;
            out += c == '/' ? ' ' : c;
        }
        return out;
    };
    std::string value = part(given);
    if (!value.empty()) value += ' ';
    return value + "/" + part(surname) + "/";
}

// The tree's own layout of a box: its position and its relationship slots.
void writeBoxExtensions(Writer& w, const PersonRecord& p) {
    w.line(1, "_LNPOS", std::to_string(p.posX()) + " " + std::to_string(p.posY()));
    // Families know persons only: a parent drawn as an alias box is the
    // box's person there, and the box is told here.
    if (!p.isAliasBox()) {
        if (p.father != nullptr && p.father->isAliasBox()) {
            w.line(1, "_LNFATH", boxPointer(p.father));
        }
        if (p.mother != nullptr && p.mother->isAliasBox()) {
            w.line(1, "_LNMOTH", boxPointer(p.mother));
        }
    }
    for (int slot = 1; slot <= kRelationSlots; ++slot) {
        const PersonRecord* partner = p.partner[slot];
        if (partner == nullptr) continue;
        w.line(1, "_LNREL", boxPointer(partner));
        w.line(2, "_LNSLOT", std::to_string(slot));
        const char code = p.relationType(slot);
        if (code > 0x20 && code < 0x7F) w.line(2, "_LNKIND", std::string(1, code));
        if (!p.isEmpty(field::relationDate(slot))) {
            w.text(2, "_LNDATE", w.utf8(p.text(field::relationDate(slot))));
        }
        if (!p.isEmpty(field::relationPlace(slot))) {
            w.text(2, "_LNPLAC", w.utf8(p.text(field::relationPlace(slot))));
        }
    }
}

struct Records {
    std::unordered_map<std::string, int64_t> sources;  // text to number
    struct Media {
        std::string uri, form, title;
        bool notes = false;
    };
    std::vector<Media> media;
};

}  // namespace

GedcomExportResult writeGedcom7(const PersonList& list, const GedcomTime& now,
                                const GedcomSink& sink, const std::string& codePage,
                                const Gedcom7FilePlan& files) {
    GedcomExportResult result;
    GedcomLineWriter out(sink);
    Writer w(out, codePage);
    writeHeader(w, now);

    ExportFamilies families(list, ExportFamilyLimits::none());
    families.buildAll();
    detail::SpouseFamilies spouses(list, families.families());
    Records records;

    uint32_t position = 0;
    for (const PersonRecord* p = list.personListHead(); p != nullptr && out.ok();
         p = p->nextPerson, ++position) {
        if (p->isAliasBox()) {
            // An alias box is another place in the drawing for a person
            // recorded once; it stands where it stands in the list.
            w.line(0, pointer('A', p->personId()) + " _LNALIAS");
            if (p->father != nullptr) w.line(1, "_LNOF", boxPointer(p->father));
            writeBoxExtensions(w, *p);
            continue;
        }
        ++result.individuals;
        const std::string given = w.utf8(p->text(field::givenNames));
        const std::string surname = w.utf8(p->text(field::surname));
        w.line(0, pointer('I', p->personId()) + " INDI");
        w.text(1, "NAME", nameValue(given, surname));
        // The name's parts are one line each, as the NAME is.
        if (!given.empty()) w.line(2, "GIVN", Writer::flat(given));
        if (!surname.empty()) w.line(2, "SURN", Writer::flat(surname));
        const std::string sex = sexValue(p->text(field::sex));
        if (!sex.empty()) w.line(1, "SEX", sex);
        w.event(1, "BIRT", p->text(field::birthDate), p->text(field::birthPlace));
        w.event(1, "CHR", p->text(field::baptismDate), p->text(field::baptismPlace));
        w.event(1, "DEAT", p->text(field::deathDate), p->text(field::deathPlace));
        if (!p->isEmpty(field::occupation)) w.text(1, "OCCU", w.utf8(p->text(field::occupation)));

        const Gedcom7PersonFiles own = files.filesOf(*p);
        if (!own.notesText.empty()) w.text(1, "NOTE", own.notesText);
        if (!own.pictureUri.empty()) {
            records.media.push_back(
                {own.pictureUri, own.pictureForm, w.utf8(p->text(field::pictureComment)), false});
            w.line(1, "OBJE", pointer('O', static_cast<int64_t>(records.media.size())));
        }
        if (!own.notesUri.empty()) {
            records.media.push_back({own.notesUri, "text/plain", {}, true});
            w.line(1, "OBJE", pointer('O', static_cast<int64_t>(records.media.size())));
        }
        if (!p->isEmpty(field::source)) {
            const std::string source = w.utf8(p->text(field::source));
            auto [it, isNew] = records.sources.try_emplace(
                source, static_cast<int64_t>(records.sources.size()) + 1);
            w.line(1, "SOUR", pointer('S', it->second));
        }
        spouses.forEach(position,
                        [&w](int32_t number) { w.line(1, "FAMS", pointer('F', number)); });
        if (int32_t child = families.childFamilyOf(p)) w.line(1, "FAMC", pointer('F', child));
        writeBoxExtensions(w, *p);
    }

    for (const ExportFamily& f : families.families()) {
        if (!out.ok()) break;
        w.line(0, pointer('F', f.number) + " FAM");
        if (f.husband != nullptr) w.line(1, "HUSB", pointer('I', f.husband->personId()));
        if (f.wife != nullptr) w.line(1, "WIFE", pointer('I', f.wife->personId()));
        for (const PersonRecord* child : f.children) {
            w.line(1, "CHIL", pointer('I', child->personId()));
        }
        if (f.relation) {
            const RelationType type = relationTypeOf(f.relationCode);
            if (type == RelationType::Married || type == RelationType::Divorced) {
                if (f.marriageDate.empty() && f.marriagePlace.empty()) {
                    w.line(1, "MARR", "Y");
                } else {
                    w.event(1, "MARR", f.marriageDate, f.marriagePlace);
                }
            }
            if (type == RelationType::Divorced) w.line(1, "DIV", "Y");
        }
    }
    result.families = families.families().size();

    std::vector<const std::string*> sourceTexts(records.sources.size());
    for (const auto& [text, number] : records.sources) {
        sourceTexts[static_cast<size_t>(number - 1)] = &text;
    }
    for (size_t i = 0; i < sourceTexts.size() && out.ok(); ++i) {
        w.line(0, pointer('S', static_cast<int64_t>(i) + 1) + " SOUR");
        w.text(1, "TITL", *sourceTexts[i]);
    }
    for (size_t i = 0; i < records.media.size() && out.ok(); ++i) {
        const Records::Media& m = records.media[i];
        w.line(0, pointer('O', static_cast<int64_t>(i) + 1) + " OBJE");
        if (m.notes) w.line(1, "_LNNOTES", "Y");
        w.line(1, "FILE", m.uri);
        w.line(2, "FORM", m.form);
        if (!m.title.empty()) w.text(2, "TITL", m.title);
    }
    w.line(0, "TRLR");
    result.ok = out.flush();
    return result;
}

bool isGedzipName(std::string_view path) {
    if (path.size() < 4) return false;
    std::string_view ext = path.substr(path.size() - 4);
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(ext[0]) == '.' && lower(ext[1]) == 'g' && lower(ext[2]) == 'd' &&
           lower(ext[3]) == 'z';
}

Gedcom7ExportResult ExportGedcom7(const PersonList& list, const std::string& path,
                                  const GedcomTime& now, Gedcom7FileOptions options) {
    options.pack = isGedzipName(path);
    const Gedcom7FilePlan files(list, options);
    Gedcom7ExportResult result;
    result.leftOut = files.leftOut();
    if (!options.pack) {
        AtomicFileWriter file;
        if (!file.open(path)) {
            result.ok = false;
            result.message = file.error();
            return result;
        }
        static_cast<GedcomExportResult&>(result) = writeGedcom7(
            list, now,
            [&file](std::string_view piece) { return file.write(piece.data(), piece.size()); },
            options.codePage, files);
        if (!result.ok || !file.commit()) {
            result.ok = false;
            result.message = file.error();
        }
        return result;
    }
    std::string text;
    static_cast<GedcomExportResult&>(result) = writeGedcom7(
        list, now,
        [&text](std::string_view piece) {
            text += piece;
            return true;
        },
        options.codePage, files);
    std::string error;
    if (!writeGedzip(path, text, files.entries(), error)) {
        result.ok = false;
        result.message = error;
        return result;
    }
    result.mediaFiles = files.entries().size();
    return result;
}

}  // namespace lineara
