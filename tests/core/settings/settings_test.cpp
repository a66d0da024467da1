// The seven settings: defaults on a fresh installation, the fallbacks for
// unreadable values, and the texts they are stored as.
#include "core/settings/settings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "support/temp_dir.h"

namespace lineara {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    test::TempDir dir;
    Registry registry{dir.file("registry.ini")};

    void store(const char* name, const char* text) { registry.write(kSettingsKey, name, text); }
    std::string stored(const char* name) {
        return registry.value(kSettingsKey, name).value_or("<absent>");
    }
};

TEST_F(SettingsTest, EmptyRegistryGivesTheDefaults) {
    AppSettings s = loadAppSettings(registry);
    EXPECT_EQ(s.screenFontName, "Times New Roman");
    EXPECT_EQ(s.screenFontSize, 16);
    EXPECT_EQ(s.charsetChoice, 15);
    EXPECT_EQ(charsetCodeForChoice(s.charsetChoice), 1);
    EXPECT_TRUE(s.dateStandardization);
    EXPECT_TRUE(s.showHints);
    EXPECT_FALSE(s.qualityCheckOnOpen);
    EXPECT_FALSE(s.qualityCheckOnSave);
    // Reading creates the key, but writes no values.
    EXPECT_TRUE(registry.keyExists("Software\\Lineara"));
    EXPECT_EQ(stored("ScreenFontName"), "<absent>");
}

TEST_F(SettingsTest, FlagIsTrueOnlyForExactlyYes) {
    const std::pair<const char*, bool> cases[] = {
        {"Yes", true}, {"yes", false}, {"YES", false}, {"Yes ", false},
        {"1", false},  {"No", false},  {"", true},  // empty reads as absent: the default "Yes"
    };
    for (const auto& [text, expected] : cases) {
        store("Date_Standardization", text);
        store("Show_Name_Hints", text);
        AppSettings s = loadAppSettings(registry);
        EXPECT_EQ(s.dateStandardization, expected) << '"' << text << '"';
        EXPECT_EQ(s.showHints, expected) << '"' << text << '"';
    }
    store("quality_check_on_open", "yes");
    store("quality_check_on_save", "Yes");
    AppSettings s = loadAppSettings(registry);
    EXPECT_FALSE(s.qualityCheckOnOpen);
    EXPECT_TRUE(s.qualityCheckOnSave);
}

TEST_F(SettingsTest, UnusableFontSizeResetsNameAndSize) {
    store("ScreenFontName", "Arial");
    for (const char* size : {"twelve", "12pt", "12 ", "0", "-3", "99999999999"}) {
        store("ScreenFontSize", size);
        AppSettings s = loadAppSettings(registry);
        EXPECT_EQ(s.screenFontName, "Times New Roman") << size;
        EXPECT_EQ(s.screenFontSize, 16) << size;
    }
    store("ScreenFontSize", "12");
    AppSettings s = loadAppSettings(registry);
    EXPECT_EQ(s.screenFontName, "Arial");
    EXPECT_EQ(s.screenFontSize, 12);
}

TEST_F(SettingsTest, UnreadableCharsetFallsBackButOutOfRangeIsKept) {
    store("ScreenCharset", "Baltic");
    EXPECT_EQ(loadAppSettings(registry).charsetChoice, 15);
    store("ScreenCharset", "19");
    EXPECT_EQ(loadAppSettings(registry).charsetChoice, 19);
    // A number outside the list is read as it is and later means ANSI.
    store("ScreenCharset", "20");
    EXPECT_EQ(loadAppSettings(registry).charsetChoice, 20);
}

TEST_F(SettingsTest, SavedSettingsReadBackAsDecimalsAndYesNo) {
    AppSettings s;
    s.screenFontName = "Liberation Sans";
    s.screenFontSize = 11;
    s.charsetChoice = 4;
    s.dateStandardization = false;
    s.showHints = true;
    s.qualityCheckOnOpen = true;
    s.qualityCheckOnSave = false;
    saveScreenSettings(registry, s);
    saveFlags(registry, s);

    EXPECT_EQ(stored("ScreenFontSize"), "11");
    EXPECT_EQ(stored("ScreenCharset"), "4");
    EXPECT_EQ(stored("Date_Standardization"), "No");
    EXPECT_EQ(stored("Show_Name_Hints"), "Yes");
    EXPECT_EQ(stored("quality_check_on_open"), "Yes");
    EXPECT_EQ(stored("quality_check_on_save"), "No");

    Registry reloaded(registry.filePath());
    AppSettings back = loadAppSettings(reloaded);
    EXPECT_EQ(back.screenFontName, "Liberation Sans");
    EXPECT_EQ(back.screenFontSize, 11);
    EXPECT_EQ(back.charsetChoice, 4);
    EXPECT_FALSE(back.dateStandardization);
    EXPECT_TRUE(back.showHints);
    EXPECT_TRUE(back.qualityCheckOnOpen);
    EXPECT_FALSE(back.qualityCheckOnSave);
}

TEST_F(SettingsTest, ScreenSettingsAndFlagsAreWrittenSeparately) {
    AppSettings s;
    s.screenFontSize = 30;
    s.dateStandardization = false;
    saveFlags(registry, s);
    EXPECT_EQ(stored("ScreenFontSize"), "<absent>");
    saveScreenSettings(registry, s);
    EXPECT_EQ(stored("ScreenFontSize"), "30");
    EXPECT_EQ(stored("Date_Standardization"), "No");
}

TEST(CharsetChoices, ListEntriesAndCodes) {
    EXPECT_STREQ(charsetChoiceName(1), "ANSI");
    EXPECT_EQ(charsetCodeForChoice(1), 0);
    EXPECT_STREQ(charsetChoiceName(4), "Central European characters ");
    EXPECT_EQ(charsetCodeForChoice(4), 238);
    EXPECT_STREQ(charsetChoiceName(15), "System Default");
    EXPECT_EQ(charsetCodeForChoice(15), 1);
    EXPECT_STREQ(charsetChoiceName(19), "Vietnamese characters ");
    EXPECT_EQ(charsetCodeForChoice(19), 163);
    for (int outside : {0, 20, -1, 1000}) {
        EXPECT_EQ(charsetCodeForChoice(outside), 0) << outside;
        EXPECT_STREQ(charsetChoiceName(outside), "") << outside;
    }
    // Every entry is there, once.
    std::set<std::string> names;
    for (int c = 1; c <= kCharsetChoices; ++c) names.insert(charsetChoiceName(c));
    EXPECT_EQ(names.size(), 19u);
    EXPECT_EQ(names.count(""), 0u);
}

}  // namespace
}  // namespace lineara
