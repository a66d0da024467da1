// Saving the editor: OK, Cancel and the steps of SaveIt.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTableWidget>

#include "core/model/person_edit.h"
#include "gui/common/core_texts.h"
#include "gui/editor/person_editor.h"

namespace lineara {

void PersonEditor::okClick() {
    confirmed_ = true;
    // A notes file that cannot be saved anywhere keeps the window open.
    if (saveIt()) accept();
}

void PersonEditor::cancelClick() {
    confirmed_ = false;
    reject();
}

bool PersonEditor::saveIt() {
    givenNames_->setText(fromRecord(trimBlanks(toRecord(givenNames_->text()))));
    surname_->setText(fromRecord(trimBlanks(toRecord(surname_->text()))));
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
        ctx_.ui->inform(QStringLiteral("Lineara"), coreText(kMsgRelationshipNotUpdated),
                        MessageIcon::Warning);
    }
    return true;
}

void PersonEditor::showDuplicateNotices() {
    const auto same = sameNamedPersons(doc_->persons(), edited_, toRecord(givenNames_->text()),
                                       toRecord(surname_->text()));
    const DuplicateNoticeTexts texts{toRecord(coreText(kDuplicateNameNotice)),
                                     toRecord(coreText(kDuplicateBorn)),
                                     toRecord(coreText(kDuplicateDied))};
    for (const PersonRecord* other : same) {
        ctx_.ui->inform(QStringLiteral("Lineara"), fromRecord(duplicateNameNotice(*other, texts)),
                        MessageIcon::Information);
    }
}

PersonBoxes PersonEditor::boxesFromControls() const {
    PersonBoxes b;
    b.givenNames = toRecord(givenNames_->text());
    b.surname = toRecord(surname_->text());
    b.birthDate = toRecord(birthDate_->text());
    b.birthPlace = toRecord(birthPlace_->text());
    b.deathDate = toRecord(deathDate_->text());
    b.deathPlace = toRecord(deathPlace_->text());
    b.occupation = toRecord(occupation_->text());
    b.source = toRecord(source_->text());
    b.pictureFile = toRecord(picturePath_->text());
    b.pictureComment = toRecord(pictureComment_->text());
    b.notesFile = toRecord(notesPath_->text());
    b.male = male_->isChecked();
    b.female = female_->isChecked();
    return b;
}

// The loaded notes go back to their file; when that fails the user may
// choose another place. Only a failure there as well stops the saving.
bool PersonEditor::saveNotesOnOk() {
    const QString path = notesPath_->text();
    if (path.isEmpty() || !memo_->isEnabled()) return true;
    if (saveMemoTo(path).isEmpty()) return true;
    ctx_.ui->inform(QStringLiteral("Lineara"),
                    tr("The memo text file \"%1\" could not be saved. Please choose a "
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
