#include "core/platform/codepage.h"

#include <gtest/gtest.h>

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
