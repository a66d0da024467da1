#include "support/scripted_user.h"

namespace lineara::test {

namespace {
QString entry(const char* kind, const QString& caption, const QString& text) {
    return QString::fromLatin1(kind) + QLatin1Char('|') + caption + QLatin1Char('|') + text;
}
}  // namespace

Answer ScriptedUser::askYesNoCancel(const QString& caption, const QString& text) {
    asked << entry("yesnocancel", caption, text);
    if (yesNoCancelAnswers.empty()) return defaultYesNoCancel;
    Answer a = yesNoCancelAnswers.front();
    yesNoCancelAnswers.pop_front();
    return a;
}

int ScriptedUser::askChoice(const QString& caption, const QString& text, const QStringList& buttons,
                            int escape) {
    asked << entry("choice", caption, text);
    choiceButtons = buttons;
    if (choiceAnswers.empty()) return escape;
    const int a = choiceAnswers.front();
    choiceAnswers.pop_front();
    return a;
}

bool ScriptedUser::askYesNo(const QString& caption, const QString& text, MessageIcon) {
    asked << entry("yesno", caption, text);
    if (yesNoAnswers.empty()) return defaultYesNo;
    bool a = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return a;
}

bool ScriptedUser::askYesNoWithHelp(const QString& caption, const QString& text,
                                    const std::function<void()>& help) {
    for (; helpPresses > 0; --helpPresses) {
        if (help) help();
    }
    const bool a = askYesNo(caption, text, MessageIcon::Question);
    asked.last() = entry("yesnohelp", caption, text);
    return a;
}

bool ScriptedUser::askOkIgnore(const QString& caption, const QString& text, MessageIcon) {
    asked << entry("okignore", caption, text);
    if (okIgnoreAnswers.empty()) return true;
    bool a = okIgnoreAnswers.front();
    okIgnoreAnswers.pop_front();
    return a;
}

std::optional<QString> ScriptedUser::askText(const QString& caption, const QString& prompt,
                                             const QString& initial) {
    asked << entry("text", caption, prompt);
    lastTextInitial = initial;
    std::optional<QString> answer;
    if (!textAnswers.empty()) {
        answer.swap(textAnswers.front());
        textAnswers.pop_front();
    }
    return answer;
}

void ScriptedUser::inform(const QString& caption, const QString& text, MessageIcon) {
    asked << entry("inform", caption, text);
}

QString ScriptedUser::nextFile() {
    if (fileAnswers.empty()) return QString();
    QString f = fileAnswers.front();
    fileAnswers.pop_front();
    return f;
}

void ScriptedUser::chooseFilter(const FileDialogOptions& dialog) {
    if (dialog.selectedFilter == nullptr) return;
    int index = 0;
    if (!filterAnswers.empty()) {
        index = filterAnswers.front();
        filterAnswers.pop_front();
    }
    *dialog.selectedFilter = dialog.filter.split(QStringLiteral(";;")).value(index);
}

QString ScriptedUser::chooseOpenFile(const FileDialogOptions& dialog) {
    asked << entry("open", dialog.title, dialog.initialPath);
    fileDialogs << dialog;
    chooseFilter(dialog);
    return nextFile();
}

QString ScriptedUser::chooseSaveFile(const FileDialogOptions& dialog) {
    asked << entry("save", dialog.title, dialog.initialPath);
    fileDialogs << dialog;
    chooseFilter(dialog);
    return nextFile();
}

QString ScriptedUser::chooseFolder(const QString& title, const QString& initial) {
    asked << entry("folder", title, initial);
    return nextFile();
}

std::optional<QColor> ScriptedUser::chooseColour(const QColor& initial) {
    asked << entry("colour", QString(), initial.name());
    if (colourAnswers.empty()) return std::nullopt;
    auto a = colourAnswers.front();
    colourAnswers.pop_front();
    return a;
}

std::optional<QFont> ScriptedUser::chooseFont(const QFont& initial) {
    asked << entry("font", QString(), initial.family());
    if (fontAnswers.empty()) return std::nullopt;
    auto a = fontAnswers.front();
    fontAnswers.pop_front();
    return a;
}

QStringList ScriptedUser::messages() const {
    QStringList out;
    for (const QString& a : asked) {
        if (a.startsWith(QLatin1String("inform|"))) out << a.section(QLatin1Char('|'), 2);
    }
    return out;
}

}  // namespace lineara::test
