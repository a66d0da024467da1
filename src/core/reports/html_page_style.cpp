#include "core/reports/html_page_style.h"

#include "core/reports/html_charsets.h"
#include "core/reports/html_colour.h"

namespace lineara {

HtmlPageStyle htmlPageStyle(const HtmlSettings& settings, const std::string& versionText,
                            const std::string& webAddress) {
    HtmlPageStyle style;
    style.pageColour = colorToHtml(settings.backgroundColor);
    style.textColour = colorToHtml(settings.textColor);
    style.linkColour = colorToHtml(settings.hyperlinkColor);
    style.visitedLinkColour = colorToHtml(settings.vlinkColor);
    style.activeLinkColour = colorToHtml(settings.alinkColor);
    style.linksBodyColour = colorToHtml(settings.linksBgColor);
    style.linksHeaderColour = colorToHtml(settings.linksHeaderBgColor);
    style.headerTextColour = colorToHtml(settings.theaderColor);
    style.frameTarget = settings.useFrames ? "TARGET=\"right\"" : "";
    style.charset = htmlCharsetName(settings.charset);
    style.frames = settings.useFrames;
    style.siblings = settings.useSiblings;
    style.versionText = versionText;
    style.webAddress = webAddress;
    return style;
}

}  // namespace lineara
