// Every question, message and file dialog the program shows goes through
// this interface. The desktop program uses Qt's dialogs; tests install a
// scripted user that answers and records what it was asked.
#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

namespace lineara {

enum class Answer { Yes, No, Cancel };

enum class MessageIcon { None, Information, Warning, Error, Question };

// What a file dialog needs to know; `filter` is in Qt's form,
// e.g. "Lineara files (*.ln3)".
struct FileDialogOptions {
    QString title;
    QString filter;
    QString defaultSuffix;  // added when the user types a name without one
    QString initialPath;    // preset file name or folder
    // The folder a relative `initialPath` starts from; none: the working
    // folder.
    QString baseFolder;
    bool confirmOverwrite = true;
    // When set, receives the filter the user chose (one of `filter`'s).
    QString* selectedFilter = nullptr;
};

class UserInteraction {
public:
    virtual ~UserInteraction() = default;

    // A confirmation with Yes, No and Cancel; closing the box is Cancel.
    virtual Answer askYesNoCancel(const QString& caption, const QString& text) = 0;
    // A confirmation with Yes and No; closing the box is No.
    virtual bool askYesNo(const QString& caption, const QString& text,
                          MessageIcon icon = MessageIcon::Question) = 0;
    // The same with a Help button that shows `help` and leaves the
    // question open; where no Help button can be shown, a plain question.
    virtual bool askYesNoWithHelp(const QString& caption, const QString& text,
                                  const std::function<void()>& help) {
        (void)help;
        return askYesNo(caption, text);
    }
    // A warning with OK and Ignore: true for OK, false for Ignore (and for
    // closing the box).
    virtual bool askOkIgnore(const QString& caption, const QString& text, MessageIcon icon) = 0;
    // A question with buttons of its own, the first the default; returns
    // the index of the button pressed, `escape` when the box is closed.
    // Where no such box can be shown, up to three buttons are asked as Yes,
    // No and Cancel.
    virtual int askChoice(const QString& caption, const QString& text, const QStringList& buttons,
                          int escape) {
        (void)buttons;
        switch (askYesNoCancel(caption, text)) {
        case Answer::Yes:
            return 0;
        case Answer::No:
            return 1;
        case Answer::Cancel:
            break;
        }
        return escape;
    }
    // A line of text; nullopt when the user cancels.
    virtual std::optional<QString> askText(const QString& caption, const QString& prompt,
                                           const QString& initial) = 0;
    // A message with an OK button.
    virtual void inform(const QString& caption, const QString& text,
                        MessageIcon icon = MessageIcon::Information) = 0;

    // Each returns an empty string when the user cancels.
    virtual QString chooseOpenFile(const FileDialogOptions& dialog) = 0;
    virtual QString chooseSaveFile(const FileDialogOptions& dialog) = 0;
    virtual QString chooseFolder(const QString& title, const QString& initial) = 0;

    virtual std::optional<QColor> chooseColour(const QColor& initial) = 0;
    virtual std::optional<QFont> chooseFont(const QFont& initial) = 0;
};

}  // namespace lineara
