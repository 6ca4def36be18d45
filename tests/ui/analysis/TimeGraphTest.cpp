#include "ui/analysis/TimeGraph.h"
#include "PictureCheck.h"
#include "ViewDriver.h"
#include "ui/DesignDocument.h"

#include <QTest>

#include <cmath>

namespace {

// A 400 x 300 graph: panel (0,3)-(400,257), plot area x 10 ... 394, y 8 ... 241, zero
// line at 125; a sample of value v (of the peak) lies at y = 125 - trunc(117 v).
struct Graph : ShownGraph<TimeGraph> {
    // Where sample n of count lies for value v of the peak.
    static QPoint At(int n, int count, double v) {
        return QPoint(10 + 385 * n / std::max(count - 1, 1), 125 - static_cast<int>(117 * v));
    }
    // A sample's mark: an X over its stem's end.
    bool Marked(QPoint p) const {
        return WrongPixels(graph.Picture(), kGraphTrace, {p, p + QPoint(3, 3), p + QPoint(-3, 3)})
                   .isEmpty() &&
               Rgb(graph.Picture(), p + QPoint(4, -4)) != kGraphTrace;
    }
};

} // namespace

class TimeGraphTest : public QObject {
    Q_OBJECT

private slots:
    void init() { gNodeList.Clear(kNodeBoth); }

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

    // Samples at least 4 pixels apart are stems with marks; closer ones a plain line.
    void stemsWhileApartALineWhenClose() {
        Graph g;
        QCOMPARE(g.graph.Response().CpxCount(), 8);
        QVERIFY(g.Marked(Graph::At(0, 8, 1.0)));
        QVERIFY(g.Marked(Graph::At(1, 8, 0.0)));
        // The stem of the first sample runs down to the zero line; no line joins the
        // samples.
        QCOMPARE(Rgb(g.graph.Picture(), QPoint(10, 80)), kGraphTrace);
        QCOMPARE(Rgb(g.graph.Picture(), QPoint(10 + 385 / 14, 8 + 117 / 2)), kGraphBack);
        // 100 ms at 8000 Hz: 800 samples on 385 pixels.
        g.graph.SetDuration(99.9);
        g.graph.UpdateFromNodeList();
        QCOMPARE(g.graph.Response().CpxCount(), 800);
        QVERIFY(!g.Marked(Graph::At(0, 800, 1.0)));
        QCOMPARE(Rgb(g.graph.Picture(), QPoint(10, 100)), kGraphTrace);
        QCOMPARE(Rgb(g.graph.Picture(), QPoint(200, 125)), kGraphTrace);
        // Zoomed in, they stand apart again.
        g.graph.SetXRange(AxisRange(0, 10, false));
        QVERIFY(g.Marked(QPoint(10, 8)));
    }

    void stepOfALowPassRisesToTheTop() {
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.0), false, 1));
        Graph g;
        g.graph.SetPlotType(kCmdStepResponse);
        g.graph.SetDuration(5.0);
        g.graph.UpdateFromNodeList();
        const int count = g.graph.Response().CpxCount();
        QCOMPARE(count, 41);
        const QPoint last =
            Graph::At(count - 1, count, g.graph.Response().NormResponse(count - 1).r);
        QVERIFY(last.y() <= 9);
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
        QCOMPARE(g.Readout(), (QStringList{"Exact Time: 0.000 ms", "Magnitude: 1.00 (1.00)",
                                           "Sample: 0 @ 0.0 ms", "Scale: 1.0000 "}));
        // The time under the cursor on the trace's time base, the sample marked nearest.
        g.Press(394);
        QCOMPARE(g.Readout(), (QStringList{"Exact Time: 0.8727 ms", "Magnitude: 0.00 (0.00)",
                                           "Sample: 7 @ 0.8750 ms", "Scale: 1.0000 "}));
        // H(z) = (z + 1) / (z - 0.5): the impulse response is 1, 1.5, 0.75, ..., its
        // peak 1.5 at sample 1; the raw value stands beside the normalised one. The
        // scale follows the design at once, and Find Peak marks that sample.
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.0), false, 1));
        gNodeList.AddNode(FNode(kNodeZero, FComplex(-1.0, 0.0), false, 1));
        g.graph.UpdateFromNodeList();
        QCOMPARE(g.Readout()[3], QStringLiteral("Scale: 1.5000 "));
        g.Press(10 + 385 / 7);
        QCOMPARE(g.Readout().mid(1), (QStringList{"Magnitude: 1.50 (1.00)", "Sample: 1 @ 0.1250 ms",
                                                  "Scale: 1.5000 "}));
        g.graph.FindPeak();
        QCOMPARE(g.graph.Markers().at(0).x, 1.0);
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
        // Long enough for a growing oscillation to overflow: the scale comes from the
        // finite samples, the rest stand at the edge, and a sample without a value says so.
        gNodeList.AddNode(FNode(kNodePole, FComplex(-1.0, 1.5), true, 1));
        g.graph.SetDuration(400.0);
        g.graph.UpdateFromNodeList();
        QVERIFY(std::isfinite(TimeGraph::DisplayPeak(g.graph.Response())));
        g.Press(394);
        QCOMPARE(g.Readout()[1], QStringLiteral("Magnitude: nan (nan)"));
    }
};

QTEST_MAIN(TimeGraphTest)
#include "TimeGraphTest.moc"
