#include "gui/platform/record_codec.h"

#include "core/platform/codepage.h"

namespace lineara {

void RecordCodec::setCharsetCode(int code) {
    charsetCode_ = code;
    codePage_ = codePageForCharset(code);
    // Johab puts the won sign where ASCII has the backslash.
    asciiCompatible_ = std::string_view(codePage_) != "JOHAB";
}

QString RecordCodec::decode(std::string_view bytes) const {
    // Most texts are plain ASCII, which needs no iconv.
    bool ascii = asciiCompatible_;
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii) return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    std::string utf8 = fromCodePage(bytes, codePage_);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string RecordCodec::encode(const QString& text) const {
    QByteArray utf8 = text.toUtf8();
    return toCodePage(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())),
                      codePage_);
}

}  // namespace lineara
