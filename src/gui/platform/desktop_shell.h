// The desktop's answers for the Shell interface. Which program opens a kind
// of file comes from the settings store first, under the same keys the
// file association writes (".html" -> class -> "shell\open\command"), and
// otherwise from the freedesktop MIME associations.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include "core/platform/registry.h"
#include "gui/platform/shell.h"

namespace lineara {

class DesktopShell : public Shell {
public:
    explicit DesktopShell(Registry& registry) : registry_(registry) {}

    QString defaultProgramFor(const QString& extension) override;
    bool open(const QString& fileOrUrl) override;

    // The store's answer alone; "" when a key on the way is missing.
    QString registeredProgramFor(const QString& extension) const;
    // The desktop's answer alone: the Exec line of the default application
    // for the extension's MIME type, "" when there is none.
    QString desktopProgramFor(const QString& extension);

    // The Exec line of the [Desktop Entry] group of a desktop file, "" when
    // the file cannot be read or has none.
    static QString execLineOf(const QString& desktopFilePath);

protected:
    // The desktop file id ("firefox.desktop") that the desktop opens a MIME
    // type with, "" when none; asks xdg-mime.
    virtual QString defaultApplicationFor(const QString& mimeType);
    // Where desktop files are looked for, most important first.
    virtual QStringList applicationFolders() const;
    virtual bool openUrl(const QUrl& url);

private:
    QString findDesktopFile(const QString& desktopId) const;

    Registry& registry_;
};

}  // namespace lineara
