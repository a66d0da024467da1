#include "core/gedcom/gedcom_charset.h"

#include <algorithm>
#include <cstring>

#include "core/platform/latin_letters.h"

namespace lineara {

namespace {

// ANSEL's upper half (bytes 0xA1 to 0xFE), as code points; 0 where ANSEL
// defines nothing. The combining marks are 0xE0 to 0xFE.
constexpr char32_t kAnsel[94] = {
    // 0xA1 to 0xAF
    0x0141, 0x00D8, 0x0110, 0x00DE, 0x00C6, 0x0152, 0x02B9, 0x00B7, 0x266D, 0x00AE, 0x00B1, 0x01A0,
    0x01AF, 0x02BC, 0,
    // 0xB0 to 0xBF
    0x02BB, 0x0142, 0x00F8, 0x0111, 0x00FE, 0x00E6, 0x0153, 0x02BA, 0x0131, 0x00A3, 0x00F0, 0,
    0x01A1, 0x01B0, 0x25A1, 0x25A0,
    // 0xC0 to 0xCF (0xC7 and 0xCF both stand for ß in the files around)
    0x00B0, 0x2113, 0x2117, 0x00A9, 0x266F, 0x00BF, 0x00A1, 0x00DF, 0x20AC, 0, 0, 0, 0, 0, 0,
    0x00DF,
    // 0xD0 to 0xDF
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 0xE0 to 0xEF
    0x0309, 0x0300, 0x0301, 0x0302, 0x0303, 0x0304, 0x0306, 0x0307, 0x0308, 0x030C, 0x030A, 0xFE20,
    0xFE21, 0x0315, 0x030B, 0x0310,
    // 0xF0 to 0xFE
    0x0327, 0x0328, 0x0323, 0x0324, 0x0325, 0x0333, 0x0332, 0x0326, 0x031C, 0x032E, 0xFE22, 0xFE23,
    0, 0, 0x0313};

std::string upperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

}  // namespace

std::string anselToUtf8(std::string_view ansel) {
    std::string out;
    out.reserve(ansel.size() + 8);
    std::u32string marks;  // waiting for their letter
    for (char byte : ansel) {
        const auto c = static_cast<unsigned char>(byte);
        char32_t cp = c < 0x80 ? c : c >= 0xA1 && c <= 0xFE ? kAnsel[c - 0xA1] : 0;
        if (cp == 0 && c != 0) cp = 0xFFFD;
        if (c >= 0xE0 && cp != 0xFFFD) {
            marks.push_back(cp);
            continue;
        }
        appendUtf8(out, cp);
        for (char32_t m : marks) appendUtf8(out, m);
        marks.clear();
    }
    // Marks with no letter after them stand on their own.
    for (char32_t m : marks) appendUtf8(out, m);
    return out;
}

// --- UnicodeSource ---

int64_t UnicodeSource::fill(int& error) {
    if (ended_) return 0;
    if (rawAt_ > 0) {
        raw_.erase(0, rawAt_);
        rawAt_ = 0;
    }
    char block[64 * 1024];
    int64_t n = source_.read(block, sizeof block, error);
    if (n <= 0) {
        ended_ = true;
        return n;
    }
    raw_.append(block, static_cast<size_t>(n));
    return n;
}

bool UnicodeSource::sniff(int& error) {
    sniffed_ = true;
    while (raw_.size() < 3) {
        int64_t n = fill(error);
        if (n < 0) return false;
        if (n == 0) break;
    }
    auto byte = [this](size_t i) {
        return i < raw_.size() ? static_cast<unsigned char>(raw_[i]) : 0x100u;
    };
    // UTF-16 without a mark begins with an ASCII character: the level's
    // digit or a blank, next to a zero byte.
    auto asciiStart = [](unsigned c) { return (c >= '0' && c <= '9') || c == ' ' || c == '\t'; };
    if (byte(0) == 0xEF && byte(1) == 0xBB && byte(2) == 0xBF) {
        mark_ = ByteOrderMark::Utf8;
        rawAt_ = 3;
    } else if (byte(0) == 0xFF && byte(1) == 0xFE) {
        mark_ = ByteOrderMark::Utf16LittleEndian;
        rawAt_ = 2;
    } else if (byte(0) == 0xFE && byte(1) == 0xFF) {
        mark_ = ByteOrderMark::Utf16BigEndian;
        rawAt_ = 2;
    } else if (asciiStart(byte(0)) && byte(1) == 0) {
        mark_ = ByteOrderMark::Utf16LittleEndian;
    } else if (byte(0) == 0 && asciiStart(byte(1))) {
        mark_ = ByteOrderMark::Utf16BigEndian;
    }
    return true;
}

void UnicodeSource::decodeUtf16(bool atEnd) {
    bool little = mark_ == ByteOrderMark::Utf16LittleEndian;
    while (raw_.size() - rawAt_ >= 2) {
        unsigned char a = static_cast<unsigned char>(raw_[rawAt_]);
        unsigned char b = static_cast<unsigned char>(raw_[rawAt_ + 1]);
        rawAt_ += 2;
        char16_t unit = static_cast<char16_t>(little ? (b << 8) | a : (a << 8) | b);
        if (highSurrogate_ != 0) {
            char16_t high = highSurrogate_;
            highSurrogate_ = 0;
            if (unit >= 0xDC00 && unit <= 0xDFFF) {
                appendUtf8(decoded_, 0x10000 + ((char32_t(high) - 0xD800) << 10) + (unit - 0xDC00));
                continue;
            }
            appendUtf8(decoded_, 0xFFFD);  // a high half without its low half
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            highSurrogate_ = unit;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            appendUtf8(decoded_, 0xFFFD);
        } else {
            appendUtf8(decoded_, unit);
        }
    }
    if (atEnd) {
        if (highSurrogate_ != 0 || raw_.size() > rawAt_) appendUtf8(decoded_, 0xFFFD);
        highSurrogate_ = 0;
        rawAt_ = raw_.size();
    }
}

int64_t UnicodeSource::read(char* buffer, size_t size, int& error) {
    if (!sniffed_ && !sniff(error)) return -1;
    if (!utf16()) {
        // What was read to look at the beginning goes first.
        if (rawAt_ < raw_.size()) {
            size_t n = std::min(size, raw_.size() - rawAt_);
            std::memcpy(buffer, raw_.data() + rawAt_, n);
            rawAt_ += n;
            return static_cast<int64_t>(n);
        }
        return source_.read(buffer, size, error);
    }
    while (decodedAt_ == decoded_.size()) {
        decoded_.clear();
        decodedAt_ = 0;
        bool atEnd = ended_;
        if (!atEnd && raw_.size() - rawAt_ < 2) {
            int64_t n = fill(error);
            if (n < 0) return -1;
            atEnd = n == 0;
        }
        decodeUtf16(atEnd);
        if (atEnd && decoded_.empty()) return 0;
    }
    size_t n = std::min(size, decoded_.size() - decodedAt_);
    std::memcpy(buffer, decoded_.data() + decodedAt_, n);
    decodedAt_ += n;
    return static_cast<int64_t>(n);
}

// --- GedcomTextDecoder ---

GedcomTextDecoder::GedcomTextDecoder(const char* treeCodePage) : treeCodePage_(treeCodePage) {}
GedcomTextDecoder::~GedcomTextDecoder() = default;

void GedcomTextDecoder::setKind(Kind kind, const char* fileCodePage) {
    kind_ = kind;
    guessed_ = false;
    fromFile_.reset();
    if (kind == Kind::TreeCodePage) return;
    if (!toTree_) toTree_ = std::make_unique<ClosestLetters>(treeCodePage_.c_str());
    if (kind == Kind::Other) fromFile_ = std::make_unique<TextConversion>("UTF-8", fileCodePage);
}

void GedcomTextDecoder::setMark(ByteOrderMark mark) {
    if (mark == ByteOrderMark::None) return;
    fixed_ = true;
    setKind(Kind::Utf8);  // UTF-16 arrives as UTF-8
}

void GedcomTextDecoder::declare(std::string_view charValue) {
    if (fixed_) return;
    std::string name = upperAscii(charValue);
    if (name == "UTF-8" || name == "UTF8" || name == "UNICODE" || name == "UTF-16") {
        // UNICODE in a file of single bytes is taken as UTF-8: that is what
        // such files hold.
        setKind(Kind::Utf8);
    } else if (name == "ANSEL") {
        setKind(Kind::Ansel);
    } else if (name == "IBM WINDOWS") {
        setKind(Kind::Other, "CP1252");
    } else if (name == "IBMPC" || name == "IBM PC" || name == "IBM DOS" || name == "MSDOS") {
        setKind(Kind::Other, "CP437");
    } else if (name == treeCodePage_) {
        setKind(Kind::TreeCodePage);
    } else if (name.empty() || name == "ANSI" || name == "ASCII") {
        setKind(Kind::TreeCodePage);
        guessed_ = true;
    } else {
        // A set iconv knows (CP1250, ISO-8859-2, WINDOWS-1250 ...); any
        // other name leaves the bytes as they are.
        TextConversion probe("UTF-8", name.c_str());
        if (probe.ok()) {
            setKind(Kind::Other, name.c_str());
        } else {
            setKind(Kind::TreeCodePage);
            guessed_ = true;
        }
    }
}

std::string GedcomTextDecoder::toTree(std::string_view raw) {
    switch (kind_) {
    case Kind::TreeCodePage:
        if (guessed_ && !guessedLetters_) {
            guessedLetters_ = std::any_of(raw.begin(), raw.end(), [](char c) {
                return static_cast<unsigned char>(c) >= 0x80;
            });
        }
        break;
    case Kind::Utf8:
        return toTree_->convert(raw, &replaced_);
    case Kind::Ansel:
        return toTree_->convert(anselToUtf8(raw), &replaced_);
    case Kind::Other:
        return toTree_->convert(fromFile_->convert(raw, "\xEF\xBF\xBD", false), &replaced_);
    }
    return std::string(raw);
}

}  // namespace lineara
