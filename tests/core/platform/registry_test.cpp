// The settings store: what is written comes back, from memory and from the
// file, whatever the text; keys behave like registry keys.
#include "core/platform/registry.h"

#include <gtest/gtest.h>

#include <string>

#include "support/temp_dir.h"

namespace lineara {
namespace {

using test::TempDir;

std::string readText(const std::string& path) {
    auto bytes = test::readBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void writeText(const std::string& path, const std::string& text) {
    test::writeBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

TEST(Registry, OddTextsSurviveTheFile) {
    TempDir dir;
    const std::string file = dir.file("registry.ini");
    const std::pair<std::string, std::string> values[] = {
        {"", "the default value"},
        {"Multi", "line one\nline two\r\nline three"},
        {"a=b", "x=y==z"},
        {"[Not a section]", "[neither]"},
        {"Percent", "%1 %% %41 %"},
        {"Blanks", "  trailing and leading  "},
        {"Polish", "Zażółć gęślą jaźń"},
        {"Path", "C:\\Program Files\\\"Lineara\"\\lineara.exe"},
        {"Empty", ""},
        {"Controls", std::string("tab\there\x01\x7f end")},
    };
    {
        Registry registry(file);
        for (const auto& [name, text] : values) {
            EXPECT_TRUE(registry.write("Odd\\Key [1] = %x", name, text)) << name;
        }
    }
    Registry reloaded(file);
    for (const auto& [name, text] : values) {
        EXPECT_EQ(reloaded.value("Odd\\Key [1] = %x", name), text) << name;
    }
    // Backslashes in key paths stay readable in the file.
    EXPECT_NE(readText(file).find("[Odd\\Key [1] = %25x]\n"), std::string::npos);
}

TEST(Registry, KeysAndNamesIgnoreCaseAndKeepTheirFirstSpelling) {
    TempDir dir;
    const std::string file = dir.file("registry.ini");
    Registry registry(file);
    registry.write("Software\\Lineara", "ScreenFontName", "Arial");
    registry.write("SOFTWARE\\lineara", "screenfontname", "Courier");

    EXPECT_EQ(registry.value("software\\LINEARA", "SCREENFONTNAME"), "Courier");
    EXPECT_TRUE(registry.keyExists("sOfTwArE\\LiNeArA"));
    const std::string text = readText(file);
    EXPECT_NE(text.find("[Software\\Lineara]\nScreenFontName=Courier\n"), std::string::npos)
        << text;
    EXPECT_EQ(text.find("SOFTWARE"), std::string::npos);
}

TEST(Registry, ReadGivesTheFallbackAndCreatesOnlyTheKey) {
    TempDir dir;
    const std::string file = dir.file("sub/folder/registry.ini");
    Registry registry(file);
    EXPECT_FALSE(registry.keyExists("Software\\Lineara"));

    EXPECT_EQ(registry.read("Software\\Lineara", "ScreenCharset", "15"), "15");
    EXPECT_TRUE(registry.keyExists("Software\\Lineara"));
    EXPECT_FALSE(registry.value("Software\\Lineara", "ScreenCharset").has_value());

    // An empty stored text counts as absent.
    registry.write("Software\\Lineara", "ScreenCharset", "");
    EXPECT_EQ(registry.read("Software\\Lineara", "ScreenCharset", "15"), "15");
    registry.write("Software\\Lineara", "ScreenCharset", "4");
    EXPECT_EQ(registry.read("Software\\Lineara", "ScreenCharset", "15"), "4");

    // The created key reached the file, folders and all.
    Registry reloaded(file);
    EXPECT_TRUE(reloaded.keyExists("Software\\Lineara"));
}

TEST(Registry, KeyPathsAreAbsoluteAndParentsExist) {
    TempDir dir;
    Registry registry(dir.file("registry.ini"));
    EXPECT_TRUE(registry.createKey("\\.html\\"));
    EXPECT_TRUE(registry.keyExists(".html"));
    EXPECT_TRUE(registry.keyExists("\\.HTML"));

    registry.createKey("lineara_file\\shell\\open\\command");
    EXPECT_TRUE(registry.keyExists("lineara_file\\shell"));
    EXPECT_TRUE(registry.keyExists("lineara_file"));
    EXPECT_FALSE(registry.keyExists("lineara"));
    EXPECT_FALSE(registry.keyExists("lineara_file\\she"));
    EXPECT_FALSE(registry.value("lineara_file\\shell", "").has_value());
}

TEST(Registry, DamagedLinesAreSkipped) {
    TempDir dir;
    const std::string file = dir.file("registry.ini");
    writeText(file,
              "orphan=before any section\n"
              "[Software\\Lineara]\r\n"
              "ScreenFontName=Arial\r\n"
              "this line has no equals sign\n"
              "[unclosed section\n"
              "ScreenFontSize=12\n"
              "Bad=%zz%4\n"
              "[]\n"
              "lost=in the root\n"
              "[Other]\n"
              "x=1\n");
    Registry registry(file);
    EXPECT_EQ(registry.value("Software\\Lineara", "ScreenFontName"), "Arial");
    EXPECT_EQ(registry.value("Software\\Lineara", "ScreenFontSize"), "12");
    EXPECT_EQ(registry.value("Software\\Lineara", "Bad"), "%zz%4");
    EXPECT_EQ(registry.value("Other", "x"), "1");
    EXPECT_FALSE(registry.value("Software\\Lineara", "orphan").has_value());
    EXPECT_FALSE(registry.value("", "lost").has_value());
}

TEST(Registry, MissingOrUnreadableFileIsAnEmptyStore) {
    TempDir dir;
    Registry missing(dir.file("nothing-here.ini"));
    EXPECT_FALSE(missing.keyExists("Software"));
    EXPECT_FALSE(test::fileExists(dir.file("nothing-here.ini")));

    Registry folder(dir.path());  // a folder where the file should be
    EXPECT_FALSE(folder.keyExists("Software"));
}

TEST(Registry, UnwritableFileKeepsValuesInMemory) {
    TempDir dir;
    writeText(dir.file("plain"), "not a folder");
    Registry registry(dir.file("plain/registry.ini"));

    EXPECT_FALSE(registry.write("Software\\Lineara", "ScreenFontSize", "20"));
    EXPECT_EQ(registry.value("Software\\Lineara", "ScreenFontSize"), "20");
    EXPECT_FALSE(registry.createKey("lineara_file"));
    EXPECT_TRUE(registry.keyExists("lineara_file"));
    EXPECT_EQ(registry.read("Software\\Lineara", "ScreenFontSize", "16"), "20");
}

TEST(Registry, RewritingTheSameTextLeavesTheFileAlone) {
    TempDir dir;
    const std::string file = dir.file("registry.ini");
    Registry registry(file);
    ASSERT_TRUE(registry.write("K", "n", "v"));
    // Replace the file behind the store's back: an unchanged write must not
    // put it back.
    writeText(file, "[K]\nn=changed outside\n");
    EXPECT_TRUE(registry.write("k", "N", "v"));
    EXPECT_EQ(readText(file), "[K]\nn=changed outside\n");
    EXPECT_TRUE(registry.write("K", "n", "w"));
    EXPECT_EQ(readText(file), "[K]\nn=w\n");
}

}  // namespace
}  // namespace lineara
