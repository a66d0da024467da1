// The program as a user meets it: the welcome screen, the start with a
// file from the command line, the main window's menus, the close query
// and the settings kept for the next start.
#include "gui/app/application.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <filesystem>

#include "core/formats/tree_file.h"
#include "gui/canvas/navigator_window.h"
#include "gui/canvas/tree_canvas.h"
#include "gui/dialogs/welcome_screen.h"
#include "support/add_person.h"
#include "support/main_window_parts.h"
#include "support/scripted_user.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

using test::ScriptedUser;
using test::TempDir;

class NoDesktop : public Shell {
public:
    QString defaultProgramFor(const QString&) override { return QString(); }
    bool open(const QString& target) override {
        opened << target;
        return true;
    }
    QStringList opened;
};

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        registry = std::make_unique<Registry>(dir.file("registry.ini"));
        ctx.registry = registry.get();
        ctx.ui = &user;
        ctx.shell = &desktop;
        ctx.programDir = QString::fromStdString(dir.path()) + QLatin1Char('/');
    }
    std::unique_ptr<Application> startProgram(QStringList args = {}) {
        StartOptions options;
        options.arguments = args;
        options.welcomeSwapDraw = 0;
        auto program = std::make_unique<Application>(ctx, options);
        program->show();
        return program;
    }
    // A tree of two named persons saved in a folder whose name has a blank.
    QString sampleTree() {
        std::string folder = dir.file("my trees");
        std::filesystem::create_directory(folder);
        PersonList list;
        for (int i = 0; i < 2; ++i) {
            EXPECT_TRUE(list.LagNyPerson(i * 200 + 70, 40).ok);
            PersonRecord* p = list.edit(list.currentPerson());
            p->setText(field::givenNames, i == 0 ? "Jan" : "Ewa");
            p->setText(field::sex, i == 0 ? "M" : "F");
        }
        std::string path = folder + "/family.ln3";
        EXPECT_TRUE(SavetoFile(list, path).written());
        return QString::fromStdString(path);
    }
    static QPushButton* buttonWithText(QWidget* w, const QString& text) {
        for (QPushButton* b : w->findChildren<QPushButton*>()) {
            if (b->text() == text) return b;
        }
        return nullptr;
    }

    TempDir dir;
    std::unique_ptr<Registry> registry;
    ScriptedUser user;
    NoDesktop desktop;
    AppContext ctx;
};

TEST_F(ApplicationTest, WelcomeScreenStartsTheProgramAndOpensTheCommandLineFile) {
    QString path = sampleTree();
    // An unquoted path with a blank arrives as two arguments.
    int blank = path.indexOf(QLatin1Char(' '));
    auto program = startProgram({path.left(blank), path.mid(blank + 1)});
    MainWindow* main = program->mainWindow();
    EXPECT_EQ(program->fileToOpen(), path);
    EXPECT_FALSE(main->isEnabled());
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Proszę czekać..."));
    EXPECT_EQ(main->statusText(), QStringLiteral("Welcome to Stirpex"));
    EXPECT_TRUE(program->welcomeScreen()->isVisible());

    QPushButton* start = buttonWithText(program->welcomeScreen(), QStringLiteral("Start Lineara"));
    ASSERT_NE(start, nullptr);
    QTest::mouseClick(start, Qt::LeftButton);

    EXPECT_FALSE(program->welcomeScreen()->isVisible());
    EXPECT_TRUE(main->isEnabled());
    EXPECT_TRUE(program->navigator()->isVisible());
    EXPECT_EQ(main->windowTitle(), QStringLiteral("Lineara 1.1 [") + path + QLatin1Char(']'));
    EXPECT_EQ(main->doc().persons().count(), 2u);
    EXPECT_EQ(main->statusText(), QStringLiteral("OK"));
    EXPECT_EQ(program->navigator()->itemsText(), QStringLiteral("Items: 2"));
    EXPECT_EQ(program->navigator()->personsText(), QStringLiteral("Persons: 2"));
    EXPECT_EQ(program->navigator()->zoomText(), QStringLiteral("Zoom: 100 %"));
}

TEST_F(ApplicationTest, ColourCodeMenuRepaintsWithTheNewFill) {
    QString path = sampleTree();
    auto program = startProgram({path});
    program->start();
    MainWindow* main = program->mainWindow();
    // Ewa's box (female): white without a colour code, aqua by gender.
    const PersonRecord* ewa = main->doc().persons().personListTail();
    const ViewState& v = main->viewState();
    QPoint inside(ewa->posX() + v.scrollX + 5, ewa->posY() + v.scrollY + 70);
    ASSERT_TRUE(main->canvas()->picture().rect().contains(inside))
        << main->canvas()->picture().width() << "x" << main->canvas()->picture().height()
        << " canvas " << main->canvas()->width() << "x" << main->canvas()->height() << " at "
        << inside.x() << "," << inside.y();
    EXPECT_EQ(main->canvas()->picture().pixelColor(inside), QColor(255, 255, 255));
    main->action(QStringLiteral("ColorcodeGender"))->trigger();
    EXPECT_EQ(main->colourCode(), ColourCode::Gender);
    EXPECT_EQ(main->canvas()->picture().pixelColor(inside), QColor(0, 255, 255));
    EXPECT_TRUE(main->action(QStringLiteral("ColorcodeGender"))->isChecked());
    EXPECT_FALSE(main->action(QStringLiteral("ColorcodeNone"))->isChecked());
}

TEST_F(ApplicationTest, CloseQueryAsksAndKeepsTheWindowOnCancel) {
    auto program = startProgram();
    program->start();
    MainWindow* main = program->mainWindow();
    ASSERT_TRUE(test::writable(main->doc()).LagNyPerson(0, 0).ok);
    user.yesNoCancelAnswers = {Answer::Cancel};
    EXPECT_FALSE(main->close());
    EXPECT_EQ(main->doc().persons().count(), 1u);
    user.yesNoCancelAnswers = {Answer::No};
    EXPECT_TRUE(main->close());
    EXPECT_TRUE(main->doc().persons().empty());
}

TEST_F(ApplicationTest, CloseQueryKeepsTheWindowWhenYesDidNotSave) {
    auto program = startProgram();
    program->start();
    MainWindow* main = program->mainWindow();
    ASSERT_TRUE(test::writable(main->doc()).LagNyPerson(0, 0).ok);
    // Yes on an untitled tree, then the Save as dialog is cancelled.
    user.yesNoCancelAnswers = {Answer::Yes};
    EXPECT_FALSE(main->close());
    EXPECT_EQ(main->doc().persons().count(), 1u);
    EXPECT_TRUE(main->doc().treeModified());

    // Yes, and this time the tree is saved: the window closes.
    QString path = QString::fromStdString(dir.file("kept.ln3"));
    user.yesNoCancelAnswers = {Answer::Yes};
    user.fileAnswers = {path};
    EXPECT_TRUE(main->close());
    EXPECT_TRUE(main->doc().persons().empty());
    EXPECT_TRUE(std::filesystem::exists(path.toStdString()));
}

TEST_F(ApplicationTest, ScreenSettingsAreKeptForTheNextStart) {
    {
        auto program = startProgram();
        program->start();
        user.fontAnswers = {QFont(QStringLiteral("Liberation Sans"), 12)};
        program->chooseScreenFont();
        program->applyCharset(19);
        EXPECT_STREQ(ctx.codec.codePage(), "CP1258");
        EXPECT_TRUE(program->mainWindow()->close());
    }
    ctx.settings = AppSettings();
    auto again = startProgram();
    EXPECT_EQ(ctx.settings.screenFontName, "Liberation Sans");
    EXPECT_EQ(ctx.settings.screenFontSize, 12);
    EXPECT_EQ(ctx.settings.charsetChoice, 19);
    again->start();
    EXPECT_STREQ(ctx.codec.codePage(), "CP1258");
}

TEST_F(ApplicationTest, FileMenuHasItsCommandsAndKeys) {
    auto program = startProgram();
    MainWindow* main = program->mainWindow();
    struct Item {
        const char* name;
        const char* caption;
        QKeySequence key;
    } items[] = {{"New1", "&Nowy", {}},
                 {"Open1", "&Otwórz", QKeySequence(Qt::CTRL | Qt::Key_O)},
                 {"Save1", "&Zapisz", QKeySequence(Qt::CTRL | Qt::Key_S)},
                 {"SaveAs1", "Zapisz j&ako", {}},
                 {"Exportallfiles1", "Zapisz wszystkie p&liki", {}},
                 {"Exit1", "&Wyjście", {}}};
    for (const Item& item : items) {
        QAction* a = main->action(QString::fromLatin1(item.name));
        ASSERT_NE(a, nullptr) << item.name;
        EXPECT_EQ(a->text(), QString::fromUtf8(item.caption));
        EXPECT_EQ(a->shortcut(), item.key) << item.name;
    }
    // The tool bar's Open runs the same command: it asks for a file.
    main->action(QStringLiteral("OpenButton"))->trigger();
    EXPECT_TRUE(user.asked.last().startsWith(QLatin1String("open|")));
    EXPECT_EQ(user.fileDialogs.last().filter, QStringLiteral("Lineara files (*.ln3)"));
}

}  // namespace
}  // namespace lineara
