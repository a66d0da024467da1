#include "core/dates/date_conversion.h"

#include <climits>

#include "core/checks/check_entries.h"

namespace lineara {

const char* const kMonthAbbreviations[13] = {"",    "Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

namespace {

// After punctuation has been replaced, this is the only separator left.
constexpr char kSeparator = '_';

// The widest year and the widest month or day we take from the end.
constexpr size_t kYearWidth = 5;
constexpr size_t kMonthDayWidth = 2;

int digitValue(char c, int base) {
    if (c >= '0' && c <= '9') return c - '0';
    if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The value of a text when the integer parser takes the whole of it, else
// -1. The parser reads a run of decimal digits, and also hexadecimal digits
// after x, X, 0x or 0X, so ‹x12› counts as a number (18) wherever we ask.
// Signs, blanks and "$", which it would take too, never reach it: they are
// separators by then. Like the parser's, values end at the 32-bit range.
long parsedNumber(std::string_view text) {
    int base = 10;
    if (!text.empty() && (text[0] == 'x' || text[0] == 'X')) {
        base = 16;
        text.remove_prefix(1);
    } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty()) return -1;
    long value = 0;
    for (char c : text) {
        int digit = digitValue(c, base);
        if (digit < 0 || value > (INT_MAX - digit) / base) return -1;
        value = value * base + digit;
    }
    return value;
}

bool isNumber(std::string_view text) { return parsedNumber(text) >= 0; }

// Two leading blanks give a number at the very start a separator in front
// of it, like every other number.
std::string workText(std::string_view input) {
    std::string work = "  ";
    for (char c : trimmedBytes(input)) {
        if (c == '~') {
            work += "ABT ";
        } else {
            work += c;
        }
    }
    for (char& c : work) {
        if (static_cast<unsigned char>(c) < '0') c = kSeparator;
    }
    return work;
}

// Takes the number at the end of `work`, looking at its last `width`
// characters and dropping characters from the front of them until the rest
// is a number. The number leaves `work` together with the separator in
// front of it.
//
// A number that follows a letter or digit directly (‹Dec1850›, ‹a5 1850›,
// six digits in a row) is not taken at all and stays in the leading text:
// splitting it off would mean either losing the character in front or
// breaking a word apart (‹Felix1› would lose its ‹x1› as a hexadecimal
// year). Leaving it keeps every character and the word as written.
std::string takeNumber(std::string& work, size_t width) {
    std::string_view tail(work);
    if (tail.size() > width) tail.remove_prefix(tail.size() - width);
    while (!tail.empty() && !isNumber(tail)) tail.remove_prefix(1);
    size_t start = work.size() - tail.size();
    if (tail.empty() || start == 0 || work[start - 1] != kSeparator) return {};
    std::string number(tail);
    work.resize(start - 1);
    return number;
}

// The character `back` places from the end (1 = the last), or 0.
char fromEnd(const std::string& work, size_t back) {
    return work.size() >= back ? work[work.size() - back] : '\0';
}

std::string takeMonth(std::string& work) {
    if (work.size() <= 2) return {};
    if (fromEnd(work, 3) != kSeparator && fromEnd(work, 2) != kSeparator) return {};
    std::string month = takeNumber(work, kMonthDayWidth);
    long value = parsedNumber(month);
    if (value >= 1 && value <= 12) return kMonthAbbreviations[value];
    return month;  // empty, or a number such as ‹25› that may be a day
}

std::string takeDay(std::string& work) {
    if (work.size() <= 2 || fromEnd(work, 3) != kSeparator) return {};
    return takeNumber(work, kMonthDayWidth);
}

std::string leadingText(std::string work) {
    for (char& c : work) {
        if (c == kSeparator) c = ' ';
    }
    std::string prefix(trimmedBytes(work));
    if (!prefix.empty()) prefix += ' ';
    return prefix;
}

// Month first, as in ‹12/25/1850›: a "month" above 12 in front of which
// stands a day that could be a month swaps places with it.
void swapMonthFirstDate(std::string& day, std::string& month) {
    long monthValue = parsedNumber(month);
    long dayValue = parsedNumber(day);
    if (monthValue > 12 && dayValue >= 1 && dayValue <= 12) {
        day = month;
        month = kMonthAbbreviations[dayValue];
    }
}

std::string collapsedBlanks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == ' ' && !out.empty() && out.back() == ' ') continue;
        out += c;
    }
    return out;
}

}  // namespace

std::string ConvertDateToGedcom(std::string_view text) {
    std::string work = workText(text);
    std::string year = takeNumber(work, kYearWidth);
    std::string month = takeMonth(work);
    std::string day = takeDay(work);
    std::string prefix = leadingText(work);

    if (!month.empty()) {
        swapMonthFirstDate(day, month);
        month += ' ';
    }
    if (!day.empty()) day += ' ';

    // The only calendar check: no month has more than 31 days. A text that
    // fails it is not ours to tidy, so it comes back exactly as given.
    std::string_view dayDigits = trimmedBytes(day);
    if (!dayDigits.empty()) {
        long value = parsedNumber(dayDigits);
        if (value < 0 || value > 31) return std::string(text);
    }
    return collapsedBlanks(trimmedBytes(prefix + day + month + year));
}

std::string StandardizeDate(std::string_view text, bool enabled) {
    return enabled ? ConvertDateToGedcom(text) : std::string(text);
}

}  // namespace lineara
