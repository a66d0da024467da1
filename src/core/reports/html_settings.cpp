#include "core/reports/html_settings.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>

namespace lineara {

const char kHtmlReportKey[] = "Software\\Lineara\\Html_report";
const char kHtmlItemKey[] = "Software\\Lineara\\Html_report\\Item";

namespace {

// Decimal text as the store keeps it; anything else does not convert.
std::optional<int32_t> toInt32(const std::string& text) {
    if (text.empty()) return std::nullopt;
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    long long n = std::strtoll(begin, &end, 10);
    if (end == begin || *end != '\0' || errno == ERANGE || n < INT32_MIN || n > INT32_MAX) {
        return std::nullopt;
    }
    return static_cast<int32_t>(n);
}

class Store {
public:
    Store(Registry& registry, const char* key) : registry_(registry), key_(key) {}

    void number(const char* name, int32_t& value) {
        value = toInt32(registry_.read(key_, name, std::to_string(value))).value_or(value);
    }
    void text(const char* name, std::string& value) { value = registry_.read(key_, name, value); }
    void flag(const char* name, bool& value) {
        value = registry_.read(key_, name, value ? "Yes" : "No") == "Yes";
    }

    bool put(const char* name, const std::string& value) {
        return registry_.write(key_, name, value);
    }
    bool putNumber(const char* name, int32_t value) { return put(name, std::to_string(value)); }
    bool putFlag(const char* name, bool on) { return put(name, on ? "Yes" : "No"); }

private:
    Registry& registry_;
    std::string key_;
};

}  // namespace

HtmlSettings loadHtmlSettings(Registry& registry) {
    HtmlSettings s;
    Store page(registry, kHtmlReportKey);
    page.number("Background_color", s.backgroundColor);
    page.number("Text_color", s.textColor);
    page.number("Hyperlink_color", s.hyperlinkColor);
    page.number("Vlink_color", s.vlinkColor);
    page.number("Alink_color", s.alinkColor);
    page.number("Links_bgcolor", s.linksBgColor);
    page.number("LinksHeader_bgcolor", s.linksHeaderBgColor);
    page.number("Theader_color", s.theaderColor);
    page.text("background_image", s.backgroundImage);
    page.text("t1_image", s.t1Image);
    page.text("t2_image", s.t2Image);
    // The page background was once kept under a second name, which wins
    // when both are there.
    page.text("Background_image_url", s.backgroundImage);
    // Read, as it always was, though nothing depends on it any more.
    bool useBackgroundImage = false;
    page.flag("Use_background_image", useBackgroundImage);
    page.flag("Use_frames", s.useFrames);
    page.flag("Use_siblings", s.useSiblings);
    page.text("Charset", s.charset);

    Store item(registry, kHtmlItemKey);
    item.number("Frame_color", s.frameColor);
    item.number("Box_color", s.boxColor);
    item.number("Font_color", s.fontColor);
    item.number("Font_size", s.fontSize);
    item.text("Font_name", s.fontName);
    item.flag("Font_bold", s.fontBold);
    item.flag("Font_italic", s.fontItalic);
    item.flag("Font_underline", s.fontUnderline);
    item.flag("Font_strikeout", s.fontStrikeout);
    return s;
}

bool saveHtmlSettings(Registry& registry, const HtmlSettings& s) {
    Store page(registry, kHtmlReportKey);
    bool ok = true;
    ok &= page.putNumber("Background_color", s.backgroundColor);
    ok &= page.putNumber("Text_color", s.textColor);
    ok &= page.putNumber("Hyperlink_color", s.hyperlinkColor);
    ok &= page.putNumber("Vlink_color", s.vlinkColor);
    ok &= page.putNumber("Alink_color", s.alinkColor);
    ok &= page.putNumber("Links_bgcolor", s.linksBgColor);
    ok &= page.putNumber("LinksHeader_bgcolor", s.linksHeaderBgColor);
    ok &= page.putNumber("Theader_color", s.theaderColor);
    ok &= page.put("background_image", s.backgroundImage);
    ok &= page.put("t1_image", s.t1Image);
    ok &= page.put("t2_image", s.t2Image);
    ok &= page.put("Background_image_url", s.backgroundImage);
    ok &= page.putFlag("Use_frames", s.useFrames);
    ok &= page.putFlag("Use_siblings", s.useSiblings);
    ok &= page.put("Charset", s.charset);

    Store item(registry, kHtmlItemKey);
    ok &= item.putNumber("Frame_color", s.frameColor);
    ok &= item.putNumber("Box_color", s.boxColor);
    ok &= item.putNumber("Font_color", s.fontColor);
    ok &= item.putNumber("Font_size", s.fontSize);
    ok &= item.put("Font_name", s.fontName);
    ok &= item.putFlag("Font_bold", s.fontBold);
    ok &= item.putFlag("Font_italic", s.fontItalic);
    ok &= item.putFlag("Font_underline", s.fontUnderline);
    ok &= item.putFlag("Font_strikeout", s.fontStrikeout);
    return ok;
}

}  // namespace lineara
