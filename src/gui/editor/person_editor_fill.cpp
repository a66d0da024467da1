// Filling the editor from the working copy, its states on showing, and the
// boxes that react while the user types.
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <cstring>

#include "core/dates/date_conversion.h"
#include "core/model/person_edit.h"
#include "gui/common/busy_cursor.h"
#include "gui/common/widget_colours.h"
#include "gui/editor/person_editor.h"
#include "gui/editor/picture_viewer.h"

namespace lineara {

namespace {
// The relationship type codes in the order of the type list's items.
constexpr char kTypeCodes[] = "MPDFSOU";
}  // namespace

QString PersonEditor::fromRecord(std::string_view bytes) const { return ctx_.codec.decode(bytes); }
std::string PersonEditor::toRecord(const QString& text) const { return ctx_.codec.encode(text); }

bool PersonEditor::editPerson(Document& doc, const PersonRecord* person, bool relationshipPage) {
    if (person == nullptr) return false;
    doc_ = &doc;
    edited_ = person;
    copy_ = std::make_unique<PersonRecord>(*person);
    confirmed_ = false;
    relationshipPageToOpen_ = relationshipPage;
    fillFromCopy();
    fillRelationGrid();
    // Without a window manager to hand it back, the focus would stay with
    // the closed editor and the keys would go nowhere.
    const QPointer<QWidget> before = QApplication::activeWindow();
    if (runner_) {
        runner_(*this);
    } else {
        exec();
    }
    if (before != nullptr && before->isVisible()) before->activateWindow();
    BusyCursor busy;
    copy_.reset();
    edited_ = nullptr;
    doc_ = nullptr;
    return confirmed_;
}

void PersonEditor::fillFromCopy() {
    const PersonBoxes b = boxesFrom(*copy_);
    givenNames_->setText(fromRecord(b.givenNames));
    surname_->setText(fromRecord(b.surname));
    (b.female ? female_ : male_)->setChecked(true);
    updateSexSymbols();
    birthDate_->setText(fromRecord(b.birthDate));
    birthPlace_->setText(fromRecord(b.birthPlace));
    deathDate_->setText(fromRecord(b.deathDate));
    deathPlace_->setText(fromRecord(b.deathPlace));
    occupation_->setText(fromRecord(b.occupation));
    source_->setText(fromRecord(b.source));
    pictureComment_->setText(fromRecord(b.pictureComment));
    picture_->setToolTip(fromRecord(b.pictureFile));
    // setText only signals a change; the loads must run on every opening.
    {
        const QSignalBlocker quietPicture(picturePath_);
        const QSignalBlocker quietNotes(notesPath_);
        picturePath_->setText(fromRecord(b.pictureFile));
        notesPath_->setText(fromRecord(b.notesFile));
    }
    picturePathChanged();
    notesPathChanged();
    updateCaption();
    // setText leaves the cursor at the end, and a long source or comment
    // would open scrolled to its end.
    for (QLineEdit* box : {givenNames_, surname_, birthDate_, birthPlace_, deathDate_, deathPlace_,
                           occupation_, source_, pictureComment_}) {
        box->setCursorPosition(0);
    }
    enteredDateBox_ = nullptr;
}

void PersonEditor::fillRelationGrid() {
    const std::vector<RelationRow> rows = relationRowsOf(*copy_);
    grid_->clearSelection();
    grid_->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const RelationRow& row = rows[static_cast<size_t>(r)];
        const std::string cells[] = {row.partnerName, row.date, row.place, row.type};
        for (int c = 0; c < 4; ++c) {
            grid_->setItem(r, c, new QTableWidgetItem(fromRecord(cells[c])));
        }
    }
    gridArea_->setVisible(!rows.empty());
    noRelations_->setVisible(rows.empty());
    if (!rows.empty()) grid_->selectRow(0);
    rowSelected();
}

void PersonEditor::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // On the screen's centre rather than over the main window: the main
    // window may be anywhere, the editor is wanted in front of the user.
    if (QScreen* s = screen()) move(s->availableGeometry().center() - rect().center());
    formActivate();
}

// The viewer shows this person's picture; it has no business staying open
// over the window the editor came from.
void PersonEditor::hideEvent(QHideEvent* event) {
    if (!event->spontaneous() && viewer_ != nullptr) viewer_->close();
    QDialog::hideEvent(event);
}

void PersonEditor::formActivate() {
    pages_->setCurrentIndex(0);
    const bool editable = copy_ == nullptr || !copy_->isAliasBox();
    setEditable(editable);
    (editable ? static_cast<QWidget*>(givenNames_) : ok_)->setFocus();
    if (copy_ != nullptr && copy_->isEmpty(field::pictureFile)) {
        pictureComment_->setEnabled(false);
        clearPicture_->setEnabled(false);
        setBaseColour(pictureComment_, buttonFace());
    }
    if (copy_ != nullptr && copy_->isEmpty(field::notesFile)) {
        memo_->setReadOnly(true);
        setBaseColour(memo_, buttonFace());
        clearNotes_->setEnabled(false);
    }
    pages_->setCurrentIndex(relationshipPageToOpen_ ? 1 : 0);
}

void PersonEditor::setEditable(bool editable) {
    QWidget* boxes[] = {givenNames_,     surname_, birthPlace_, deathPlace_, occupation_,
                        pictureComment_, source_,  birthDate_,  deathDate_};
    for (QWidget* w : boxes) {
        w->setEnabled(editable);
        setBaseColour(w, editable ? Qt::white : buttonFace());
    }
    QWidget* buttons[] = {male_, female_, newNotes_, openNotes_, clearNotes_, openPicture_};
    for (QWidget* w : buttons) w->setEnabled(editable);
    clearPicture_->setEnabled(pictureComment_->isEnabled());
    memo_->setReadOnly(!editable || memo_->isReadOnly());
    setBaseColour(memo_, editable ? Qt::white : buttonFace());
}

void PersonEditor::updateCaption() {
    setWindowTitle(
        fromRecord(editorCaption(toRecord(givenNames_->text()), toRecord(surname_->text()))));
}

void PersonEditor::updateSexSymbols() {
    maleSymbol_->setVisible(!female_->isChecked());
    femaleSymbol_->setVisible(female_->isChecked());
}

void PersonEditor::standardizeOnLeave(QLineEdit* box) {
    const std::string text =
        StandardizeDate(toRecord(box->text()), ctx_.settings.dateStandardization);
    box->setText(fromRecord(text));
    if (box == relationshipDate_) setCellOfSelectedRow(1, box->text());
}

void PersonEditor::dateBoxFocusEvent(QLineEdit* box, QEvent* event) {
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    // A popup (the box's own context menu) or another window taking over
    // does not leave the box; the user comes back to it.
    if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) return;
    if (event->type() == QEvent::FocusIn) {
        // Only the user's ways in: the program may put the focus into a date
        // box, and leaving it then must not rewrite a date nobody touched.
        const bool byUser = reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
                            reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
        enteredDateBox_ = byUser ? box : nullptr;
        return;
    }
    if (enteredDateBox_ != box) return;
    enteredDateBox_ = nullptr;
    standardizeOnLeave(box);
}

void PersonEditor::setEnabledKeepingFocus(QWidget* widget, bool enabled) {
    if (!enabled && widget->window()->focusWidget() == widget && ok_->isEnabled()) ok_->setFocus();
    widget->setEnabled(enabled);
}

bool PersonEditor::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) &&
        (watched == birthDate_ || watched == deathDate_ || watched == relationshipDate_)) {
        dateBoxFocusEvent(static_cast<QLineEdit*>(watched), event);
    } else if (watched == picture_ && !picturePath_->text().isEmpty() &&
               (event->type() == QEvent::MouseButtonRelease ||
                event->type() == QEvent::MouseButtonDblClick)) {
        openViewer();
    }
    return QDialog::eventFilter(watched, event);
}

void PersonEditor::wireBasicPage() {
    connect(givenNames_, &QLineEdit::textChanged, this, &PersonEditor::updateCaption);
    connect(surname_, &QLineEdit::textChanged, this, &PersonEditor::updateCaption);
    connect(male_, &QRadioButton::toggled, this, &PersonEditor::updateSexSymbols);
    connect(female_, &QRadioButton::toggled, this, &PersonEditor::updateSexSymbols);
    for (QLineEdit* date : {birthDate_, deathDate_, relationshipDate_}) {
        date->installEventFilter(this);
        // Typing puts the user in the box, however the focus got there.
        connect(date, &QLineEdit::textEdited, this, [this, date] { enteredDateBox_ = date; });
    }
    connect(picturePath_, &QLineEdit::textChanged, this, &PersonEditor::picturePathChanged);
    connect(notesPath_, &QLineEdit::textChanged, this, &PersonEditor::notesPathChanged);
    connect(openPicture_, &QPushButton::clicked, this, &PersonEditor::openPictureClick);
    connect(clearPicture_, &QPushButton::clicked, this, &PersonEditor::clearPictureClick);
    connect(newNotes_, &QToolButton::clicked, this, &PersonEditor::newNotesClick);
    connect(openNotes_, &QToolButton::clicked, this, &PersonEditor::openNotesClick);
    connect(clearNotes_, &QToolButton::clicked, this, &PersonEditor::clearNotesClick);
}

void PersonEditor::wireRelationsPage() {
    connect(grid_, &QTableWidget::itemSelectionChanged, this, &PersonEditor::rowSelected);
    // Only the user's typing goes to the grid; filling the boxes from a
    // row must not write back.
    connect(relationshipDate_, &QLineEdit::textEdited, this,
            [this](const QString& text) { setCellOfSelectedRow(1, text); });
    connect(relationshipPlace_, &QLineEdit::textEdited, this,
            [this](const QString& text) { setCellOfSelectedRow(2, text); });
    connect(typeBox_, &QComboBox::activated, this, [this](int index) {
        if (index < 0 || index >= 7) return;
        setCellOfSelectedRow(3, QString(QLatin1Char(kTypeCodes[index])));
    });
}

void PersonEditor::rowSelected() {
    const int row = grid_->currentRow();
    if (row < 0 || row >= grid_->rowCount()) return;
    auto cell = [this, row](int c) { return grid_->item(row, c)->text(); };
    relatedPerson_->setText(cell(0));
    relationshipDate_->setText(cell(1));
    relationshipPlace_->setText(cell(2));
    const QString code = cell(3);
    const char* at = code.size() == 1 ? std::strchr(kTypeCodes, code[0].toLatin1()) : nullptr;
    typeBox_->setCurrentIndex(at != nullptr && *at != '\0' ? static_cast<int>(at - kTypeCodes)
                                                           : -1);
}

void PersonEditor::setCellOfSelectedRow(int column, const QString& text) {
    const int row = grid_->currentRow();
    if (row < 0 || row >= grid_->rowCount()) return;
    grid_->item(row, column)->setText(text);
}

}  // namespace lineara
