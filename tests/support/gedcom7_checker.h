// An independent reader of GEDCOM 7.0 as strict as the format: every line
// "level [xref] tag [value]", levels that step down one at a time, each
// standard tag only where the format puts it (for the structures the
// export writes), extension tags only when the header declares them,
// pointers to records of the right kind, and payloads of their type —
// dates in the date grammar, sexes, media types, times, file references.
// It returns what it finds wrong, one line each; nothing for a good file.
#pragma once

#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace lineara::test {

class Gedcom7Checker {
public:
    std::vector<std::string> check(const std::string& text) {
        problems_.clear();
        if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) problem(0, "a byte-order mark");
        std::vector<Line> lines = split(text);
        declared_.clear();
        records_.clear();
        for (const Line& l : lines) {
            if (l.level == 0 && !l.xref.empty()) records_[l.xref] = l.tag;
            if (l.level == 2 && l.tag == "TAG")
                declared_.insert(l.value.substr(0, l.value.find(' ')));
        }
        std::vector<std::string> path;  // the tags of the open structures
        for (size_t i = 0; i < lines.size(); ++i) {
            const Line& l = lines[i];
            if (l.level > static_cast<int>(path.size())) {
                problem(l.number, "level jumps");
                continue;
            }
            path.resize(static_cast<size_t>(l.level));
            checkPlace(l, path);
            checkPayload(
                l, path,
                i + 1 < lines.size() && lines[i + 1].level > l.level ? &lines[i + 1] : nullptr);
            path.push_back(l.tag);
        }
        if (lines.empty() || lines.front().tag != "HEAD") problem(1, "no HEAD first");
        if (lines.empty() || lines.back().tag != "TRLR") problem(0, "no TRLR last");
        return problems_;
    }

private:
    struct Line {
        size_t number = 0;
        int level = 0;
        std::string xref, tag, value;
        bool hasValue = false;
    };

    void problem(size_t line, const std::string& what) {
        problems_.push_back("line " + std::to_string(line) + ": " + what);
    }

    static bool validUtf8(const std::string& s) {
        for (size_t i = 0; i < s.size();) {
            const auto c = static_cast<unsigned char>(s[i]);
            size_t n = c < 0x80         ? 1
                       : (c >> 5) == 6  ? 2
                       : (c >> 4) == 14 ? 3
                       : (c >> 3) == 30 ? 4
                                        : 0;
            if (n == 0 || i + n > s.size()) return false;
            for (size_t k = 1; k < n; ++k) {
                if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
            }
            i += n;
        }
        return true;
    }

    std::vector<Line> split(const std::string& text) {
        static const std::regex kLine(
            R"(^(0|[1-9][0-9]*) (?:(@[A-Z0-9_]+@) )?([A-Z][A-Z0-9_]*|_[A-Z0-9_]+)(?: ([^]*))?$)");
        std::vector<Line> lines;
        size_t start = 0, number = 0;
        while (start < text.size()) {
            size_t end = text.find_first_of("\r\n", start);
            if (end == std::string::npos) end = text.size();
            std::string raw = text.substr(start, end - start);
            ++number;
            start = end;
            if (start < text.size() && text[start] == '\r') ++start;
            if (start < text.size() && text[start] == '\n') ++start;
            if (!validUtf8(raw)) problem(number, "not UTF-8");
            for (char c : raw) {
                const auto u = static_cast<unsigned char>(c);
                if ((u < 0x20 && u != '\t') || u == 0x7F) problem(number, "a control byte");
            }
            std::smatch m;
            if (!std::regex_match(raw, m, kLine)) {
                problem(number, "not a line: " + raw);
                continue;
            }
            Line l;
            l.number = number;
            l.level = std::stoi(m[1]);
            l.xref = m[2];
            l.tag = m[3];
            l.hasValue = m[4].matched;
            l.value = m[4];
            if (l.hasValue && l.value.empty()) problem(number, "a blank after the tag");
            if (!l.value.empty() && l.value[0] == '@' && l.value.compare(0, 2, "@@") != 0 &&
                !std::regex_match(l.value, std::regex("@[A-Z0-9_]+@"))) {
                problem(number, "a value that begins with a lone @");
            }
            lines.push_back(l);
        }
        return lines;
    }

    void checkPlace(const Line& l, const std::vector<std::string>& path) {
        if (l.tag == "CONC") problem(l.number, "CONC is not GEDCOM 7");
        if (l.tag == "CHAR") problem(l.number, "CHAR is not GEDCOM 7");
        if (l.tag[0] == '_') {
            if (declared_.count(l.tag) == 0) problem(l.number, "undeclared " + l.tag);
            return;
        }
        for (const std::string& open : path) {
            if (open[0] == '_') return;  // inside an extension: its own rules
        }
        std::string where;
        for (const std::string& open : path) where += (where.empty() ? "" : ".") + open;
        static const std::map<std::string, std::set<std::string>> kAllowed = {
            {"", {"HEAD", "TRLR", "INDI", "FAM", "SOUR", "OBJE", "SNOTE"}},
            {"HEAD", {"GEDC", "SCHMA", "SOUR", "DATE"}},
            {"HEAD.GEDC", {"VERS"}},
            {"HEAD.SCHMA", {"TAG"}},
            {"HEAD.SOUR", {"VERS", "NAME"}},
            {"HEAD.DATE", {"TIME"}},
            {"INDI",
             {"NAME", "SEX", "BIRT", "CHR", "DEAT", "BURI", "OCCU", "NOTE", "SNOTE", "OBJE", "SOUR",
              "FAMS", "FAMC"}},
            {"INDI.NAME", {"GIVN", "SURN", "NSFX"}},
            {"FAM", {"HUSB", "WIFE", "CHIL", "MARR", "DIV"}},
            {"SOUR", {"TITL"}},
            {"OBJE", {"FILE"}},
            {"OBJE.FILE", {"FORM", "TITL"}},
        };
        static const std::set<std::string> kEvents = {"BIRT", "CHR", "DEAT", "BURI", "MARR", "DIV"};
        static const std::set<std::string> kTexts = {"NOTE", "SNOTE", "TITL", "OCCU", "PHRASE"};
        const std::string& parent = path.empty() ? std::string() : path.back();
        bool ok = false;
        if (auto it = kAllowed.find(where); it != kAllowed.end()) ok = it->second.count(l.tag) != 0;
        if (path.size() == 2 && kEvents.count(parent)) ok = l.tag == "DATE" || l.tag == "PLAC";
        if (parent == "DATE" && path.size() == 3) ok = l.tag == "PHRASE";
        if (l.tag == "CONT") ok = kTexts.count(parent) != 0 || parent == "SNOTE";
        if (!ok) problem(l.number, l.tag + " under " + (where.empty() ? "the file" : where));
    }

    void checkPayload(const Line& l, const std::vector<std::string>& path, const Line* child) {
        static const std::regex kPointer("@[A-Z0-9_]+@");
        static const std::map<std::string, std::string> kPointerKinds = {
            {"FAMS", "FAM"},  {"FAMC", "FAM"},  {"HUSB", "INDI"},
            {"WIFE", "INDI"}, {"CHIL", "INDI"}, {"OBJE", "OBJE"}};
        const std::string parent = path.empty() ? std::string() : path.back();
        auto kind = kPointerKinds.find(l.tag);
        if (l.level > 0 && (kind != kPointerKinds.end() || (l.tag == "SOUR" && parent != "HEAD"))) {
            const std::string wanted = kind != kPointerKinds.end() ? kind->second : "SOUR";
            auto it = records_.find(l.value);
            if (!std::regex_match(l.value, kPointer) || it == records_.end() ||
                it->second != wanted) {
                problem(l.number, l.tag + " does not point at a " + wanted + ": " + l.value);
            }
        }
        if (l.tag == "SEX" && !std::regex_match(l.value, std::regex("[MFXU]"))) {
            problem(l.number, "SEX " + l.value);
        }
        if (l.tag == "DATE" && parent == "HEAD" &&
            !std::regex_match(l.value, std::regex("[0-9]+ (JAN|FEB|MAR|APR|MAY|JUN|JUL|AUG|SEP|"
                                                  "OCT|NOV|DEC) [0-9]+"))) {
            problem(l.number, "not an exact date: " + l.value);
        } else if (l.tag == "DATE" && parent != "HEAD") {
            const bool phrase = child != nullptr && child->tag == "PHRASE";
            if (l.value.empty() ? !phrase : !dateValue(l.value)) {
                problem(l.number, "not a date value: " + l.value);
            }
        }
        if (l.tag == "TIME" &&
            !std::regex_match(l.value, std::regex("([01][0-9]|2[0-3]):[0-5][0-9]"))) {
            problem(l.number, "TIME " + l.value);
        }
        if (l.tag == "FORM" && !std::regex_match(l.value, std::regex("[a-z]+/[a-z0-9.+-]+"))) {
            problem(l.number, "not a media type: " + l.value);
        }
        if (l.tag == "FILE" &&
            !std::regex_match(l.value, std::regex(R"([A-Za-z0-9\-._~!$&'()*+,;=:@/%]+)"))) {
            problem(l.number, "not a URI reference: " + l.value);
        }
        if ((l.tag == "MARR" || l.tag == "DIV" || l.tag == "BIRT" || l.tag == "DEAT") &&
            l.hasValue && l.value != "Y") {
            problem(l.number, l.tag + " with the value " + l.value);
        }
        if (l.tag == "NAME" && parent == "INDI" &&
            !std::regex_match(l.value, std::regex("[^/]*(/[^/]*/[^/]*)?"))) {
            problem(l.number, "not a personal name: " + l.value);
        }
        if (l.tag == "VERS" && parent == "GEDC" && l.value != "7.0")
            problem(l.number, "VERS " + l.value);
    }

    // The date grammar, written out as a pattern of its own.
    static bool dateValue(const std::string& value) {
        static const std::string month = "(JAN|FEB|MAR|APR|MAY|JUN|JUL|AUG|SEP|OCT|NOV|DEC)";
        static const std::string date =
            "((GREGORIAN|JULIAN) )?(([0-9]+ )?" + month + " )?[0-9]+( BCE)?";
        static const std::regex kDate("(ABT |CAL |EST |BEF |AFT |TO )?" + date + "|BET " + date +
                                      " AND " + date + "|FROM " + date + "( TO " + date + ")?");
        return std::regex_match(value, kDate);
    }

    std::vector<std::string> problems_;
    std::set<std::string> declared_;
    std::map<std::string, std::string> records_;
};

}  // namespace lineara::test
