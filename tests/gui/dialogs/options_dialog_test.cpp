// The options dialog driven as a user drives it: the font sample and its
// "Zmień", the character-set list, and the four flags written on close.
#include "gui/dialogs/options_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFontDialog>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>

#include "gui/platform/qt_user_interaction.h"
#include "support/fake_shell.h"

namespace lineara {
namespace {

class OptionsDialogTest : public ::testing::Test {
protected:
    test::TestContext t;

    template <typename T>
    static T* child(QWidget& dialog, const char* name) {
        T* w = dialog.findChild<T*>(QLatin1String(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static QLabel* sample(QWidget& d) { return child<QLabel>(d, "fontSample"); }
    static QListWidget* charsets(QWidget& d) { return child<QListWidget>(d, "charsetList"); }
    static QCheckBox* box(QWidget& d, const char* name) { return child<QCheckBox>(d, name); }
};

TEST_F(OptionsDialogTest, OpensOnTheFontPageWithTheScreenFont) {
    OptionsDialog dialog(t.ctx, nullptr);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Opcje"));
    auto* pages = child<QTabWidget>(dialog, "pages");
    EXPECT_EQ(pages->tabText(pages->currentIndex()), QStringLiteral("Czcionki"));
    EXPECT_EQ(pages->tabText(1), QStringLiteral("Program"));

    EXPECT_EQ(sample(dialog)->text(), QStringLiteral("Times New Roman (16)"));
    EXPECT_EQ(sample(dialog)->toolTip(), QStringLiteral("Times New Roman (16)"));
    EXPECT_EQ(sample(dialog)->font().pointSize(), 16);
    EXPECT_EQ(charsets(dialog)->count(), 19);
    EXPECT_EQ(charsets(dialog)->currentItem()->text(), QStringLiteral("System Default"));
    EXPECT_EQ(charsets(dialog)->item(18)->text(), QStringLiteral("Vietnamese characters "));

    // Showing again after the user left the other page opens on fonts.
    dialog.hide();
    pages->setCurrentIndex(1);
    dialog.show();
    EXPECT_EQ(pages->currentIndex(), 0);
}

TEST_F(OptionsDialogTest, ChoosingACharsetAppliesItAtOnce) {
    OptionsDialog dialog(t.ctx, nullptr);
    QSignalSpy chosen(&dialog, &OptionsDialog::charsetChosen);
    QListWidget* list = charsets(dialog);
    auto vietnamese = list->findItems(QStringLiteral("Vietnamese characters "), Qt::MatchExactly);
    ASSERT_EQ(vietnamese.size(), 1);
    list->setCurrentItem(vietnamese.first());

    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toInt(), 19);
    EXPECT_EQ(t.ctx.settings.charsetChoice, 19);
    EXPECT_EQ(t.ctx.codec.charsetCode(), 163);
    EXPECT_STREQ(t.ctx.codec.codePage(), "CP1258");
    // The choice is written by the close query, not here.
    EXPECT_EQ(t.stored("ScreenCharset"), "<absent>");

    // Selecting for the start-up's own apply is silent.
    dialog.selectCharset(4);
    EXPECT_EQ(chosen.count(), 1);
    EXPECT_EQ(list->currentRow(), 3);
    EXPECT_EQ(t.ctx.settings.charsetChoice, 19);
}

TEST_F(OptionsDialogTest, ApplyingAChoiceSetsTheCodePage) {
    applyCharsetChoice(t.ctx, 15);
    EXPECT_EQ(t.ctx.codec.charsetCode(), 1);
    EXPECT_STREQ(t.ctx.codec.codePage(), "CP1250");
    applyCharsetChoice(t.ctx, 5);
    EXPECT_STREQ(t.ctx.codec.codePage(), "CP1251");
    for (int outside : {0, 20}) {
        applyCharsetChoice(t.ctx, outside);
        EXPECT_EQ(t.ctx.settings.charsetChoice, outside);
        EXPECT_EQ(t.ctx.codec.charsetCode(), 0);
        EXPECT_STREQ(t.ctx.codec.codePage(), "CP1252");
    }
}

TEST_F(OptionsDialogTest, FlagsComeFromTheStoreWhenTheDialogIsMade) {
    t.registry.write(kSettingsKey, "Date_Standardization", "No");
    t.registry.write(kSettingsKey, "quality_check_on_save", "Yes");
    // What the program holds in memory does not matter here.
    t.ctx.settings.qualityCheckOnOpen = true;
    OptionsDialog dialog(t.ctx, nullptr);
    EXPECT_FALSE(box(dialog, "dateStandardizationBox")->isChecked());
    EXPECT_TRUE(box(dialog, "showHintsBox")->isChecked());
    EXPECT_FALSE(box(dialog, "qualityCheckOnOpenBox")->isChecked());
    EXPECT_TRUE(box(dialog, "qualityCheckOnSaveBox")->isChecked());
    EXPECT_EQ(box(dialog, "dateStandardizationBox")->text(),
              QString::fromUtf8("Formatuj daty według standardu GEDCOM"));
    EXPECT_EQ(box(dialog, "showHintsBox")->text(), QStringLiteral("Pokazuj opisy pozycji"));
    EXPECT_EQ(box(dialog, "qualityCheckOnOpenBox")->text(),
              QStringLiteral("Automatyczne sprawdzenie przy otwarciu"));
    EXPECT_EQ(box(dialog, "qualityCheckOnSaveBox")->text(),
              QStringLiteral("Automatyczne sprawdzenie przy zapisywaniu"));
}

TEST_F(OptionsDialogTest, EveryWayOfClosingWritesTheFlags) {
    const std::function<void(OptionsDialog&)> closers[] = {
        [](OptionsDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); },
        [](OptionsDialog& d) { child<QPushButton>(d, "closeButton")->click(); },
        [](OptionsDialog& d) { d.close(); },
    };
    int round = 0;
    for (const auto& close : closers) {
        SCOPED_TRACE(round);
        const bool on = round++ % 2 == 0;
        OptionsDialog dialog(t.ctx, nullptr);
        dialog.show();
        box(dialog, "dateStandardizationBox")->setChecked(!on);
        box(dialog, "showHintsBox")->setChecked(on);
        box(dialog, "qualityCheckOnOpenBox")->setChecked(on);
        box(dialog, "qualityCheckOnSaveBox")->setChecked(!on);
        close(dialog);

        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(t.ctx.settings.dateStandardization, !on);
        EXPECT_EQ(t.ctx.settings.qualityCheckOnOpen, on);
        EXPECT_EQ(t.stored("Date_Standardization"), on ? "No" : "Yes");
        EXPECT_EQ(t.stored("Show_Name_Hints"), on ? "Yes" : "No");
        EXPECT_EQ(t.stored("quality_check_on_open"), on ? "Yes" : "No");
        EXPECT_EQ(t.stored("quality_check_on_save"), on ? "No" : "Yes");
    }
}

TEST_F(OptionsDialogTest, ChangeButtonKeepsTheChosenFont) {
    OptionsDialog dialog(t.ctx, nullptr);
    QSignalSpy changed(&dialog, &OptionsDialog::screenFontChanged);
    t.user.fontAnswers.push_back(QFont(QStringLiteral("Liberation Sans"), 11));
    child<QPushButton>(dialog, "changeFontButton")->click();

    // The font dialog opened on the screen font.
    EXPECT_EQ(t.user.asked, QStringList{QStringLiteral("font||Times New Roman")});
    EXPECT_EQ(t.ctx.settings.screenFontName, "Liberation Sans");
    EXPECT_EQ(t.ctx.settings.screenFontSize, 11);
    EXPECT_EQ(sample(dialog)->text(), QStringLiteral("Liberation Sans (11)"));
    EXPECT_EQ(sample(dialog)->toolTip(), QStringLiteral("Liberation Sans (11)"));
    EXPECT_EQ(sample(dialog)->font().pointSize(), 11);
    EXPECT_EQ(changed.count(), 1);
    // Written by the close query, not here.
    EXPECT_EQ(t.stored("ScreenFontName"), "<absent>");
}

TEST_F(OptionsDialogTest, CancelledFontDialogChangesNothing) {
    OptionsDialog dialog(t.ctx, nullptr);
    QSignalSpy changed(&dialog, &OptionsDialog::screenFontChanged);
    t.user.fontAnswers.push_back(std::nullopt);
    child<QPushButton>(dialog, "changeFontButton")->click();
    EXPECT_EQ(t.user.asked.size(), 1);
    EXPECT_EQ(t.ctx.settings.screenFontName, "Times New Roman");
    EXPECT_EQ(t.ctx.settings.screenFontSize, 16);
    EXPECT_EQ(sample(dialog)->text(), QStringLiteral("Times New Roman (16)"));
    EXPECT_EQ(changed.count(), 0);
}

// The real font dialog, answered by `act` once it is up and then by OK;
// `shown` gets the font it opened on.
void answerFontDialog(QFont& shown, const std::function<void(QFontDialog&)>& act) {
    QTimer::singleShot(0, [&shown, act] {
        auto* dialog = qobject_cast<QFontDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = dialog->currentFont();
        act(*dialog);
        dialog->accept();
    });
}

// "Times New Roman" is drawn through a substitute that the dialog lists
// under its own name; the dialog must not fall back to another family,
// and a name the user kept must be stored as it was.
TEST_F(OptionsDialogTest, FontDialogOpensOnTheDrawnFamilyAndKeepsAnUnchangedName) {
    QtUserInteraction real;
    t.ctx.ui = &real;
    const QString drawn = QFontInfo(QFont(QStringLiteral("Times New Roman"))).family();
    OptionsDialog dialog(t.ctx, nullptr);
    QSignalSpy changed(&dialog, &OptionsDialog::screenFontChanged);
    QFont shown;
    answerFontDialog(shown, [](QFontDialog&) {});
    child<QPushButton>(dialog, "changeFontButton")->click();
    EXPECT_EQ(shown.family(), drawn);
    EXPECT_EQ(shown.pointSize(), 16);
    EXPECT_EQ(t.ctx.settings.screenFontName, "Times New Roman");
    EXPECT_EQ(t.ctx.settings.screenFontSize, 16);

    // Only the size changed.
    answerFontDialog(shown, [&](QFontDialog& d) { d.setCurrentFont(QFont(drawn, 12)); });
    child<QPushButton>(dialog, "changeFontButton")->click();
    EXPECT_EQ(t.ctx.settings.screenFontName, "Times New Roman");
    EXPECT_EQ(t.ctx.settings.screenFontSize, 12);
    EXPECT_EQ(sample(dialog)->text(), QStringLiteral("Times New Roman (12)"));
    EXPECT_EQ(changed.count(), 2);
}

}  // namespace
}  // namespace lineara
