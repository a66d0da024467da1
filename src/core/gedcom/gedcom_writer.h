// Writing GEDCOM lines for the export: lines gathered into blocks for the
// sink, and values written so that they read back as they were meant
// (see gedcom_values.h), continued in CONT lines where the tag allows it
// and in CONC lines where a line would grow too long.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace lineara {

// Hands the text on in pieces; returns false to stop the export.
using GedcomSink = std::function<bool(std::string_view)>;

// The longest line either form writes, its line end not counted; longer
// values go on in CONC lines.
constexpr size_t kStandardGedcomLineBytes = 255;

class GedcomLineWriter {
public:
    explicit GedcomLineWriter(const GedcomSink& sink);

    // One line: the pieces one after another, then CR LF.
    template <typename... Pieces>
    void line(const Pieces&... pieces) {
        (append(pieces), ...);
        endLine();
    }
    bool flush();
    bool ok() const { return ok_; }

private:
    void append(std::string_view text) { buffer_ += text; }
    void append(const char* text) { buffer_ += text; }
    void append(const std::string& text) { buffer_ += text; }
    void append(int64_t number) { buffer_ += std::to_string(number); }
    void append(int32_t number) { buffer_ += std::to_string(number); }
    void endLine();

    const GedcomSink& sink_;
    std::string buffer_;
    bool ok_ = true;
};

struct GedcomValueStyle {
    // The text is UTF-8: a line is never split inside a letter.
    bool utf8 = false;
    // An empty value still gets the blank after its tag ("2 GIVN ").
    bool blankWhenEmpty = false;
};

// "level tag value" for a record text: cleaned, its line breaks made
// blanks (or CONT lines, for `continuable` tags), split in CONC lines past
// the longest line.
void writeGedcomText(GedcomLineWriter& out, int32_t level, std::string_view tag,
                     std::string_view text, bool continuable, const GedcomValueStyle& style);
// The same for a value that is already clean (a NAME put together from
// cleaned parts, a cross-reference, a fixed word): only split.
void writeGedcomValue(GedcomLineWriter& out, int32_t level, std::string_view tag,
                      std::string_view value, const GedcomValueStyle& style);

}  // namespace lineara
