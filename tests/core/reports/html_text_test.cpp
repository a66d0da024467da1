// Record texts on their way into a page: converted from the tree's code
// page into the declared charset, with references for what the charset
// cannot hold and entities for what HTML would read as markup; and the
// small pieces the pages are made of: colours and the charset list.
#include "core/reports/html_text.h"

#include <gtest/gtest.h>

#include <string>

#include "core/reports/html_charsets.h"
#include "core/reports/html_colour.h"

namespace lineara {
namespace {

// "Zażółć gęślą jaźń" in CP1250.
const char kPolish1250[] = "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9 ja\x9F\xF1";

struct Conversion {
    const char* codePage;
    const char* charset;
    std::string record;
    std::string page;
};

TEST(HtmlText, ConvertsIntoTheDeclaredCharset) {
    const Conversion table[] = {
        // Every Polish letter has its place in iso-8859-2, most elsewhere
        // than in CP1250.
        {"CP1250", "iso-8859-2", kPolish1250, "Za\xBF\xF3\xB3\xE6 g\xEA\xB6l\xB1 ja\xBC\xF1"},
        // Latin-1 holds only the ó; the rest become references.
        {"CP1250", "iso-8859-1", kPolish1250,
         "Za&#380;\xF3&#322;&#263; g&#281;&#347;l&#261; ja&#378;&#324;"},
        {"CP1250", "ISO-8859-1",
         "\xA3\xF3"
         "d\x9F",
         "&#321;\xF3"
         "d&#378;"},
        // "Иван" from CP1251 into KOI8-R, which the list calls koi-8-r.
        {"CP1251", "koi-8-r", "\xC8\xE2\xE0\xED", "\xE9\xD7\xC1\xCE"},
        {"CP1251", "windows-1251", "\xC8\xE2\xE0\xED", "\xC8\xE2\xE0\xED"},
        {"CP1250", "koi-8-r", "\xB9", "&#261;"},
        // A charset iconv does not know: ASCII and references.
        {"CP1250", "x-klingon",
         "\xA3\xF3"
         "d\x9F",
         "&#321;&#243;d&#378;"},
        {"CP1250", "", "\xF3", "&#243;"},
        // Asking iconv to transliterate would lose letters silently.
        {"CP1250", "iso-8859-1//TRANSLIT", "\xB9", "&#261;"},
        // Not ASCII-compatible: the markup around would be wrong, so ASCII.
        {"CP1250", "utf-16", "A\xB9", "A&#261;"},
        // "日本" from Shift-JIS into iso-2022-jp, back in ASCII at the end
        // and for the references and entities in between.
        {"CP932", "iso-2022-jp", "\x93\xFA\x96\x7B", "\x1B$BF|K\\\x1B(B"},
        {"CP932", "iso-2022-jp", "\x93\xFA<\x96\x7B", "\x1B$BF|\x1B(B&lt;\x1B$BK\\\x1B(B"},
        // Half-width katakana are not in iso-2022-jp.
        {"CP932", "iso-2022-jp", "\x93\xFA\xA3", "\x1B$BF|\x1B(B&#65379;"},
        {"CP1250", "iso-2022-jp", "\xA3\xF3", "&#321;&#243;"},
        // Bytes CP1250 leaves undefined and control characters.
        {"CP1250", "iso-8859-2",
         "a\x98"
         "b",
         "a&#65533;b"},
        {"CP1250", "iso-8859-2", "a\x01\tb", "a&#1;\tb"},
        // A code page iconv does not know: ASCII is still ASCII.
        {"NO-SUCH-CP", "iso-8859-2", "Jan \xB9", "Jan &#65533;"},
    };
    for (const Conversion& c : table) {
        HtmlTextEncoder encoder(c.codePage, c.charset);
        EXPECT_EQ(encoder.text(c.record), c.page) << c.codePage << " -> " << c.charset;
        // The converters are kept between texts; a second text comes out
        // the same, so no state is left behind.
        EXPECT_EQ(encoder.text(c.record), c.page) << c.codePage << " -> " << c.charset;
    }
}

TEST(HtmlText, EscapesMarkupInEveryCharset) {
    for (const char* charset : {"iso-8859-2", "iso-8859-1", "x-unknown", "iso-2022-jp"}) {
        HtmlTextEncoder encoder("CP1250", charset);
        EXPECT_EQ(encoder.text("<script>alert(1)</script>"),
                  "&lt;script&gt;alert(1)&lt;/script&gt;")
            << charset;
        EXPECT_EQ(encoder.text("Jan \"Kuba\" & syn"), "Jan &quot;Kuba&quot; &amp; syn") << charset;
        EXPECT_EQ(encoder.text("&#261;"), "&amp;#261;") << charset;
        EXPECT_EQ(encoder.text("plain text 1900"), "plain text 1900") << charset;
        EXPECT_EQ(encoder.text(""), "") << charset;
        EXPECT_EQ(encoder.utf8Text("\"\xC4\x85\""),
                  charset == std::string("iso-8859-2") ? "&quot;\xB1&quot;" : "&quot;&#261;&quot;")
            << charset;
    }
}

TEST(HtmlText, EveryCharsetOfTheListIsConvertedTo) {
    const std::vector<std::string>& entries = htmlCharsetEntries();
    ASSERT_EQ(entries.size(), 46u);
    for (size_t i = 1; i < entries.size(); ++i) EXPECT_LT(entries[i - 1], entries[i]);
    for (const std::string& entry : entries) {
        HtmlTextEncoder encoder("CP1250", htmlCharsetName(entry));
        EXPECT_TRUE(encoder.convertsToCharset()) << entry;
    }
    EXPECT_EQ(entries.front(), "Afrikaans (af): iso-8859-1");
    EXPECT_EQ(entries[33], "Polish (pl): iso-8859-2");
    EXPECT_EQ(entries[36], "Russian #2 (ru): windows-1251");
    EXPECT_EQ(entries[37], "Russian (ru): koi-8-r");
    EXPECT_EQ(entries.back(), "Ukrainian (uk): iso-8859-5");
}

TEST(HtmlText, CharsetNameIsWhatFollowsTheFirstColon) {
    const std::pair<const char*, const char*> table[] = {
        {"Polish (pl): iso-8859-2", "iso-8859-2"},
        {"Eskimo languages: iso-8859-10", "iso-8859-10"},
        {"  utf-8\t", "utf-8"},
        {"odd: one: two ", "one: two"},
        {"nothing after:", ""},
        {"", ""},
    };
    for (auto [entry, name] : table) EXPECT_EQ(htmlCharsetName(entry), name) << entry;
    EXPECT_EQ(iconvCharsetName("koi-8-r"), "koi8-r");
    EXPECT_EQ(iconvCharsetName("ISO-8859-2"), "iso-8859-2");
}

TEST(HtmlColour, ReversesTheBytesOfTheLowThree) {
    const std::pair<int32_t, const char*> table[] = {
        {15794175, "#FFFFF0"},   {0, "#000000"},           {8388608, "#000080"},
        {255, "#FF0000"},        {0x123456, "#563412"},    {16777215, "#FFFFFF"},
        {-1, "#FFFFFF"},         {-2147483640, "#080000"},  // a system colour, unresolved
        {0x7F0A0B0C, "#0C0B0A"},
    };
    for (auto [value, html] : table) EXPECT_EQ(colorToHtml(value), html) << value;
}

}  // namespace
}  // namespace lineara
