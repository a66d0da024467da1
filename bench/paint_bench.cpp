// Painting a generated tree of 100,000 persons into a full-HD picture: at
// 100 % centred on a person in the middle of the tree, as after opening a
// file or going to a person, and zoomed out until the whole tree fits.
//
//   build/bench/paint_bench [--benchmark_filter=...]
//
// Counters: items and persons are the navigator's counts, boxes the boxes
// visible, zoom the zoom percent used. Each view is painted with the box
// index (/0), walking the whole list as the painter used to (/1), and with
// the index but every pixel through QPainter, as on a printer (/2). The
// Cold runs forget the texts drawn before each paint, as on the first
// paint at a new zoom.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <climits>

#include "core/view/view_math.h"
#include "offscreen_main.h"
#include "render/painter/text_stamps.h"
#include "render/painter/tree_painter.h"
#include "testdata/synthetic_tree.h"

namespace {

using namespace lineara;

constexpr int kPersons = 100000;
constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

const PersonList& tree() {
    static PersonList* list = [] {
        auto* l = new PersonList;
        generateSyntheticTree(*l, kPersons, 1);
        return l;
    }();
    return *list;
}

// The record halfway along the list, centred as the program centres a
// person at 100 %, then zoomed about the window's centre.
ViewState centredView(double zoomPercent = 100) {
    const PersonRecord* r = tree().personListHead();
    for (size_t i = 0; i < tree().count() / 2; ++i) r = r->nextPerson;
    ViewState view;
    view.scrollX = kWidth / 2 - r->posX() - kBoxWidth / 2;
    view.scrollY = kHeight / 2 - r->posY() - kBoxHeight / 2;
    // zoomto: keep the window's centre where it is.
    auto shift = [zoomPercent](int side) {
        return roundHalfEven((roundHalfEven(side / (zoomPercent / 100)) - side) / 2.0);
    };
    view.scrollX += int32_t(shift(kWidth));
    view.scrollY += int32_t(shift(kHeight));
    view.zoomPercent = zoomPercent;
    return view;
}

// The whole tree in the window, its top-left corner at the window's.
ViewState wholeTreeView() {
    int64_t left = INT64_MAX, top = INT64_MAX, right = INT64_MIN, bottom = INT64_MIN;
    forEachPerson(tree(), [&](const PersonRecord* r) {
        left = std::min<int64_t>(left, r->posX());
        top = std::min<int64_t>(top, r->posY());
        right = std::max<int64_t>(right, int64_t(r->posX()) + kBoxWidth);
        bottom = std::max<int64_t>(bottom, int64_t(r->posY()) + kBoxHeight);
    });
    ViewState view;
    view.zoomPercent = 100.0 * std::min(double(kWidth - 1) / double(right - left),
                                        double(kHeight - 1) / double(bottom - top));
    view.scrollX = int32_t(-left);
    view.scrollY = int32_t(-top);
    return view;
}

int visibleBoxes(const ViewState& view) {
    int n = 0;
    forEachPerson(tree(), [&](const PersonRecord* r) {
        n += boxRect(view, r->posX(), r->posY()).visibleIn(kWidth, kHeight);
    });
    return n;
}

void paintOnce(benchmark::State& state, const ViewState& view, bool cold = false) {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    PaintSettings settings;
    settings.walkWholeList = state.range(0) == 1;
    settings.throughPainterOnly = state.range(0) == 2;
    RecordCodec codec;
    PaintCounts counts;
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            TextStamps::forgetAll();
            state.ResumeTiming();
        }
        QPainter painter(&image);
        counts = paintTree(painter, image.size(), tree(), view, settings, codec);
    }
    state.counters["items"] = counts.itemCount;
    state.counters["persons"] = counts.personCount;
    state.counters["boxes"] = visibleBoxes(view);
    state.counters["zoom"] = view.zoomPercent;
}

void BM_PaintCentredAt100(benchmark::State& state) { paintOnce(state, centredView()); }
BENCHMARK(BM_PaintCentredAt100)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// Zoomed out to the smallest zoom that still shows text: many boxes, each
// with its four lines.
void BM_PaintCentredAt20(benchmark::State& state) { paintOnce(state, centredView(20)); }
BENCHMARK(BM_PaintCentredAt20)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
void BM_PaintCentredAt20Cold(benchmark::State& state) { paintOnce(state, centredView(20), true); }
BENCHMARK(BM_PaintCentredAt20Cold)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_PaintWholeTree(benchmark::State& state) { paintOnce(state, wholeTreeView()); }
BENCHMARK(BM_PaintWholeTree)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    // The index is built on the first question, as the program's first
    // paint builds it: outside the measured paints.
    return lineara::bench::runOffscreenBenchmarks<QGuiApplication>(
        argc, argv, [] { tree().boxIndex().personCount(); });
}
