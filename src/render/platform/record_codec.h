// Record texts are bytes in the code page of the chosen character set;
// the windows show and take Unicode. This converts at that edge.
//
// The converters stay open for as long as the character set does. One
// codec may be shared by threads (the HTML image workers draw boxes with
// one): each converter is used under its own lock.
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <string_view>

namespace lineara {

class RecordCodec {
public:
    RecordCodec();
    ~RecordCodec();
    // A copy opens converters of its own.
    RecordCodec(const RecordCodec& other);
    RecordCodec& operator=(const RecordCodec& other);

    // A font charset code (see codePageForCharset); 1, the system default,
    // is where a new installation starts. Not while other threads convert.
    void setCharsetCode(int code);
    int charsetCode() const { return charsetCode_; }
    const char* codePage() const { return codePage_; }

    // A byte the code page leaves undefined becomes U+FFFD.
    QString decode(std::string_view bytes) const;
    // Characters the code page cannot hold become "?".
    std::string encode(const QString& text) const;

private:
    struct Converters;

    int charsetCode_ = 1;
    const char* codePage_ = "CP1250";
    bool asciiCompatible_ = true;  // bytes below 0x80 are ASCII
    std::unique_ptr<Converters> converters_;
};

}  // namespace lineara
