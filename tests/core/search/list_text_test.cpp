// The order in which lists are read and the one-line form of their texts.
#include "core/search/list_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/platform/codepage.h"
#include "core/reports/alphabetical_lists.h"
#include "support/add_person.h"

namespace lineara {
namespace {

using Lines = std::vector<std::string>;

Lines sorted(Lines lines, const TextOrder& order) {
    std::stable_sort(lines.begin(), lines.end(), order);
    return lines;
}

Lines inCodePage(const Lines& utf8, const char* codePage) {
    Lines out;
    for (const std::string& line : utf8) out.push_back(toCodePage(line, codePage));
    return out;
}

// Where the system has no collation to give, the Polish alphabet decides,
// small and capital letters alike, whichever way the texts are written.
TEST(ListText, WithoutACollationNamesFollowThePolishAlphabetIgnoringCase) {
    const Lines names = {"Zielińska", "Świątek", "anna", "Ewa",  "Sowa",
                         "Łukasz",    "ćma",     "Ćwik", "Cyna", "żaba"};
    const Lines expected = {"anna",   "Cyna", "ćma",     "Ćwik",      "Ewa",
                            "Łukasz", "Sowa", "Świątek", "Zielińska", "żaba"};
    for (const char* locale : {"C", "POSIX", "C.UTF-8", "", "xx_NOWHERE.UTF-8"}) {
        SCOPED_TRACE(locale);
        EXPECT_EQ(sorted(names, readersOrder("UTF-8", locale)), expected);
        // Record texts in the tree's code page sort the same.
        EXPECT_EQ(sorted(inCodePage(names, "CP1250"), readersOrder("CP1250", locale)),
                  inCodePage(expected, "CP1250"));
    }
}

TEST(ListText, SpellingsEqualButForCaseEachStayTogether) {
    const TextOrder order = readersOrder("UTF-8", "C");
    const Lines mixed = {"Nowak", "nowak", "NOWAK", "Nowak", "nowak", "Kowal", "Nowak"};
    EXPECT_EQ(sorted(mixed, order),
              (Lines{"Kowal", "NOWAK", "Nowak", "Nowak", "Nowak", "nowak", "nowak"}));
    EXPECT_FALSE(order("Nowak", "Nowak"));
    // A strict order: never both ways.
    for (const std::string& a : mixed) {
        for (const std::string& b : mixed) EXPECT_FALSE(order(a, b) && order(b, a)) << a << b;
    }
}

TEST(ListText, LettersOutsideThePolishAlphabetIgnoreCaseToo) {
    const TextOrder order = readersOrder("UTF-8", "C");
    EXPECT_EQ(sorted({"Борис", "анна", "Ярослав", "вера"}, order),
              (Lines{"анна", "Борис", "вера", "Ярослав"}));
    // As in the search window, a letter of the code page that is not in the
    // Polish alphabet follows it; letters beyond the code page come last.
    EXPECT_EQ(sorted({"Ørsted", "élan", "Zoe", "Ælfric", "ÉCRU"}, order),
              (Lines{"Zoe", "ÉCRU", "élan", "Ælfric", "Ørsted"}));
    // Russian record texts in their own code page.
    EXPECT_EQ(sorted(inCodePage({"Борис", "анна"}, "CP1251"), readersOrder("CP1251", "C")),
              inCodePage({"анна", "Борис"}, "CP1251"));
}

TEST(ListText, TheEnvironmentNamesTheCollation) {
    const char* const saved[] = {std::getenv("LC_ALL"), std::getenv("LC_COLLATE"),
                                 std::getenv("LANG")};
    const std::string keep[] = {saved[0] ? saved[0] : "", saved[1] ? saved[1] : "",
                                saved[2] ? saved[2] : ""};
    setenv("LANG", "pl_PL.UTF-8", 1);
    setenv("LC_COLLATE", "de_DE.UTF-8", 1);
    unsetenv("LC_ALL");
    EXPECT_EQ(collationLocaleName(), "de_DE.UTF-8");
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(collationLocaleName(), "C");
    unsetenv("LC_ALL");
    unsetenv("LC_COLLATE");
    unsetenv("LANG");
    EXPECT_EQ(collationLocaleName(), "C");
    const char* const names[] = {"LC_ALL", "LC_COLLATE", "LANG"};
    for (int i = 0; i < 3; ++i) {
        if (saved[i] != nullptr) setenv(names[i], keep[i].c_str(), 1);
    }
}

TEST(ListText, EveryEntryStaysOneLine) {
    const struct {
        std::string in;
        std::string out;
    } cases[] = {
        {"Jan\r\nNowak", "Jan  Nowak"},
        {"Jan\nNowak", "Jan Nowak"},
        {std::string("Jan\0Nowak", 9), "JanNowak"},
        {"\tJan\x1b\x7f", "Jan"},
        {"\xa3ukasz \xb9", "\xa3ukasz \xb9"},  // code page letters stay
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(oneLine(c.in), c.out);

    PersonList list;
    test::addPerson(list, "Jan\r\nMaria", "Nowak\n");
    test::addPerson(list, std::string_view("Ewa\0", 4), "Lis\rKot");
    EXPECT_EQ(personLines(list), (Lines{"Nowak  Jan  Maria ( - )", "Lis Kot Ewa ( - )"}));
    EXPECT_EQ(surnames(list), (Lines{"Nowak", "Lis Kot"}));
}

// Surnames in different spellings: each spelling one line, with its count.
TEST(ListText, TheSurnameListCountsEachSpellingOnce) {
    PersonList list;
    for (const char* name : {"Nowak", "nowak", "Nowak", "Świątek", "Zielińska", "nowak", "Nowak"}) {
        test::addPerson(list, "X", toCodePage(name, "CP1250"));
    }
    const Recode utf8 = [](std::string_view text) { return fromCodePage(text, "CP1250"); };
    EXPECT_EQ(surnameListLines(list, readersOrder("UTF-8", "C"), utf8),
              (Lines{"Nowak (3)", "nowak (2)", "Świątek (1)", "Zielińska (1)"}));
}

}  // namespace
}  // namespace lineara
