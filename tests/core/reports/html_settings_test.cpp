// The presentation's settings in the store: defaults, a round trip of
// every value, the older name of the page background, unreadable numbers.
#include "core/reports/html_settings.h"

#include <gtest/gtest.h>

#include "support/temp_dir.h"

namespace lineara {
namespace {

using test::TempDir;

void expectSame(const HtmlSettings& a, const HtmlSettings& b) {
    EXPECT_EQ(a.backgroundColor, b.backgroundColor);
    EXPECT_EQ(a.textColor, b.textColor);
    EXPECT_EQ(a.hyperlinkColor, b.hyperlinkColor);
    EXPECT_EQ(a.vlinkColor, b.vlinkColor);
    EXPECT_EQ(a.alinkColor, b.alinkColor);
    EXPECT_EQ(a.linksBgColor, b.linksBgColor);
    EXPECT_EQ(a.linksHeaderBgColor, b.linksHeaderBgColor);
    EXPECT_EQ(a.theaderColor, b.theaderColor);
    EXPECT_EQ(a.backgroundImage, b.backgroundImage);
    EXPECT_EQ(a.t1Image, b.t1Image);
    EXPECT_EQ(a.t2Image, b.t2Image);
    EXPECT_EQ(a.useFrames, b.useFrames);
    EXPECT_EQ(a.useSiblings, b.useSiblings);
    EXPECT_EQ(a.charset, b.charset);
    EXPECT_EQ(a.frameColor, b.frameColor);
    EXPECT_EQ(a.boxColor, b.boxColor);
    EXPECT_EQ(a.fontColor, b.fontColor);
    EXPECT_EQ(a.fontSize, b.fontSize);
    EXPECT_EQ(a.fontName, b.fontName);
    EXPECT_EQ(a.fontBold, b.fontBold);
    EXPECT_EQ(a.fontItalic, b.fontItalic);
    EXPECT_EQ(a.fontUnderline, b.fontUnderline);
    EXPECT_EQ(a.fontStrikeout, b.fontStrikeout);
}

TEST(HtmlSettings, AnEmptyStoreGivesTheDefaults) {
    TempDir dir;
    Registry registry(dir.file("registry.ini"));
    HtmlSettings s = loadHtmlSettings(registry);
    EXPECT_EQ(s.backgroundColor, 15794175);
    EXPECT_EQ(s.hyperlinkColor, 8388608);
    EXPECT_EQ(s.linksBgColor, 16777215);
    EXPECT_EQ(s.linksHeaderBgColor, 0);
    EXPECT_EQ(s.theaderColor, 16777215);
    EXPECT_TRUE(s.useFrames);
    EXPECT_TRUE(s.useSiblings);
    EXPECT_EQ(s.charset, "Polish (pl): iso-8859-2");
    EXPECT_EQ(s.fontColor, -2147483640);
    EXPECT_EQ(s.fontSize, 7);
    EXPECT_EQ(s.fontName, "Small Fonts");
    EXPECT_FALSE(s.fontBold || s.fontItalic || s.fontUnderline || s.fontStrikeout);
    EXPECT_TRUE(s.backgroundImage.empty() && s.t1Image.empty() && s.t2Image.empty());
}

TEST(HtmlSettings, EveryValueSurvivesTheFile) {
    TempDir dir;
    HtmlSettings s;
    s.backgroundColor = 1;
    s.textColor = 2;
    s.hyperlinkColor = 3;
    s.vlinkColor = 4;
    s.alinkColor = 5;
    s.linksBgColor = 6;
    s.linksHeaderBgColor = 7;
    s.theaderColor = -2147483643;
    s.backgroundImage = "/home/ewa/tło strony.jpg";
    s.t1Image = "/t1.gif";
    s.t2Image = "t2.gif";
    s.useFrames = false;
    s.useSiblings = false;
    s.charset = "Russian (ru): koi-8-r";
    s.frameColor = 8;
    s.boxColor = 9;
    s.fontColor = 10;
    s.fontSize = 12;
    s.fontName = "DejaVu Sans";
    s.fontBold = true;
    s.fontItalic = true;
    s.fontUnderline = true;
    s.fontStrikeout = true;
    {
        Registry registry(dir.file("registry.ini"));
        EXPECT_TRUE(saveHtmlSettings(registry, s));
        EXPECT_EQ(registry.value(kHtmlReportKey, "Use_frames"), "No");
        EXPECT_EQ(registry.value(kHtmlReportKey, "Theader_color"), "-2147483643");
        EXPECT_EQ(registry.value(kHtmlReportKey, "Background_image_url"), s.backgroundImage);
        EXPECT_EQ(registry.value(kHtmlItemKey, "Font_bold"), "Yes");
        EXPECT_EQ(registry.value(kHtmlItemKey, "Font_size"), "12");
    }
    Registry reloaded(dir.file("registry.ini"));
    expectSame(loadHtmlSettings(reloaded), s);

    // Clearing a background image is kept too.
    s.backgroundImage.clear();
    EXPECT_TRUE(saveHtmlSettings(reloaded, s));
    expectSame(loadHtmlSettings(reloaded), s);
}

TEST(HtmlSettings, OlderNameOfThePageBackgroundWinsWhenPresent) {
    TempDir dir;
    Registry registry(dir.file("registry.ini"));
    registry.write(kHtmlReportKey, "background_image", "old.jpg");
    EXPECT_EQ(loadHtmlSettings(registry).backgroundImage, "old.jpg");
    registry.write(kHtmlReportKey, "Background_image_url", "url.jpg");
    EXPECT_EQ(loadHtmlSettings(registry).backgroundImage, "url.jpg");
}

TEST(HtmlSettings, UnreadableValuesGiveTheirDefaults) {
    TempDir dir;
    Registry registry(dir.file("registry.ini"));
    registry.write(kHtmlReportKey, "Background_color", "white");
    registry.write(kHtmlReportKey, "Text_color", "12abc");
    registry.write(kHtmlReportKey, "Hyperlink_color", "99999999999");
    registry.write(kHtmlReportKey, "Use_frames", "maybe");
    registry.write(kHtmlReportKey, "Use_background_image", "Yes");
    registry.write(kHtmlItemKey, "Font_size", "");
    registry.write(kHtmlItemKey, "Font_color", "-5");
    HtmlSettings s = loadHtmlSettings(registry);
    EXPECT_EQ(s.backgroundColor, 15794175);
    EXPECT_EQ(s.textColor, 0);
    EXPECT_EQ(s.hyperlinkColor, 8388608);
    EXPECT_FALSE(s.useFrames);  // anything but "Yes" is off
    EXPECT_EQ(s.fontSize, 7);
    EXPECT_EQ(s.fontColor, -5);
}

TEST(HtmlSettings, AnUnwritableStoreIsReported) {
    TempDir dir;
    // The store's file cannot be made where a folder stands.
    Registry registry(dir.path());
    EXPECT_FALSE(saveHtmlSettings(registry, HtmlSettings{}));
    // What was saved is still there for this run.
    EXPECT_EQ(loadHtmlSettings(registry).charset, "Polish (pl): iso-8859-2");
}

}  // namespace
}  // namespace lineara
