#include "core/search/list_text.h"

#include <locale.h>

#include <cstdlib>
#include <cwchar>
#include <memory>
#include <unordered_map>

#include "core/platform/codepage.h"
#include "core/platform/latin_letters.h"
#include "core/search/person_search.h"

namespace lineara {

namespace {

bool isUtf8(const std::string& encoding) {
    return encoding == "UTF-8" || encoding == "utf-8" || encoding == "UTF8";
}

// Locales that only order by code: no language's alphabet to follow.
bool hasNoCollation(const std::string& name) {
    return name.empty() || name == "C" || name == "POSIX" || name.rfind("C.", 0) == 0;
}

// The small letter of a capital outside Windows-1250: Latin-1, Latin
// Extended-A, Greek and Cyrillic, where most names in other alphabets are.
char32_t smallLetter(char32_t c) {
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F)) {
        return c + 0x20;
    }
    if (c >= 0x400 && c <= 0x40F) return c + 0x50;
    if (c >= 0x100 && c <= 0x17F) {
        // Pairs with the capital on the even code, except two runs where
        // it is on the odd one; the dotless i and kra have no pair.
        const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if (c == 0x130 || c == 0x131 || c == 0x138 || c == 0x149 || c == 0x17F) return c;
        if (c == 0x178) return 0xFF;
        const bool isCapital = oddCapitals ? (c % 2 == 1) : (c % 2 == 0);
        return isCapital ? c + 1 : c;
    }
    return c;
}

// The Polish alphabet over code points: a letter of Windows-1250 weighs
// as the search window weighs it (small and capital alike), any other
// character after all of them, its capital as its small letter.
class PolishKeys {
public:
    PolishKeys() {
        const ByteWeights& weights = cp1250Weights();
        for (int b = 0; b < 256; ++b) {
            const std::string byte(1, static_cast<char>(b));
            const std::u32string c = decodeUtf8(fromCodePage(byte, "CP1250"));
            if (c.size() == 1 && c[0] != 0xFFFD) weightOf_.emplace(c[0], weights[size_t(b)]);
        }
    }

    std::u32string key(std::u32string_view text) const {
        std::u32string key;
        key.reserve(text.size());
        for (char32_t c : text) {
            const auto found = weightOf_.find(c);
            key.push_back(found != weightOf_.end() ? found->second : 0x100 + smallLetter(c));
        }
        return key;
    }

private:
    std::unordered_map<char32_t, char32_t> weightOf_;
};

const PolishKeys& polishKeys() {
    static const PolishKeys keys;
    return keys;
}

// A locale's collation through the C library; its keys compare as wide
// strings.
class LocaleKeys {
public:
    explicit LocaleKeys(locale_t locale) : locale_(locale) {}
    ~LocaleKeys() { freelocale(locale_); }
    LocaleKeys(const LocaleKeys&) = delete;
    LocaleKeys& operator=(const LocaleKeys&) = delete;

    std::u32string key(std::u32string_view text) const {
        // A nul would end the text early; no name holds one on purpose.
        std::wstring wide;
        wide.reserve(text.size());
        for (char32_t c : text) {
            if (c != 0) wide.push_back(static_cast<wchar_t>(c));
        }
        const size_t length = wcsxfrm_l(nullptr, wide.c_str(), 0, locale_);
        std::wstring out(length + 1, L'\0');
        wcsxfrm_l(out.data(), wide.c_str(), out.size(), locale_);
        out.resize(length);
        return std::u32string(out.begin(), out.end());
    }

private:
    locale_t locale_;
};

struct OrderState {
    std::unique_ptr<TextConversion> toUtf8;  // none for UTF-8 texts
    std::unique_ptr<LocaleKeys> locale;      // none: the Polish alphabet
    // A sort compares every text with many others: each text's key is
    // made once.
    std::unordered_map<std::string, std::u32string> keys;

    const std::u32string& keyOf(const std::string& text) {
        auto found = keys.find(text);
        if (found != keys.end()) return found->second;
        const std::u32string letters =
            decodeUtf8(toUtf8 ? toUtf8->convert(text, "\xEF\xBF\xBD", false) : text);
        std::u32string key = locale ? locale->key(letters) : polishKeys().key(letters);
        return keys.emplace(text, std::move(key)).first->second;
    }
};

}  // namespace

std::string collationLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_COLLATE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return value;
    }
    return "C";
}

TextOrder readersOrder(const std::string& encoding) {
    return readersOrder(encoding, collationLocaleName());
}

TextOrder readersOrder(const std::string& encoding, const std::string& localeName) {
    auto state = std::make_shared<OrderState>();
    if (!isUtf8(encoding)) {
        state->toUtf8 = std::make_unique<TextConversion>("UTF-8", encoding.c_str());
    }
    if (!hasNoCollation(localeName)) {
        if (locale_t locale = newlocale(LC_COLLATE_MASK, localeName.c_str(), locale_t(nullptr))) {
            state->locale = std::make_unique<LocaleKeys>(locale);
        }
    }
    return [state](const std::string& a, const std::string& b) {
        if (a == b) return false;
        const std::u32string& ka = state->keyOf(a);
        const std::u32string& kb = state->keyOf(b);
        if (const int byKey = ka.compare(kb)) return byKey < 0;
        return a < b;
    };
}

std::string oneLine(std::string_view text) {
    std::string line;
    line.reserve(text.size());
    for (char c : text) {
        const auto b = static_cast<unsigned char>(c);
        if (b == '\r' || b == '\n') {
            line.push_back(' ');
        } else if (b >= 0x20 && b != 0x7F) {
            line.push_back(c);
        }
    }
    return line;
}

}  // namespace lineara
