// export-image: the whole tree, or the persons with the given ids, as one
// picture: SVG, PDF or PNG by the output's extension.
#include <QGuiApplication>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

#include "core/model/document.h"
#include "render/tree_image/tree_image_file.h"
#include "tool/commands.h"
#include "tool/gui_start.h"
#include "tool/standard_output.h"
#include "tool/stored_settings.h"

namespace lineara::tool {

namespace {

struct ImageOptions {
    std::string tree;
    std::string out;
    TreeImageFormat format = TreeImageFormat::Svg;
    TreeImageRequest request;
    std::optional<std::set<int32_t>> selectedIds;
};

bool parseScale(const std::string& text, int& percent) {
    if (text.empty() || text.size() > 5 || !(text[0] >= '0' && text[0] <= '9')) return false;
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || value < kMinTreeImageScale || value > kMaxTreeImageScale) {
        return false;
    }
    percent = int(value);
    return true;
}

std::optional<ImageOptions> parseImageArgs(const CommandLine& line) {
    ImageOptions o;
    o.tree = line[0];
    o.out = line[1];
    const std::optional<TreeImageFormat> format = treeImageFormatOf(o.out);
    if (!format) return std::nullopt;
    o.format = *format;
    if (std::optional<std::string> value = line.value("--scale")) {
        if (!parseScale(*value, o.request.scalePercent)) return std::nullopt;
    }
    if (std::optional<std::string> value = line.value("--colour-code")) {
        if (!parseColourCode(*value, o.request.colourCode)) return std::nullopt;
    }
    if (std::optional<std::string> value = line.value("--selected-ids")) {
        std::set<int32_t> ids;
        if (!parseIds(*value, ids)) return std::nullopt;
        o.selectedIds = ids;
        o.request.selectedOnly = true;
    }
    return o;
}

std::string percentText(double percent) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", percent);
    return text;
}

}  // namespace

int exportImage(const CommandLine& line) {
    std::optional<ImageOptions> options = parseImageArgs(line);
    if (!options) return usage(line);
    Document doc;
    if (!loadTreeWithSelection(doc, options->tree, options->selectedIds)) return 1;
    std::unique_ptr<QGuiApplication> app = startGui();
    const RecordCodec codec = storedRecordCodec();
    // The tool's own document: nobody else looks at it while it is drawn.
    PersonList& persons = const_cast<PersonList&>(doc.persons());
    const TreeImageResult result =
        writeTreeImage(options->out, options->format, persons, options->request, codec);
    switch (result.outcome) {
    case TreeImageResult::Written:
        break;
    case TreeImageResult::NothingToDraw:
        return fail("Nothing to draw: the tree is empty");
    case TreeImageResult::TooLarge: {
        const std::optional<int> fits = largestPngScale(persons, options->request);
        return fail("The picture would be " + std::to_string(result.width) + " x " +
                    std::to_string(result.height) + " pixels; a PNG is made up to " +
                    std::to_string(kMaxPngSide) + " pixels a side and " +
                    std::to_string(kMaxPngPixels) + " pixels in all (1 GiB in memory): " +
                    (fits ? "choose --scale " + std::to_string(*fits) + " or less"
                          : std::string("write it as SVG or PDF")));
    }
    case TreeImageResult::Cancelled:
    case TreeImageResult::Failed:
        return fail(result.error.empty() ? options->out + ": the picture was not written"
                                         : result.error);
    }
    if (result.pdfScaledTo > 0) {
        out() << "The tree is larger than a PDF page can be (200 inches a side): drawn at "
              << percentText(result.pdfScaledTo) << " % of its size\n";
    }
    return 0;
}

}  // namespace lineara::tool
