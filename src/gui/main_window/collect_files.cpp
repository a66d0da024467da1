#include "gui/main_window/collect_files.h"

#include <QFile>
#include <QFileInfo>

namespace lineara {

QString bareFileName(const QString& storedPath) {
    qsizetype cut = std::max(storedPath.lastIndexOf(QLatin1Char('\\')),
                             storedPath.lastIndexOf(QLatin1Char('/')));
    return storedPath.mid(cut + 1);
}

namespace {

// Collects one file named by `f`; true when it is in the folder afterwards.
bool collectOne(PersonRecord& person, TextField f, const QString& destFolder,
                const RecordCodec& codec, CollectOutcome& outcome) {
    QString stored = codec.decode(person.text(f));
    // Windows paths in old trees use backslashes; relative names resolve
    // against the working folder either way.
    QString source = QString(stored).replace(QLatin1Char('\\'), QLatin1Char('/'));
    QString name = bareFileName(stored);
    QString target = destFolder + name;
    bool there = QFileInfo::exists(target) || QFile::copy(source, target);
    if (!there || name.isEmpty()) {
        outcome.failures << stored;
        return false;
    }
    person.setText(f, codec.encode(name));
    ++outcome.collected;
    return true;
}

}  // namespace

CollectOutcome collectPersonFiles(PersonList& persons, const QString& destFolder,
                                  const RecordCodec& codec) {
    CollectOutcome outcome;
    forEachPerson(persons, [&](PersonRecord* r) {
        if (r->isEmpty(field::notesFile) && r->isEmpty(field::pictureFile)) return;
        persons.touch(r);  // its file names are about to change
        if (!r->isEmpty(field::notesFile)) collectOne(*r, field::notesFile, destFolder, codec, outcome);
        if (!r->isEmpty(field::pictureFile)) {
            collectOne(*r, field::pictureFile, destFolder, codec, outcome);
        }
    });
    return outcome;
}

}  // namespace lineara
