// A desktop that answers from a table and remembers what it was asked to
// open, and an application context over a temporary folder that uses it.
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include "gui/common/app_context.h"
#include "gui/platform/shell.h"
#include "support/scripted_user.h"
#include "support/temp_dir.h"

namespace lineara::test {

class FakeShell : public Shell {
public:
    QMap<QString, QString> programs;  // extension -> command line
    QStringList opened;
    // False for a desktop that has no program to open anything with.
    bool openSucceeds = true;

    QString defaultProgramFor(const QString& extension) override {
        return programs.value(extension);
    }
    bool open(const QString& fileOrUrl) override {
        opened << fileOrUrl;
        return openSucceeds;
    }
};

// The settings file, the folder and the program directory all live in one
// temporary folder.
struct TestContext {
    TempDir dir;
    Registry registry{dir.file("registry.ini")};
    ScriptedUser user;
    FakeShell shell;
    AppContext ctx;

    TestContext() {
        ctx.registry = &registry;
        ctx.ui = &user;
        ctx.shell = &shell;
        ctx.programDir = folder() + QLatin1Char('/');
        ctx.executablePath = ctx.programDir + QStringLiteral("lineara");
    }
    QString folder() const { return QString::fromStdString(dir.path()); }
    std::string stored(const char* name) const {
        return registry.value("Software\\Lineara", name).value_or("<absent>");
    }
};

}  // namespace lineara::test
