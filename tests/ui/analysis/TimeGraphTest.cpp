#include "ui/analysis/TimeGraph.h"
#include "PictureCheck.h"
#include "ViewDriver.h"
#include "ui/DesignDocument.h"

#include <QTest>

#include <cmath>

namespace {

// A 400 x 300 graph: panel (0,3)-(400,257), plot area x 10 ... 394, y 8 ... 241, zero
// line at 125; a sample of value v lies at y = 125 - trunc(117 v).
struct Graph : ShownGraph<TimeGraph> {
    // A sample's mark: an X seven pixels across.
    bool Marked(QPoint p) const {
        return WrongPixels(graph.Picture(), kGraphTrace,
                           {p, p + QPoint(3, 3), p + QPoint(-3, 3), p + QPoint(3, -3)})
                   .isEmpty() &&
               Rgb(graph.Picture(), p + QPoint(4, 4)) != kGraphTrace;
    }
};

} // namespace

class TimeGraphTest : public QObject {
    Q_OBJECT

private slots:
    void init() { gNodeList.Clear(kNodeBoth); }

    void layout() {
        const QRect panel = TimeGraph::PanelFor(QSize(400, 300));
        QCOMPARE(panel, QRect(QPoint(0, 3), QPoint(399, 256)));
        const QRect t = TimeGraph::PanelPlot(panel);
        QCOMPARE(t, QRect(QPoint(10, 8), QPoint(394, 241)));
        // Samples spread from the left axis to the right end, +-peak half the plot
        // height from the zero line; values past the peak are drawn at the edge.
        const AxisScale nine = TimeGraph::SampleAxis(t, 9);
        const AxisScale y = TimeGraph::AmplitudeAxis(t, 1.0);
        QCOMPARE(TimeGraph::TracePoint(t, nine, y, 0, 1.0), QPoint(10, 8));
        QCOMPARE(TimeGraph::TracePoint(t, nine, y, 4, 0.0), QPoint(10 + 192, 125));
        QCOMPARE(TimeGraph::TracePoint(t, nine, y, 8, -1.0), QPoint(395, 242));
        QCOMPARE(TimeGraph::TracePoint(t, nine, y, 1, 0.5), QPoint(10 + 48, 125 - 58));
        QCOMPARE(TimeGraph::TracePoint(t, TimeGraph::SampleAxis(t, 0), y, 0, 0.0), QPoint(10, 125));
        QCOMPARE(TimeGraph::TracePoint(t, nine, y, 2, INFINITY), QPoint(10 + 96, 8));
        QCOMPARE(TimeGraph::TracePoint(t, nine, TimeGraph::AmplitudeAxis(t, 4.0), 2, -3.0),
                 QPoint(10 + 96, 125 + 87));
    }

    void samplesChangeOnlyOnASuccessfulRecomputation() {
        Graph g;
        // The sample rate alone keeps them.
        g.graph.SetSampleRate(44100);
        QCOMPARE(g.graph.Response().CpxCount(), 8);
        g.graph.UpdateFromNodeList();
        QCOMPARE(g.graph.Response().CpxCount(), 44);
        g.graph.SetSampleRate(8000);
        g.graph.SetDuration(-5.0);
        g.graph.UpdateFromNodeList();
        QCOMPARE(g.graph.Response().CpxCount(), 44);
        // 125 s at 8000 Hz snaps to 1000001 samples, one too many.
        g.graph.SetDuration(125000.0);
        g.graph.UpdateFromNodeList();
        QCOMPARE(g.graph.Response().CpxCount(), 44);
        g.graph.SetDuration(1.0);
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.5, 0.0), false, 1));
        g.graph.UpdateFromNodeList();
        QCOMPARE(g.graph.Response().CpxCount(), 44);
        // Not causal: only the axis and the zero line are drawn.
        for (int x = 5; x < 400; ++x) {
            QVERIFY(Rgb(g.graph.Picture(), QPoint(x, 8)) != kGraphTrace);
            QVERIFY(Rgb(g.graph.Picture(), QPoint(x, 125)) != kGraphTrace);
        }
    }

    void impulseOfAnEmptyDesign() {
        Graph g;
        QCOMPARE(g.graph.Duration(), 1.0);
        QCOMPARE(g.graph.Response().CpxCount(), 8);
        QVERIFY(g.Marked(QPoint(10, 8)));
        QVERIFY(g.Marked(QPoint(10 + 385 / 7, 125)));
        QVERIFY(g.Marked(QPoint(10 + 385 * 6 / 7, 125)));
        // The line from the first sample down to the second.
        QCOMPARE(Rgb(g.graph.Picture(), QPoint(10 + 385 / 14, 8 + 117 / 2)), kGraphTrace);
        QCOMPARE(Rgb(g.graph.Picture(), QPoint(200, 60)), kGraphBack);
        QCOMPARE(Rgb(g.graph.Picture(), QPoint(10, 200)), 0u);
        QCOMPARE(Rgb(g.graph.Picture(), QPoint(0, 3)), 0xA0A0A0u);
    }

    void stepOfALowPassRisesToTheTop() {
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.0), false, 1));
        Graph g;
        g.graph.SetPlotType(kCmdStepResponse);
        g.graph.SetDuration(5.0);
        g.graph.UpdateFromNodeList();
        const int count = g.graph.Response().CpxCount();
        QCOMPARE(count, 41);
        const QRect t = TimeGraph::PanelPlot(g.graph.TraceRect());
        const QPoint last = TimeGraph::TracePoint(t, TimeGraph::SampleAxis(t, count),
                                                  TimeGraph::AmplitudeAxis(t, 1.0), count - 1,
                                                  g.graph.Response().NormResponse(count - 1).r);
        QVERIFY(last.y() <= t.top() + 1);
        QVERIFY(g.Marked(last));
        QVERIFY(g.Marked(QPoint(10, 125)));
    }

    void changingTheKindAndBack() {
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.3, 0.4), true, 1));
        Graph g;
        const std::vector<FComplex> impulse = g.graph.Response().Samples();
        const QImage picture = g.graph.Picture();
        g.graph.SetPlotType(kCmdRampResponse);
        QVERIFY(g.graph.Response().Samples() != impulse);
        g.graph.SetPlotType(kCmdImpulseResponse);
        QCOMPARE(g.graph.Response().Samples(), impulse);
        QCOMPARE(g.graph.Picture(), picture);
    }

    void readout() {
        Graph g;
        g.Press(10);
        QCOMPARE(g.Readout(), (QStringList{"Exact Time: 0.0000 ms", "Magnitude: 1.00 (1.00)",
                                           "Sample: 0 @ 0.00 ms", "Scale: 1.0000 "}));
        // The time under the cursor on the trace's time base, the sample marked nearest.
        g.Press(394);
        QCOMPARE(g.Readout(), (QStringList{"Exact Time: 0.8727 ms", "Magnitude: 0.00 (0.00)",
                                           "Sample: 7 @ 0.88 ms", "Scale: 1.0000 "}));
        g.Key(Qt::Key_Right);
        QCOMPARE(g.graph.CursorX(), -1);
        QCOMPARE(g.Readout(), (QStringList{"Exact Time: 0.0000 ms", "Magnitude: 0.00 (0.00)",
                                           "Sample: 0 @ 0.00 ms", "Scale: 1.0000 "}));
        // H(z) = (z + 1) / (z - 0.5): the impulse response is 1, 1.5, 0.75, ..., its
        // peak 1.5 at sample 1; the raw value stands beside the normalised one. The
        // scale follows the design at once.
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.0), false, 1));
        gNodeList.AddNode(FNode(kNodeZero, FComplex(-1.0, 0.0), false, 1));
        g.graph.UpdateFromNodeList();
        QCOMPARE(g.Readout()[3], QStringLiteral("Scale: 1.5000 "));
        g.Press(10 + 385 / 7);
        QCOMPARE(g.Readout().mid(1),
                 (QStringList{"Magnitude: 1.50 (1.00)", "Sample: 1 @ 0.12 ms", "Scale: 1.5000 "}));
        // A design no longer causal shows nothing and reads out nothing.
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.3, 0.0), false, 1));
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.2, 0.0), false, 1));
        g.graph.UpdateFromNodeList();
        g.Press(100);
        QCOMPARE(g.Readout(), (QStringList{"", "", "", ""}));
    }

    void unstableDesignSaysSo() {
        // A pole at z = 2: 1, 2, 4, ... 128; the trace rises to the top and the panel
        // says the design is unstable.
        gNodeList.AddNode(FNode(kNodePole, FComplex(2.0, 0.0), false, 1));
        Graph g;
        QCOMPARE(g.graph.Response().CpxCount(), 8);
        QVERIFY(g.Marked(QPoint(395, 8)));
        // The note, in the grid colour, above the trace's middle.
        bool noted = false;
        for (int x = 172; x < 232; ++x) {
            noted = noted || Rgb(g.graph.Picture(), QPoint(x, 15)) == 0;
        }
        QVERIFY(noted);
        g.Press(394);
        QCOMPARE(g.Readout()[1], QStringLiteral("Magnitude: 64.00 (1.00)"));
        // Long enough for a growing oscillation to overflow: the read-out says inf.
        gNodeList.AddNode(FNode(kNodePole, FComplex(-1.0, 1.5), true, 1));
        g.graph.SetDuration(400.0);
        g.graph.UpdateFromNodeList();
        g.Press(394);
        QVERIFY(g.Readout()[1].startsWith(QStringLiteral("Magnitude: inf")));
    }
};

QTEST_MAIN(TimeGraphTest)
#include "TimeGraphTest.moc"
