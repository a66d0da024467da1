#include "render/files/collect_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <cerrno>
#include <map>
#include <utility>

#include "core/history/step_names.h"
#include "core/platform/atomic_file.h"
#include "core/platform/named_file.h"

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

// The copy gets the original's permissions at most (and no more than a new
// file of ours would have).
bool copyWhole(const NamedFile& from, const QString& target) {
    AtomicFileWriter out;
    if (!out.open(localPath(target).toStdString())) return false;
    if (!out.restrictMode(from.info().st_mode & newFileMode())) return false;
    char buffer[64 * 1024];
    for (;;) {
        ssize_t n = ::read(from.fd(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return false;  // the writer throws the temporary file away
        if (n == 0) break;
        if (!out.write(buffer, size_t(n))) return false;
    }
    return out.commit();
}

class Collector {
public:
    Collector(const QString& destFolder, const CollectOptions& options, const RecordCodec& codec,
              CollectOutcome& outcome)
        : dest_(destFolder), options_(options), codec_(codec), outcome_(outcome) {}

    void collect(PersonRecord& person, TextField f) {
        QString stored = codec_.decode(person.text(f));
        bool outside = false;
        QString name = collectFile(stored, outside);
        if (name.isEmpty()) {
            (outside ? outcome_.outside : outcome_.failures) << stored;
            return;
        }
        std::string bytes = codec_.encode(name);
        if (bytes != person.text(f)) outcome_.namesChanged = true;
        person.setText(f, bytes);
        ++outcome_.collected;
    }

private:
    // The name of the file in the folder afterwards, or "" when it is not there.
    QString collectFile(const QString& stored, bool& outside) {
        QString name = bareFileName(stored);
        if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) {
            return QString();
        }
        // Windows paths in old trees use backslashes.
        QString source = QString(stored).replace(QLatin1Char('\\'), QLatin1Char('/'));
        const QString folder =
            options_.sourceFolder.isEmpty() ? QDir::currentPath() : options_.sourceFolder;
        const std::string sourcePath =
            localPath(QDir(folder).absoluteFilePath(source)).toStdString();
        if (!options_.allowOutside &&
            isOutsideFolder(sourcePath, localPath(folder).toStdString())) {
            outside = true;
            return QString();
        }
        NamedFile in(sourcePath);
        if (!in.isOpen()) return QString();

        FileId id{in.info().st_dev, in.info().st_ino};
        auto known = copies_.find(id);
        if (known != copies_.end()) return known->second;

        bool alreadyThere = false;
        QString target = freeName(name, id, alreadyThere);
        if (!alreadyThere) {
            if (!copyWhole(in, dest_ + target)) return QString();
            outcome_.created << dest_ + target;
        }
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
    const CollectOptions& options_;
    const RecordCodec& codec_;
    CollectOutcome& outcome_;
    std::map<FileId, QString> copies_;  // source file -> its name in the folder
};

}  // namespace

CollectOutcome collectPersonFiles(TreeEdit& persons, const QString& destFolder,
                                  const RecordCodec& codec, const CollectOptions& options) {
    CollectOutcome outcome;
    Collector collector(destFolder, options, codec, outcome);
    forEachPerson(persons, [&](const PersonRecord* person) {
        if (person->isEmpty(field::notesFile) && person->isEmpty(field::pictureFile)) return;
        PersonRecord* r = persons.edit(person);  // its file names are about to change
        if (!r->isEmpty(field::notesFile)) collector.collect(*r, field::notesFile);
        if (!r->isEmpty(field::pictureFile)) collector.collect(*r, field::pictureFile);
    });
    return outcome;
}

CollectOutcome collectPersonFiles(Document& doc, const QString& destFolder,
                                  const RecordCodec& codec, const CollectOptions& options) {
    return doc.change(step_name::kCollectFiles, [&](TreeEdit& list) {
        return collectPersonFiles(list, destFolder, codec, options);
    });
}

QStringList removeCollectedCopies(const CollectOutcome& outcome) {
    QStringList left;
    for (const QString& copy : outcome.created) {
        if (::unlink(localPath(copy).constData()) != 0 && errno != ENOENT) left << copy;
    }
    return left;
}

}  // namespace lineara
