#include "gui/editor/single_line.h"

namespace lineara {

namespace {

bool isLineBreakOrTab(QChar c) {
    switch (c.unicode()) {
    case u'\t':
    case u'\n':
    case u'\v':
    case u'\f':
    case u'\r':
    case 0x0085:  // next line
    case 0x2028:  // line separator
    case 0x2029:  // paragraph separator
        return true;
    default:
        return false;
    }
}

}  // namespace

QString singleLineText(const QString& text, int* cursor) {
    QString out;
    out.reserve(text.size());
    int movedCursor = cursor != nullptr ? *cursor : 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (cursor != nullptr && i == *cursor) movedCursor = static_cast<int>(out.size());
        const QChar c = text[i];
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') continue;
        if (isLineBreakOrTab(c)) {
            out += QLatin1Char(' ');
        } else if (c.category() != QChar::Other_Control) {
            out += c;
        }
    }
    if (cursor != nullptr) {
        if (*cursor >= text.size()) movedCursor = static_cast<int>(out.size());
        *cursor = movedCursor;
    }
    return out;
}

QValidator::State SingleLineValidator::validate(QString& input, int& pos) const {
    input = singleLineText(input, &pos);
    return Acceptable;
}

}  // namespace lineara
