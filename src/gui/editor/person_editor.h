// The person editor window: the boxes of one person and of its
// relationships, over a working copy that replaces the record only on OK.
// The rules behind the boxes live in editor/person_edit.h; this window only
// moves texts between its controls and that core.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "core/model/document.h"
#include "gui/common/app_context.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTableWidget;
class QToolButton;
class QWidget;

namespace lineara {

struct PersonBoxes;
class PictureViewer;

class PersonEditor : public QDialog {
    Q_OBJECT
public:
    PersonEditor(AppContext& ctx, QWidget* parent = nullptr);
    ~PersonEditor() override;

    // Edits `person` of `list` through a working copy, on the relationship
    // page when asked; true when the user confirmed and the record changed.
    bool editPerson(Document& doc, const PersonRecord* person, bool relationshipPage);

    // How the modal window is run; tests replace exec().
    using Runner = std::function<void(PersonEditor&)>;
    void setRunner(Runner runner) { runner_ = std::move(runner); }

    // OK and Cancel as the buttons do them.
    void okClick();
    void cancelClick();
    // The notes buttons.
    void newNotesClick();
    void openNotesClick();
    void clearNotesClick();
    // The picture buttons.
    void openPictureClick();
    void clearPictureClick();

    const PersonRecord* workingCopy() const { return copy_.get(); }
    PictureViewer* pictureViewer() const { return viewer_; }
    bool confirmed() const { return confirmed_; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildBasicPage();
    QWidget* buildNamesPart();
    QWidget* buildLifePart();
    QWidget* buildPicturePart();
    QWidget* buildNotesPart();
    QWidget* buildRelationsPage();
    QWidget* buildRelationBoxes();
    QLineEdit* lineEdit(const char* name, int maxLength);
    void wireBasicPage();
    void wireRelationsPage();

    void fillFromCopy();
    void fillRelationGrid();
    void formActivate();
    void setEditable(bool editable);
    bool saveIt();
    PersonBoxes boxesFromControls() const;
    void showDuplicateNotices();
    bool saveNotesOnOk();
    void updateCaption();
    void updateSexSymbols();
    void standardizeOnLeave(QLineEdit* box);
    void dateBoxFocusEvent(QLineEdit* box, QEvent* event);
    // Disabling the widget that has the focus would let Qt pass the focus
    // on to the next box in the tab order; it goes to OK instead.
    void setEnabledKeepingFocus(QWidget* widget, bool enabled);

    // The tree's file, from which relative names are taken.
    std::string treeFile() const;
    // A stored file name as it is found on disk.
    QString onDisk(const QString& name) const;
    FileDialogOptions fileDialog(const QString& title, const QString& initial) const;

    // Notes memo.
    void notesPathChanged();
    // The system's error text, or "" when saved.
    QString saveMemoTo(const QString& path);
    void saveMemoBeforeChange();
    void setNotesPath(const QString& path);
    QString chooseNewNotesFile(const QString& proposal);
    // Picture.
    void picturePathChanged();
    void setPicturePath(const QString& path);
    void openViewer();

    // Relationship grid.
    void rowSelected();
    void setCellOfSelectedRow(int column, const QString& text);

    QString fromRecord(std::string_view bytes) const;
    std::string toRecord(const QString& text) const;

    AppContext& ctx_;
    Runner runner_;
    Document* doc_ = nullptr;
    const PersonRecord* edited_ = nullptr;
    std::unique_ptr<PersonRecord> copy_;
    bool confirmed_ = false;
    bool relationshipPageToOpen_ = false;
    // The date box the user went into or typed in; only leaving that one
    // standardises its date.
    QLineEdit* enteredDateBox_ = nullptr;

    QTabWidget* pages_ = nullptr;
    QLineEdit* givenNames_ = nullptr;
    QLineEdit* surname_ = nullptr;
    QRadioButton* male_ = nullptr;
    QRadioButton* female_ = nullptr;
    QLabel* maleSymbol_ = nullptr;
    QLabel* femaleSymbol_ = nullptr;
    QLineEdit* birthDate_ = nullptr;
    QLineEdit* birthPlace_ = nullptr;
    QLineEdit* deathDate_ = nullptr;
    QLineEdit* deathPlace_ = nullptr;
    QLineEdit* occupation_ = nullptr;
    QLineEdit* source_ = nullptr;
    QLineEdit* picturePath_ = nullptr;
    QLineEdit* notesPath_ = nullptr;
    QLineEdit* pictureComment_ = nullptr;
    QLabel* picturePanel_ = nullptr;
    QLabel* picture_ = nullptr;
    QPushButton* openPicture_ = nullptr;
    QPushButton* clearPicture_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QToolButton* newNotes_ = nullptr;
    QToolButton* openNotes_ = nullptr;
    QToolButton* clearNotes_ = nullptr;
    QWidget* gridArea_ = nullptr;
    QLabel* noRelations_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QLineEdit* relatedPerson_ = nullptr;
    QComboBox* typeBox_ = nullptr;
    QLineEdit* relationshipDate_ = nullptr;
    QLineEdit* relationshipPlace_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    PictureViewer* viewer_ = nullptr;
};

}  // namespace lineara
