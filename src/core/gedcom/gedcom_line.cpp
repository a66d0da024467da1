#include "core/gedcom/gedcom_line.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>

namespace lineara {

namespace {

constexpr int64_t kInt32Span = int64_t{std::numeric_limits<int32_t>::max()} + 1;

bool isDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// A decimal integer with an optional sign, within the int32 range.
std::optional<int32_t> parseLevel(std::string_view text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return std::nullopt;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
        value = value * 10 + (text[i] - '0');
        if (value > kInt32Span) return std::nullopt;
    }
    if (!negative && value == kInt32Span) return std::nullopt;
    return static_cast<int32_t>(negative ? -value : value);
}

}  // namespace

GedcomLine ParseGedcomLine(std::string_view line) {
    GedcomLine out;
    std::string_view text = trimGedcomBlanks(line);
    size_t space = text.find(' ');
    out.hasLevel = parseLevel(text.substr(0, space)).has_value();
    if (space == std::string_view::npos) return out;
    std::optional<int32_t> level = parseLevel(text.substr(0, space));
    out.levelOk = level.has_value();
    out.level = level.value_or(0);
    std::string_view rest = text.substr(space + 1);
    size_t next = rest.find(' ');
    if (next == std::string_view::npos) {
        out.tag = std::string(rest);
    } else {
        out.tag = std::string(rest.substr(0, next));
        std::string_view value = rest.substr(next + 1, kGedcomValueBytes);
        out.value = std::string(trimGedcomBlanks(value));
        out.valueIndent = out.value.empty() ? 0 : value.find(out.value.front());
    }
    out.tagLength = out.tag.size();
    return out;
}

void GedcomLineScanner::reset() {
    state_ = State::Lead;
    length_ = 0;
    levelValue_ = 0;
    levelChars_ = 0;
    levelNegative_ = levelDigits_ = levelBad_ = levelBlanks_ = levelBlankInside_ = false;
    restNonBlank_ = false;
    tag_.clear();
    tagLength_ = 0;
    tagBlanks_.clear();
    tagBlankCount_ = 0;
    tagBlanksBeforeValue_ = false;
    value_.clear();
    levelTextSize_ = 0;
    text_.clear();
    nul_ = false;
    keeping_ = false;
}

void GedcomLineScanner::append(const char* data, size_t size) {
    length_ += size;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(data);
    const unsigned char* end = p + size;
    if (state_ == State::Lead) {
        for (; p != end && isGedcomBlank(*p); ++p) {
            if (*p == 0) nul_ = true;
        }
        if (p == end) return;
        state_ = State::Level;
    }
    if (keeping_) keepText(p, end);
    while (p != end) {
        switch (state_) {
        case State::Lead:  // left above
        case State::Level:
            while (p != end && state_ == State::Level) levelByte(*p++);
            // A line without a level is text: the rest of it is kept.
            if (keeping_) keepText(p, end);
            break;
        case State::Tag:
            while (p != end && state_ == State::Tag) tagByte(*p++);
            break;
        case State::Value:
            valueBytes(reinterpret_cast<const char*>(p), static_cast<size_t>(end - p));
            return;
        }
    }
}

void GedcomLineScanner::keepText(const unsigned char* p, const unsigned char* end) {
    size_t n = static_cast<size_t>(end - p);
    if (!nul_) nul_ = std::memchr(p, 0, n) != nullptr;
    if (text_.size() < kGedcomValueBytes) {
        text_.append(reinterpret_cast<const char*>(p),
                     std::min(n, kGedcomValueBytes - text_.size()));
    }
}

std::string_view GedcomLineScanner::text() const {
    // A line of one word never left its level.
    if (!keeping_) return trimGedcomBlanks(std::string_view(levelText_, levelTextSize_));
    return trimGedcomBlanks(text_);
}

void GedcomLineScanner::levelByte(unsigned char c) {
    if (levelTextSize_ < kGedcomValueBytes) levelText_[levelTextSize_++] = static_cast<char>(c);
    if (isDigit(c) && !levelBlanks_) {
        ++levelChars_;
        levelDigits_ = true;
        if (levelValue_ <= kInt32Span) levelValue_ = levelValue_ * 10 + (c - '0');
        return;
    }
    if (c == ' ') {
        // Blanks before this space are inside the level whenever the line
        // goes on past it, which is the only case where the level counts.
        levelBlankInside_ = levelBlanks_;
        state_ = State::Tag;
        const bool inRange =
            levelValue_ < kInt32Span || (levelNegative_ && levelValue_ == kInt32Span);
        keeping_ = levelBad_ || levelBlanks_ || !levelDigits_ || !inRange;
        if (keeping_) text_.assign(levelText_, levelTextSize_);
        return;
    }
    if (isGedcomBlank(c)) {
        levelBlanks_ = true;
        if (c == 0) nul_ = true;
        return;
    }
    if (levelBlanks_) levelBad_ = true;
    if (levelChars_++ == 0 && (c == '+' || c == '-')) {
        levelNegative_ = c == '-';
    } else if (isDigit(c)) {
        levelDigits_ = true;
    } else {
        levelBad_ = true;
    }
}

void GedcomLineScanner::flushTagBlanks() {
    tag_ += tagBlanks_;  // kept only as far as the tag is kept
    tagLength_ += tagBlankCount_;
    tagBlanks_.clear();
    tagBlankCount_ = 0;
}

void GedcomLineScanner::tagByte(unsigned char c) {
    if (!isGedcomBlank(c)) {
        restNonBlank_ = true;
        if (tagBlankCount_ != 0) flushTagBlanks();
        if (tag_.size() < kGedcomKeptTagBytes) tag_.push_back(static_cast<char>(c));
        ++tagLength_;
        return;
    }
    if (c == ' ') {
        tagBlanksBeforeValue_ = tagBlankCount_ > 0;
        state_ = State::Value;
        return;
    }
    if (tag_.size() + tagBlanks_.size() < kGedcomKeptTagBytes) {
        tagBlanks_.push_back(static_cast<char>(c));
    }
    ++tagBlankCount_;
}

void GedcomLineScanner::valueBytes(const char* data, size_t size) {
    if (!restNonBlank_ || tagBlanksBeforeValue_) {
        for (size_t i = 0; i < size; ++i) {
            if (isGedcomBlank(static_cast<unsigned char>(data[i]))) continue;
            restNonBlank_ = true;
            if (tagBlanksBeforeValue_) flushTagBlanks();
            tagBlanksBeforeValue_ = false;
            break;
        }
    }
    size_t room = kGedcomValueBytes - value_.size();
    value_.append(data, size < room ? size : room);
}

void GedcomLineScanner::finish(GedcomLine& out) const {
    out.levelOk = true;
    out.level = 0;
    out.tag.clear();
    out.tagLength = 0;
    out.value.clear();
    out.valueIndent = 0;
    bool inRange = levelValue_ < kInt32Span || (levelNegative_ && levelValue_ == kInt32Span);
    out.hasLevel = state_ != State::Lead && !levelBad_ && levelDigits_ && inRange;
    // Without anything after its first space, the trimmed line has no
    // space: a level 0 line, whatever stood before.
    if (state_ == State::Lead || state_ == State::Level || !restNonBlank_) return;
    out.levelOk = out.hasLevel && !levelBlankInside_;
    out.hasLevel = out.levelOk;
    if (out.levelOk) {
        out.level = static_cast<int32_t>(levelNegative_ ? -levelValue_ : levelValue_);
    }
    out.tag.assign(tag_);
    out.tagLength = static_cast<size_t>(tagLength_);
    std::string_view value = trimGedcomBlanks(value_);
    out.value.assign(value);
    out.valueIndent = value.empty() ? 0 : static_cast<size_t>(value.data() - value_.data());
}

}  // namespace lineara
