// collect: Collect all files from the command line. The tree's picture and
// notes files are copied next to DEST.ln3, the tree is saved there, and the
// closing message is printed. Relative names in the tree are taken from the
// tree file's folder, as the desktop program finds them.
#include <QFile>
#include <QFileInfo>
#include <iostream>

#include "core/model/document.h"
#include "gui/main_window/collect_files.h"
#include "tool/commands.h"

namespace lineara::tool {

int collect(const Args& args) {
    if (args.size() != 2) return usage("collect TREE.ln3 DEST.ln3");
    // Both names are made absolute first, so that the tree and its files
    // go to one folder whatever happens to the working folder.
    QString source =
        QFileInfo(QFile::decodeName(QByteArray::fromStdString(args[0]))).absoluteFilePath();
    QString dest =
        QFileInfo(QFile::decodeName(QByteArray::fromStdString(args[1]))).absoluteFilePath();
    Document doc;
    if (!loadTree(doc, args[0])) return 1;
    if (!hasTreeFileExtension(args[1])) return fail(kMsgIncorrectFileType);

    QString folder = QFileInfo(dest).absolutePath() + QLatin1Char('/');
    RecordCodec codec;  // the default character set, as a new installation has
    CollectOutcome outcome =
        collectPersonFiles(doc, folder, codec, QFileInfo(source).absolutePath());
    SaveResult saved = doc.SavetoFile(QFile::encodeName(dest).toStdString());
    if (!saved.written()) return fail(saved.message);
    ++outcome.collected;

    std::cout << "Collected " << outcome.collected << " files to directory " << folder.toStdString()
              << '\n';
    if (!outcome.failures.isEmpty()) {
        // The tree was collected, but not whole: say which files are missing.
        std::cerr << "These files could not be copied and keep their old names:\n";
        for (const QString& f : outcome.failures) std::cerr << f.toStdString() << '\n';
        return 1;
    }
    return 0;
}

}  // namespace lineara::tool
