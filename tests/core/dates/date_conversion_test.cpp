#include "core/dates/date_conversion.h"

#include <gtest/gtest.h>

#include <string>

namespace lineara {
namespace {

struct Case {
    std::string in, out;
};

void expectConversions(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(ConvertDateToGedcom(c.in), c.out) << "input: \"" << c.in << '"';
    }
}

TEST(ConvertDateToGedcom, NumericDatesGetMonthNames) {
    expectConversions({
        {"5.12.1850", "5 Dec 1850"},
        {"25.12.1850", "25 Dec 1850"},
        {"25/12/1850", "25 Dec 1850"},
        {"25-12-1850", "25 Dec 1850"},
        {"05.12.1850", "05 Dec 1850"},  // leading zeros stay
        {"12.05.1850", "12 May 1850"},  // day first when both could be months
        {"31.02.1850", "31 Feb 1850"},  // no calendar check but the 31
        {"12.1850", "Dec 1850"},
        {"1/1850", "Jan 1850"},
        {"5.12.50", "5 Dec 50"},        // any trailing number is the year
        {"5.12.18500", "5 Dec 18500"},  // up to five digits
        {"0.5.1850", "0 May 1850"},
        {"5\t12\t1850", "5 Dec 1850"},  // control characters separate too
        {"5_12_1850", "5 Dec 1850"},    // and so does the underscore itself
        {"  5.12.1850 \r\n", "5 Dec 1850"},
        {"1 2 3", "1 Feb 3"},
    });
}

TEST(ConvertDateToGedcom, EveryNumericMonthBecomesItsMixedCaseName) {
    const char* names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                           "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int month = 1; month <= 12; ++month) {
        std::string expected = std::string(names[month - 1]) + " 1850";
        EXPECT_EQ(ConvertDateToGedcom(std::to_string(month) + ".1850"), expected);
        std::string twoDigits = (month < 10 ? "0" : "") + std::to_string(month);
        EXPECT_EQ(ConvertDateToGedcom(twoDigits + "/1850"), expected) << month;
    }
}

TEST(ConvertDateToGedcom, MonthFirstDatesAndNumbersThatAreNoMonth) {
    expectConversions({
        {"12/25/1850", "25 Dec 1850"},
        {"12/13/1850", "13 Dec 1850"},
        {"13/13/1850", "13 13 1850"},  // neither can be the month
        {"13.1850", "13 1850"},
        {"99.1850", "99 1850"},
        {"5.0.1850", "5 0 1850"},
        {"00.00.0000", "00 00 0000"},
        {"32.12.1850", "32.12.1850"},      // a day above 31: the input as it was
        {"12/32/1850", "12/32/1850"},      // ... also when it is found by swapping
        {" 32.12.1850 ", " 32.12.1850 "},  // ... not even trimmed
        {"31.12.1850", "31 Dec 1850"},
    });
}

TEST(ConvertDateToGedcom, PartsAreTakenFromTheEndOnly) {
    expectConversions({
        {"Jan 5 1850", "Jan May 1850"},  // the lone 5 is a month
        {"1850-12-05", "1850 Dec 05"},   // the last number is the year
        {"1850/51", "1850 51"},          // a dual year splits
        {"1.2.3.1850", "1 2 Mar 1850"},
        {"ABT 5.12.1850", "ABT 5 Dec 1850"},
        {"5th Dec 1850", "5th Dec 1850"},  // ordinals are not read
        // Two separators in a row hide the month until the blanks are
        // collapsed; the date window converts again until nothing changes.
        {"5.12. 1850", "5 12 1850"},
        {"5 12 1850", "5 Dec 1850"},
    });
}

TEST(ConvertDateToGedcom, TildesBecomeAbout) {
    expectConversions({
        {"~1850", "ABT 1850"},
        {"~ 1850", "ABT 1850"},
        {"~", "ABT"},
        {"~~1850", "ABT ABT 1850"},
        {"~5.12.1850", "ABT 5 Dec 1850"},
        {"1850~", "1850ABT"},  // "ABT " takes the place of the tilde exactly
    });
}

TEST(ConvertDateToGedcom, GedcomFormsComeOutUnchanged) {
    for (const char* date :
         {"1850", "ABT 1850", "5 Dec 1850", "5 dec 1850", "5 DEC 1850", "DEC 1850", "Dec 1850",
          "BEF 1850", "AFT 5 DEC 1850", "ABT DEC 1850", "BET 1850 AND 1860", "FROM 1850 TO 1860",
          "EST 1850", "CAL 12 JAN 1850", "INT 1850"}) {
        EXPECT_EQ(ConvertDateToGedcom(date), date);
    }
}

TEST(ConvertDateToGedcom, PunctuationBecomesSingleBlanks) {
    expectConversions({
        {"abc, def", "abc def"},
        {"(about 1850)", "about 1850"},                      // a date phrase
        {"@#DJULIAN@ 5 DEC 1850", "@ DJULIAN@ 5 DEC 1850"},  // "@" is no punctuation here
        {"5 . 12 . 1850", "5 12 1850"},
        {".,/-!", ""},
        {"", ""},
        {"     ", ""},
        {"\x01\x02\x1f", ""},
    });
}

TEST(ConvertDateToGedcom, NumbersGluedToTheTextInFrontStayThere) {
    // A number that follows a letter or digit directly is left in the
    // leading text with it, rather than losing the character in front.
    expectConversions({
        {"Dec1850", "Dec1850"},
        {"5 Dec1850", "5 Dec1850"},
        {"a5 1850", "a5 1850"},
        {"a5.12.1850", "a5 Dec 1850"},
        {"12.a5.1850", "12 a5 1850"},
        {"123456", "123456"},
        {"1234567", "1234567"},
        {"5.12.185000", "5 12 185000"},
        {"5:12:1850", "5:12:1850"},  // the colon is no separator
        {"1850a", "1850a"},
    });
}

TEST(ConvertDateToGedcom, HexadecimalTailsCountAsNumbers) {
    expectConversions({
        {"x12", "x12"},
        {"0x1F", "0x1F"},
        {"0X1F", "0X1F"},
        {"1850 0x1F", "1850 0x1F"},  // taken as the year
        {"5.12.x7", "5 Dec x7"},
        {"x5.1850", "May 1850"},  // a month of 5 written in hex
        {"xC/1850", "Dec 1850"},
        {"1.xA.1850", "1 Oct 1850"},
        {"xF/x5/1850", "xF May 1850"},  // day 15
        {"x5/xF/1850", "xF May 1850"},  // month 15 is a day: swapped
        {"x", "x"},                     // a prefix without digits is no number
        {"0x", "0x"},
        {"1850 x", "1850 x"},
        {"x20.5.1850", "x20 May 1850"},
        // The hexadecimal number found by stripping from the front would
        // cut a word in two: it is not taken.
        {"Felix1", "Felix1"},
        {"10x1F", "10x1F"},
        {"abcx12", "abcx12"},
    });
}

TEST(ConvertDateToGedcom, BytesAboveAsciiAreLettersThatStay) {
    const std::string lodz =
        "\xA3\xF3"
        "d\x9F";  // "Łódź" in CP1250
    expectConversions({
        {lodz + ", 12.1850", lodz + " Dec 1850"},
        {"~" + lodz, "ABT " + lodz},
        {"1850\xA0", "1850\xA0"},  // a no-break space is neither trimmed nor a separator
        {"\xA0"
         "5.12.1850",
         "\xA0"
         "5 Dec 1850"},  // glued to the 5, like a letter
        {"5.12.1850\xE9", "5 12 1850\xE9"},
    });
}

TEST(ConvertDateToGedcom, ThirtyFiveTildesGrowPastTheFieldLength) {
    std::string expected = "ABT";
    for (int i = 1; i < 35; ++i) expected += " ABT";
    EXPECT_EQ(ConvertDateToGedcom(std::string(35, '~')), expected);
    EXPECT_EQ(expected.size(), 139u);
}

TEST(StandardizeDate, ConvertsOnlyWhenSwitchedOn) {
    EXPECT_EQ(StandardizeDate("5.12.1850", true), "5 Dec 1850");
    EXPECT_EQ(StandardizeDate("5.12.1850", false), "5.12.1850");
    EXPECT_EQ(StandardizeDate(" ~1850 ", false), " ~1850 ");
}

}  // namespace
}  // namespace lineara
