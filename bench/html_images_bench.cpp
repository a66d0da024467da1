// The images of the HTML presentation for 1,000 persons: each person's box
// drawn and written as GIF, and, for one person in ten, a photograph read,
// reduced to a JPEG and put into the box as a thumbnail (which makes that
// box a many-coloured image to reduce to 256 colours). On the calling
// thread alone (threads 0) and with two encoding threads.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <filesystem>
#include <random>
#include <string>

#include "core/model/person_list.h"
#include "offscreen_main.h"
#include "render/reports/html_images.h"
#include "render/reports/jpeg_writer.h"
#include "testdata/synthetic_tree.h"

namespace {

using namespace lineara;

const PersonList& tree() {
    static PersonList list;
    if (list.personListHead() == nullptr) generateSyntheticTree(list, 1000, 1);
    return list;
}

std::string scratch(const char* name) {
    const auto path = std::filesystem::temp_directory_path() / name;
    std::filesystem::create_directories(path);
    return path.string();
}

// A camera-sized JPEG of smooth gradients with noise.
const std::string& photograph() {
    static std::string path;
    if (path.empty()) {
        path = scratch("lineara-html-bench-pictures") + "/photo.jpg";
        QImage image(1600, 1200, QImage::Format_RGB32);
        std::mt19937 random(1);
        std::uniform_int_distribution<int> noise(-10, 10);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                auto c = [&](int v) { return std::clamp(v + noise(random), 0, 255); };
                image.setPixel(x, y, qRgb(c(x * 255 / 1600), c(y * 255 / 1200), c((x + y) % 256)));
            }
        }
        writeJpeg(image, path, 90, nullptr);
    }
    return path;
}

void writeAll(benchmark::State& state, bool pictures) {
    const int threads = int(state.range(0));
    const std::string picture = pictures ? photograph() : std::string();
    RecordCodec codec;
    HtmlImageWriter writer(HtmlSettings(), codec, GifDither::FloydSteinberg, nullptr, threads);
    std::string folder;
    for (auto _ : state) {
        // Into an empty folder each time, as a first presentation is.
        state.PauseTiming();
        if (!folder.empty()) std::filesystem::remove_all(folder);
        folder = scratch("lineara-html-bench-out");
        state.ResumeTiming();
        int n = 0;
        for (const PersonRecord* p = tree().personListHead(); p != nullptr; p = p->nextPerson) {
            const std::string path = n++ % 10 == 0 ? picture : std::string();
            if (!writer.writePersonImages(*p, std::to_string(p->personId()), path, folder).ok)
                state.SkipWithError("failed");
        }
        if (!writer.finish()) state.SkipWithError("failed");
    }
    std::filesystem::remove_all(folder);
}

void BM_BoxesOnly(benchmark::State& state) { writeAll(state, false); }
BENCHMARK(BM_BoxesOnly)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OneInTenWithPicture(benchmark::State& state) { writeAll(state, true); }
BENCHMARK(BM_OneInTenWithPicture)->Arg(0)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    return lineara::bench::runOffscreenBenchmarks<QGuiApplication>(argc, argv, [] {
        tree();
        photograph();
    });
}
