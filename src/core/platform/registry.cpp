#include "core/platform/registry.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#include "core/platform/atomic_file.h"

// The file is INI-like text, one key per section:
//
//   [Software\Lineara]
//   ScreenFontName=Times New Roman
//   =the key's default value
//
// Texts may hold anything, so the characters that would break a line apart
// are written as "%" and two hex digits: "%" itself and every control
// character everywhere, and in value names also "=" (which ends the name)
// and "[" (which would start a section). Backslashes stay as they are so
// that key paths read the way they are written in the program.

namespace lineara {

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string normalKey(const std::string& key) {
    size_t first = key.find_first_not_of('\\');
    if (first == std::string::npos) return std::string();
    size_t last = key.find_last_not_of('\\');
    return key.substr(first, last - first + 1);
}

std::string escape(const std::string& text, bool isName) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        auto c = static_cast<unsigned char>(ch);
        bool special = c < 0x20 || c == 0x7f || c == '%' || (isName && (c == '=' || c == '['));
        if (special) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 0x0f];
        } else {
            out += ch;
        }
    }
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// A "%" not followed by two hex digits was not written by us; it is kept.
std::string unescape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            int high = hexDigit(text[i + 1]);
            int low = hexDigit(text[i + 2]);
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

}  // namespace

Registry::Registry(std::string filePath) : filePath_(std::move(filePath)) { load(); }

// Lines that are neither a section nor a value, and values before the
// first section, are skipped: a damaged file loses those lines, not the
// rest of the settings.
void Registry::load() {
    std::ifstream in(filePath_, std::ios::binary);
    if (!in) return;
    Key* current = nullptr;
    std::string line;
    while (std::getline(in, line)) {
        // A file edited by hand may end its lines with CR LF; our own
        // carriage returns are always escaped.
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty() && line.front() == '[' && line.back() == ']') {
            std::string path = normalKey(unescape(line.substr(1, line.size() - 2)));
            bool created = false;
            current = path.empty() ? nullptr : &ensureKey(path, created);
            continue;
        }
        size_t eq = line.find('=');
        if (eq == std::string::npos || current == nullptr) continue;
        std::string name = unescape(line.substr(0, eq));
        Value& v = current->values[lowerCase(name)];
        if (v.name.empty()) v.name = name;
        v.text = unescape(line.substr(eq + 1));
    }
}

bool Registry::save() const {
    if (readOnly_) return true;
    std::ostringstream out;
    for (const auto& entry : keys_) {
        const Key& key = entry.second;
        out << '[' << escape(key.path, false) << "]\n";
        for (const auto& value : key.values) {
            out << escape(value.second.name, true) << '=' << escape(value.second.text, false)
                << '\n';
        }
    }
    std::error_code ignored;
    std::filesystem::path parent = std::filesystem::path(filePath_).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ignored);

    std::string text = out.str();
    AtomicFileWriter writer;
    return writer.open(filePath_) && writer.write(text.data(), text.size()) && writer.commit();
}

Registry::Key& Registry::ensureKey(const std::string& key, bool& created) {
    std::string path = normalKey(key);
    auto [it, inserted] = keys_.try_emplace(lowerCase(path));
    if (inserted) it->second.path = path;
    created = inserted;
    return it->second;
}

std::string Registry::read(const std::string& key, const std::string& name,
                           const std::string& fallback) {
    createKey(key);
    std::optional<std::string> stored = value(key, name);
    if (!stored || stored->empty()) return fallback;
    return *stored;
}

bool Registry::write(const std::string& key, const std::string& name, const std::string& value) {
    bool created = false;
    Key& k = ensureKey(key, created);
    auto [it, inserted] = k.values.try_emplace(lowerCase(name));
    if (inserted) it->second.name = name;
    // Rewriting a value with its own text is no change, so the file is
    // left alone; the program does that on every start.
    if (!created && !inserted && it->second.text == value) return true;
    it->second.text = value;
    return save();
}

bool Registry::keyExists(const std::string& key) const {
    std::string path = lowerCase(normalKey(key));
    if (path.empty()) return true;  // the root
    auto it = keys_.lower_bound(path);
    if (it == keys_.end()) return false;
    if (it->first == path) return true;
    // A key below it, such as "a\b" for "a", makes it exist as well. Keys
    // sort right after their prefix only up to characters below "\", so
    // look past those.
    std::string below = path + '\\';
    for (; it != keys_.end() && it->first.compare(0, path.size(), path) == 0; ++it) {
        if (it->first.compare(0, below.size(), below) == 0) return true;
    }
    return false;
}

bool Registry::createKey(const std::string& key) {
    if (normalKey(key).empty() || keyExists(key)) return true;
    bool created = false;
    ensureKey(key, created);
    return save();
}

std::optional<std::string> Registry::value(const std::string& key, const std::string& name) const {
    auto k = keys_.find(lowerCase(normalKey(key)));
    if (k == keys_.end()) return std::nullopt;
    auto v = k->second.values.find(lowerCase(name));
    if (v == k->second.values.end()) return std::nullopt;
    return v->second.text;
}

}  // namespace lineara
