// The whole HTML presentation of generated trees of 1,000 and 10,000
// persons, without pictures and with one in ten having a picture (a
// 640 x 480 photograph-like JPEG), box images and pictures included,
// written into a temporary folder ($TMPDIR: on /dev/shm it leaves the
// disk out).
//
//   build/bench/html_bench [--benchmark_filter=...]
//
// Counters: files written and their total size in MB.
#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTemporaryDir>
#include <filesystem>

#include "offscreen_main.h"
#include "render/platform/record_codec.h"
#include "render/reports/html_generation.h"
#include "testdata/synthetic_tree.h"

namespace {

using namespace lineara;

// Smooth gradients and noise, so the picture has the many colours of a
// photograph and the reduction has work to do.
void writePicture(const QString& path) {
    QImage image(640, 480, QImage::Format_RGB32);
    uint32_t seed = 12345;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            const int noise = int(seed >> 27);
            image.setPixel(x, y,
                           qRgb((x * 255 / 640 + noise) & 255, (y * 255 / 480) & 255,
                                ((x + y) / 5 + noise) & 255));
        }
    }
    image.save(path, "JPEG", 90);
}

void BM_HtmlPresentation(benchmark::State& state) {
    const int persons = int(state.range(0));
    const bool pictures = state.range(1) != 0;
    QTemporaryDir dir;
    writePicture(dir.filePath(QStringLiteral("photo.jpg")));
    PersonList list;
    generateSyntheticTree(list, persons, 3);
    int n = 0;
    forEachPerson(list, [&](const PersonRecord* r) {
        if (pictures && n++ % 10 == 0) list.edit(r)->setText(field::pictureFile, "photo.jpg");
    });
    RecordCodec codec;
    HtmlJob job = htmlJobFor(codec);
    job.treeFolder = QFile::encodeName(dir.path()).toStdString();
    job.personCount = persons;
    const QString out = dir.filePath(QStringLiteral("out"));
    job.outputFolder = QFile::encodeName(out).toStdString();
    HtmlResult result;
    for (auto _ : state) {
        state.PauseTiming();
        QDir(out).removeRecursively();
        QDir().mkpath(out);
        state.ResumeTiming();
        result = generateHtml(list, job, codec, GifDither::FloydSteinberg, {}, nullptr);
    }
    if (result.status != HtmlResult::Status::Done) state.SkipWithError(result.error.c_str());
    uint64_t bytes = 0;
    for (const auto& entry : std::filesystem::directory_iterator(job.outputFolder))
        bytes += entry.file_size();
    state.counters["files"] = result.filesWritten;
    state.counters["MB"] = double(bytes) / 1e6;
}
BENCHMARK(BM_HtmlPresentation)
    ->ArgNames({"persons", "pictures"})
    ->ArgsProduct({{1000, 10000}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    return lineara::bench::runOffscreenBenchmarks<QGuiApplication>(argc, argv);
}
