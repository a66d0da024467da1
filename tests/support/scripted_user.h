// A user who answers from a script and remembers what was asked, for
// driving the windows in tests without anyone at the screen.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <deque>
#include <optional>

#include "gui/platform/user_interaction.h"

namespace lineara::test {

class ScriptedUser : public UserInteraction {
public:
    // One record per question or message, in order: "kind|caption|text"
    // (kind: yesnocancel, yesno, yesnohelp, okignore, text, inform, open, save,
    // folder, colour, font).
    QStringList asked;
    // The file dialogs seen, for checking filters and titles.
    QList<FileDialogOptions> fileDialogs;

    // Answers used in order; when a queue is empty, the defaults below.
    std::deque<Answer> yesNoCancelAnswers;
    std::deque<bool> yesNoAnswers;
    std::deque<QString> fileAnswers;  // open, save and folder dialogs
    // Which of a file dialog's filters the user picks (0, the first, when
    // the queue is empty); told to dialogs that ask for the choice.
    std::deque<int> filterAnswers;
    std::deque<std::optional<QColor>> colourAnswers;
    std::deque<std::optional<QFont>> fontAnswers;
    std::deque<bool> okIgnoreAnswers;  // true: OK
    std::deque<std::optional<QString>> textAnswers;
    QString lastTextInitial;  // the text the last askText offered
    Answer defaultYesNoCancel = Answer::Cancel;
    bool defaultYesNo = false;

    Answer askYesNoCancel(const QString& caption, const QString& text) override;
    bool askYesNo(const QString& caption, const QString& text, MessageIcon icon) override;
    // Recorded as "yesnohelp"; presses Help `helpPresses` times first.
    bool askYesNoWithHelp(const QString& caption, const QString& text,
                          const std::function<void()>& help) override;
    int helpPresses = 0;
    // Recorded as "okignore" and "text"; OK and a cancelled text by default.
    bool askOkIgnore(const QString& caption, const QString& text, MessageIcon icon) override;
    std::optional<QString> askText(const QString& caption, const QString& prompt,
                                   const QString& initial) override;
    // Recorded as "choice"; answers from `choiceAnswers`, else the escape.
    int askChoice(const QString& caption, const QString& text, const QStringList& buttons,
                  int escape) override;
    std::deque<int> choiceAnswers;
    // The buttons of the last askChoice.
    QStringList choiceButtons;
    void inform(const QString& caption, const QString& text, MessageIcon icon) override;
    QString chooseOpenFile(const FileDialogOptions& dialog) override;
    QString chooseSaveFile(const FileDialogOptions& dialog) override;
    QString chooseFolder(const QString& title, const QString& initial) override;
    std::optional<QColor> chooseColour(const QColor& initial) override;
    std::optional<QFont> chooseFont(const QFont& initial) override;

    // The texts of the messages shown with inform(), in order.
    QStringList messages() const;

private:
    QString nextFile();
    void chooseFilter(const FileDialogOptions& dialog);
};

}  // namespace lineara::test
