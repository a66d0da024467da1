// An installed program leaves the desktop's side of the file association to
// its package; run from the build folder it still makes its own.
#include <gtest/gtest.h>

#include <QFileInfo>

#include "gui/app/application.h"
#include "support/fake_shell.h"

namespace lineara {
namespace {

TEST(InstalledStartTest, OnlyTheBuildFolderRunWritesDesktopFiles) {
    for (bool installed : {false, true}) {
        test::TestContext t;
        StartOptions options;
        options.dataHome = t.folder() + QStringLiteral("/share");
        options.installed = installed;
        options.welcomeSwapDraw = 0;
        Application program(t.ctx, options);

        // The program's own lookup keys are written either way.
        EXPECT_EQ(t.registry.value(".ln3", "").value_or("<absent>"), "lineara_file") << installed;
        const bool entry =
            QFileInfo::exists(options.dataHome + QStringLiteral("/applications/lineara.desktop"));
        const bool mimeType =
            QFileInfo::exists(options.dataHome + QStringLiteral("/mime/packages/lineara.xml"));
        EXPECT_EQ(entry, !installed) << installed;
        EXPECT_EQ(mimeType, !installed) << installed;
    }
}

}  // namespace
}  // namespace lineara
