// PrintTreeWindow, "Drukuj drzewo": the choices for printing the whole tree
// (or the selected boxes) over one or more pages, a preview of every page,
// and the commands that set up the printer and print.
#pragma once

#include <QPrinter>
#include <QWidget>
#include <functional>

#include "core/model/person_list.h"
#include "core/settings/settings.h"
#include "render/printing/tree_printer.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lineara {

class PrintTreeWindow : public QWidget {
    Q_OBJECT
public:
    // `screenFont` runs the main window's screen-font command.
    PrintTreeWindow(const PersonList& list, const AppSettings& settings, const RecordCodec& codec,
                    std::function<void()> screenFont, QWidget* parent = nullptr);

    // The dialogs: the print dialog before printing and the printer setup;
    // each returns whether the user pressed OK. Tests replace them.
    using PrinterDialog = std::function<bool(QPrinter&)>;
    void setPrintDialog(PrinterDialog dialog) { printDialog_ = std::move(dialog); }
    void setSetupDialog(PrinterDialog dialog) { setupDialog_ = std::move(dialog); }
    // Shows why a PDF file could not be written.
    void setErrorReport(std::function<void(const QString&)> report) {
        errorReport_ = std::move(report);
    }

    QPrinter& printer() { return printer_; }
    PrintChoices choices() const;
    // The preview as last drawn.
    QImage previewImage() const { return preview_; }

    // "&Drukuj": prints and closes; cancelling the print dialog leaves the
    // window open.
    void print();
    // "&Ustawienia".
    void setupPrinter();
    // Draws the preview from the current choices.
    void drawPreview();

protected:
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape closes the window, as it closes every other window.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void showFontFields();
    void updateActivationStates();
    void drawBorderSample();
    void applyOrientation();

    const PersonList& list_;
    const AppSettings& settings_;
    const RecordCodec& codec_;
    std::function<void()> screenFont_;
    PrinterDialog printDialog_;
    PrinterDialog setupDialog_;
    std::function<void(const QString&)> errorReport_;
    QPrinter printer_;
    QImage preview_;

    QRadioButton* landscape_ = nullptr;
    QRadioButton* portrait_ = nullptr;
    QComboBox* border_ = nullptr;
    QLabel* borderSample_ = nullptr;
    QLineEdit* fontName_ = nullptr;
    QLineEdit* fontSize_ = nullptr;
    QComboBox* size_ = nullptr;
    QCheckBox* selectedOnly_ = nullptr;
    QLabel* previewLabel_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* close_ = nullptr;
};

}  // namespace lineara
