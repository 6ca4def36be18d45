// The compact response view's whole update on one step of a drag: the response of a
// design of 40 roots recomputed and both panels drawn again off screen; and the step as
// the whole workspace and the requirement panel take it, with a requirement and
// without. The panel's table of orders following an entry. The analysis graphs' redraw
// on a cursor move, with a held reference, and the frequency graph's after an edit; and the
// time graph's with a million samples.
#include "ui/DesignDocument.h"
#include "ui/QtModalRunner.h"
#include "ui/analysis/FreqGraph.h"
#include "ui/analysis/GraphView.h"
#include "ui/analysis/TimeGraph.h"
#include "ui/dialogs/RequirementPanel.h"
#include "ui/mainwindow/ZPlaneDesign.h"

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

// A step of a drag made through the document, as the mouse makes it: the plane, the
// lists, the compact view, the status bar and the panel follow it; with a requirement
// (argument 1) the mask and the verdict too.
void BM_WorkspaceDragStep40Roots(benchmark::State& state) {
    AddFortyRoots();
    QtModalRunner runner;
    DesignDocument document;
    ZPlaneDesign workspace(runner, document);
    workspace.resize(700, 500);
    workspace.show();
    RequirementPanel panel(runner, document, kDefaultSampleRate);
    panel.show();
    if (state.range(0) != 0) {
        document.ChangeRequirement(Requirement(), QStringLiteral("Set Mask"));
    }
    QApplication::processEvents();
    document.BeginDrag();
    int step = 0;
    for (auto _ : state) {
        FNode moved = gNodeList.GetNodeByIndex(kNodePole, 0);
        FComplex z;
        z.SetByRadian(0.99, 1.0 + 1e-4 * (++step % 100));
        moved.SetValue(z);
        document.Change(kNodePole, 0, moved, QStringLiteral("Move Pole"));
    }
    document.EndDrag();
    state.SetLabel(panel.VerdictLine().text().toStdString());
}
BENCHMARK(BM_WorkspaceDragStep40Roots)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The orders of the four families for a new entry, here a stopband edge typed anew,
// some of them needing the band-stop's search.
void BM_RequirementPanelOrders(benchmark::State& state) {
    QtModalRunner runner;
    DesignDocument document;
    RequirementPanel panel(runner, document, kDefaultSampleRate);
    panel.TypeList().setCurrentIndex(3);
    int step = 0;
    for (auto _ : state) {
        panel.StopbandEdge(0).setText(QString::number(1000 + ++step % 100));
        benchmark::DoNotOptimize(panel.Orders().item(3, 1)->text());
    }
}
BENCHMARK(BM_RequirementPanelOrders)->Unit(benchmark::kMicrosecond);

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

// The frequency graph following an edit: the response, the true peak, the markers and
// the traces drawn again, with a held reference.
void BM_FrequencyGraphEdit40Roots(benchmark::State& state) {
    AddFortyRoots();
    FreqGraph graph;
    graph.resize(800, 600);
    graph.show();
    QApplication::processEvents();
    graph.UpdateFromNodeList();
    graph.HoldReference();
    int step = 0;
    for (auto _ : state) {
        FComplex moved;
        moved.SetByRadian(0.99, 1.0 + 1e-4 * (++step % 100));
        gNodeList.ReplaceNodeValue(kNodePole, 0, moved);
        graph.UpdateFromNodeList();
        benchmark::DoNotOptimize(graph.Picture().constBits());
    }
}
BENCHMARK(BM_FrequencyGraphEdit40Roots)->Unit(benchmark::kMicrosecond);

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
