#include "core/gedcom/gedcom_values.h"

#include <algorithm>

namespace lineara {

namespace {

bool isControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

// Appends `text` (without line breaks) cleaned: control bytes dropped,
// "@" doubled.
void appendClean(std::string& out, std::string_view text) {
    for (char c : text) {
        if (isControl(static_cast<unsigned char>(c))) continue;
        out += c;
        if (c == '@') out += '@';
    }
}

// Calls `piece` for each piece between line breaks; CR LF is one break.
template <typename Fn>
void forEachPiece(std::string_view text, Fn&& piece) {
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        piece(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    piece(text.substr(start));
}

}  // namespace

bool isPlainGedcomText(std::string_view text) {
    return std::none_of(text.begin(), text.end(), [](char c) {
        return c == '@' || isControl(static_cast<unsigned char>(c));
    });
}

std::string gedcomFlatValue(std::string_view text) {
    if (isPlainGedcomText(text)) return std::string(text);
    std::string out;
    out.reserve(text.size() + 8);
    bool first = true;
    forEachPiece(text, [&](std::string_view piece) {
        if (!first) out += ' ';
        first = false;
        appendClean(out, piece);
    });
    return out;
}

std::vector<std::string> gedcomValuePieces(std::string_view text) {
    if (isPlainGedcomText(text)) return {std::string(text)};
    std::vector<std::string> pieces;
    forEachPiece(text, [&](std::string_view piece) {
        std::string clean;
        appendClean(clean, piece);
        pieces.push_back(std::move(clean));
    });
    return pieces;
}

std::string gedcomNamePart(std::string_view part) {
    std::string out = gedcomFlatValue(part);
    std::replace(out.begin(), out.end(), '/', ' ');
    return out;
}

void undoubleAt(std::string& value) {
    size_t at = value.find("@@");
    if (at == std::string::npos) return;
    size_t to = at + 1;
    for (size_t from = at + 2; from < value.size(); ++from) {
        value[to++] = value[from];
        if (value[from] == '@' && from + 1 < value.size() && value[from + 1] == '@') ++from;
    }
    value.resize(to);
}

bool isGedcomPointer(std::string_view value) {
    return value.size() >= 3 && value.front() == '@' && value.back() == '@' &&
           value.find('@', 1) == value.size() - 1;
}

}  // namespace lineara
