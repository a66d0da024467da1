// What every page of one presentation shares: its colours as HTML colour
// texts, the background attributes, the frame target and the charset.
#pragma once

#include <string>

#include "core/reports/html_settings.h"

namespace lineara {

struct HtmlPageStyle {
    std::string pageColour;
    std::string textColour;
    std::string linkColour;
    std::string visitedLinkColour;
    std::string activeLinkColour;
    std::string linksBodyColour;
    std::string linksHeaderColour;
    std::string headerTextColour;
    // BACKGROUND="file" with a trailing blank, or empty.
    std::string pageBackground;
    std::string headerBackground;
    std::string bodyBackground;
    std::string frameTarget;  // TARGET="right" with frames, else empty
    std::string charset;      // as the pages declare it
    bool frames = true;
    bool siblings = true;
    std::string versionText;
    std::string webAddress;
};

// Everything but the background attributes, which depend on the copies of
// the background images.
HtmlPageStyle htmlPageStyle(const HtmlSettings& settings, const std::string& versionText,
                            const std::string& webAddress);

}  // namespace lineara
