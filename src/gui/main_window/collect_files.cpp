#include "gui/main_window/collect_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <map>
#include <utility>

#include "core/history/step_names.h"
#include "core/platform/atomic_file.h"

namespace lineara {

QString bareFileName(const QString& storedPath) {
    qsizetype cut = std::max(storedPath.lastIndexOf(QLatin1Char('\\')),
                             storedPath.lastIndexOf(QLatin1Char('/')));
    return storedPath.mid(cut + 1);
}

namespace {

using FileId = std::pair<dev_t, ino_t>;

QByteArray localPath(const QString& path) { return QFile::encodeName(path); }

// "photo.jpg" as the n-th of its name: "photo (2).jpg"; a leading dot
// belongs to the name, not to an extension.
QString numberedName(const QString& name, int n) {
    QString number = QStringLiteral(" (") + QString::number(n) + QLatin1Char(')');
    qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0) return name + number;
    return name.left(dot) + number + name.mid(dot);
}

// Closes a descriptor on every way out.
class OpenFile {
public:
    explicit OpenFile(int fd) : fd_(fd) {}
    ~OpenFile() {
        if (fd_ >= 0) ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

bool copyWhole(int from, const QString& target) {
    AtomicFileWriter out;
    if (!out.open(localPath(target).toStdString())) return false;
    char buffer[64 * 1024];
    for (;;) {
        ssize_t n = ::read(from, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;  // the writer throws the temporary file away
        if (n == 0) break;
        if (!out.write(buffer, size_t(n))) return false;
    }
    return out.commit();
}

class Collector {
public:
    Collector(const QString& destFolder, const QString& sourceFolder, const RecordCodec& codec)
        : dest_(destFolder), sources_(sourceFolder), codec_(codec) {}

    void collect(PersonRecord& person, TextField f, CollectOutcome& outcome) {
        QString stored = codec_.decode(person.text(f));
        QString name = collectFile(stored);
        if (name.isEmpty()) {
            outcome.failures << stored;
            return;
        }
        person.setText(f, codec_.encode(name));
        ++outcome.collected;
    }

private:
    // The name of the file in the folder afterwards, or "" when it is not there.
    QString collectFile(const QString& stored) {
        QString name = bareFileName(stored);
        if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) {
            return QString();
        }
        // Windows paths in old trees use backslashes.
        QString source = QString(stored).replace(QLatin1Char('\\'), QLatin1Char('/'));
        QByteArray sourcePath = localPath(QDir(sources_).absoluteFilePath(source));
        // Looked at before opening, so that no device is ever opened; then
        // opened without waiting, so that a FIFO put in its place cannot
        // block, and looked at again through the descriptor actually read.
        struct stat st;
        if (::stat(sourcePath.constData(), &st) != 0 || !S_ISREG(st.st_mode)) return QString();
        OpenFile in(::open(sourcePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        if (in.fd() < 0 || ::fstat(in.fd(), &st) != 0 || !S_ISREG(st.st_mode)) return QString();

        FileId id{st.st_dev, st.st_ino};
        auto known = copies_.find(id);
        if (known != copies_.end()) return known->second;

        bool alreadyThere = false;
        QString target = freeName(name, id, alreadyThere);
        if (!alreadyThere && !copyWhole(in.fd(), dest_ + target)) return QString();
        copies_[id] = target;
        return target;
    }

    // The first of name, "name (2)", ... that is either free in the folder
    // or is the source file itself (`alreadyThere`).
    QString freeName(const QString& name, const FileId& source, bool& alreadyThere) const {
        for (int n = 1;; ++n) {
            QString candidate = n == 1 ? name : numberedName(name, n);
            QByteArray path = localPath(dest_ + candidate);
            struct stat there;
            if (::lstat(path.constData(), &there) != 0) {
                // Free, or a folder that cannot be written to: the copy
                // will say which.
                return candidate;
            }
            if (::stat(path.constData(), &there) == 0 &&
                FileId(there.st_dev, there.st_ino) == source) {
                alreadyThere = true;
                return candidate;
            }
        }
    }

    QString dest_;
    QString sources_;
    const RecordCodec& codec_;
    std::map<FileId, QString> copies_;  // source file -> its name in the folder
};

}  // namespace

CollectOutcome collectPersonFiles(PersonList& persons, const QString& destFolder,
                                  const RecordCodec& codec, const QString& sourceFolder) {
    CollectOutcome outcome;
    Collector collector(destFolder, sourceFolder, codec);
    forEachPerson(persons, [&](PersonRecord* r) {
        if (r->isEmpty(field::notesFile) && r->isEmpty(field::pictureFile)) return;
        persons.touch(r);  // its file names are about to change
        if (!r->isEmpty(field::notesFile)) collector.collect(*r, field::notesFile, outcome);
        if (!r->isEmpty(field::pictureFile)) collector.collect(*r, field::pictureFile, outcome);
    });
    return outcome;
}

CollectOutcome collectPersonFiles(Document& doc, const QString& destFolder,
                                  const RecordCodec& codec, const QString& sourceFolder) {
    return doc.change(step_name::kCollectFiles, [&](PersonList& list) {
        return collectPersonFiles(list, destFolder, codec, sourceFolder);
    });
}

}  // namespace lineara
