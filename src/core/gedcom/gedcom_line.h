// One line of a GEDCOM file: a level number, a tag and a value.
//
// Blanks are the space and the control characters. A line is trimmed of
// them at both ends; the level is the text before its first space, the tag
// the text after that space up to the next one, and the value what follows
// (its first 255 bytes), trimmed again. A line without a space is a level
// 0 line with neither tag nor value.
//
// A line that does not begin with a level number at all is no GEDCOM line
// of its own: files from some programs hold notes pasted with their line
// breaks, and such a line goes on with the value before it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace lineara {

// The most of a value a line keeps.
constexpr size_t kGedcomValueBytes = 255;
// The most of a tag the streaming scanner keeps: as much as a line may
// hold, so that a record's cross-reference is matched whole.
constexpr size_t kGedcomKeptTagBytes = 255;

struct GedcomLine {
    // False when the level is not a decimal integer that fits an int32.
    bool levelOk = true;
    // Whether the line begins with such a level, with or without anything
    // after it (a line of one word has none).
    bool hasLevel = true;
    int32_t level = 0;
    std::string tag;       // the tag, or its first bytes (see tagLength)
    size_t tagLength = 0;  // the length of the whole tag
    std::string value;     // at most kGedcomValueBytes bytes, trimmed
    // Blanks before the value beyond the one that separates it from the
    // tag: a continuation line may begin its text with a space.
    size_t valueIndent = 0;

    bool tagIs(std::string_view text) const { return tagLength == text.size() && tag == text; }
    bool tagStartsWith(std::string_view text) const {
        return tagLength >= text.size() && std::string_view(tag).substr(0, text.size()) == text;
    }
};

// Whether a byte is a blank: the space or a control character.
inline bool isGedcomBlank(unsigned char c) { return c <= 0x20; }
// The text without the blanks at either end.
inline std::string_view trimGedcomBlanks(std::string_view text) {
    size_t begin = 0, end = text.size();
    while (begin < end && isGedcomBlank(static_cast<unsigned char>(text[begin]))) ++begin;
    while (end > begin && isGedcomBlank(static_cast<unsigned char>(text[end - 1]))) --end;
    return text.substr(begin, end - begin);
}

// Splits a whole line (without its line end). Keeps the whole tag.
GedcomLine ParseGedcomLine(std::string_view line);

// The same split for a line that arrives in pieces, keeping only what the
// import uses of it: the level's value, the first kGedcomKeptTagBytes bytes
// of the tag with its length, and the first kGedcomValueBytes bytes of the
// value. A line of any length costs the same memory.
class GedcomLineScanner {
public:
    GedcomLineScanner() { reset(); }
    // Starts a new line.
    void reset();
    void append(const char* data, size_t size);
    // The line so far, as ParseGedcomLine gives it (with the tag cut).
    GedcomLine finish() const {
        GedcomLine line;
        finish(line);
        return line;
    }
    // The same into `line`, reusing its memory.
    void finish(GedcomLine& line) const;
    // The bytes of the line so far.
    uint64_t length() const { return length_; }
    // Whether the line so far holds nothing but blanks.
    bool blank() const { return state_ == State::Lead; }
    // For a line without a level: its first kGedcomValueBytes bytes from
    // its first non-blank, trailing blanks trimmed, and whether it holds a
    // NUL byte (no line of text does). Lines with a level keep no text.
    std::string_view text() const;
    bool hasNul() const { return nul_; }

private:
    enum class State : uint8_t { Lead, Level, Tag, Value };
    void keepText(const unsigned char* p, const unsigned char* end);
    void levelByte(unsigned char c);
    void tagByte(unsigned char c);
    void valueBytes(const char* data, size_t size);
    void flushTagBlanks();

    State state_ = State::Lead;
    uint64_t length_ = 0;
    // The level: its digits so far (capped just above the int32 range),
    // whether it is still a number, and blanks seen inside it that belong
    // to it only if something other than blanks follows.
    int64_t levelValue_ = 0;
    uint64_t levelChars_ = 0;
    bool levelNegative_ = false;
    bool levelDigits_ = false;
    bool levelBad_ = false;
    bool levelBlanks_ = false;
    bool levelBlankInside_ = false;  // blanks that turned out to be inside the level
    // Whether anything but blanks came after the first space: only then
    // does the trimmed line contain a space at all.
    bool restNonBlank_ = false;
    std::string tag_;
    uint64_t tagLength_ = 0;
    // Blanks after the tag's last other byte: part of the tag when more
    // text follows, trimmed away when the line ends.
    std::string tagBlanks_;
    uint64_t tagBlankCount_ = 0;
    bool tagBlanksBeforeValue_ = false;
    std::string value_;
    // The level's bytes as they came, in case the line turns out to have
    // none; then the whole line's text.
    char levelText_[kGedcomValueBytes];
    size_t levelTextSize_ = 0;
    std::string text_;
    bool keeping_ = false;
    bool nul_ = false;
};

}  // namespace lineara
