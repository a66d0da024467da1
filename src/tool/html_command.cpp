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
#include "gui/platform/record_codec.h"
#include "gui/render/box_painter.h"
#include "gui/reports/html_generation.h"
#include "tool/commands.h"
#include "tool/gui_start.h"
#include "tool/stored_settings.h"

namespace lineara::tool {

namespace {

constexpr char kHtmlSynopsis[] =
    "html TREE.ln3 OUTDIR [--no-frames] [--no-siblings] [--charset \"ENTRY\"] "
    "[--allow-outside]";

struct HtmlOptions {
    std::string tree;
    std::string folder;
    std::optional<bool> frames;
    std::optional<bool> siblings;
    std::optional<std::string> charset;
    bool allowOutside = false;
};

std::optional<HtmlOptions> parseHtmlArgs(const Args& args) {
    if (args.size() < 2) return std::nullopt;
    HtmlOptions o;
    o.tree = args[0];
    o.folder = args[1];
    for (size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--no-frames") {
            o.frames = false;
        } else if (args[i] == "--no-siblings") {
            o.siblings = false;
        } else if (args[i] == "--charset" && i + 1 < args.size()) {
            o.charset = args[++i];
        } else if (args[i] == "--allow-outside") {
            o.allowOutside = true;
        } else {
            return std::nullopt;
        }
    }
    return o;
}

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

int html(const Args& args) {
    std::optional<HtmlOptions> o = parseHtmlArgs(args);
    if (!o) return usage(kHtmlSynopsis);
    std::unique_ptr<QGuiApplication> app = startGui();
    Document doc;
    if (!loadTree(doc, o->tree)) return 1;

    const QString folder = QFile::decodeName(o->folder.c_str());
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir())
        return fail("cannot create the folder " + o->folder);

    RecordCodec codec;
    codec.setCharsetCode(recordCharsetCode());
    Registry stored = storedSettings();
    HtmlJob job = htmlJobFor(codec);
    job.settings = loadHtmlSettings(stored);
    if (o->frames) job.settings.useFrames = *o->frames;
    if (o->siblings) job.settings.useSiblings = *o->siblings;
    if (o->charset) job.settings.charset = *o->charset;
    job.treeFolder = QFile::encodeName(QFileInfo(QFile::decodeName(o->tree.c_str())).absolutePath())
                         .toStdString();
    job.outputFolder = QFile::encodeName(QDir(folder).absolutePath()).toStdString();
    job.personCount = countPersons(doc.persons());
    job.allowOutside = o->allowOutside;

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
        std::cout << result.filesWritten << " files written\n";
        return 0;
    case HtmlResult::Status::EmptyTree:
        return fail("The genealogy tree is empty");
    default:
        std::cerr << result.filesWritten << " files written before the failure\n";
        return fail("the generation failed: " + result.error);
    }
}

}  // namespace lineara::tool
