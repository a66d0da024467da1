// GedcomImportWindow, the window that shows a GEDCOM import as it reads: the
// file, how many persons and families were read, the progress and the
// status line. It exists for the whole run and is shown for each import.
//
// The import changes the tree inside one document change and calls back
// once per line; the window answers those calls, repainting itself as the
// percentage moves. While it reads it is application-modal and cannot be
// closed, so nothing the user does in the meantime reaches the tree: the
// main window's menus, keys and canvas are blocked until the reading ends.
// Closing it while it reads (Escape, the title bar) asks the import to
// stop instead; what was read stays.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "core/gedcom/gedcom_import.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace lineara {

// Windows-style filters ("Opis|*.a|Inne|*.b") in Qt's form
// ("Opis (*.a);;Inne (*.b)"); a description that already names its
// patterns in brackets is kept as it is.
QString qtFileFilter(const char* windowsFilter);

class GedcomImportWindow : public QDialog {
    Q_OBJECT
public:
    explicit GedcomImportWindow(QWidget* parent = nullptr);

    // Shows the window, modal and centred, for reading `path`: the boxes
    // emptied, the counters at "0 ", the bar at 0 and shown, "&OK"
    // disabled, the status "Importing file...".
    void begin(const QString& path);
    // The import's progress callback. Refreshes the counters and the bar
    // when the percentage moves (or, for a source of unknown size, every
    // so many lines) and lets the window repaint. False once the user has
    // asked to stop.
    bool showProgress(const GedcomImportProgress& progress);
    // A status line while the import is still busy ("Please wait ...").
    void showBusyStatus(const QString& text);
    // The import has ended: the final counts, its status line, "&OK"
    // enabled; the window can be closed again.
    void finish(const GedcomImportResult& result);
    // Before the import's messages: the window stops keeping above all
    // others, so that the messages come in front of it. The next import
    // keeps it above again.
    void makeRoomForMessages();

    bool reading() const { return reading_; }
    // Told after each refresh of the window while it reads (tests act
    // there as a user would in the middle of an import).
    void setRefreshHook(std::function<void()> hook) { refreshHook_ = std::move(hook); }

    QLineEdit* pathBox() const { return path_; }
    QLineEdit* personsBox() const { return persons_; }
    QLineEdit* familiesBox() const { return families_; }
    QProgressBar* progressBar() const { return progress_; }
    QLabel* statusLine() const { return status_; }
    QPushButton* okButton() const { return ok_; }

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void showCounters(const GedcomImportCounters& counters);
    void centre();
    void refresh();

    QLineEdit* path_ = nullptr;
    QLineEdit* persons_ = nullptr;
    QLineEdit* families_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* ok_ = nullptr;
    bool reading_ = false;
    bool stopAsked_ = false;
    int shownPercent_ = -1;
    int64_t shownLines_ = 0;
    std::function<void()> refreshHook_;
};

}  // namespace lineara
