// The person editor driven as a user drives it: opened by the main
// window's double click, boxes filled and read, OK and Cancel.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>
#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

#include "gui/editor/picture_viewer.h"
#include "render/pictures/jpeg_reader.h"
#include "support/add_person.h"
#include "support/program_fixture.h"
#include "testdata/portrait.h"

namespace lineara::test {
namespace {

class PersonEditor : public ProgramFixture {
protected:
    PersonList& persons() { return test::writable(main->doc()); }
    lineara::PersonEditor* editor() { return program->personEditor(); }

    PersonRecord* add(const char* given, const char* surname) {
        return addPerson(persons(), given, surname);
    }
    template <class W>
    W* child(const char* name) {
        W* w = editor()->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    QLineEdit* box(const char* name) { return child<QLineEdit>(name); }
    QString u(const char* utf8) { return QString::fromUtf8(utf8); }

    // Opens the editor on `p` as a double click on its box does and lets
    // `act` work in the shown window.
    void edit(PersonRecord* p, const std::function<void()>& act) {
        editor()->setRunner([&act](lineara::PersonEditor& window) {
            window.show();
            act();
            window.hide();
        });
        persons().setCurrentPerson(p);
        main->interaction().doubleClick();
    }
    std::string text(const PersonRecord* p, TextField f) { return std::string(p->text(f)); }
    // Two persons linked in the given slots.
    static void link(PersonRecord* a, int slotA, PersonRecord* b, int slotB) {
        a->partner[slotA] = b;
        b->partner[slotB] = a;
    }
};

TEST_F(PersonEditor, FieldsInAndOutThroughOk) {
    PersonRecord* p = add("Jan", "Nowak");
    p->setText(field::birthPlace, "Krak\xf3w");  // CP1250
    p->setText(field::sex, "?");
    edit(p, [&] {
        EXPECT_EQ(editor()->windowTitle(), u("Jan Nowak"));
        EXPECT_EQ(box("Edit5")->text(), u("Kraków"));
        EXPECT_TRUE(child<QRadioButton>("RadioButton1")->isChecked());
        EXPECT_TRUE(child<QLabel>("Image1")->isVisible());
        EXPECT_FALSE(child<QLabel>("Image2")->isVisible());
        EXPECT_EQ(child<QTabWidget>("PageControl1")->currentIndex(), 0);
        box("Edit1")->setText(u("  Łucja "));
        box("Edit7")->setText(u("Poznań"));
        child<QRadioButton>("RadioButton2")->click();
        EXPECT_TRUE(child<QLabel>("Image2")->isVisible());
        child<QPushButton>("Button1")->click();
    });
    EXPECT_EQ(text(p, field::givenNames), "\xa3ucja");
    EXPECT_EQ(text(p, field::occupation), "Pozna\xf1");
    EXPECT_EQ(text(p, field::sex), "F");
    EXPECT_TRUE(persons().treeModified());
}

// Keys after the editor must reach the window it was opened from, also
// where no window manager hands the focus back.
TEST_F(PersonEditor, ClosingGivesTheFocusBackToTheWindowItWasOpenedFrom) {
    PersonRecord* p = add("Jan", "Nowak");
    main->activateWindow();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), main);
    edit(p, [&] {
        editor()->activateWindow();
        QApplication::processEvents();
        EXPECT_EQ(QApplication::activeWindow(), editor());
    });
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeWindow(), main);
}

TEST_F(PersonEditor, CaptionFollowsTheNameBoxes) {
    PersonRecord* p = add("Jan", "Nowak");
    edit(p, [&] {
        box("Edit1")->setText(QString());
        EXPECT_EQ(editor()->windowTitle(), u("Nowak").prepend(QLatin1Char(' ')));
        box("Edit2")->setText(QString());
        EXPECT_EQ(editor()->windowTitle(), u("Person"));
    });
}

TEST_F(PersonEditor, CancelLeavesPersonAndPartnersUntouched) {
    PersonRecord* p = add("Jan", "Nowak");
    PersonRecord* anna = add("Anna", "Lis");
    link(p, 1, anna, 1);
    persons().setTreeModified(false);
    edit(p, [&] {
        box("Edit1")->setText(u("Józef"));
        box("Edit11")->setFocus();
        QTest::keyClicks(box("Edit11"), QStringLiteral("1920"));
        child<QPushButton>("Button2")->click();
    });
    EXPECT_EQ(text(p, field::givenNames), "Jan");
    EXPECT_TRUE(p->isEmpty(field::relationDate(1)));
    EXPECT_TRUE(anna->isEmpty(field::relationDate(1)));
    EXPECT_FALSE(persons().treeModified());
}

TEST_F(PersonEditor, RelationshipRowsMapToFilledSlotsAndReachBothSides) {
    PersonRecord* p = add("Jan", "Nowak");
    PersonRecord* anna = add("Anna", "Lis");
    PersonRecord* ewa = add("Ewa", "Kot");
    link(p, 2, anna, 3);
    link(p, 5, ewa, 1);
    p->setText(field::relationDate(5), "1930");
    ewa->setText(field::relationDate(1), "1930");
    edit(p, [&] {
        auto* grid = child<QTableWidget>("StringGrid1");
        ASSERT_EQ(grid->rowCount(), 2);
        EXPECT_EQ(grid->item(0, 0)->text(), u("Anna Lis"));
        EXPECT_EQ(box("Edit10")->text(), u("Anna Lis"));
        grid->selectRow(1);
        EXPECT_EQ(box("Edit11")->text(), u("1930"));
        box("Edit12")->setFocus();
        QTest::keyClicks(box("Edit12"), QStringLiteral("Lwow"));
        auto* types = child<QComboBox>("ComboBox1");
        types->setCurrentIndex(2);
        emit types->activated(2);  // "Rozwód"
        EXPECT_EQ(grid->item(1, 3)->text(), QStringLiteral("D"));
        child<QPushButton>("Button1")->click();
    });
    EXPECT_EQ(text(p, field::relationPlace(5)), "Lwow");
    EXPECT_EQ(p->relationType(5), 'D');
    EXPECT_EQ(text(ewa, field::relationPlace(1)), "Lwow");
    EXPECT_EQ(ewa->relationType(1), 'D');
    EXPECT_TRUE(anna->isEmpty(field::relationPlace(3)));
}

// The user tabs into the box and out again.
void leave(QWidget* box) {
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QApplication::sendEvent(box, &in);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &out);
}

// Clicking the picture's "W&yczyść" disables it, and Qt would pass the
// focus on to the birth date; OK then rewrote a date nobody had touched.
TEST_F(PersonEditor, OnlyADateBoxTheUserWasInIsStandardized) {
    const QString notes = t.folder() + QStringLiteral("/jan.txt");
    {
        QFile f(notes);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    PersonRecord* p = add("Jan", "Nowak");
    p->setText(field::pictureFile, "missing.jpg");
    p->setText(field::notesFile, notes.toStdString());
    p->setText(field::birthDate, "24.6.1873");
    p->setText(field::deathDate, "5.12.1850");
    t.ctx.settings.dateStandardization = true;
    edit(p, [&] {
        editor()->activateWindow();
        QApplication::processEvents();
        ASSERT_EQ(QApplication::activeWindow(), editor());
        auto* ok = child<QPushButton>("Button1");
        QTest::mouseClick(child<QPushButton>("Button7"), Qt::LeftButton);
        EXPECT_EQ(editor()->focusWidget(), ok);
        auto* clearNotes = child<QToolButton>("SpeedButton3");
        clearNotes->setFocus(Qt::TabFocusReason);
        QTest::keyClick(clearNotes, Qt::Key_Space);
        EXPECT_FALSE(clearNotes->isEnabled());
        EXPECT_EQ(editor()->focusWidget(), ok);
        // Put there by the program, left by the user: still untouched.
        box("MaskEdit1")->setFocus();
        QTest::mouseClick(box("MaskEdit2"), Qt::LeftButton);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    EXPECT_EQ(text(p, field::birthDate), "24.6.1873");
    EXPECT_EQ(text(p, field::deathDate), "5 Dec 1850");
}

// Every box of a one-line field: a pasted tab or line break would break
// the box, the caption and every one-line-per-field output.
TEST_F(PersonEditor, PastedControlCharactersNeverReachTheRecord) {
    PersonRecord* p = add("Jan", "Nowak");
    PersonRecord* anna = add("Anna", "Lis");
    link(p, 1, anna, 1);
    p->setText(field::pictureFile, "missing.jpg");
    t.ctx.settings.dateStandardization = false;
    QApplication::clipboard()->setText(
        QStringLiteral("a\tb\r\nc\x01"
                       "d\ne"));
    const QString clean = QStringLiteral("a b cd e");
    edit(p, [&] {
        for (const char* name : {"Edit1", "Edit2", "MaskEdit1", "Edit5", "MaskEdit2", "Edit6",
                                 "Edit7", "Edit9", "Edit8", "Edit11", "Edit12"}) {
            QLineEdit* b = box(name);
            b->selectAll();
            QTest::keySequence(b, QKeySequence::Paste);
            EXPECT_EQ(b->text(), clean) << name;
        }
        EXPECT_EQ(editor()->windowTitle(), clean + QLatin1Char(' ') + clean);
        child<QPushButton>("Button1")->click();
    });
    for (TextField f : {field::givenNames, field::surname, field::birthDate, field::birthPlace,
                        field::deathDate, field::deathPlace, field::occupation, field::source,
                        field::pictureComment, field::relationDate(1), field::relationPlace(1)}) {
        EXPECT_EQ(text(p, f), "a b cd e");
    }
    EXPECT_EQ(text(anna, field::relationPlace(1)), "a b cd e");
}

// WCAG's contrast ratio of two colours, 1 to 21.
double contrast(QColor a, QColor b) {
    auto luminance = [](QColor c) {
        auto channel = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) +
               0.0722 * channel(c.blueF());
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The highest contrast of any pixel of the widget against its background.
double bestContrast(QWidget* widget) {
    const QImage shot = widget->grab().toImage();
    const QColor back = shot.pixelColor(1, 1);
    double best = 1;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            best = std::max(best, contrast(back, shot.pixelColor(x, y)));
        }
    }
    return best;
}

TEST_F(PersonEditor, OpensReadablyAtTheStartOfLongTexts) {
    PersonRecord* p = add("Jan", "Nowak");
    p->setText(field::source, std::string(100, 's'));
    p->setText(field::pictureFile, "missing.jpg");
    p->setText(field::pictureComment, std::string(246, 'k'));
    p->setText(field::notesFile, "nowhere/missing.txt");
    t.user.fileAnswers.push_back(QStringLiteral("nowhere/other.txt"));
    edit(p, [&] {
        EXPECT_EQ(box("Edit9")->cursorPosition(), 0);
        EXPECT_EQ(box("Edit8")->cursorPosition(), 0);
        // The not-found line, as the user sees it when the editor opens and
        // after choosing a file that is gone.
        auto* memo = child<QPlainTextEdit>("Memo1");
        EXPECT_GE(bestContrast(memo->viewport()), 4.5);
        child<QToolButton>("SpeedButton1")->click();
        ASSERT_EQ(memo->toPlainText(), QStringLiteral("Text file not found: nowhere/other.txt"));
        EXPECT_EQ(memo->viewport()->grab().toImage().pixelColor(1, 1), QColor(128, 128, 128));
        EXPECT_GE(bestContrast(memo->viewport()), 4.5);
    });
}

TEST_F(PersonEditor, DatesAreStandardizedOnLeavingTheBox) {
    PersonRecord* p = add("Jan", "Nowak");
    PersonRecord* anna = add("Anna", "Lis");
    link(p, 1, anna, 1);
    t.ctx.settings.dateStandardization = true;
    edit(p, [&] {
        box("MaskEdit2")->setText(QStringLiteral("5.12.1850"));
        EXPECT_EQ(box("MaskEdit2")->text(), QStringLiteral("5.12.1850"));
        leave(box("MaskEdit2"));
        EXPECT_EQ(box("MaskEdit2")->text(), QStringLiteral("5 Dec 1850"));
        box("Edit11")->setText(QStringLiteral("5.12.1850"));
        leave(box("Edit11"));
        EXPECT_EQ(child<QTableWidget>("StringGrid1")->item(0, 1)->text(),
                  QStringLiteral("5 Dec 1850"));
    });
    t.ctx.settings.dateStandardization = false;
    edit(p, [&] {
        box("MaskEdit1")->setText(QStringLiteral("5.12.1850"));
        leave(box("MaskEdit1"));
        EXPECT_EQ(box("MaskEdit1")->text(), QStringLiteral("5.12.1850"));
    });
}

TEST_F(PersonEditor, WithoutRelationshipsOnlyTheNoticeShows) {
    PersonRecord* p = add("Jan", "Nowak");
    edit(p, [&] {
        child<QTabWidget>("PageControl1")->setCurrentIndex(1);
        EXPECT_FALSE(child<QWidget>("GridArea")->isVisible());
        EXPECT_TRUE(child<QLabel>("NoRelations")->isVisible());
        child<QPushButton>("Button1")->click();
    });
    for (int slot = 1; slot <= kRelationSlots; ++slot) EXPECT_EQ(p->partner[slot], nullptr);
}

TEST_F(PersonEditor, OkPassesTheDataToTheAliasBox) {
    PersonRecord* original = add("Jan", "Nowak");
    PersonRecord* aliasBox = add("Jan", "Nowak");
    original->setText(field::aliasMark, "ALIAS");
    aliasBox->setText(field::aliasMark, "REF");
    aliasBox->father = original;
    edit(original, [&] {
        box("Edit9")->setText(QStringLiteral("parish book"));
        child<QPushButton>("Button1")->click();
    });
    EXPECT_EQ(text(aliasBox, field::source), "parish book");
    EXPECT_TRUE(t.user.messages().isEmpty())
        << t.user.messages().join(QLatin1Char('\n')).toStdString();
}

TEST_F(PersonEditor, AnAliasBoxOpensReadOnlyWithTheFocusOnOk) {
    PersonRecord* original = add("Jan", "Nowak");
    PersonRecord* aliasBox = add("Jan", "Nowak");
    aliasBox->setText(field::aliasMark, "REF");
    aliasBox->father = original;
    edit(aliasBox, [&] {
        EXPECT_FALSE(box("Edit1")->isEnabled());
        EXPECT_FALSE(child<QRadioButton>("RadioButton1")->isEnabled());
        EXPECT_FALSE(child<QToolButton>("SpeedButton2")->isEnabled());
        EXPECT_EQ(editor()->focusWidget(), child<QPushButton>("Button1"));
    });
}

TEST_F(PersonEditor, DuplicateNamesAreNoticedButSavingGoesOn) {
    PersonRecord* p = add("Jan", "Nowak");
    PersonRecord* other = add("JAN", "nowak");
    other->setText(field::birthDate, "1900");
    edit(p, [&] { child<QPushButton>("Button1")->click(); });
    ASSERT_EQ(t.user.messages().size(), 1);
    EXPECT_EQ(t.user.messages()[0],
              u("Notatka:    W drzewie istnieje juz osoba z nazwiskiem \"JAN nowak\", born 1900"));
}

TEST_F(PersonEditor, ClearingThePictureEmptiesTheComment) {
    PersonRecord* p = add("Jan", "Nowak");
    p->setText(field::pictureFile, "missing.jpg");
    p->setText(field::pictureComment, "at home");
    edit(p, [&] {
        EXPECT_EQ(child<QLabel>("Panel1")->text(), u("Picture not found"));
        EXPECT_TRUE(box("Edit8")->isEnabled());
        child<QPushButton>("Button7")->click();
        EXPECT_EQ(child<QLabel>("Panel1")->text(), u("Zdjecie"));
        EXPECT_FALSE(box("Edit8")->isEnabled());
        child<QPushButton>("Button1")->click();
    });
    EXPECT_TRUE(p->isEmpty(field::pictureFile));
    EXPECT_TRUE(p->isEmpty(field::pictureComment));
}

TEST_F(PersonEditor, NotesMemoLoadsSavesAndShowsAMissingFile) {
    const QString notes = t.folder() + QStringLiteral("/jan.txt");
    {
        QFile f(notes);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("first line\r\n");
    }
    PersonRecord* p = add("Jan", "Nowak");
    p->setText(field::notesFile, notes.toStdString());
    edit(p, [&] {
        auto* memo = child<QPlainTextEdit>("Memo1");
        EXPECT_EQ(memo->toPlainText(), u("first line"));
        EXPECT_TRUE(child<QToolButton>("SpeedButton3")->isEnabled());
        memo->setPlainText(QStringLiteral("changed"));
        child<QPushButton>("Button1")->click();
    });
    QFile f(notes);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("changed\n"));

    p->setText(field::notesFile, "nowhere/missing.txt");
    edit(p, [&] {
        auto* memo = child<QPlainTextEdit>("Memo1");
        EXPECT_FALSE(memo->isEnabled());
        EXPECT_EQ(memo->toPlainText(), u("Text file not found: nowhere/missing.txt"));
        child<QPushButton>("Button1")->click();
    });
    EXPECT_FALSE(QFile::exists(QStringLiteral("nowhere/missing.txt")));
    // Dropping the missing file does not write the not-found line either.
    edit(p, [&] {
        child<QToolButton>("SpeedButton3")->click();
        EXPECT_EQ(child<QPlainTextEdit>("Memo1")->toPlainText(), QString());
        child<QPushButton>("Button1")->click();
    });
    EXPECT_TRUE(p->isEmpty(field::notesFile));
    EXPECT_FALSE(QFile::exists(QStringLiteral("nowhere/missing.txt")));
}

TEST_F(PersonEditor, NewNotesFileIsProposedFromTheNames) {
    PersonRecord* p = add("Jan K.", "Nowak");
    const QString chosen = t.folder() + QStringLiteral("/new.txt");
    t.user.fileAnswers.push_back(chosen);
    edit(p, [&] {
        child<QToolButton>("SpeedButton2")->click();
        EXPECT_TRUE(child<QPlainTextEdit>("Memo1")->isEnabled());
        child<QPushButton>("Button2")->click();
    });
    ASSERT_EQ(t.user.fileDialogs.size(), 1);
    EXPECT_EQ(t.user.fileDialogs[0].initialPath, u("Jan K_ Nowak.txt"));
    EXPECT_EQ(t.user.fileDialogs[0].title, u("Create new text file"));
    EXPECT_TRUE(QFile::exists(chosen));
    EXPECT_TRUE(p->isEmpty(field::notesFile));  // cancelled
}

// The notes were loaded from a folder that is gone by the time of OK.
class NotesSaveFailure : public PersonEditor {
protected:
    void SetUp() override {
        PersonEditor::SetUp();
        folder = t.folder() + QStringLiteral("/gone");
        ASSERT_TRUE(QDir().mkpath(folder));
        QFile f(folder + QStringLiteral("/jan.txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old\n");
        p = add("Jan", "Nowak");
        p->setText(field::notesFile, (folder + QStringLiteral("/jan.txt")).toStdString());
    }
    void typeAndPressOk() {
        child<QPlainTextEdit>("Memo1")->setPlainText(QStringLiteral("kept"));
        ASSERT_TRUE(QDir(folder).removeRecursively());
        child<QPushButton>("Button1")->click();
    }
    QString folder;
    PersonRecord* p = nullptr;
};

TEST_F(NotesSaveFailure, TheUserChoosesANewPlace) {
    const QString chosen = t.folder() + QStringLiteral("/elsewhere.txt");
    t.user.fileAnswers.push_back(chosen);
    edit(p, [&] {
        typeAndPressOk();
        EXPECT_FALSE(editor()->isVisible());
    });
    ASSERT_EQ(t.user.fileDialogs.size(), 1);
    EXPECT_EQ(t.user.fileDialogs[0].initialPath, QStringLiteral("jan.txt"));
    EXPECT_TRUE(t.user.messages()[0].startsWith(QStringLiteral("The memo text file \"")));
    EXPECT_EQ(text(p, field::notesFile), chosen.toStdString());
    QFile f(chosen);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("kept\n"));
}

TEST_F(NotesSaveFailure, ASecondFailureKeepsTheWindowOpenAndTheCopy) {
    t.user.fileAnswers.push_back(folder + QStringLiteral("/again.txt"));
    edit(p, [&] {
        box("Edit9")->setText(QStringLiteral("changed"));
        typeAndPressOk();
        EXPECT_TRUE(editor()->isVisible());
        EXPECT_TRUE(editor()->workingCopy()->isEmpty(field::source));
        EXPECT_EQ(t.user.messages().size(), 2);
    });
    EXPECT_TRUE(p->isEmpty(field::source));
}

TEST_F(NotesSaveFailure, CancellingTheDialogKeepsThePathAndSaves) {
    edit(p, [&] {
        box("Edit9")->setText(QStringLiteral("changed"));
        typeAndPressOk();
    });
    EXPECT_EQ(text(p, field::source), "changed");
    EXPECT_EQ(text(p, field::notesFile), (folder + QStringLiteral("/jan.txt")).toStdString());
}

// A JPEG written with libjpeg, for the reader and the viewer.
QString writeJpeg(const QString& path) {
    PortraitStyle style{{200, 200, 220}, {120, 120, 160}, {40, 40, 40}, false};
    std::vector<uint8_t> jpeg;
    std::string error;
    EXPECT_TRUE(encodeJpeg(drawPortrait(style), kPortraitWidth, kPortraitHeight, jpeg, error))
        << error;
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(reinterpret_cast<const char*>(jpeg.data()), static_cast<qint64>(jpeg.size()));
    return path;
}

TEST_F(PersonEditor, JpegReaderReadsAndRefusesDamagedFiles) {
    const QString good = writeJpeg(t.folder() + QStringLiteral("/p.jpg"));
    const QImage image = readJpeg(good);
    EXPECT_EQ(image.size(), QSize(kPortraitWidth, kPortraitHeight));

    QFile in(good);
    ASSERT_TRUE(in.open(QIODevice::ReadOnly));
    const QByteArray bytes = in.readAll();
    const QString cut = t.folder() + QStringLiteral("/cut.jpg");
    QFile out(cut);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bytes.left(40));  // the header breaks off
    out.close();
    EXPECT_TRUE(readJpeg(cut).isNull());
    EXPECT_TRUE(readJpeg(t.folder() + QStringLiteral("/none.jpg")).isNull());
}

TEST_F(PersonEditor, ClickOnThePictureOpensTheViewerAtNaturalSize) {
    const QString picture = writeJpeg(t.folder() + QStringLiteral("/p.jpg"));
    PersonRecord* p = add("Jan", "Nowak");
    p->setText(field::pictureFile, picture.toStdString());
    edit(p, [&] {
        auto* image = child<QLabel>("AdvImage1");
        EXPECT_FALSE(image->pixmap().isNull());
        QTest::mouseClick(image, Qt::LeftButton);
        PictureViewer* viewer = editor()->pictureViewer();
        ASSERT_NE(viewer, nullptr);
        EXPECT_TRUE(viewer->isVisible());
        EXPECT_EQ(viewer->windowTitle(), picture);
        EXPECT_EQ(viewer->pictureBox()->size(), QSize(kPortraitWidth, kPortraitHeight));
        viewer->close();
    });
}

TEST_F(PersonEditor, ThePictureViewerClosesWithTheEditor) {
    const QString picture = writeJpeg(t.folder() + QStringLiteral("/p.jpg"));
    PersonRecord* p = add("Jan", "Nowak");
    p->setText(field::pictureFile, picture.toStdString());
    for (const char* button : {"Button1", "Button2"}) {
        editor()->setRunner([&](lineara::PersonEditor& window) {
            window.show();
            QTest::mouseClick(child<QLabel>("AdvImage1"), Qt::LeftButton);
            ASSERT_TRUE(editor()->pictureViewer()->isVisible());
            child<QPushButton>(button)->click();
        });
        persons().setCurrentPerson(p);
        main->interaction().doubleClick();
        EXPECT_FALSE(editor()->pictureViewer()->isVisible()) << button;
    }
}

TEST_F(PersonEditor, PendingLinkOpensOnTheRelationshipPage) {
    PersonRecord* p = add("Jan", "Nowak");
    int page = -1;
    editor()->setRunner([&](lineara::PersonEditor& window) {
        window.show();
        page = window.findChild<QTabWidget*>()->currentIndex();
        window.hide();
    });
    editor()->editPerson(main->doc(), p, true);
    EXPECT_EQ(page, 1);
}

}  // namespace
}  // namespace lineara::test
