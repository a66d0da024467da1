// Saving the editor: OK, Cancel and the steps of SaveIt.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableWidget>

#include "core/model/person_edit.h"
#include "gui/editor/person_window.h"

namespace lineara {

void TPerson::okClick() {
    confirmed_ = true;
    // A notes file that cannot be saved anywhere keeps the window open.
    if (saveIt()) accept();
}

void TPerson::cancelClick() {
    confirmed_ = false;
    reject();
}

bool TPerson::saveIt() {
    edit1_->setText(fromRecord(trimBlanks(toRecord(edit1_->text()))));
    edit2_->setText(fromRecord(trimBlanks(toRecord(edit2_->text()))));
    showDuplicateNotices();
    doc_->markModified(ModifiedWithoutStep::EditorConfirmed);
    if (!saveNotesOnOk()) return false;

    std::vector<RelationRow> rows;
    for (int r = 0; r < grid_->rowCount(); ++r) {
        auto cell = [this, r](int c) { return toRecord(grid_->item(r, c)->text()); };
        rows.push_back(RelationRow{cell(0), cell(1), cell(2), cell(3)});
    }
    const PersonBoxes boxes = boxesFromControls();
    // The whole OK is one step: the person, the partners' back slots and
    // the alias box.
    const auto mismatched = saveEditedPerson(*doc_, edited_, *copy_, boxes, rows);
    for (size_t k = 0; k < mismatched.size(); ++k) {
        ctx_.ui->inform(QStringLiteral("Lineara"), QString::fromLatin1(kMsgRelationshipNotUpdated),
                        MessageIcon::Warning);
    }
    return true;
}

void TPerson::showDuplicateNotices() {
    const auto same = sameNamedPersons(doc_->persons(), edited_, toRecord(edit1_->text()),
                                       toRecord(edit2_->text()));
    for (const PersonRecord* other : same) {
        ctx_.ui->inform(QStringLiteral("Lineara"), fromRecord(duplicateNameNotice(*other)),
                        MessageIcon::Information);
    }
}

PersonBoxes TPerson::boxesFromControls() const {
    PersonBoxes b;
    b.givenNames = toRecord(edit1_->text());
    b.surname = toRecord(edit2_->text());
    b.birthDate = toRecord(birthDate_->text());
    b.birthPlace = toRecord(edit5_->text());
    b.deathDate = toRecord(deathDate_->text());
    b.deathPlace = toRecord(edit6_->text());
    b.occupation = toRecord(edit7_->text());
    b.source = toRecord(edit9_->text());
    b.pictureFile = toRecord(edit3_->text());
    b.pictureComment = toRecord(edit8_->text());
    b.notesFile = toRecord(edit4_->text());
    b.male = male_->isChecked();
    b.female = female_->isChecked();
    return b;
}

// The loaded notes go back to their file; when that fails the user may
// choose another place. Only a failure there as well stops the saving.
bool TPerson::saveNotesOnOk() {
    const QString path = edit4_->text();
    if (path.isEmpty() || !memo_->isEnabled()) return true;
    if (saveMemoTo(path).isEmpty()) return true;
    ctx_.ui->inform(QStringLiteral("Lineara"),
                    QStringLiteral("The memo text file \"%1\" could not be saved. Please choose a "
                                   "new location.")
                        .arg(path),
                    MessageIcon::Warning);
    const QString chosen = chooseNewNotesFile(fromRecord(fileNamePart(toRecord(path))));
    if (chosen.isEmpty()) return true;
    const QString error = saveMemoTo(chosen);
    if (!error.isEmpty()) {
        ctx_.ui->inform(QStringLiteral("Lineara"), error, MessageIcon::Error);
        return false;
    }
    setNotesPath(chosen);
    return true;
}

}  // namespace lineara
