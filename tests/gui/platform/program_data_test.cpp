// Where the program finds its help and sample: beside the executable in the
// build folder, in the installation's data folder once installed.
#include "gui/platform/program_data.h"

#include <gtest/gtest.h>

#include <QDir>
#include <filesystem>

#include "support/temp_dir.h"

namespace lineara {
namespace {

struct Layout {
    const char* what;
    const char* executableFolder;
    const char* existing;  // the one folder that exists
    const char* dataFolder;
    bool installed;
};

TEST(ProgramDataTest, DataFolderFollowsTheExecutablesFolder) {
    const Layout layouts[] = {
        {"build folder", "/home/ann/lineara/build/src", "/home/ann/lineara/build/src/help",
         "/home/ann/lineara/build/src/", false},
        {"package", "/usr/bin", "/usr/share/lineara", "/usr/share/lineara/", true},
        {"local install", "/usr/local/bin", "/usr/local/share/lineara", "/usr/local/share/lineara/",
         true},
        {"own prefix", "/opt/x/bin", "/opt/x/share/lineara", "/opt/x/share/lineara/", true},
        {"trailing slash", "/opt/x/bin/", "/opt/x/share/lineara", "/opt/x/share/lineara/", true},
        // A copy in /usr/local/bin beside a package in /usr: the copy has
        // no data of its own and must not borrow the package's.
        {"copy elsewhere", "/usr/local/bin", "/usr/share/lineara", "/usr/local/bin/", false},
        {"binary without data", "/usr/bin", "/usr/share", "/usr/bin/", false},
    };
    for (const Layout& l : layouts) {
        const ProgramData found = locateProgramData(
            QString::fromUtf8(l.executableFolder), QStringLiteral("../share/lineara"),
            [&](const QString& path) { return path == QString::fromUtf8(l.existing); });
        EXPECT_EQ(found.folder, QString::fromUtf8(l.dataFolder)) << l.what;
        EXPECT_EQ(found.installed, l.installed) << l.what;
    }
}

// The build's own layout on the real file system: what the executable
// looks for is what the install rules put there.
TEST(ProgramDataTest, FindsAnInstalledTreeOnDisk) {
    test::TempDir dir;
    const std::filesystem::path prefix = dir.file("prefix with blank");
    const std::filesystem::path bin = prefix / "bin";
    std::filesystem::create_directories(bin);
    const QString executableFolder = QString::fromStdString(bin.string());

    EXPECT_EQ(locateProgramData(executableFolder).folder, executableFolder + QLatin1Char('/'));
    EXPECT_FALSE(locateProgramData(executableFolder).installed);

    const std::filesystem::path share = bin / kInstalledDataFromBinary;
    std::filesystem::create_directories(share);
    const ProgramData installed = locateProgramData(executableFolder);
    EXPECT_TRUE(installed.installed);
    EXPECT_EQ(installed.folder,
              QDir::cleanPath(QString::fromStdString(share.string())) + QLatin1Char('/'));
}

}  // namespace
}  // namespace lineara
