// Splitting GEDCOM lines: the whole-line split, the streaming scanner that
// must agree with it on any line cut into any pieces, and the reader that
// finds the lines.
#include "core/gedcom/gedcom_line.h"

#include <gtest/gtest.h>

#include <random>

#include "core/gedcom/gedcom_reader.h"

namespace lineara {
namespace {

struct Split {
    bool levelOk;
    int32_t level;
    std::string tag;
    std::string value;
};

void expectSplit(const GedcomLine& line, const Split& expected, const std::string& what) {
    EXPECT_EQ(line.levelOk, expected.levelOk) << what;
    if (!expected.levelOk) return;
    EXPECT_EQ(line.level, expected.level) << what;
    EXPECT_EQ(line.tag, expected.tag) << what;
    EXPECT_EQ(line.tagLength, expected.tag.size()) << what;
    EXPECT_EQ(line.value, expected.value) << what;
}

GedcomLine scan(const std::string& text, size_t piece) {
    GedcomLineScanner scanner;
    for (size_t at = 0; at < text.size(); at += piece) {
        scanner.append(text.data() + at, std::min(piece, text.size() - at));
    }
    EXPECT_EQ(scanner.length(), text.size());
    return scanner.finish();
}

TEST(GedcomLine, SplitsLevelTagAndValue) {
    const std::string a250(250, 'a');
    const struct {
        std::string line;
        Split split;
    } cases[] = {
        {"0 HEAD", {true, 0, "HEAD", ""}},
        {"0 @I1@ INDI", {true, 0, "@I1@", "INDI"}},
        {"1 NAME Jan /Kowalski/", {true, 1, "NAME", "Jan /Kowalski/"}},
        {"1 NAME   Jan Maria  \t", {true, 1, "NAME", "Jan Maria"}},
        {"  2 DATE 1 JAN 1900  \r", {true, 2, "DATE", "1 JAN 1900"}},
        // A second space right after the level: the tag is empty.
        {"2  DATE 1900", {true, 2, "", "DATE 1900"}},
        {"1 NAME", {true, 1, "NAME", ""}},
        {"1 NAME \t ", {true, 1, "NAME", ""}},
        {"1 NA\tME x", {true, 1, "NA\tME", "x"}},
        {"1 \t x", {true, 1, "\t", "x"}},
        // No space once trimmed: level 0 without tag, whatever the level.
        {"HEAD", {true, 0, "", ""}},
        {"5 ", {true, 0, "", ""}},
        {"x\t ", {true, 0, "", ""}},
        {"", {true, 0, "", ""}},
        // Levels: decimal integers that fit 32 bits, signs allowed.
        {"+1 NAME x", {true, 1, "NAME", "x"}},
        {"-3 X", {true, -3, "X", ""}},
        {"0000000000000000000002 DATE x", {true, 2, "DATE", "x"}},
        {"2147483647 X", {true, 2147483647, "X", ""}},
        {"-2147483648 X", {true, -2147483647 - 1, "X", ""}},
        {"2147483648 X", {false, 0, "", ""}},
        {"99999999999 X", {false, 0, "", ""}},
        {"x y", {false, 0, "", ""}},
        {"- X", {false, 0, "", ""}},
        {"1\t X", {false, 0, "", ""}},
        {"1\tNAME x", {false, 0, "", ""}},
        {"\xEF\xBB\xBF"
         "0 HEAD",
         {false, 0, "", ""}},
        // The value is its first 255 bytes, trimmed.
        {"1 NOTE " + a250 + "   bbbbbbbbbb", {true, 1, "NOTE", a250 + "   bb"}},
        {"1 NOTE " + std::string(254, ' ') + "x", {true, 1, "NOTE", "x"}},
        {"1 NOTE " + std::string(255, ' ') + "x", {true, 1, "NOTE", ""}},
    };
    for (const auto& c : cases) {
        expectSplit(ParseGedcomLine(c.line), c.split, "whole: " + c.line);
        for (size_t piece : {size_t(1), size_t(3), c.line.size() + 1}) {
            expectSplit(scan(c.line, piece), c.split,
                        "in pieces of " + std::to_string(piece) + ": " + c.line);
        }
    }
}

// A line that does not begin with a level goes on with the value before
// it: the scanner tells such a line, and keeps its text (its first 255
// bytes) whatever pieces it comes in, with or without NUL bytes in it.
TEST(GedcomLine, TellsALineWithoutALevelAndKeepsItsText) {
    const struct {
        std::string line;
        bool hasLevel;
        std::string text;
        bool nul;
    } cases[] = {
        {"0", true, "", false},
        {"2 DATE 1900", true, "", false},
        {"-1 X", true, "", false},
        {"  3 PLAC x  ", true, "", false},
        {"Smith", false, "Smith", false},
        {"  of Lublin, 1901  ", false, "of Lublin, 1901", false},
        {"1984 was a year", true, "", false},  // a level, as far as anyone can tell
        {std::string("x\0y z", 5), false, std::string("x\0y z", 5), true},
        {std::string(300, '1') + " x", false, std::string(255, '1'), false},
        {"1\tNAME x", false, "1\tNAME x", false},
        {"99999999999 NAME x", false, "99999999999 NAME x", false},
        {"- x", false, "- x", false},
        {"\xEF\xBB\xBF"
         "0 HEAD",
         false,
         "\xEF\xBB\xBF"
         "0 HEAD",
         false},
        {std::string("text\0with a NUL", 15), false, std::string("text\0with a NUL", 15), true},
        {std::string("\0\0 x", 4), false, "x", true},
        {std::string(300, 'y'), false, std::string(255, 'y'), false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseGedcomLine(c.line).hasLevel, c.hasLevel) << c.line;
        for (size_t piece : {size_t(1), size_t(4), c.line.size() + 1}) {
            GedcomLineScanner scanner;
            for (size_t at = 0; at < c.line.size(); at += piece) {
                scanner.append(c.line.data() + at, std::min(piece, c.line.size() - at));
            }
            EXPECT_EQ(scanner.finish().hasLevel, c.hasLevel) << c.line;
            if (c.hasLevel) continue;  // a GEDCOM line: its text is its parts
            EXPECT_EQ(scanner.text(), c.text) << c.line;
            EXPECT_EQ(scanner.hasNul(), c.nul) << c.line;
        }
    }
}

// The scanner keeps a bounded part of every line; on whatever line, cut
// anywhere, it must say what the whole-line split says.
TEST(GedcomLine, ScannerAgreesWithTheWholeLineSplit) {
    std::mt19937 rng(2024);
    static const char kBytes[] = " \t\0\x01 0123456789+-@AIN/x\xff";
    const std::string alphabet(kBytes, sizeof kBytes - 1);
    for (int n = 0; n < 30000; ++n) {
        std::string line;
        size_t length = rng() % (n % 10 == 0 ? 700 : 40);
        while (line.size() < length) {
            char c = alphabet[rng() % alphabet.size()];
            // Now and then a long run of one byte.
            line.append(rng() % 20 == 0 ? rng() % 300 : 1, c);
        }
        GedcomLine whole = ParseGedcomLine(line);
        GedcomLine scanned = scan(line, 1 + rng() % 50);
        std::string what =
            "line of " + std::to_string(line.size()) + " bytes #" + std::to_string(n);
        ASSERT_EQ(scanned.levelOk, whole.levelOk) << what;
        ASSERT_EQ(scanned.hasLevel, whole.hasLevel) << what;
        if (!whole.levelOk) continue;
        ASSERT_EQ(scanned.level, whole.level) << what;
        ASSERT_EQ(scanned.tagLength, whole.tag.size()) << what;
        ASSERT_EQ(scanned.tag, whole.tag.substr(0, kGedcomKeptTagBytes)) << what;
        ASSERT_EQ(scanned.value, whole.value) << what;
        for (const char* probe : {"NAME", "@", "A", "DIV"}) {
            ASSERT_EQ(scanned.tagIs(probe), whole.tagIs(probe)) << what;
            ASSERT_EQ(scanned.tagStartsWith(probe), whole.tagStartsWith(probe)) << what;
        }
    }
}

struct ReadLine {
    uint64_t length;
    std::string tag;
};

std::vector<ReadLine> readAll(const std::string& bytes, size_t piece, size_t block) {
    MemorySource source(bytes, piece);
    GedcomLineReader reader(source, block);
    GedcomLineScanner scanner;
    std::vector<ReadLine> lines;
    while (reader.next(scanner) == GedcomLineReader::Result::Line) {
        lines.push_back({scanner.length(), scanner.finish().tag});
    }
    EXPECT_EQ(reader.next(scanner), GedcomLineReader::Result::End);
    return lines;
}

TEST(GedcomLineReader, EndsLinesAtCrLfAndCrLfAndStopsAtByte26) {
    const struct {
        std::string bytes;
        std::vector<std::string> tags;  // of every line, "" for empty ones
    } cases[] = {
        {"", {}},
        {"0 A", {"A"}},
        {"0 A\r\n1 B\r\n", {"A", "B"}},
        {"0 A\n1 B\n", {"A", "B"}},
        {"0 A\r1 B\r", {"A", "B"}},
        {"0 A\r\n1 B\n2 C\r3 D", {"A", "B", "C", "D"}},
        {"\r\n\r\n", {"", ""}},
        {"\r\r\n", {"", ""}},
        {"\n\r", {"", ""}},
        {"0 A\r\n\x1A"
         "1 B\r\n",
         {"A"}},
        {"0 A\x1A"
         "1 B\r\n",
         {"A"}},
        {"\x1A"
         "0 A",
         {}},
        {std::string("0 A\0B\r\n1 C", 10), {std::string("A\0B", 3), "C"}},
    };
    for (const auto& c : cases) {
        for (size_t piece : {size_t(1), size_t(2), size_t(5), SIZE_MAX}) {
            for (size_t block : {size_t(1), size_t(3), size_t(65536)}) {
                std::vector<ReadLine> lines = readAll(c.bytes, piece, block);
                std::vector<std::string> tags;
                for (const ReadLine& l : lines) tags.push_back(l.tag);
                EXPECT_EQ(tags, c.tags) << "piece " << piece << ", block " << block;
            }
        }
    }
}

}  // namespace
}  // namespace lineara
