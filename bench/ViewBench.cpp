// The compact response view's whole update on one step of a drag: the response of a
// design of 40 roots recomputed and both panels drawn again off screen.
#include "ui/DesignDocument.h"
#include "ui/analysis/GraphView.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void BM_CompactViewDragStep40Roots(benchmark::State& state) {
    gNodeList.Clear(kNodeBoth);
    for (int k = 0; k < 10; ++k) {
        FComplex pole;
        pole.SetByRadian(0.99, 1.0 + 0.02 * k);
        gNodeList.AddNode(FNode(kNodePole, pole, true, 1));
        FComplex zero;
        zero.SetByRadian(1.0, 0.2 + 0.3 * k);
        gNodeList.AddNode(FNode(kNodeZero, zero, true, 1));
    }
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
