#include "core/reports/html_settings.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <type_traits>

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

// Every stored value once, in the order of the store: loading and saving
// walk the same list, so a value cannot be read under one name and written
// under another. `Settings` is HtmlSettings, const or not.
template <typename Settings, typename Visit>
void eachValue(Settings& s, Visit&& visit) {
    const char* page = kHtmlReportKey;
    visit(page, "Background_color", s.backgroundColor);
    visit(page, "Text_color", s.textColor);
    visit(page, "Hyperlink_color", s.hyperlinkColor);
    visit(page, "Vlink_color", s.vlinkColor);
    visit(page, "Alink_color", s.alinkColor);
    visit(page, "Links_bgcolor", s.linksBgColor);
    visit(page, "LinksHeader_bgcolor", s.linksHeaderBgColor);
    visit(page, "Theader_color", s.theaderColor);
    visit(page, "background_image", s.backgroundImage);
    visit(page, "t1_image", s.t1Image);
    visit(page, "t2_image", s.t2Image);
    // The page background was once kept under a second name, which wins
    // on loading when both are there (it is read after the first).
    visit(page, "Background_image_url", s.backgroundImage);
    visit(page, "Use_frames", s.useFrames);
    visit(page, "Use_siblings", s.useSiblings);
    visit(page, "Charset", s.charset);

    const char* item = kHtmlItemKey;
    visit(item, "Frame_color", s.frameColor);
    visit(item, "Box_color", s.boxColor);
    visit(item, "Font_color", s.fontColor);
    visit(item, "Font_size", s.fontSize);
    visit(item, "Font_name", s.fontName);
    visit(item, "Font_bold", s.fontBold);
    visit(item, "Font_italic", s.fontItalic);
    visit(item, "Font_underline", s.fontUnderline);
    visit(item, "Font_strikeout", s.fontStrikeout);
}

const char* flagText(bool on) { return on ? "Yes" : "No"; }

}  // namespace

HtmlSettings loadHtmlSettings(Registry& registry) {
    HtmlSettings s;
    // Each value falls back to its default, which it holds until read.
    eachValue(s, [&](const char* key, const char* name, auto& value) {
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, int32_t>) {
            value = toInt32(registry.read(key, name, std::to_string(value))).value_or(value);
        } else if constexpr (std::is_same_v<T, bool>) {
            value = registry.read(key, name, flagText(value)) == "Yes";
        } else {
            value = registry.read(key, name, value);
        }
    });
    // Read, as it always was, though nothing depends on it any more.
    (void)registry.read(kHtmlReportKey, "Use_background_image", "No");
    return s;
}

bool saveHtmlSettings(Registry& registry, const HtmlSettings& s) {
    bool ok = true;
    eachValue(s, [&](const char* key, const char* name, const auto& value) {
        using T = std::decay_t<decltype(value)>;
        if constexpr (std::is_same_v<T, int32_t>) {
            ok &= registry.write(key, name, std::to_string(value));
        } else if constexpr (std::is_same_v<T, bool>) {
            ok &= registry.write(key, name, flagText(value));
        } else {
            ok &= registry.write(key, name, value);
        }
    });
    return ok;
}

}  // namespace lineara
