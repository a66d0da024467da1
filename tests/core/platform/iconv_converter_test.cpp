// The one conversion loop and what its callbacks can do with input the
// target cannot take.
#include "core/platform/iconv_converter.h"

#include <gtest/gtest.h>

#include <string>

namespace lineara {
namespace {

using Stuck = IconvConverter::Stuck;
using Replacement = IconvConverter::Replacement;

std::string utf32(std::u32string_view text) {
    std::string bytes;
    for (char32_t c : text) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((c >> (8 * i)) & 0xFF));
    }
    return bytes;
}

TEST(IconvConverter, AFixedReplacementTakesTheWholeSequenceOrOneByte) {
    const struct {
        const char* to;
        const char* from;
        std::string in;
        bool utf8Input;
        std::string out;
    } cases[] = {
        {"CP1250", "UTF-8", "aЖb", true, "a?b"},  // two bytes, one "?"
        {"CP1250", "UTF-8",
         "a\xFF"
         "b",
         true, "a?b"},                             // not UTF-8
        {"CP1250", "UTF-8", "a\xC4", true, "a?"},  // cut short at the end
        {"CP1250", "UTF-8", "中", false, "???"},   // byte by byte when asked
        {"UTF-8", "CP1250",
         "a\x98"
         "b",
         false, "a#b"},                                     // undefined in the code page
        {"UTF-8", "CP1258", "a\x81", false, "a#"},          // a letter held back stays
        {"UTF-8", "NO-SUCH-SET", "a\xFF", false, "a\xFF"},  // no converter: as it is
    };
    for (const auto& c : cases) {
        IconvConverter converter(c.to, c.from);
        const std::string_view replacement = std::string(c.to) == "UTF-8" ? "#" : "?";
        EXPECT_EQ(converter.convert(c.in, FixedReplacement{replacement, c.utf8Input}), c.out)
            << c.to << " from " << c.from << ": " << c.in;
    }
}

// A stateful charset must be back in ASCII before bytes written as they
// are, while text converted in a replacement's place shifts by itself.
TEST(IconvConverter, ReplacementsKeepAStatefulCharsetRight) {
    IconvConverter jis("ISO-2022-JP", "UTF-8");
    ASSERT_TRUE(jis.ok());
    const std::string kanji = jis.convert("日", FixedReplacement{"?", true});
    ASSERT_EQ(kanji, "\x1B$BF|\x1B(B");
    EXPECT_EQ(jis.convert("日€日", FixedReplacement{"?", true}), "\x1B$BF|\x1B(B?\x1B$BF|\x1B(B");

    IconvConverter wide("ISO-2022-JP", "UTF-32LE");
    auto reference = [](const Stuck& at) {
        Replacement r;
        r.skip = 4;
        r.converted = utf32(U"&#8364;");
        EXPECT_FALSE(at.inReplacement);
        return r;
    };
    EXPECT_EQ(wide.convert(utf32(U"日€A"), reference), "\x1B$BF|\x1B(B&#8364;A");
    // Pieces appended one after another share one state until finished.
    std::string out;
    wide.append(utf32(U"日"), out, reference);
    wide.append(utf32(U"日"), out, reference);
    wide.finish(out);
    EXPECT_EQ(out, "\x1B$BF|F|\x1B(B");
}

TEST(IconvConverter, CallbacksCountFoldAndRetryAcrossBufferBoundaries) {
    IconvConverter latin("CP1252", "UTF-8");
    // A fold that itself fails gives up with "?": the callback is told.
    int calls = 0;
    auto fold = [&calls](const Stuck& at) {
        ++calls;
        Replacement r;
        r.skip = utf8SequenceLength(at.rest);
        if (at.inReplacement) {
            r.written = "?";
        } else {
            r.converted = at.rest.substr(0, r.skip) == "ą" ? "a" : "ł";
        }
        return r;
    };
    EXPECT_EQ(latin.convert("ząb", fold), "zab");
    EXPECT_EQ(latin.convert("żuk", fold), "?uk");  // ż -> ł, which CP1252 lacks too
    EXPECT_EQ(calls, 3);

    // Thousands of failures spread over more than the converter's buffer:
    // each one is seen once and nothing is lost between the pieces.
    std::string in, expected;
    for (int i = 0; i < 3000; ++i) {
        in += "ą€x";
        expected += "#\x80x";
    }
    size_t count = 0;
    auto counted = [&count](const Stuck& at) {
        ++count;
        Replacement r;
        r.skip = utf8SequenceLength(at.rest);
        r.written = "#";
        return r;
    };
    EXPECT_EQ(latin.convert(in, counted), expected);
    EXPECT_EQ(count, 3000u);

    // A skip beyond the input ends it; a skip of 0 still moves on.
    const struct {
        size_t skip;
        std::string in;
        std::string out;
    } skips[] = {{1000,
                  "ab\xFF"
                  "cd",
                  "ab!"},
                 {0,
                  "a\xFF\xFF"
                  "b",
                  "a!!b"}};
    for (const auto& c : skips) {
        auto skipping = [&c](const Stuck&) {
            Replacement r;
            r.skip = c.skip;
            r.written = "!";
            return r;
        };
        EXPECT_EQ(latin.convert(c.in, skipping), c.out) << c.skip;
    }
}

}  // namespace
}  // namespace lineara
