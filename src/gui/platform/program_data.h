// Where the program's own files are: the help pages, the sample tree and
// (to come) the translations. Run from the build folder they sit next to
// the executable, as the build copies them there; installed they sit in the
// data folder of the installation prefix, found from the executable's own
// folder so that any prefix works (/usr, /usr/local, /opt/...).
#pragma once

#include <QString>
#include <functional>

namespace lineara {

struct ProgramData {
    QString folder;          // with a trailing "/"; the help is folder + "help/"
    bool installed = false;  // then the package, not the program, registers it with the desktop
};

// From the installed executable's folder to the installed data folder, as
// this build was configured ("../share/lineara" with the usual layout).
extern const char kInstalledDataFromBinary[];

// The decision alone: the program counts as installed when the data folder
// that `relativeDataFolder` leads to from `executableFolder` exists;
// otherwise its files are in the executable's folder.
ProgramData locateProgramData(const QString& executableFolder, const QString& relativeDataFolder,
                              const std::function<bool(const QString&)>& isFolder);

// The same on the real file system with this build's installed layout.
ProgramData locateProgramData(const QString& executableFolder);

}  // namespace lineara
