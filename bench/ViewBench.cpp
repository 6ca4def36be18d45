// The compact response view's whole update on one step of a drag: the response of a
// design of 40 roots recomputed and both panels drawn again off screen. The analysis
// graphs' redraw on a cursor move, with a held reference; and the time graph's with a
// million samples.
#include "ui/DesignDocument.h"
#include "ui/analysis/FreqGraph.h"
#include "ui/analysis/GraphView.h"
#include "ui/analysis/TimeGraph.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void AddFortyRoots() {
    gNodeList.Clear(kNodeBoth);
    for (int k = 0; k < 10; ++k) {
        FComplex pole;
        pole.SetByRadian(0.99, 1.0 + 0.02 * k);
        gNodeList.AddNode(FNode(kNodePole, pole, true, 1));
        FComplex zero;
        zero.SetByRadian(1.0, 0.2 + 0.3 * k);
        gNodeList.AddNode(FNode(kNodeZero, zero, true, 1));
    }
}

void BM_CompactViewDragStep40Roots(benchmark::State& state) {
    AddFortyRoots();
    const DesignDocument document;
    GraphView view(document);
    view.resize(600, 100);
    // Shown, so that the view has its picture to draw into.
    view.show();
    QApplication::processEvents();
    int step = 0;
    for (auto _ : state) {
        // The dragged pole moves a little each time, as under the mouse.
        FComplex moved;
        moved.SetByRadian(0.99, 1.0 + 1e-4 * (++step % 100));
        gNodeList.ReplaceNodeValue(kNodePole, 0, moved);
        view.UpdateFromNodeList();
        benchmark::DoNotOptimize(view.Picture().constBits());
    }
}
BENCHMARK(BM_CompactViewDragStep40Roots)->Unit(benchmark::kMicrosecond);

void BM_FrequencyGraphCursorMove40Roots(benchmark::State& state) {
    AddFortyRoots();
    FreqGraph graph;
    graph.resize(800, 600);
    graph.show();
    QApplication::processEvents();
    graph.UpdateFromNodeList();
    graph.HoldReference();
    int step = 0;
    for (auto _ : state) {
        graph.SetCursor(1000.0 + ++step % 100);
        benchmark::DoNotOptimize(graph.Picture().constBits());
    }
}
BENCHMARK(BM_FrequencyGraphCursorMove40Roots)->Unit(benchmark::kMicrosecond);

void BM_TimeGraphCursorMoveMillionSamples(benchmark::State& state) {
    AddFortyRoots();
    TimeGraph graph;
    graph.resize(800, 600);
    graph.show();
    QApplication::processEvents();
    graph.SetDuration(124999.0);
    graph.UpdateFromNodeList();
    int step = 0;
    for (auto _ : state) {
        graph.SetCursor(1000.0 + ++step % 100);
        benchmark::DoNotOptimize(graph.Picture().constBits());
    }
}
BENCHMARK(BM_TimeGraphCursorMoveMillionSamples)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    // No display is needed: the view draws into an image.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
