#include "render/platform/runtime_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QtGlobal>

namespace lineara {

void ensureRuntimeDir() {
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return;
    QByteArray dir = QFile::encodeName(QDir::tempPath()) + "/lineara-runtime-" +
                     QByteArray::number(static_cast<qulonglong>(getuid()));
    mkdir(dir.constData(), 0700);
    struct stat st;
    // Only a folder of our own that nobody else can enter will do.
    if (lstat(dir.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
        (st.st_mode & 077) == 0) {
        qputenv("XDG_RUNTIME_DIR", dir);
    }
}

}  // namespace lineara
