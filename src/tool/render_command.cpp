// render: the tree as the program shows it right after opening the file,
// painted by the canvas's own painter into a PNG. For scripts, for looking
// at trees without a display, and for tests of the picture.
#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "core/model/document.h"
#include "core/platform/atomic_file.h"
#include "core/view/viewport.h"
#include "render/painter/tree_painter.h"
#include "render/platform/runtime_dir.h"
#include "tool/commands.h"
#include "tool/gui_start.h"
#include "tool/stored_settings.h"

namespace lineara::tool {

namespace {

constexpr int kMaxSide = 16384;
constexpr double kMaxZoom = 100000.0;

struct RenderOptions {
    std::string tree;
    std::string png;
    int width = 1024;  // the desktop program's default window
    int height = 768;
    std::optional<double> zoom;
    std::optional<std::pair<int32_t, int32_t>> scroll;
    ColourCode colourCode = ColourCode::None;
};

// A whole decimal number, optionally negative, with nothing around it.
bool parseInt(const std::string& text, long long min, long long max, long long& value) {
    if (text.empty() || text.size() > 19) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text.c_str(), &end, 10);
    bool digits = text[0] == '-' || (text[0] >= '0' && text[0] <= '9');
    return digits && errno == 0 && *end == '\0' && value >= min && value <= max;
}

bool parsePair(const std::string& text, char separator, long long min, long long max, long long& a,
               long long& b) {
    size_t at = text.find(separator);
    if (at == std::string::npos) return false;
    return parseInt(text.substr(0, at), min, max, a) && parseInt(text.substr(at + 1), min, max, b);
}

bool parseZoom(const std::string& text, double& zoom) {
    if (text.empty() || !((text[0] >= '0' && text[0] <= '9') || text[0] == '.')) return false;
    char* end = nullptr;
    zoom = std::strtod(text.c_str(), &end);
    return *end == '\0' && std::isfinite(zoom) && zoom > 0 && zoom <= kMaxZoom;
}

bool parseOption(const std::string& name, const std::string& value, RenderOptions& options) {
    long long a = 0, b = 0;
    if (name == "--size") {
        if (!parsePair(value, 'x', 1, kMaxSide, a, b)) return false;
        options.width = int(a);
        options.height = int(b);
        return true;
    }
    if (name == "--scroll") {
        constexpr long long lo = std::numeric_limits<int32_t>::min();
        constexpr long long hi = std::numeric_limits<int32_t>::max();
        if (!parsePair(value, ',', lo, hi, a, b)) return false;
        options.scroll = std::make_pair(int32_t(a), int32_t(b));
        return true;
    }
    if (name == "--zoom") {
        double zoom = 0;
        if (!parseZoom(value, zoom)) return false;
        options.zoom = zoom;
        return true;
    }
    if (name == "--colour-code") return parseColourCode(value, options.colourCode);
    return false;
}

std::optional<RenderOptions> parseArgs(const CommandLine& line) {
    RenderOptions options;
    options.tree = line[0];
    options.png = line[1];
    for (const char* name : {"--size", "--scroll", "--zoom", "--colour-code"}) {
        std::optional<std::string> value = line.value(name);
        if (value && !parseOption(name, *value, options)) return std::nullopt;
    }
    return options;
}

}  // namespace

bool parseColourCode(const std::string& text, ColourCode& code) {
    static const std::pair<const char*, ColourCode> kNames[] = {
        {"none", ColourCode::None},
        {"gender", ColourCode::Gender},
        {"notes", ColourCode::Notes},
        {"picture", ColourCode::Picture},
    };
    for (const auto& [name, value] : kNames) {
        if (text == name) {
            code = value;
            return true;
        }
    }
    return false;
}

int render(const CommandLine& line) {
    std::optional<RenderOptions> options = parseArgs(line);
    if (!options) return usage(line);

    Document doc;
    ViewState view;
    LoadResult loaded = doc.ReadfromFile(options->tree);
    if (!loaded.loaded()) return fail(loaded.message);
    centreOnHome(view, doc.persons(), WindowExtent{options->width, options->height});
    if (options->scroll) {
        view.scrollX = options->scroll->first;
        view.scrollY = options->scroll->second;
    }
    if (options->zoom) view.zoomPercent = *options->zoom;

    std::unique_ptr<QGuiApplication> app = startGui();
    QImage image(options->width, options->height, QImage::Format_RGB32);
    if (image.isNull()) return fail("Not enough memory for the picture");
    {
        QPainter painter(&image);
        view.colourCode = options->colourCode;
        paintTree(painter, image.size(), doc.persons(), view, PaintSettings(), storedRecordCodec());
    }
    // Encoded in memory and written whole, like a tree file: a full disk or
    // a killed run never leaves half a picture in place of the old one.
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image)) {
        return fail(options->png + ": " + writer.errorString().toStdString());
    }
    std::string error;
    if (!writeFileAtomically(options->png, png.constData(), static_cast<size_t>(png.size()),
                             error)) {
        return fail(error);
    }
    return 0;
}

}  // namespace lineara::tool
