// Record texts between their code page and what the windows show, with the
// converters kept open: shared by threads, copied, switched.
#include "render/platform/record_codec.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace lineara {
namespace {

RecordCodec codecFor(int charsetCode) {
    RecordCodec codec;
    codec.setCharsetCode(charsetCode);
    return codec;
}

TEST(RecordCodec, ConvertsBothWaysInTheChosenCodePage) {
    const struct {
        int charset;
        std::string bytes;
        QString text;
    } cases[] = {
        {1, "Za\xBF\xF3\xB3\xE6 g\xEA\x9Cl\xB9", QStringLiteral("Zażółć gęślą")},  // CP1250
        {204, "\xC6\xE0\xED\xED\xE0", QStringLiteral("Жанна")},                    // CP1251
        {0, "Gr\xFC\xDF", QStringLiteral("Grüß")},                                 // CP1252
        {238,
         "a\x98"
         "b",
         QStringLiteral("a\uFFFD"
                        "b")},                      // 0x98 is no character
        {163, "a\x81", QStringLiteral("a\uFFFD")},  // a held-back letter stays
    };
    for (const auto& c : cases) {
        const RecordCodec codec = codecFor(c.charset);
        EXPECT_EQ(codec.decode(c.bytes), c.text) << c.charset;
        if (!c.text.contains(QChar(0xFFFD))) {
            EXPECT_EQ(codec.encode(c.text), c.bytes) << c.charset;
        }
    }
    EXPECT_EQ(codecFor(1).encode(QStringLiteral("Жанна")), "?????");
}

// A copy has converters of its own and keeps its character set when the
// original changes; assigning takes the other's set.
TEST(RecordCodec, CopiesConvertOnTheirOwn) {
    RecordCodec original = codecFor(204);
    RecordCodec copy(original);
    original.setCharsetCode(1);
    EXPECT_EQ(copy.codePage(), std::string("CP1251"));
    EXPECT_EQ(copy.decode("\xC6"), QStringLiteral("Ж"));
    EXPECT_EQ(original.decode("\xC6"), QStringLiteral("Ć"));
    copy = original;
    EXPECT_EQ(copy.charsetCode(), 1);
    EXPECT_EQ(copy.decode("\xC6"), QStringLiteral("Ć"));
}

// The HTML image workers draw boxes with one codec on several threads:
// every text comes out as it does on one thread.
TEST(RecordCodec, ThreadsShareOneCodec) {
    const RecordCodec codec = codecFor(238);
    std::vector<std::string> bytes;
    std::vector<QString> expected;
    for (int i = 0; i < 64; ++i) {
        std::string b =
            "Nowak \xA3\xF3"
            "d\x9F " +
            std::to_string(i);
        b.append(static_cast<size_t>(i % 7), '\xB9');
        if (i % 5 == 0) b += "\x98";  // undefined
        bytes.push_back(b);
        expected.push_back(codec.decode(b));
    }
    std::vector<int> wrong(4, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int round = 0; round < 300; ++round) {
                for (size_t i = 0; i < bytes.size(); ++i) {
                    const QString text = codec.decode(bytes[i]);
                    if (text != expected[i]) ++wrong[size_t(t)];
                    if (i % 5 != 0 && codec.encode(text) != bytes[i]) ++wrong[size_t(t)];
                }
            }
        });
    }
    for (std::thread& t : threads) t.join();
    EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace lineara
