#include "core/platform/codepage.h"

#include <gtest/gtest.h>

#include "core/platform/latin_letters.h"

namespace lineara {
namespace {

TEST(CodePage, PolishLettersRoundTripThroughCp1250) {
    const std::string utf8 = "Zażółć gęślą jaźń ŁÓŚŻŹĆŃĄĘ";
    std::string cp = toCodePage(utf8, "CP1250");
    EXPECT_EQ(cp.size(), 27u);  // one byte a letter
    EXPECT_EQ(cp.substr(0, 4), "Za\xBF\xF3");
    EXPECT_EQ(fromCodePage(cp, "CP1250"), utf8);
}

TEST(CodePage, WhatCannotBeHeldBecomesAQuestionMark) {
    EXPECT_EQ(toCodePage("a€b", "CP1250"),
              "a\x80"
              "b");  // the euro is in CP1250
    EXPECT_EQ(toCodePage("a日b", "CP1250"), "a?b");
    EXPECT_EQ(toCodePage("a\xFF"
                         "b",
                         "CP1250"),
              "a?b");                                // not UTF-8 at all
    EXPECT_EQ(toCodePage("x\xC5", "CP1250"), "x?");  // cut inside a letter
    EXPECT_EQ(toCodePage("Ж", "CP1251"), "\xC6");
    EXPECT_EQ(toCodePage("", "CP1250"), "");
}

TEST(CodePage, UndefinedBytesAreShownNotDropped) {
    // 0x98 is not a character in CP1250.
    EXPECT_EQ(fromCodePage("a\x98"
                           "b",
                           "CP1250"),
              "a\xEF\xBF\xBD"
              "b");
    // Double-byte code pages keep their characters whole.
    std::string sjis = toCodePage("日本", "CP932");
    EXPECT_EQ(sjis.size(), 4u);
    EXPECT_EQ(fromCodePage(sjis, "CP932"), "日本");
    // Hebrew and Vietnamese hold a letter back until they know whether a
    // combining mark follows: an undefined byte after it must not take it.
    EXPECT_EQ(fromCodePage("a\x81"
                           "b",
                           "CP1258"),
              "a\xEF\xBF\xBD"
              "b");
    EXPECT_EQ(fromCodePage("\xE0\x81", "CP1255"), "א\xEF\xBF\xBD");
    EXPECT_EQ(CodePageTexts("CP1258").fromCodePage("a\x81"), "a\xEF\xBF\xBD");
}

TEST(CodePage, CharsetChoicesMapToCodePages) {
    struct Case {
        int charset;
        const char* codePage;
    } cases[] = {{238, "CP1250"}, {204, "CP1251"}, {161, "CP1253"},   {162, "CP1254"},
                 {177, "CP1255"}, {178, "CP1256"}, {186, "CP1257"},   {163, "CP1258"},
                 {222, "CP874"},  {128, "CP932"},  {129, "CP949"},    {130, "JOHAB"},
                 {134, "CP936"},  {136, "CP950"},  {77, "MACINTOSH"}, {255, "CP852"},
                 {0, "CP1252"},   {2, "CP1252"},   {1, "CP1250"}};
    for (const Case& c : cases) {
        EXPECT_STREQ(codePageForCharset(c.charset), c.codePage) << c.charset;
        // Every one of them must be known to iconv here.
        EXPECT_FALSE(toCodePage("abc", c.codePage).empty()) << c.codePage;
        EXPECT_EQ(fromCodePage("abc", c.codePage), "abc") << c.codePage;
    }
}

}  // namespace
}  // namespace lineara

namespace lineara {
namespace {

TEST(ClosestLetters, ALetterTheCodePageLacksBecomesItsClosestUnaccentedOne) {
    const struct {
        const char* utf8;
        const char* codePage;
        std::string expected;  // UTF-8, converted to the code page below
    } cases[] = {
        {"æ Æ ø Ø ß þ œ đ", "CP1250", "ae AE o O ß th oe đ"},
        {"ł Ł ő ű", "CP1250", "ł Ł ő ű"},  // letters of CP1250 stay
        {"ł Ł ő ű", "CP1252", "l L o u"},
        {"ǖ ḗ ắ", "CP1250", "u e a"},                          // several marks come off
        {"e\xCC\x81 a\xCC\xA8 z\xCC\x87", "CP1250", "é ą ż"},  // marks join their letter
        {"a\xCC\xA8\xCC\x81", "CP1250", "ą"},                  // a mark with no place is dropped
        {"\xCC\x81x", "CP1250", "x"},
        {"日 \xF0\x9F\x8C\xB3 \xFF", "CP1250", "? ? ?"},
        {"„Kraków” – Łódź…", "CP1252", "„Kraków” – Lódz…"},
        {"Ærø", "CP1251", "AEro"},
    };
    for (const auto& c : cases) {
        ClosestLetters closest(c.codePage);
        EXPECT_EQ(closest.convert(c.utf8), toCodePage(c.expected, c.codePage)) << c.utf8;
    }
}

// Over all Latin letters: what the code page holds goes in as the plain
// conversion does; anything else becomes ASCII, never a stray byte.
TEST(ClosestLetters, AgreesWithThePlainConversionWhereverItCan) {
    for (const char* codePage : {"CP1250", "CP1252", "CP1257", "CP852"}) {
        ClosestLetters closest(codePage);
        for (char32_t c = 0xA0; c < 0x250; ++c) {
            std::string utf8;
            appendUtf8(utf8, c);
            std::string plain = toCodePage(utf8, codePage);
            std::string got = closest.convert(utf8);
            if (plain != "?") {
                EXPECT_EQ(got, plain) << codePage << " U+" << std::hex << uint32_t(c);
            } else {
                EXPECT_FALSE(got.empty()) << codePage << " U+" << std::hex << uint32_t(c);
                for (char b : got) {
                    EXPECT_LT(static_cast<unsigned char>(b), 0x80)
                        << codePage << " U+" << std::hex << uint32_t(c);
                }
            }
        }
    }
}

TEST(LatinLetters, ComposingUndoesWhatTakingMarksOffDid) {
    // Every letter with one mark: its base and mark compose back to it.
    int composed = 0;
    for (char32_t mark = 0x300; mark < 0x370; ++mark) {
        for (char32_t base : {char32_t('a'), char32_t('E'), char32_t('z')}) {
            char32_t joined = composeLetter(base, mark);
            if (joined == 0) continue;
            ++composed;
            EXPECT_EQ(unaccented(joined), std::string(1, static_cast<char>(base)));
            EXPECT_EQ(composeLetters(std::u32string{base, mark}), std::u32string{joined});
        }
    }
    EXPECT_GT(composed, 30);  // a, E and z take 39 marks between them
    EXPECT_EQ(decodeUtf8("a\xC0\x80\xED\xA0\x80z"),
              (std::u32string{'a', 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 'z'}));
    EXPECT_EQ(encodeUtf8(decodeUtf8("Zażółć 🌳")), "Zażółć 🌳");
}

}  // namespace
}  // namespace lineara
