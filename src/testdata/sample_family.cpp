#include "testdata/sample_family.h"

#include <utility>

#include "core/platform/codepage.h"

namespace lineara {

namespace {

constexpr char kCodePage[] = "CP1250";

// Everyone of the sample, in file order: the first is the home person.
// clang-format off
enum Who {
    Jozef, Marianna, Stanislaw, Zofia,                                   // generation 1
    Jadwiga, Jan, Anna, Piotr, JadwigaAlias,                             // generation 2
    Helena, Tadeusz, Lucja, Maria, Wladyslaw, Kazimierz, Genowefa,       // generation 3
    Zbigniew, Ewa, Grzegorz, Bozena, Swietoslaw,                         // generation 4
    kPersons,
    kNobody = -1
};
// clang-format on

struct PersonEntry {
    const char* given;
    const char* surname;
    const char* sex;
    const char* born;
    const char* bornIn;
    const char* baptised;  // in the place of birth
    const char* died;
    const char* diedIn;
    const char* occupation;
    int column;  // in half boxes: box i and i+2 stand side by side
    int row;     // generation, oldest at the top
    Who father;
    Who mother;
};

// The texts are UTF-8 here and CP1250 in the file. JadwigaAlias gets
// Jadwiga's data when the tree is built.
const PersonEntry kPeople[kPersons] = {
    {"Józef", "Kowalski", "M", "3.3.1845", "Żywiec", "5.3.1845", "1921", "Żywiec", "rolnik", 1, 0,
     kNobody, kNobody},
    {"Marianna", "Wiśniewska", "F", "ABT 1850", "Sucha Beskidzka", "", "14.2.1918", "Żywiec",
     "gospodyni", 3, 0, kNobody, kNobody},
    {"Stanisław", "Nowak", "M", "1848", "Łowicz", "", "17.4.1915", "Łowicz", "kowal", 7, 0, kNobody,
     kNobody},
    {"Zofia", "Dąbrowska", "F", "2.5.1852", "Skierniewice", "", "1930", "Łowicz", "", 9, 0, kNobody,
     kNobody},
    {"Jadwiga", "Kowalska", "F", "8.9.1876", "Żywiec", "10.9.1876", "3.1.1950", "Łowicz",
     "krawcowa", 1, 1, Jozef, Marianna},
    {"Jan", "Kowalski", "M", "24.6.1873", "Żywiec", "29.6.1873", "1940", "Kraków", "stolarz", 4, 1,
     Jozef, Marianna},
    {"Anna", "Nowak", "F", "15.8.1877", "Łowicz", "19.8.1877", "22.1.1962", "Kraków",
     "nauczycielka", 6, 1, Stanislaw, Zofia},
    {"Piotr", "Nowak", "M", "30.6.1880", "Łowicz", "", "ABT 1916", "", "kowal", 11, 1, Stanislaw,
     Zofia},
    {"", "", "", "", "", "", "", "", "", 13, 1, kNobody, kNobody},
    {"Helena", "Zielińska", "F", "1903", "Kraków", "", "", "", "", 0, 2, kNobody, kNobody},
    {"Tadeusz", "Kowalski", "M", "12.1.1901", "Kraków", "20.1.1901", "7.7.1978", "Łódź", "inżynier",
     2, 2, Jan, Anna},
    {"Łucja", "Wójcik", "F", "21.3.1908", "Łódź", "", "1995", "Łódź", "pielęgniarka", 4, 2, kNobody,
     kNobody},
    {"Maria", "Kowalska", "F", "19.11.1904", "Kraków", "27.11.1904", "1990", "Poznań", "", 7, 2,
     Jan, Anna},
    {"Władysław", "Zając", "M", "1899", "Poznań", "", "1969", "Poznań", "urzędnik", 9, 2, kNobody,
     kNobody},
    {"Kazimierz", "Nowak", "M", "2.4.1907", "Łowicz", "7.4.1907", "1944", "Warszawa", "ślusarz", 12,
     2, Piotr, JadwigaAlias},
    {"Genowefa", "Świątek", "F", "1910", "Łowicz", "", "", "", "szwaczka", 14, 2, kNobody, kNobody},
    {"Zbigniew", "Kowalski", "M", "1926", "Kraków", "", "", "", "", 1, 3, Tadeusz, Helena},
    {"Ewa", "Kowalska", "F", "3.5.1933", "Łódź", "", "", "", "", 3, 3, Tadeusz, Lucja},
    {"Grzegorz", "Kowalski", "M", "1936", "Łódź", "", "", "", "lekarz", 5, 3, Tadeusz, Lucja},
    {"Bożena", "Zając", "F", "1930", "Poznań", "", "", "", "", 8, 3, Wladyslaw, Maria},
    {"Świętosław", "Nowak", "M", "1938", "Łowicz", "", "", "", "", 13, 3, Kazimierz, Genowefa},
};

struct UnionEntry {
    Who first, second;
    const char* date;
    const char* place;
    char type;
};

const UnionEntry kUnions[] = {
    {Jozef, Marianna, "20.11.1871", "Żywiec", 'M'},
    {Stanislaw, Zofia, "1874", "Łowicz", 'M'},
    {Jan, Anna, "3.2.1900", "Łowicz", 'M'},
    {Piotr, JadwigaAlias, "10.10.1905", "Łowicz", 'M'},
    {Tadeusz, Helena, "5.6.1925", "Kraków", 'D'},
    {Tadeusz, Lucja, "14.9.1931", "Łódź", 'M'},
    {Wladyslaw, Maria, "1928", "Kraków", 'M'},
    {Kazimierz, Genowefa, "8.8.1936", "Łowicz", 'M'},
};

struct PictureEntry {
    Who who;
    const char* file;
    const char* comment;
    PortraitStyle style;
};

const PictureEntry kPictures[] = {
    {Jan,
     "jan_kowalski.jpg",
     "Jan Kowalski w swoim warsztacie, Kraków, około 1910 roku",
     {{176, 196, 214}, {84, 108, 140}, {40, 48, 64}, false}},
    {Anna,
     "anna_nowak.jpg",
     "Anna z Nowaków Kowalska w dniu ślubu, Łowicz 1900",
     {{246, 222, 204}, {190, 126, 122}, {88, 42, 58}, true}},
};

constexpr Who kNotesPerson = Anna;
const char* const kNotesLines[] = {
    "Anna Kowalska z domu Nowak (1877–1962)",
    "",
    "Urodziła się w Łowiczu jako córka kowala Stanisława Nowaka i Zofii z Dąbrowskich.",
    "W 1900 roku wyszła za mąż za Jana Kowalskiego, stolarza z Żywca.",
    "Przez blisko czterdzieści lat uczyła w szkole powszechnej w Krakowie.",
    "Wspomnienia spisała jej wnuczka Ewa w 1975 roku.",
};

const struct {
    Who who;
    const char* text;
} kSources[] = {
    {Jan, "Księga chrztów parafii św. Floriana w Żywcu, 1873, nr 112"},
    {Tadeusz, "Akt małżeństwa USC Kraków 1925; wyrok rozwodowy z 1930 roku"},
};

std::string cp(const char* utf8) { return toCodePage(utf8, kCodePage); }

void fillPerson(PersonRecord& r, const PersonEntry& s) {
    r.setText(field::givenNames, cp(s.given));
    r.setText(field::surname, cp(s.surname));
    r.setText(field::sex, s.sex);
    r.setText(field::birthDate, cp(s.born));
    r.setText(field::birthPlace, cp(s.bornIn));
    r.setText(field::baptismDate, cp(s.baptised));
    if (*s.baptised != '\0') r.setText(field::baptismPlace, cp(s.bornIn));
    r.setText(field::deathDate, cp(s.died));
    r.setText(field::deathPlace, cp(s.diedIn));
    r.setText(field::occupation, cp(s.occupation));
}

void makeAlias(PersonRecord& original, PersonRecord& box) {
    for (TextField f : field::kPersonalData) box.setText(f, original.text(f));
    original.setText(field::aliasMark, kAliasOriginal);
    box.setText(field::aliasMark, kAliasBox);
    box.father = &original;
}

void marry(PersonList& list, PersonRecord& a, PersonRecord& b, const UnionEntry& u) {
    list.AddMarriage(&a, &b);  // at most two relationships each: no refusal
    const auto slots = list.addedSlotIndex();
    for (auto [person, slot] : {std::pair{&a, slots[0]}, std::pair{&b, slots[1]}}) {
        person->setText(field::relationDate(slot), cp(u.date));
        person->setText(field::relationPlace(slot), cp(u.place));
        person->setRelationType(slot, u.type);
    }
}

}  // namespace

std::vector<SamplePicture> samplePictures() {
    std::vector<SamplePicture> pictures;
    for (const PictureEntry& p : kPictures) pictures.push_back({p.file, p.style});
    return pictures;
}

std::string sampleNotesText() {
    std::string text;
    for (const char* line : kNotesLines) text += cp(line) + "\r\n";
    return text;
}

bool buildSampleFamily(PersonList& list, std::string& error) {
    std::vector<PersonRecord*> who;
    for (const PersonEntry& s : kPeople) {
        Outcome made = list.LagNyPerson(0, 0);
        if (!made) {
            error = made.message;
            return false;
        }
        PersonRecord* r = list.edit(list.currentPerson());
        fillPerson(*r, s);
        // Half-box columns keep couples centred over their children; every
        // position is on the 5k+2 grid.
        r->setPos(2 + 80 * s.column, 2 + 200 * s.row);
        who.push_back(r);
    }
    for (int i = 0; i < kPersons; ++i) {
        if (kPeople[i].father != kNobody) who[size_t(i)]->father = who[kPeople[i].father];
        if (kPeople[i].mother != kNobody) who[size_t(i)]->mother = who[kPeople[i].mother];
    }
    for (const UnionEntry& u : kUnions) marry(list, *who[u.first], *who[u.second], u);
    for (const PictureEntry& p : kPictures) {
        who[p.who]->setText(field::pictureFile, p.file);
        who[p.who]->setText(field::pictureComment, cp(p.comment));
    }
    who[kNotesPerson]->setText(field::notesFile, kSampleNotesFile);
    for (const auto& s : kSources) who[s.who]->setText(field::source, cp(s.text));
    makeAlias(*who[Jadwiga], *who[JadwigaAlias]);  // last: it copies her finished data
    list.setCurrentPerson(nullptr);
    return true;
}

}  // namespace lineara
