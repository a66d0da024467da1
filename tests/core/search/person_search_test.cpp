#include "core/search/person_search.h"

#include <gtest/gtest.h>

#include <random>

#include "support/add_person.h"
#include "testdata/synthetic_tree.h"

namespace lineara {
namespace {

// Capitals of Windows-1250 text as a reader would write them: ASCII and the
// Polish letters, which is what the trees hold.
std::string capitals(std::string_view s) {
    static const std::string_view small = "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF";
    static const std::string_view capital = "\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF";
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        const size_t at = small.find(c);
        if (at != std::string_view::npos) c = capital[at];
    }
    return out;
}

// The plain reading of completion: the first line, in list order, that
// begins with the typed text in capitals.
int literalComplete(const PersonSearchList& search, std::string_view typed) {
    if (typed.empty()) return -1;
    const std::string want = capitals(typed);
    for (size_t i = 0; i < search.size(); ++i) {
        if (capitals(search.entries()[i].text).compare(0, want.size(), want) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::vector<std::string> texts(const PersonSearchList& search) {
    std::vector<std::string> out;
    for (const auto& e : search.entries()) out.emplace_back(e.text);
    return out;
}

TEST(PersonSearch, LinesFollowThePolishAlphabetWithCaseTogetherAndNoAliasBoxes) {
    PersonList list;
    test::addPerson(list, "Jan", "Mazur");
    test::addPerson(list, "Ola",
                    "\xA3"
                    "ada");  // Łada
    test::addPerson(list, "Ewa", "lis");
    test::addPerson(list, "Adam", "Lis")->setText(field::birthDate, "1901");
    test::addPerson(list, "Igor",
                    "\xC6"
                    "wik");  // Ćwik
    test::addPerson(list, "Zenon", "Czarny");
    test::addPerson(list, "", "");  // an empty box is listed as its id
    PersonRecord* box = test::addPerson(list, "Jan", "Mazur");
    box->setText(field::aliasMark, kAliasBox);
    test::addPerson(list, "  Piotr ", "")->setText(field::deathDate, "1999");

    PersonSearchList search;
    search.build(list);
    EXPECT_EQ(texts(search), (std::vector<std::string>{
                                 "( - ) [7]",
                                 "Czarny Zenon ( - ) [6]",
                                 "\xC6wik Igor ( - ) [5]",
                                 "Lis Adam (1901 - ) [4]",
                                 "lis Ewa ( - ) [3]",
                                 "\xA3"
                                 "ada Ola ( - ) [2]",
                                 "Mazur Jan ( - ) [1]",
                                 "Piotr  ( - 1999) [9]",
                             }));
    EXPECT_EQ(search.entries()[3].personId, 4);
}

TEST(PersonSearch, CompletionFindsTheFirstLineBeginningWithTheTypedLettersInAnyCase) {
    PersonList list;
    test::addPerson(list, "Jan", "Kowalski");
    test::addPerson(list, "Anna", "kowalczyk");
    test::addPerson(list, "Ewa", "Kot");
    test::addPerson(list, "Ola", "Kos");
    test::addPerson(list, "Adam",
                    "\xA3"
                    "ukasz");
    PersonSearchList search;
    search.build(list);
    const struct {
        const char* typed;
        const char* found;  // null: none
    } cases[] = {
        {"k", "Kos Ola ( - ) [4]"},
        {"ko", "Kos Ola ( - ) [4]"},
        {"kow", "kowalczyk Anna ( - ) [2]"},
        {"KOWALS", "Kowalski Jan ( - ) [1]"},
        {"kOt e", "Kot Ewa ( - ) [3]"},
        {"\xB3u", "\xA3ukasz Adam ( - ) [5]"},  // łu finds Łukasz
        {"lu", nullptr},
        {"kowalskix", nullptr},
        {"", nullptr},
        {"z", nullptr},
    };
    for (const auto& c : cases) {
        const int at = search.complete(c.typed);
        if (c.found == nullptr) {
            EXPECT_EQ(at, -1) << c.typed;
        } else {
            ASSERT_GE(at, 0) << c.typed;
            EXPECT_EQ(search.entries()[static_cast<size_t>(at)].text, c.found) << c.typed;
        }
    }
    PersonSearchList empty;
    empty.build(PersonList());
    EXPECT_EQ(empty.complete("k"), -1);
}

// Typed without accents: found through the plain letters, in list order,
// while the exact completion keeps its answer.
TEST(PersonSearch, PlainLettersFindAccentedNamesAndLinesHoldingTheText) {
    PersonList list;
    test::addPerson(list, "Anna", "\xAF\xF3\xB3kiewska");      // Żółkiewska
    test::addPerson(list, "Jan", "\x8Folta");                  // Źolta
    test::addPerson(list, "\xA3ukasz", "Nowak");               // Łukasz
    test::addPerson(list, "Ewa", "Kowalska-\x8Cliwi\xF1ska");  // Kowalska-Śliwińska
    test::addPerson(list, "Piotr", "Lis");
    PersonSearchList search;
    search.build(list);
    auto line = [&](int at) {
        return at < 0 ? std::string("-")
                      : std::string(search.entries()[static_cast<size_t>(at)].text);
    };
    const struct {
        const char* typed;
        const char* exact;  // complete()
        const char* plain;  // completePlain()
    } cases[] = {
        {"zol", "-", "\x8Folta Jan ( - ) [2]"},  // Ź comes before Ż
        {"zolk", "-", "\xAF\xF3\xB3kiewska Anna ( - ) [1]"},
        // Typed accents are left out too: the plain reading is any Zol.
        {"\xAF\xF3\xB3", "\xAF\xF3\xB3kiewska Anna ( - ) [1]", "\x8Folta Jan ( - ) [2]"},
        {"ZOLKIEWSKA ANNA", "-", "\xAF\xF3\xB3kiewska Anna ( - ) [1]"},
        {"kowalska-sliw", "-", "Kowalska-\x8Cliwi\xF1ska Ewa ( - ) [4]"},
        {"zx", "-", "-"},
        {"", "-", "-"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(line(search.complete(c.typed)), c.exact) << c.typed;
        EXPECT_EQ(line(search.completePlain(c.typed)), c.plain) << c.typed;
    }

    auto holding = [&](const char* typed) {
        std::vector<std::string> out;
        for (int at : search.containing(typed)) out.push_back(line(at));
        return out;
    };
    EXPECT_EQ(holding("lukasz"), std::vector<std::string>{"Nowak \xA3ukasz ( - ) [3]"});
    EXPECT_EQ(holding("SLIWINSKA"),
              std::vector<std::string>{"Kowalska-\x8Cliwi\xF1ska Ewa ( - ) [4]"});
    // In list order, each line once though it holds the text twice.
    EXPECT_EQ(holding("a"), (std::vector<std::string>{
                                "Kowalska-\x8Cliwi\xF1ska Ewa ( - ) [4]",
                                "Nowak \xA3ukasz ( - ) [3]",
                                "\x8Folta Jan ( - ) [2]",
                                "\xAF\xF3\xB3kiewska Anna ( - ) [1]",
                            }));
    EXPECT_EQ(holding("[5]"), std::vector<std::string>{"Lis Piotr ( - ) [5]"});
    EXPECT_TRUE(holding("").empty());
    EXPECT_TRUE(holding("Piotr Lis").empty());
    EXPECT_TRUE(holding("Lis Piotr ( - ) [5]x").empty());
}

// Beginnings of real lines, in mixed case and cut at every length, and
// some that match nothing: the binary search agrees with a plain scan.
TEST(PersonSearch, CompletionAgreesWithAPlainScanOnAGeneratedTree) {
    PersonList list;
    generateSyntheticTree(list, 3000, 7);
    PersonSearchList search;
    search.build(list);
    ASSERT_GT(search.size(), 2000u);
    std::mt19937 random(11);
    for (int round = 0; round < 400; ++round) {
        std::string typed(search.entries()[random() % search.size()].text);
        typed.resize(1 + random() % std::min<size_t>(typed.size(), 12));
        for (char& c : typed) {
            if (random() % 2 != 0 && c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        }
        if (round % 5 == 0) typed += static_cast<char>('a' + random() % 26);
        EXPECT_EQ(search.complete(typed), literalComplete(search, typed)) << typed;
    }
}

// A tree large enough to be built from both ends at once, with lines that
// agree far beyond their first weights, alias boxes, accents in both cases,
// control bytes and blanks to clean away: the list equals a plain build,
// each record's line made as written and the lines sorted byte by byte.
TEST(PersonSearch, ListOfALargeTreeEqualsAPlainSortOfItsLines) {
    PersonList list;
    generateSyntheticTree(list, 25000, 3);
    std::mt19937 random(5);
    const std::vector<std::string> odd = {
        "Kowalska-Wisniewska Anna Maria Teresa",
        "Kowalska-Wi\x9Cniewska Anna Maria Teresa",  // weighs as the next: case only
        "KOWALSKA-WI\x8CNIEWSKA ANNA MARIA TERESA",
        "\xAF\xF3\xB3kiewska",  // Żółkiewska
        "\xBF\xF3\xB3kiewska",
        " Nowak\r\nBis ",
        "\tTab\x7F",
        "",
    };
    for (const PersonRecord* p = list.personListHead(); p != nullptr; p = p->nextPerson) {
        const auto roll = random() % 40;
        if (roll < odd.size()) list.edit(p)->setText(field::surname, odd[roll]);
        if (roll == 20) list.edit(p)->setText(field::aliasMark, kAliasBox);
        if (roll == 21) list.edit(p)->setText(field::givenNames, "  ");
    }

    std::vector<std::pair<std::string, int32_t>> plain;
    for (const PersonRecord* p = list.personListHead(); p != nullptr; p = p->nextPerson) {
        if (p->isAliasBox()) continue;
        const std::string raw =
            std::string(p->text(field::surname)) + " " + std::string(p->text(field::givenNames)) +
            " (" + std::string(p->text(field::birthDate)) + " - " +
            std::string(p->text(field::deathDate)) + ") [" + std::to_string(p->personId()) + "]";
        std::string line;
        for (const char c : raw) {
            if (c == '\r' || c == '\n') {
                line += ' ';
            } else if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7F) {
                line += c;
            }
        }
        line.erase(0, line.find_first_not_of(' '));
        line.erase(line.find_last_not_of(' ') + 1);
        plain.emplace_back(line, p->personId());
    }
    const ByteWeights& weights = cp1250Weights();
    std::stable_sort(plain.begin(), plain.end(), [&](const auto& a, const auto& b) {
        const std::string& x = a.first;
        const std::string& y = b.first;
        for (size_t i = 0; i < x.size() && i < y.size(); ++i) {
            const auto wx = weights[static_cast<uint8_t>(x[i])];
            const auto wy = weights[static_cast<uint8_t>(y[i])];
            if (wx != wy) return wx < wy;
        }
        if (x.size() != y.size()) return x.size() < y.size();
        return x < y;
    });

    PersonSearchList search;
    search.build(list);
    ASSERT_EQ(search.size(), plain.size());
    for (size_t i = 0; i < plain.size(); ++i) {
        ASSERT_EQ(search.entries()[i].text, plain[i].first) << i;
        ASSERT_EQ(search.entries()[i].personId, plain[i].second) << i;
    }
}

}  // namespace
}  // namespace lineara
