// The options dialog ("Opcje"): the screen font and the character set on
// the page "Czcionki", the four program flags and the interval of the
// recovery copies on the page "Program".
#pragma once

#include <QDialog>

#include "gui/common/app_context.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QSpinBox;
class QTabWidget;

namespace lineara {

// Remembers a character-set choice (1..19) and makes the record texts use
// its code page. The fonts of the windows are the main window's to set.
void applyCharsetChoice(AppContext& ctx, int choice);

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    OptionsDialog(AppContext& ctx, QWidget* parent);

    // Selects the list entry of a choice without applying it again (the
    // start-up applies the stored choice itself).
    void selectCharset(int choice);

signals:
    // The screen font in ctx.settings changed; the tree needs a repaint.
    void screenFontChanged();
    // The user picked a character set (1..19); it is already applied.
    void charsetChosen(int choice);
    // The recovery interval in ctx.settings was set (on close).
    void recoveryIntervalChanged(int minutes);

public slots:
    // The screen-font command: the font dialog preset with the screen font.
    void changeScreenFont();

protected:
    void showEvent(QShowEvent* event) override;
    // Every way of closing ends here: "Zamknij", Esc and the window's close.
    void done(int result) override;

private:
    QWidget* buildFontPage();
    QWidget* buildProgramPage();
    void loadFlags();
    void storeFlags();
    void refreshSample();
    void charsetRowChanged(int row);

    AppContext& ctx_;
    QTabWidget* pages_ = nullptr;
    QLabel* sample_ = nullptr;
    QListWidget* charsets_ = nullptr;
    QCheckBox* dateStandardization_ = nullptr;
    QCheckBox* showHints_ = nullptr;
    QCheckBox* checkOnOpen_ = nullptr;
    QCheckBox* checkOnSave_ = nullptr;
    QSpinBox* recoveryMinutes_ = nullptr;
};

}  // namespace lineara
