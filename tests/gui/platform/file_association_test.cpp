// The file association: the keys the program's own lookup reads, and the
// MIME type and desktop entry that file managers read.
#include "gui/platform/file_association.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "gui/platform/desktop_shell.h"
#include "support/temp_dir.h"

namespace lineara {
namespace {

QString readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QStringLiteral("<unreadable>");
    return QString::fromUtf8(file.readAll());
}

class FileAssociationTest : public ::testing::Test {
protected:
    test::TempDir dir;
    Registry registry{dir.file("registry.ini")};
    QString dataHome = QString::fromStdString(dir.file("share"));
    QString exe = QStringLiteral("/opt/lineara/lineara");

    QString mimeFile() const { return dataHome + QStringLiteral("/mime/packages/lineara.xml"); }
    QString desktopFile() const {
        return dataHome + QStringLiteral("/applications/lineara.desktop");
    }
};

TEST_F(FileAssociationTest, WritesTheAssociationKeys) {
    registerFileAssociation(registry, exe, dataHome);
    Registry r(registry.filePath());  // as the next start finds them
    EXPECT_EQ(r.value(".ln3", ""), "lineara_file");
    EXPECT_EQ(r.value("lineara_file", ""), "Lineara Tree");
    EXPECT_EQ(r.value("lineara_file\\DefaultIcon", ""), "/opt/lineara/lineara,0");
    EXPECT_TRUE(r.keyExists("lineara_file\\shell"));
    EXPECT_TRUE(r.keyExists("lineara_file\\shell\\open"));
    EXPECT_FALSE(r.value("lineara_file\\shell", "").has_value());
    EXPECT_FALSE(r.value("lineara_file\\shell\\open", "").has_value());
    EXPECT_EQ(r.value("lineara_file\\shell\\open\\command", ""), "\"/opt/lineara/lineara\" %1");

    // The program's own lookup follows them to the command.
    DesktopShell shell(r);
    EXPECT_EQ(shell.defaultProgramFor(QStringLiteral(".ln3")),
              QStringLiteral("\"/opt/lineara/lineara\" %1"));
}

TEST_F(FileAssociationTest, InstallsMimeTypeAndDesktopEntry) {
    registerFileAssociation(registry, exe, dataHome);
    const QString mime = readAll(mimeFile());
    EXPECT_TRUE(mime.contains(QStringLiteral("<mime-type type=\"application/x-lineara-tree\">")))
        << mime.toStdString();
    EXPECT_TRUE(mime.contains(QStringLiteral("<glob pattern=\"*.ln3\"/>")));
    EXPECT_TRUE(mime.contains(QStringLiteral("<comment>Lineara Tree</comment>")));

    const QStringList entry = readAll(desktopFile()).split(QLatin1Char('\n'));
    EXPECT_EQ(entry.value(0), QStringLiteral("[Desktop Entry]"));
    EXPECT_TRUE(entry.contains(QStringLiteral("Exec=/opt/lineara/lineara %f")));
    EXPECT_TRUE(entry.contains(QStringLiteral("MimeType=application/x-lineara-tree;")));
    EXPECT_TRUE(entry.contains(QStringLiteral("Type=Application")));
    EXPECT_EQ(DesktopShell::execLineOf(desktopFile()), QStringLiteral("/opt/lineara/lineara %f"));
}

TEST_F(FileAssociationTest, UnchangedFilesAreNotRewritten) {
    registerFileAssociation(registry, exe, dataHome);
    // Date the files back; a rewrite would give them the present time.
    const QDateTime old = QDateTime::currentDateTime().addDays(-10);
    for (const QString& path : {mimeFile(), desktopFile()}) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(old, QFileDevice::FileModificationTime));
    }
    registerFileAssociation(registry, exe, dataHome);
    EXPECT_LT(QFileInfo(mimeFile()).lastModified(), old.addSecs(1));
    EXPECT_LT(QFileInfo(desktopFile()).lastModified(), old.addSecs(1));

    // A moved program updates the entry.
    registerFileAssociation(registry, QStringLiteral("/usr/bin/lineara"), dataHome);
    EXPECT_TRUE(readAll(desktopFile()).contains(QStringLiteral("Exec=/usr/bin/lineara %f")));
    EXPECT_EQ(registry.value("lineara_file\\shell\\open\\command", ""), "\"/usr/bin/lineara\" %1");
}

TEST_F(FileAssociationTest, FailuresAreIgnored) {
    // The data folder is a plain file: no files, but the keys still go in.
    QFile plain(dataHome);
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    registerFileAssociation(registry, exe, dataHome);
    EXPECT_EQ(registry.value(".ln3", ""), "lineara_file");
    EXPECT_FALSE(QFileInfo::exists(desktopFile()));

    // Nor does an unwritable settings file stop anything.
    Registry unwritable(dir.file("registry.ini/inside"));
    registerFileAssociation(unwritable, exe, QString());
    EXPECT_EQ(unwritable.value(".ln3", ""), "lineara_file");
}

TEST(DesktopExecArgument, QuotesAndEscapesReservedCharacters) {
    EXPECT_EQ(desktopExecArgument(QStringLiteral("/usr/bin/lineara")),
              QStringLiteral("/usr/bin/lineara"));
    EXPECT_EQ(desktopExecArgument(QStringLiteral("/opt/my apps/lineara")),
              QStringLiteral("\"/opt/my apps/lineara\""));
    // "%" is doubled everywhere; inside quotes "$" takes a backslash, which
    // the value's own escaping doubles.
    EXPECT_EQ(desktopExecArgument(QStringLiteral("/opt/100%/lineara")),
              QStringLiteral("/opt/100%%/lineara"));
    EXPECT_EQ(desktopExecArgument(QStringLiteral("/opt/$x/a\"b")),
              QStringLiteral("\"/opt/\\\\$x/a\\\\\"b\""));
    EXPECT_EQ(desktopExecArgument(QStringLiteral("/opt/a\\b")),
              QStringLiteral("\"/opt/a\\\\\\\\b\""));
}

}  // namespace
}  // namespace lineara
