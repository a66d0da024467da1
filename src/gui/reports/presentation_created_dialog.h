// PresentationCreatedDialog, "Presentation created": shown when a generation has ended, it
// offers to open the start page in the web browser.
#pragma once

#include <QDialog>

#include "gui/platform/shell.h"
#include "gui/platform/user_interaction.h"

class QPushButton;

namespace lineara {

extern const char kNoBrowserMessage[];  // "Stirpex could not find your default internet browser."

class PresentationCreatedDialog : public QDialog {
    Q_OBJECT
public:
    PresentationCreatedDialog(Shell& shell, UserInteraction& ui, QWidget* parent = nullptr);

    void setOutputFolder(const QString& folder) { folder_ = folder; }
    // "&Zobacz efekt": the start page in the program the desktop opens
    // web pages with, when it has one for both ".html" and ".htm".
    void viewPresentation();
    QPushButton* viewButton() const { return view_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    Shell& shell_;
    UserInteraction& ui_;
    QString folder_;
    QPushButton* view_ = nullptr;
};

}  // namespace lineara
