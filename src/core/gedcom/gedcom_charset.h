// The character sets GEDCOM files come in, and their conversion into the
// tree's code page.
//
// A file may begin with a byte-order mark (UTF-8, or UTF-16 in either byte
// order), which says how it is written whatever its header says; UTF-16 is
// also recognised without a mark by the zero bytes of its first
// character. Otherwise the header's CHAR line names the set: UTF-8,
// UNICODE, ANSEL, ASCII, ANSI, IBM WINDOWS, IBMPC or a name iconv knows.
// A file without one, or with ANSI or ASCII, is taken as written in the
// tree's code page and its bytes go into the records unchanged, which is
// how this program writes its own files. Such a file may as well come from
// another country: when it holds letters beyond ASCII, the import says
// which code page it read them in.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "core/gedcom/gedcom_reader.h"
#include "core/platform/codepage.h"

namespace lineara {

// ANSEL (the character set of American library records that GEDCOM took
// over) as UTF-8. Its combining marks stand before the letter they belong
// to; here they follow it, as in Unicode. A byte ANSEL leaves undefined
// gives U+FFFD.
std::string anselToUtf8(std::string_view ansel);

// What the first bytes of a file say about its encoding.
enum class ByteOrderMark { None, Utf8, Utf16LittleEndian, Utf16BigEndian };

// Hands on the bytes of `source` as UTF-8 when the file is UTF-16, without
// a byte-order mark in any case; other files go through unchanged.
class UnicodeSource : public ByteSource {
public:
    explicit UnicodeSource(ByteSource& source) : source_(source) {}
    int64_t read(char* buffer, size_t size, int& error) override;
    // Known after the first read.
    ByteOrderMark mark() const { return mark_; }
    bool utf16() const {
        return mark_ == ByteOrderMark::Utf16LittleEndian || mark_ == ByteOrderMark::Utf16BigEndian;
    }

private:
    bool sniff(int& error);
    int64_t fill(int& error);  // more raw bytes into raw_; 0 at the end
    void decodeUtf16(bool atEnd);

    ByteSource& source_;
    bool sniffed_ = false;
    bool ended_ = false;
    ByteOrderMark mark_ = ByteOrderMark::None;
    std::string raw_;  // read, not yet handed on (or decoded)
    size_t rawAt_ = 0;
    std::string decoded_;  // UTF-8 of UTF-16 input, not yet handed on
    size_t decodedAt_ = 0;
    char16_t highSurrogate_ = 0;
};

// Turns the values of one file into the tree's code page.
class GedcomTextDecoder {
public:
    explicit GedcomTextDecoder(const char* treeCodePage);
    ~GedcomTextDecoder();

    // A byte-order mark fixes the set for the whole file.
    void setMark(ByteOrderMark mark);
    // The header's CHAR value; passed over after a byte-order mark.
    void declare(std::string_view charValue);

    // A value in the tree's code page. Counts the letters the code page
    // cannot hold, and notes bytes beyond ASCII taken in it for want of a
    // character set of the file's own.
    std::string toTree(std::string_view raw);
    // Whether values go into the records byte for byte.
    bool unchanged() const { return kind_ == Kind::TreeCodePage; }

    // Letters of the values so far that became another letter or "?".
    size_t lettersReplaced() const { return replaced_; }
    // Whether a value held bytes beyond ASCII that were read in the tree's
    // code page because the file named no set of its own (no CHAR, ANSI,
    // ASCII or a name nobody knows).
    bool guessedLetters() const { return guessedLetters_; }
    // GEDCOM 7 doubles only a value's leading "@"; older files every one.
    void setLeadingAtOnly() { leadingAtOnly_ = true; }
    bool leadingAtOnly() const { return leadingAtOnly_; }

private:
    enum class Kind { TreeCodePage, Utf8, Ansel, Other };
    void setKind(Kind kind, const char* fileCodePage = nullptr);

    std::string treeCodePage_;
    bool fixed_ = false;
    Kind kind_ = Kind::TreeCodePage;
    bool guessed_ = true;  // the tree's code page only for want of another
    bool guessedLetters_ = false;
    bool leadingAtOnly_ = false;
    size_t replaced_ = 0;
    std::unique_ptr<ClosestLetters> toTree_;
    std::unique_ptr<TextConversion> fromFile_;
};

}  // namespace lineara
