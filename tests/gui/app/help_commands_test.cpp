// Help and web commands: the local help pages, the browser check before a
// web page, and the help pages the program ships.
#include "gui/app/help_commands.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "support/fake_shell.h"

namespace lineara {
namespace {

const QString kNoBrowser = QStringLiteral("Lineara could not find your default internet browser.");

class HelpCommandsTest : public ::testing::Test {
protected:
    test::TestContext t;
    HelpCommands help{t.ctx};

    void givePages(std::initializer_list<const char*> pages) {
        QDir(t.folder()).mkpath(QStringLiteral("help"));
        for (const char* page : pages) {
            QFile file(help.helpFolder() + QLatin1String(page));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
    }
    void runWebCommands() {
        help.homePage();
        help.supportPage();
        help.feedbackPage();
    }
};

TEST_F(HelpCommandsTest, WebPagesNeedABrowserForBothExtensions) {
    const QMap<QString, QString> halfRegistered[] = {
        {{QStringLiteral(".html"), QStringLiteral("browser %1")}},
        {{QStringLiteral(".htm"), QStringLiteral("browser %1")}},
        {},
    };
    for (const auto& programs : halfRegistered) {
        t.shell.programs = programs;
        t.user.asked.clear();
        runWebCommands();
        EXPECT_TRUE(t.shell.opened.isEmpty());
        EXPECT_EQ(t.user.messages(), QStringList({kNoBrowser, kNoBrowser, kNoBrowser}));
    }
}

TEST_F(HelpCommandsTest, WebPagesOpenTheProductAddresses) {
    t.shell.programs[QStringLiteral(".html")] = QStringLiteral("browser %1");
    t.shell.programs[QStringLiteral(".htm")] = QStringLiteral("browser %1");
    runWebCommands();
    EXPECT_EQ(t.shell.opened, QStringList({QStringLiteral("https://lineara.example/"),
                                           QStringLiteral("https://lineara.example/support"),
                                           QStringLiteral("https://lineara.example/contact")}));
    EXPECT_TRUE(t.user.asked.isEmpty());
}

TEST_F(HelpCommandsTest, HelpOpensLocalPagesWithoutAskingForABrowser) {
    givePages({"index.html", "keywords.html", "topic-504.html", "topic-505.html"});
    help.contents();
    help.keywordSearch();
    help.topic(HelpCommands::kQualityCheckTopic);
    help.topic(HelpCommands::kDateConversionTopic);
    const QString folder = t.ctx.programDir + QStringLiteral("help/");
    EXPECT_EQ(t.shell.opened, QStringList({folder + QStringLiteral("index.html"),
                                           folder + QStringLiteral("keywords.html"),
                                           folder + QStringLiteral("topic-504.html"),
                                           folder + QStringLiteral("topic-505.html")}));
    EXPECT_TRUE(t.user.asked.isEmpty());
}

TEST_F(HelpCommandsTest, UnknownTopicShowsTheContents) {
    givePages({"index.html"});
    help.topic(999);
    EXPECT_EQ(t.shell.opened, QStringList{help.helpFolder() + QStringLiteral("index.html")});
}

TEST_F(HelpCommandsTest, MissingHelpIsReportedNotOpened) {
    help.contents();
    help.topic(504);
    EXPECT_TRUE(t.shell.opened.isEmpty());
    ASSERT_EQ(t.user.messages().size(), 2);
    EXPECT_TRUE(t.user.messages().at(0).contains(QStringLiteral("help/index.html")));
}

// Help that the desktop cannot open must not fail silently, whether it
// comes from the menu, a help button or the date question's Help.
TEST_F(HelpCommandsTest, NoProgramToOpenWithIsReported) {
    givePages({"index.html", "keywords.html", "topic-505.html"});
    t.shell.openSucceeds = false;
    help.contents();
    help.keywordSearch();
    help.topic(HelpCommands::kDateConversionTopic);
    EXPECT_EQ(t.shell.opened.size(), 3);
    EXPECT_EQ(t.user.messages(), QStringList({kNoBrowser, kNoBrowser, kNoBrowser}));

    // The browser is registered, yet the desktop fails to start it.
    t.user.asked.clear();
    t.shell.programs[QStringLiteral(".html")] = QStringLiteral("browser %1");
    t.shell.programs[QStringLiteral(".htm")] = QStringLiteral("browser %1");
    help.homePage();
    EXPECT_EQ(t.user.messages(), QStringList{kNoBrowser});
}

// Every page the commands open is shipped, and every link between the
// pages leads somewhere, anchors included.
TEST(ShippedHelp, PagesAndLinksAreComplete) {
    const QDir help(QStringLiteral(LINEARA_HELP_SOURCE));
    const QStringList opened{QStringLiteral("index.html"), QStringLiteral("keywords.html"),
                             QStringLiteral("topic-504.html"), QStringLiteral("topic-505.html"),
                             QStringLiteral("topic-506.html")};
    for (const QString& page : opened) {
        EXPECT_TRUE(help.exists(page)) << page.toStdString();
    }
    const QRegularExpression link(QStringLiteral("(?:href|src)=\"([^\":#]*)(?:#([^\"]+))?\""));
    for (const QString& page : help.entryList({QStringLiteral("*.html")})) {
        QFile file(help.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(file.readAll());
        EXPECT_TRUE(text.contains(QStringLiteral("<meta charset=\"utf-8\">")))
            << page.toStdString();
        for (auto it = link.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            // A bare "#anchor" is a place on the page itself.
            const QString target = m.captured(1).isEmpty() ? page : m.captured(1);
            SCOPED_TRACE((page + QStringLiteral(" -> ") + m.captured(0)).toStdString());
            ASSERT_TRUE(help.exists(target));
            if (m.captured(2).isEmpty()) continue;
            QFile linked(help.filePath(target));
            ASSERT_TRUE(linked.open(QIODevice::ReadOnly));
            const QString anchor = QStringLiteral("id=\"") + m.captured(2) + QLatin1Char('"');
            EXPECT_TRUE(QString::fromUtf8(linked.readAll()).contains(anchor));
        }
    }
}

}  // namespace
}  // namespace lineara
