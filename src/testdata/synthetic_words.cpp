#include "testdata/synthetic_words.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "core/platform/codepage.h"

namespace lineara::synthetic {

namespace {

// The words are written here in UTF-8, separated by '|', and converted to
// CP1250 once per tree, so that a large tree costs no conversion per person.
const char kMaleNames[] =
    "Jan|Józef|Stanisław|Władysław|Kazimierz|Wojciech|Bolesław|Mieczysław|Jędrzej|"
    "Zdzisław|Przemysław|Radosław|Mikołaj|Tomasz|Andrzej|Ignacy|Maciej|Grzegorz|"
    "Paweł|Piotr|Michał|Ludwik|Bartłomiej|Czesław|Franciszek|Łukasz|Świętosław|"
    "Żelisław|Ścibor|Bożydar|Wacław|Leszek";
const char kFemaleNames[] =
    "Żaneta|Małgorzata|Józefa|Agnieszka|Jadwiga|Bożena|Łucja|Zofia|Anna|Katarzyna|"
    "Barbara|Stanisława|Władysława|Elżbieta|Halina|Urszula|Grażyna|Dorota|Krystyna|"
    "Teresa|Ewa|Marianna|Genowefa|Bronisława|Czesława|Jolanta|Wiesława|Świętosława|"
    "Ludmiła|Aniela|Apolonia|Zuzanna";
// Masculine forms; the feminine form of an adjectival name ("-ski",
// "-cki", "-dzki") ends in "a" instead, the others are the same for both.
const char kSurnames[] =
    "Kowalski|Wiśniewski|Wójcik|Kamiński|Lewandowski|Zieliński|Szymański|Woźniak|"
    "Dąbrowski|Kozłowski|Jankowski|Mazur|Kwiatkowski|Krawczyk|Kaczmarek|Piotrowski|"
    "Grabowski|Zając|Pawłowski|Michalski|Król|Wieczorek|Jabłoński|Wróbel|Nowak|"
    "Majewski|Olszewski|Stępień|Jaworski|Malinowski|Dudek|Nowicki|Pawlak|Górski|"
    "Witkowski|Sikora|Rutkowski|Szewczyk|Ostrowski|Tomaszewski|Pietrzak|Zalewski|"
    "Wróblewski|Jasiński|Bąk|Sadowski|Zawadzki|Chmielewski|Łuczak|Żak|Kołodziej|"
    "Gołębiowski|Ślusarczyk|Świątek|Łaszewski|Żółkiewski|Źródłowski|Ćwikliński|"
    "Śliwiński|Żuławski";
const char kPlaces[] =
    "Łódź|Kraków|Poznań|Gdańsk|Wrocław|Częstochowa|Białystok|Toruń|Zielona Góra|"
    "Gniezno|Płock|Łowicz|Żywiec|Świdnica|Złotów|Łańcut|Łomża|Sieradz|Kalisz|Tarnów|"
    "Rzeszów|Przemyśl|Nowy Sącz|Żyrardów|Kępno|Bełchatów|Oświęcim|Końskie|Słupsk|"
    "Chełm|Kłodzko|Wąbrzeźno|Sędziszów|Mińsk Mazowiecki|Skierniewice|Ćmielów|Śrem|"
    "Żnin|Łęczyca|Gorzów Wielkopolski";
const char kMaleJobs[] =
    "rolnik|kowal|młynarz|szewc|cieśla|stolarz|kupiec|urzędnik|nauczyciel|lekarz|"
    "żołnierz|górnik|tkacz|piekarz|organista|leśniczy|karczmarz|sołtys|zduń|"
    "kołodziej|bednarz|ślusarz";
const char kFemaleJobs[] =
    "gospodyni|krawcowa|nauczycielka|służąca|akuszerka|szwaczka|prządka|kucharka|"
    "praczka|handlarka|pielęgniarka|tkaczka";
const char kSourceKinds[] =
    "Księga chrztów|Księga zgonów|Akta stanu cywilnego|Księga ludności stałej|"
    "Spis wiernych";
const char* const kMonths[] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                               "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

std::vector<std::string> split(std::string_view words) {
    std::vector<std::string> out;
    for (size_t from = 0, bar; from <= words.size(); from = bar + 1) {
        bar = std::min(words.find('|', from), words.size());
        out.emplace_back(words.substr(from, bar - from));
    }
    return out;
}

std::vector<std::string> toCp1250(std::vector<std::string> words) {
    for (std::string& w : words) w = toCodePage(w, "CP1250");
    return words;
}

std::vector<std::string> toCp1250(std::string_view words) { return toCp1250(split(words)); }

std::string feminine(std::string surname) {
    size_t n = surname.size();
    if (n > 2 && surname.compare(n - 2, 2, "ki") == 0) surname[n - 1] = 'a';
    return surname;
}

}  // namespace

Words::Words()
    : maleNames(toCp1250(kMaleNames)),
      femaleNames(toCp1250(kFemaleNames)),
      maleSurnames(toCp1250(kSurnames)),
      places(toCp1250(kPlaces)),
      maleJobs(toCp1250(kMaleJobs)),
      femaleJobs(toCp1250(kFemaleJobs)),
      sourceKinds(toCp1250(kSourceKinds)) {
    std::vector<std::string> feminineForms = split(kSurnames);
    for (std::string& s : feminineForms) s = feminine(s);
    femaleSurnames = toCp1250(feminineForms);
}

Date randomDay(Rng& rng, int year) { return {year, rng.between(1, 12), rng.between(1, 28)}; }

std::string freeTextDate(Rng& rng, const Date& d) {
    int form = rng.below(100);
    char buf[48];
    if (form < 25) {
        std::snprintf(buf, sizeof buf, "%d.%d.%d", d.day, d.month, d.year);
    } else if (form < 33) {
        std::snprintf(buf, sizeof buf, "~%d", d.year);
    } else if (form < 43) {
        std::snprintf(buf, sizeof buf, "%d/%d/%d", d.month, d.day, d.year);
    } else if (form < 51) {
        std::snprintf(buf, sizeof buf, "ABT %d", d.year);
    } else if (form < 71) {
        std::snprintf(buf, sizeof buf, "%d", d.year);
    } else if (form < 83) {
        return {};
    } else {
        std::snprintf(buf, sizeof buf, "%d %s %d", d.day, kMonths[d.month - 1], d.year);
    }
    return buf;
}

std::string freeTextDate(Rng& rng, int year) { return freeTextDate(rng, randomDay(rng, year)); }

}  // namespace lineara::synthetic
