// Boxes whose text becomes one field of a record. Every such field is a
// single line wherever it goes: the box, the window caption, the tree file
// and the one-line-per-field outputs (GEDCOM, lists). A pasted tab or line
// break would break all of them, so it is taken out as it comes in.
#pragma once

#include <QString>
#include <QValidator>

namespace lineara {

// `text` with every tab and line break (a CR LF pair counts as one) made a
// blank and every other control character dropped. `cursor`, when given,
// is moved along so that it stays behind the same character.
QString singleLineText(const QString& text, int* cursor = nullptr);

// Cleans whatever reaches the box: typing, pasting, dropping, setText.
class SingleLineValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

}  // namespace lineara
