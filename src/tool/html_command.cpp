// html: the HTML presentation of a tree, with the settings the desktop
// program has stored and the overrides of the command line, without the
// quality check's question and the completion window. Notes and pictures
// outside the tree file's folder go into the pages only with
// --allow-outside; without it they are skipped and named on standard error.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "core/model/document.h"
#include "core/reports/html_settings.h"
#include "render/painter/box_painter.h"
#include "render/platform/record_codec.h"
#include "render/reports/html_generation.h"
#include "tool/commands.h"
#include "tool/gui_start.h"
#include "tool/standard_output.h"
#include "tool/stored_settings.h"

namespace lineara::tool {

namespace {

// The count the window's index shows: the boxes the canvas counts as
// persons.
int countPersons(const PersonList& list) {
    int count = 0;
    forEachPerson(list, [&](const PersonRecord* r) {
        if (countsAsPerson(*r)) ++count;
    });
    return count;
}

class CountingProgress : public HtmlProgress {
public:
    void text(const std::string&) override {}
    void step() override {}
};

}  // namespace

int html(const CommandLine& line) {
    const std::string& tree = line[0];
    std::unique_ptr<QGuiApplication> app = startGui();
    Document doc;
    if (!loadTree(doc, tree)) return 1;

    const QString folder = QFile::decodeName(line[1].c_str());
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        return fail("cannot create the folder " + line[1]);

    const RecordCodec codec = storedRecordCodec();
    HtmlJob job = htmlJobFor(codec);
    Registry stored = storedSettings();
    job.settings = loadHtmlSettings(stored);
    if (line.has("--no-frames")) job.settings.useFrames = false;
    if (line.has("--no-siblings")) job.settings.useSiblings = false;
    if (std::optional<std::string> charset = line.value("--charset")) {
        job.settings.charset = *charset;
    }
    job.treeFolder =
        QFile::encodeName(QFileInfo(QFile::decodeName(tree.c_str())).absolutePath()).toStdString();
    job.outputFolder = QFile::encodeName(QDir(folder).absolutePath()).toStdString();
    job.personCount = countPersons(doc.persons());
    job.allowOutside = line.has("--allow-outside");

    CountingProgress progress;
    const HtmlResult result = generateHtml(
        doc.persons(), job, codec, GifDither::FloydSteinberg,
        [](const QString& message) { std::cerr << message.toStdString() << '\n'; }, &progress);
    for (const HtmlLeftOut& left : result.leftOut) {
        std::cerr << "left out: " << left.path << " (" << namedFileProblemText(left.problem)
                  << (left.problem == NamedFileProblem::Outside ? "; --allow-outside includes it"
                                                                : "")
                  << ")\n";
    }
    switch (result.status) {
    case HtmlResult::Status::Done:
        out() << result.filesWritten << " files written\n";
        return 0;
    case HtmlResult::Status::EmptyTree:
        return fail("The genealogy tree is empty");
    default:
        std::cerr << result.filesWritten << " files written before the failure\n";
        return fail("the generation failed: " + result.error);
    }
}

}  // namespace lineara::tool
