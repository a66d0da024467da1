#include "core/reports/alphabetical_lists.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "support/add_person.h"

namespace lineara {
namespace {

using test::addPerson;
using Lines = std::vector<std::string>;

PersonRecord* withDates(PersonRecord* p, std::string_view birth, std::string_view death) {
    p->setText(field::birthDate, birth);
    p->setText(field::deathDate, death);
    return p;
}

PersonRecord* aliasBoxOf(PersonList& list, PersonRecord* original) {
    PersonRecord* box =
        addPerson(list, original->text(field::givenNames), original->text(field::surname));
    box->setText(field::aliasMark, kAliasBox);
    box->father = original;
    return box;
}

TEST(AlphabeticalLists, PersonLinesAreTrimmedAndAlwaysHaveTheirBrackets) {
    PersonList list;
    addPerson(list);  // no names, no dates
    withDates(addPerson(list, "Jan", "Nowak"), "1900", "1970");
    withDates(addPerson(list, "Anna", ""), "", "1950");
    withDates(addPerson(list, "", "Kowal"), "ABT 1800", "");
    addPerson(list, "  Ewa ", "  Lis");
    EXPECT_EQ(personLines(list), (Lines{"( - )", "Nowak Jan (1900 - 1970)", "Anna ( - 1950)",
                                        "Kowal  (ABT 1800 - )", "Lis   Ewa  ( - )"}));
}

TEST(AlphabeticalLists, PersonListIsSortedIgnoringCaseAndLeavesAliasBoxesOut) {
    PersonList list;
    PersonRecord* zofia = addPerson(list, "Zofia", "nowak");
    addPerson(list, "Adam", "Nowak");
    addPerson(list, "Jan", "kowalski");
    addPerson(list, "Jan", "Kowalski");  // equal ignoring case: keeps list order
    aliasBoxOf(list, zofia);
    EXPECT_EQ(personListLines(list, asciiCaseLess),
              (Lines{"kowalski Jan ( - )", "Kowalski Jan ( - )", "Nowak Adam ( - )",
                     "nowak Zofia ( - )"}));
}

TEST(AlphabeticalLists, SurnamesAreCountedInRunsOfExactlyEqualNames) {
    PersonList list;
    PersonRecord* nowak = addPerson(list, "A", "Nowak");
    addPerson(list, "B", "Nowak ");
    addPerson(list, "C", "Kowalski");
    addPerson(list, "D", " Nowak");
    aliasBoxOf(list, nowak);
    aliasBoxOf(list, nowak);
    EXPECT_EQ(surnameListLines(list, asciiCaseLess), (Lines{"Kowalski (1)", "Nowak (3)"}));

    // Letter case makes another run, next to the first in the sort.
    addPerson(list, "E", "nowak");
    addPerson(list, "F", "");
    addPerson(list, "G", "   ");
    EXPECT_EQ(surnameListLines(list, asciiCaseLess),
              (Lines{" (2)", "Kowalski (1)", "Nowak (3)", "nowak (1)"}));

    EXPECT_EQ(surnameListLines(PersonList(), asciiCaseLess), Lines{});
    // Runs are counted on the sorted names only: an unsorted list splits.
    EXPECT_EQ(surnameRuns({"A", "B", "A"}), (Lines{"A (1)", "B (1)", "A (1)"}));
}

TEST(AlphabeticalLists, CountsAddUpToThePersonsOnGeneratedTrees) {
    const char* names[] = {"Nowak", "nowak", "Kowalski", "", "Lis", "Żak"};
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        PersonList list;
        std::map<std::string, int> expected;
        int persons = 0;
        const int n = int(random() % 60);
        for (int i = 0; i < n; ++i) {
            std::string surname = names[random() % 6];
            PersonRecord* p = addPerson(list, "X", surname);
            if (i > 0 && random() % 4 == 0) {
                p->setText(field::aliasMark, kAliasBox);
                continue;
            }
            ++expected[surname];
            ++persons;
        }
        // Names equal but for case may interleave in the sort and so
        // split into several runs; together they still count every person.
        std::map<std::string, int> counted;
        Lines runNames;
        for (const std::string& line : surnameListLines(list, asciiCaseLess)) {
            size_t open = line.rfind(" (");
            ASSERT_NE(open, std::string::npos);
            runNames.push_back(line.substr(0, open));
            counted[runNames.back()] += std::stoi(line.substr(open + 2));
        }
        EXPECT_EQ(counted, expected);
        EXPECT_TRUE(std::is_sorted(runNames.begin(), runNames.end(), asciiCaseLess));
        EXPECT_EQ(std::adjacent_find(runNames.begin(), runNames.end()), runNames.end());
        EXPECT_EQ(personListLines(list, asciiCaseLess).size(), size_t(persons));
    }
}

TEST(AlphabeticalLists, TextsPassThroughTheRecodeAndLinesEndInLineFeeds) {
    PersonList list;
    addPerson(list, "Ala", "\xA3uk");  // CP1250 Ł
    const Recode upper = [](std::string_view text) {
        std::string s(text);
        for (char& c : s) c = c == '\xA3' ? 'L' : c;
        return s;
    };
    EXPECT_EQ(personLines(list, upper), (Lines{"Luk Ala ( - )"}));
    EXPECT_EQ(surnames(list, upper), (Lines{"Luk"}));
    EXPECT_EQ(joinLines({"a", "", "b"}), "a\n\nb\n");
    EXPECT_EQ(joinLines({}), "");
    EXPECT_EQ(trimmed(" \t x y \r\n"), "x y");
}

}  // namespace
}  // namespace lineara
