#include "render/platform/record_codec.h"

#include <mutex>

#include "core/platform/codepage.h"

namespace lineara {

struct RecordCodec::Converters {
    explicit Converters(const char* codePage) : texts(codePage) {}
    CodePageTexts texts;
    std::mutex decoding;
    std::mutex encoding;
};

RecordCodec::RecordCodec() : converters_(std::make_unique<Converters>(codePage_)) {}

RecordCodec::~RecordCodec() = default;

RecordCodec::RecordCodec(const RecordCodec& other) : RecordCodec() {
    setCharsetCode(other.charsetCode_);
}

RecordCodec& RecordCodec::operator=(const RecordCodec& other) {
    if (this != &other) setCharsetCode(other.charsetCode_);
    return *this;
}

void RecordCodec::setCharsetCode(int code) {
    charsetCode_ = code;
    const char* page = codePageForCharset(code);
    if (std::string_view(page) != codePage_) converters_ = std::make_unique<Converters>(page);
    codePage_ = page;
    // Johab puts the won sign where ASCII has the backslash.
    asciiCompatible_ = std::string_view(codePage_) != "JOHAB";
}

QString RecordCodec::decode(std::string_view bytes) const {
    // Most texts are plain ASCII, which needs no converter.
    bool ascii = asciiCompatible_;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    std::string utf8;
    {
        std::lock_guard<std::mutex> lock(converters_->decoding);
        utf8 = converters_->texts.fromCodePage(bytes);
    }
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string RecordCodec::encode(const QString& text) const {
    QByteArray utf8 = text.toUtf8();
    std::lock_guard<std::mutex> lock(converters_->encoding);
    return converters_->texts.toCodePage(
        std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

}  // namespace lineara
