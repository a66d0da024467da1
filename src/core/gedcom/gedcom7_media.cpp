#include "core/gedcom/gedcom7_media.h"

#include <cstdio>

namespace lineara {

namespace {

// Characters a URI path holds as they are (RFC 3986's unreserved and
// sub-delimiters, ":" and "@"), and "/" which separates its parts.
bool keptInUri(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    switch (c) {
    case '-':
    case '.':
    case '_':
    case '~':
    case '!':
    case '$':
    case '&':
    case '\'':
    case '(':
    case ')':
    case '*':
    case '+':
    case ',':
    case ';':
    case '=':
    case ':':
    case '@':
    case '/':
        return true;
    default:
        return false;
    }
}

bool isLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string lowerExtension(std::string_view name) {
    size_t slash = name.find_last_of("/\\");
    std::string_view last = slash == std::string_view::npos ? name : name.substr(slash + 1);
    size_t dot = last.rfind('.');
    if (dot == std::string_view::npos) return {};
    std::string ext(last.substr(dot + 1));
    for (char& c : ext) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return ext;
}

}  // namespace

std::string gedcomFileUri(std::string_view utf8Name) {
    std::string path(utf8Name);
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    std::string out;
    // A drive letter ("C:/...") or a name from the root is absolute: a
    // relative reference cannot say that, a file: URI can.
    const bool drive = path.size() >= 2 && isLetter(path[0]) && path[1] == ':';
    if (drive) {
        out = "file:///";
    } else if (!path.empty() && path[0] == '/') {
        out = "file://";
    }
    // A relative name whose first part holds a ":" would read as a scheme.
    bool firstPart = out.empty();
    for (size_t i = 0; i < path.size(); ++i) {
        const auto c = static_cast<unsigned char>(path[i]);
        if (c == '/') firstPart = false;
        const bool colonInScheme = c == ':' && firstPart && !(drive && i == 1);
        if (keptInUri(c) && !colonInScheme) {
            out += static_cast<char>(c);
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", c);
            out += hex;
        }
    }
    return out;
}

std::string pictureMediaType(std::string_view name) {
    const std::string ext = lowerExtension(name);
    if (ext == "jpg" || ext == "jpeg" || ext == "jpe") return "image/jpeg";
    if (ext == "png") return "image/png";
    if (ext == "gif") return "image/gif";
    if (ext == "bmp") return "image/bmp";
    if (ext == "tif" || ext == "tiff") return "image/tiff";
    if (ext == "webp") return "image/webp";
    if (ext == "txt") return "text/plain";
    return "application/octet-stream";
}

std::string gedzipMediaName(size_t number, std::string_view utf8Name) {
    size_t slash = utf8Name.find_last_of("/\\");
    std::string_view last = slash == std::string_view::npos ? utf8Name : utf8Name.substr(slash + 1);
    std::string kept;
    for (char c : last) {
        if (kept.size() >= 60) break;
        const bool plain =
            isLetter(c) || (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '_';
        kept += plain ? c : '_';
    }
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "media/%04zu_", number);
    return prefix + kept;
}

}  // namespace lineara
