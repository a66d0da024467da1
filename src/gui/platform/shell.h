// What the desktop does for us: which program opens a kind of file, and
// opening a file or address in it. The settings store may override the
// desktop's answer; tests install a fake.
#pragma once

#include <QString>

namespace lineara {

class Shell {
public:
    virtual ~Shell() = default;
    // The command line of the default program for an extension such as
    // ".html", or "" when there is none.
    virtual QString defaultProgramFor(const QString& extension) = 0;
    // Opens a local file or an address in its default program.
    virtual bool open(const QString& fileOrUrl) = 0;
};

}  // namespace lineara
