// The real dialogs, parented to a window so they are modal to it.
#pragma once

#include <QPointer>
#include <QWidget>

#include "gui/platform/user_interaction.h"

namespace lineara {

// The font the font dialog opens on for `initial`: the family that really
// draws it, and its style by name.
QFont fontDialogStart(const QFont& initial);

class QtUserInteraction : public UserInteraction {
public:
    explicit QtUserInteraction(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    Answer askYesNoCancel(const QString& caption, const QString& text) override;
    bool askYesNo(const QString& caption, const QString& text, MessageIcon icon) override;
    bool askYesNoWithHelp(const QString& caption, const QString& text,
                          const std::function<void()>& help) override;
    bool askOkIgnore(const QString& caption, const QString& text, MessageIcon icon) override;
    int askChoice(const QString& caption, const QString& text, const QStringList& buttons,
                  int escape) override;
    std::optional<QString> askText(const QString& caption, const QString& prompt,
                                   const QString& initial) override;
    void inform(const QString& caption, const QString& text, MessageIcon icon) override;
    QString chooseOpenFile(const FileDialogOptions& dialog) override;
    QString chooseSaveFile(const FileDialogOptions& dialog) override;
    QString chooseFolder(const QString& title, const QString& initial) override;
    std::optional<QColor> chooseColour(const QColor& initial) override;
    std::optional<QFont> chooseFont(const QFont& initial) override;

private:
    QPointer<QWidget> parent_;
};

}  // namespace lineara
