// The default-program lookup: the settings store first, through the file
// class as the registry has it, then the desktop's MIME associations; and
// the shell's open on files and addresses.
#include "gui/platform/desktop_shell.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QMap>

#include "support/temp_dir.h"

namespace lineara {
namespace {

// A desktop with a fixed association table and application folder, which
// opens nothing but remembers what it was given.
class TestDesktop : public DesktopShell {
public:
    using DesktopShell::DesktopShell;
    QMap<QString, QString> defaults;  // MIME type -> desktop file id
    QStringList folders;
    QStringList askedTypes;
    QList<QUrl> openedUrls;

protected:
    QString defaultApplicationFor(const QString& mimeType) override {
        askedTypes << mimeType;
        return defaults.value(mimeType);
    }
    QStringList applicationFolders() const override { return folders; }
    bool openUrl(const QUrl& url) override {
        openedUrls << url;
        return true;
    }
};

void writeFile(const QString& path, const char* text) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

class DesktopShellTest : public ::testing::Test {
protected:
    test::TempDir dir;
    Registry registry{dir.file("registry.ini")};
    TestDesktop shell{registry};
    QString apps = QString::fromStdString(dir.file("applications"));

    void SetUp() override { shell.folders = {apps}; }
};

TEST_F(DesktopShellTest, StoreAnswersThroughTheFileClass) {
    registry.write(".html", "", "htmlfile");
    registry.write("htmlfile\\shell\\open\\command", "", "browser \"%1\"");
    EXPECT_EQ(shell.defaultProgramFor(QStringLiteral(".html")), QStringLiteral("browser \"%1\""));
    EXPECT_TRUE(shell.askedTypes.isEmpty());
}

TEST_F(DesktopShellTest, StoreAnswersUnderTheExtensionWithoutAClass) {
    registry.createKey(".htm");
    registry.write(".htm\\shell\\open\\command", "", "viewer %1");
    EXPECT_EQ(shell.registeredProgramFor(QStringLiteral(".htm")), QStringLiteral("viewer %1"));
}

TEST_F(DesktopShellTest, MissingKeysGiveNothingAndCreateNothing) {
    // A class that is named but not there.
    registry.write(".html", "", "nosuchclass");
    EXPECT_EQ(shell.registeredProgramFor(QStringLiteral(".html")), QString());
    EXPECT_FALSE(registry.keyExists("nosuchclass"));
    // An extension the store has never heard of.
    EXPECT_EQ(shell.registeredProgramFor(QStringLiteral(".xyz")), QString());
    EXPECT_FALSE(registry.keyExists(".xyz"));
}

TEST_F(DesktopShellTest, DesktopAnswersWhenTheStoreHasNothing) {
    shell.defaults[QStringLiteral("text/html")] = QStringLiteral("viewer.desktop");
    writeFile(apps + QStringLiteral("/viewer.desktop"),
              "[Desktop Entry]\nName=Viewer\nExec=viewer --new %u\n"
              "[Desktop Action private]\nExec=viewer --private %u\n");
    EXPECT_EQ(shell.defaultProgramFor(QStringLiteral(".html")), QStringLiteral("viewer --new %u"));
    EXPECT_EQ(shell.defaultProgramFor(QStringLiteral(".htm")), QStringLiteral("viewer --new %u"));
    EXPECT_EQ(shell.askedTypes,
              QStringList({QStringLiteral("text/html"), QStringLiteral("text/html")}));
}

TEST_F(DesktopShellTest, DesktopIdsWithDashesMayNameSubfolders) {
    shell.defaults[QStringLiteral("text/html")] = QStringLiteral("kde-viewer.desktop");
    writeFile(apps + QStringLiteral("/kde/viewer.desktop"), "[Desktop Entry]\nExec=kviewer %U\n");
    EXPECT_EQ(shell.desktopProgramFor(QStringLiteral(".html")), QStringLiteral("kviewer %U"));
}

TEST_F(DesktopShellTest, DesktopWithoutAnAnswerGivesNothing) {
    // No default application at all.
    EXPECT_EQ(shell.defaultProgramFor(QStringLiteral(".html")), QString());
    // A default application whose desktop file is gone, or has no Exec line.
    shell.defaults[QStringLiteral("text/html")] = QStringLiteral("gone.desktop");
    EXPECT_EQ(shell.defaultProgramFor(QStringLiteral(".html")), QString());
    shell.defaults[QStringLiteral("text/html")] = QStringLiteral("broken.desktop");
    writeFile(apps + QStringLiteral("/broken.desktop"), "[Desktop Action x]\nExec=other\n");
    EXPECT_EQ(shell.defaultProgramFor(QStringLiteral(".html")), QString());
    // An empty extension has no type to ask about.
    EXPECT_EQ(shell.defaultProgramFor(QString()), QString());
}

TEST_F(DesktopShellTest, OpenTellsAddressesFromFiles) {
    shell.open(QStringLiteral("https://lineara.example/support"));
    shell.open(QStringLiteral("mailto:someone@lineara.example"));
    shell.open(QStringLiteral("/tmp/my tree/index.html"));
    shell.open(QStringLiteral("/tmp/100%/a#b.html"));
    ASSERT_EQ(shell.openedUrls.size(), 4);
    EXPECT_EQ(shell.openedUrls[0], QUrl(QStringLiteral("https://lineara.example/support")));
    EXPECT_EQ(shell.openedUrls[1].scheme(), QStringLiteral("mailto"));
    EXPECT_TRUE(shell.openedUrls[2].isLocalFile());
    EXPECT_EQ(shell.openedUrls[2].toLocalFile(), QStringLiteral("/tmp/my tree/index.html"));
    EXPECT_EQ(shell.openedUrls[3].toLocalFile(), QStringLiteral("/tmp/100%/a#b.html"));

    // A relative path is a file in the current folder.
    shell.open(QStringLiteral("help/index.html"));
    EXPECT_EQ(shell.openedUrls.last().toLocalFile(),
              QDir::current().absoluteFilePath(QStringLiteral("help/index.html")));
}

}  // namespace
}  // namespace lineara
