// collect: Collect all files from the command line. The tree's picture and
// notes files are copied next to DEST.ln3, the tree is saved there, and the
// closing message is printed. Relative names in the tree are taken from the
// tree file's folder, as the desktop program finds them. Files outside that
// folder are copied only with --allow-outside.
#include <QFile>
#include <QFileInfo>
#include <iostream>

#include "core/model/document.h"
#include "render/files/collect_files.h"
#include "tool/commands.h"
#include "tool/standard_output.h"
#include "tool/stored_settings.h"

namespace lineara::tool {

namespace {

void printList(const char* heading, const QStringList& files) {
    if (files.isEmpty()) return;
    std::cerr << heading << '\n';
    for (const QString& f : files) std::cerr << QFile::encodeName(f).toStdString() << '\n';
}

}  // namespace

int collect(const CommandLine& line) {
    const bool allowOutside = line.has("--allow-outside");
    const std::vector<std::string>& names = line.positional();
    // Both names are made absolute first, so that the tree and its files
    // go to one folder whatever happens to the working folder.
    QString source =
        QFileInfo(QFile::decodeName(QByteArray::fromStdString(names[0]))).absoluteFilePath();
    QString dest =
        QFileInfo(QFile::decodeName(QByteArray::fromStdString(names[1]))).absoluteFilePath();
    Document doc;
    if (!loadTree(doc, names[0])) return 1;
    if (!hasTreeFileExtension(names[1])) return fail(kMsgIncorrectFileType);

    QString folder = QFileInfo(dest).absolutePath() + QLatin1Char('/');
    const RecordCodec codec = storedRecordCodec();
    CollectOptions options;
    options.sourceFolder = QFileInfo(source).absolutePath();
    options.allowOutside = allowOutside;
    CollectOutcome outcome = collectPersonFiles(doc, folder, codec, options);
    SaveResult saved = doc.SavetoFile(QFile::encodeName(dest).toStdString());
    if (!saved.written()) {
        const int status = fail(saved.message);
        // The copies are of no use without the tree beside them.
        const QStringList left = removeCollectedCopies(outcome);
        printList("These copies could not be removed:", left);
        if (left.isEmpty() && !outcome.created.isEmpty()) {
            std::cerr << "The " << outcome.created.size() << " files copied to "
                      << QFile::encodeName(folder).toStdString() << " were removed again.\n";
        }
        return status;
    }
    ++outcome.collected;

    out() << "Collected " << outcome.collected << " files to directory " << folder.toStdString()
          << '\n';
    // The tree was collected, but not whole: say which files are missing.
    printList("These files could not be copied and keep their old names:", outcome.failures);
    printList(
        "These files are outside the tree's folder and were skipped (--allow-outside copies "
        "them):",
        outcome.outside);
    return outcome.failures.isEmpty() && outcome.outside.isEmpty() ? 0 : 1;
}

}  // namespace lineara::tool
