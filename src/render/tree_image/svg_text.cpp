#include "render/tree_image/svg_text.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace lineara {

namespace {

void appendInteger(std::string& out, int64_t value) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.append(digits, end);
}

void appendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out.push_back(char(c));
    } else if (c < 0x800) {
        out.push_back(char(0xC0 | (c >> 6)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        out.push_back(char(0xE0 | (c >> 12)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (c >> 18)));
        out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
        out.push_back(char(0x80 | (c & 0x3F)));
    }
}

constexpr char32_t kReplacement = 0xFFFD;

}  // namespace

void appendSvgNumber(std::string& out, double value) {
    if (!std::isfinite(value)) value = 0;
    int64_t hundredths = std::llround(value * 100.0);
    if (hundredths < 0) {
        out.push_back('-');
        hundredths = -hundredths;
    }
    appendInteger(out, hundredths / 100);
    const int fraction = int(hundredths % 100);
    if (fraction == 0) return;
    out.push_back('.');
    out.push_back(char('0' + fraction / 10));
    if (fraction % 10 != 0) out.push_back(char('0' + fraction % 10));
}

void appendSvgPair(std::string& out, const QPointF& p) {
    appendSvgNumber(out, p.x());
    out += ',';
    appendSvgNumber(out, p.y());
}

void appendSvgAttribute(std::string& out, const char* name, double value) {
    out += ' ';
    out += name;
    out += "=\"";
    appendSvgNumber(out, value);
    out += '"';
}

void appendSvgRect(std::string& out, const QRectF& r) {
    appendSvgAttribute(out, "x", r.x());
    appendSvgAttribute(out, "y", r.y());
    appendSvgAttribute(out, "width", r.width());
    appendSvgAttribute(out, "height", r.height());
}

void appendSvgPoint(std::string& out, const QPointF& p) {
    appendSvgAttribute(out, "x", p.x());
    appendSvgAttribute(out, "y", p.y());
}

void appendSvgMatrix(std::string& out, const QTransform& t) {
    out += " transform=\"matrix(";
    const double m[] = {t.m11(), t.m12(), t.m21(), t.m22(), t.dx(), t.dy()};
    for (int i = 0; i < 6; ++i) {
        if (i > 0) out += ' ';
        appendSvgNumber(out, m[i]);
    }
    out += ")\"";
}

void appendSvgColour(std::string& out, const QColor& colour) {
    static const char hex[] = "0123456789abcdef";
    const QRgb rgb = colour.rgb();
    out.push_back('#');
    for (int shift = 20; shift >= 0; shift -= 4) out.push_back(hex[(rgb >> shift) & 0xF]);
}

void appendSvgEscaped(std::string& out, QStringView text) {
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        switch (u) {
        case u'&':
            out += "&amp;";
            continue;
        case u'<':
            out += "&lt;";
            continue;
        case u'>':
            out += "&gt;";
            continue;
        case u'"':
            out += "&quot;";
            continue;
        case u'\t':
            out += "&#9;";
            continue;
        case u'\n':
            out += "&#10;";
            continue;
        case u'\r':
            out += "&#13;";
            continue;
        default:
            break;
        }
        if (u < 0x20 || u == 0xFFFE || u == 0xFFFF) {
            appendUtf8(out, kReplacement);
        } else if (u >= 0xD800 && u <= 0xDBFF && i + 1 < n && text[i + 1].unicode() >= 0xDC00 &&
                   text[i + 1].unicode() <= 0xDFFF) {
            const char16_t low = text[++i].unicode();
            appendUtf8(out, 0x10000 + ((char32_t(u) - 0xD800) << 10) + (char32_t(low) - 0xDC00));
        } else if (u >= 0xD800 && u <= 0xDFFF) {
            appendUtf8(out, kReplacement);  // half of a pair
        } else {
            appendUtf8(out, u);
        }
    }
}

}  // namespace lineara
