#include "core/gedcom/gedcom_writer.h"

#include <algorithm>
#include <vector>

#include "core/gedcom/gedcom_values.h"

namespace lineara {

namespace {

constexpr size_t kFlushBytes = 64 * 1024;

bool continuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Whether cutting `value` before `at` would part a doubled "@": every "@"
// of a clean value stands in a pair, so an odd run of them before the cut
// ends inside one.
bool insideDoubledAt(std::string_view value, size_t at) {
    size_t run = 0;
    while (run < at && value[at - 1 - run] == '@') ++run;
    return run % 2 == 1;
}

// Where to end a piece of at most `most` bytes: never inside a letter or a
// doubled "@", and neither just before nor just after a blank where that
// can be helped (programs may drop blanks at a line's ends).
size_t splitPoint(std::string_view value, size_t most, bool utf8) {
    auto inside = [&](size_t at) {
        return (utf8 && continuationByte(value[at])) || insideDoubledAt(value, at);
    };
    size_t at = most;
    while (at > 1 && (inside(at) || value[at] == ' ' || value[at - 1] == ' ')) --at;
    if (at > 1) return at;
    at = most;  // blanks all through: split anywhere but inside a letter
    while (at > 1 && inside(at)) --at;
    return at;
}

size_t digits(int32_t n) { return n >= 0 && n < 10 ? 1 : std::to_string(n).size(); }

// "level tag value", the value split in CONC lines of level `concLevel`.
void writeSplit(GedcomLineWriter& out, int32_t level, std::string_view tag, int32_t concLevel,
                std::string_view value, const GedcomValueStyle& style) {
    if (value.empty()) {
        if (style.blankWhenEmpty) {
            out.line(level, " ", tag, " ");
        } else {
            out.line(level, " ", tag);
        }
        return;
    }
    size_t room = kStandardGedcomLineBytes - (digits(level) + 1 + tag.size() + 1);
    if (value.size() <= room) {
        out.line(level, " ", tag, " ", value);
        return;
    }
    const size_t concRoom = kStandardGedcomLineBytes - (digits(concLevel) + 6);
    bool first = true;
    while (!value.empty()) {
        size_t take = std::min(room, value.size());
        if (take < value.size()) take = splitPoint(value, take, style.utf8);
        std::string_view piece = value.substr(0, take);
        if (first) {
            out.line(level, " ", tag, " ", piece);
        } else {
            out.line(concLevel, " CONC ", piece);
        }
        value.remove_prefix(take);
        first = false;
        room = concRoom;
    }
}

}  // namespace

GedcomLineWriter::GedcomLineWriter(const GedcomSink& sink) : sink_(sink) {
    buffer_.reserve(kFlushBytes + 512);
}

void GedcomLineWriter::endLine() {
    buffer_ += "\r\n";
    if (buffer_.size() >= kFlushBytes) flush();
}

bool GedcomLineWriter::flush() {
    if (ok_ && !buffer_.empty()) ok_ = sink_(buffer_);
    buffer_.clear();
    return ok_;
}

void writeGedcomValue(GedcomLineWriter& out, int32_t level, std::string_view tag,
                      std::string_view value, const GedcomValueStyle& style) {
    writeSplit(out, level, tag, level + 1, value, style);
}

void writeGedcomText(GedcomLineWriter& out, int32_t level, std::string_view tag,
                     std::string_view text, bool continuable, const GedcomValueStyle& style) {
    if (isPlainGedcomText(text)) {
        writeGedcomValue(out, level, tag, text, style);
        return;
    }
    if (!continuable) {
        writeGedcomValue(out, level, tag, gedcomFlatValue(text), style);
        return;
    }
    std::vector<std::string> pieces = gedcomValuePieces(text);
    writeGedcomValue(out, level, tag, pieces.front(), style);
    GedcomValueStyle next = style;
    next.blankWhenEmpty = false;
    // A CONT line is continued at its own level: both belong to the line
    // they go on from.
    for (size_t i = 1; i < pieces.size(); ++i) {
        writeSplit(out, level + 1, "CONT", level + 1, pieces[i], next);
    }
}

}  // namespace lineara
