// Record texts are bytes in the code page of the chosen character set;
// the windows show and take Unicode. This converts at that edge.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace lineara {

class RecordCodec {
public:
    // A font charset code (see codePageForCharset); 1, the system default,
    // is where a new installation starts.
    void setCharsetCode(int code);
    int charsetCode() const { return charsetCode_; }
    const char* codePage() const { return codePage_; }

    QString decode(std::string_view bytes) const;
    // Characters the code page cannot hold become "?".
    std::string encode(const QString& text) const;

private:
    int charsetCode_ = 1;
    const char* codePage_ = "CP1250";
    bool asciiCompatible_ = true;  // bytes below 0x80 are ASCII
};

}  // namespace lineara
