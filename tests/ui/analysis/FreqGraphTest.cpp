#include "ui/analysis/FreqGraph.h"
#include "PictureCheck.h"
#include "ViewDriver.h"
#include "ui/DesignDocument.h"

#include "ui/Drawing.h"

#include <QFontMetrics>
#include <QTest>

#include <cmath>

namespace {

// A 400 x 300 graph: panels (0,3)-(400,127) and (0,130)-(400,260); plot areas
// x 10 ... 394, magnitude y 8 ... 111 over its axis at 112, phase y 135 ... 254 about
// its zero line at 195.
using Graph = ShownGraph<FreqGraph>;

const QStringList kNoCursor = {"Frequency: 0.00 kHz", "Magnitude: 0.00 ", "Phase: 0.00 (deg)",
                               "Scale: 1.0000 "};

} // namespace

class FreqGraphTest : public QObject {
    Q_OBJECT

private slots:
    void init() { gNodeList.Clear(kNodeBoth); }

    void layout() {
        const QSize client(400, 300);
        QCOMPARE(FreqGraph::MagRectFor(client), QRect(QPoint(0, 3), QPoint(399, 126)));
        QCOMPARE(FreqGraph::PhaseRectFor(client), QRect(QPoint(0, 130), QPoint(399, 259)));
        const QRect m = FreqGraph::MagPlot(FreqGraph::MagRectFor(client));
        QCOMPARE(m, QRect(QPoint(10, 8), QPoint(394, 111)));
        QCOMPARE(FreqGraph::PhasePlot(FreqGraph::PhaseRectFor(client)),
                 QRect(QPoint(10, 135), QPoint(394, 254)));
        QCOMPARE(FreqGraph::StatusRect(client), QRect(0, 260, 400, 20));
        QCOMPARE(FreqGraph::StatusEdges(400), (std::vector<int>{100, 200, 300}));
        // Trace points: the peak touches the top of the plot area, a magnitude of 0 lies on
        // the axis, and half the rate on the area's right edge; the phase truncates
        // toward its zero line. Values past an axis are drawn at its edge.
        struct Row {
            const char* name;
            QRect area;
            AxisScale x, y;
            double hz, value;
            QPoint at;
        };
        const QRect p(10, 135, 385, 120);
        const AxisScale hz = FreqGraph::FrequencyAxis(m, 8000, false);
        const AxisScale logHz = FreqGraph::FrequencyAxis(m, 8000, true);
        const AxisScale mag = FreqGraph::MagnitudeAxis(m, false, 0.0);
        const AxisScale db = FreqGraph::MagnitudeAxis(m, true, -20.0);
        const AxisScale phase = FreqGraph::PhaseAxis(p);
        const std::vector<Row> rows = {
            {"peak at 0 Hz", m, hz, mag, 0.0, 1.0, QPoint(10, 8)},
            {"phase -1 rad at half the rate", p, hz, phase, 4000.0, -1.0, QPoint(395, 195 + 19)},
            {"infinite", m, hz, mag, 2000.0, INFINITY, QPoint(202, 8)},
            {"-10 dB", m, hz, db, 2000.0, -10.0, QPoint(202, 60)},
            {"below the dB floor", m, hz, db, 2000.0, -INFINITY, QPoint(202, 112)},
            {"log axis, 40 Hz", m, logHz, mag, 40.0, 0.0, QPoint(10 + 385 / 3, 112)},
            {"phase 1 rad", p, hz, phase, 0.0, 1.0, QPoint(10, 195 - 19)},
        };
        for (const Row& r : rows) {
            QCOMPARE(FreqGraph::TracePoint(r.area, r.x, r.y, r.hz, r.value), r.at);
        }
    }

    void drawsAxesTracesAndFrames() {
        Graph g;
        const QImage& pic = g.graph.Picture();
        // Axes.
        QCOMPARE(WrongPixels(pic, 0, {QPoint(10, 60), QPoint(200, 112), QPoint(10, 240)}), "");
        // A flat response: the magnitude along the top of the plot area, the phase on
        // the zero line; lines end short of their last point.
        QCOMPARE(WrongPixels(pic, kGraphTrace, {QPoint(10, 8), QPoint(394, 8), QPoint(300, 195)}),
                 "");
        QCOMPARE(Rgb(pic, QPoint(0, 3)), 0xA0A0A0u);
        QCOMPARE(Rgb(pic, QPoint(399, 126)), 0xFFFFFFu);
        // Light grid lines at the ticks: 1 kHz, and 0.5 of the magnitude.
        QCOMPARE(Rgb(pic, QPoint(10 + 385 / 4, 100)), 0x999999u);
        QCOMPARE(Rgb(pic, QPoint(300, 112 - 52)), 0x999999u);
    }

    void rateLabels_data() {
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("right");
        QTest::addColumn<QString>("atRightEnd");
        QTest::newRow("8000 Hz") << 8000 << "4 kHz" << 395 << "Frequency: 3.99 kHz";
        QTest::newRow("44100 Hz") << 44100 << "20 kHz" << 10 + 385 * 20000 / 22050
                                  << "Frequency: 21.99 kHz";
    }

    void rateLabels() {
        QFETCH(int, rate);
        QFETCH(QString, label);
        QFETCH(int, right);
        QFETCH(QString, atRightEnd);
        Graph g;
        g.graph.SetSampleRate(rate);
        // The last tick's label names the unit, centred under it or ending at the edge.
        const int w = QFontMetrics(LabelFont()).horizontalAdvance(label);
        QVERIFY(
            ShowsLabel(g.graph.Picture(), QPoint(std::min(right - w / 2, 395 - w), 113), label));
        g.Press(394);
        QCOMPARE(g.Readout()[0], atRightEnd);
    }

    void readoutFollowsTheScale_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<int>("x");
        QTest::addColumn<bool>("log");
        QTest::addColumn<bool>("db");
        QTest::newRow("Linear") << kCmdScaleLinear << 203 << false << false;
        QTest::newRow("Log Linear") << kCmdScaleLogLinear << 203 << false << true;
        QTest::newRow("Linear Log") << kCmdScaleLinearLog << 267 << true << false;
        QTest::newRow("Log Log") << kCmdScaleLogLog << 300 << true << true;
    }

    void readoutFollowsTheScale() {
        QFETCH(int, scale);
        QFETCH(int, x);
        QFETCH(bool, log);
        QFETCH(bool, db);
        // A zero at z = -1: |H| / peak = cos(w / 2), phase w / 2.
        gNodeList.AddNode(FNode(kNodeZero, FComplex(-1.0, 0.0), false, 1));
        Graph g;
        g.graph.SetScale(scale);
        g.Press(x);
        const double t = (x - 10) / 385.0;
        const double hz = log ? 4000.0 * std::pow(10.0, 3.0 * (t - 1.0)) : 4000.0 * t;
        const double mag = std::cos(kPi * hz / 8000.0);
        const QString magnitude = db ? QString::asprintf("Magnitude: %.2f dB", 20 * std::log10(mag))
                                     : QString::asprintf("Magnitude: %.2f ", mag);
        QCOMPARE(g.Readout(),
                 (QStringList{QString::asprintf("Frequency: %.2f kHz", hz / 1000), magnitude,
                              QString::asprintf("Phase: %.2f (deg)", hz / 8000 * 180),
                              "Scale: 2.0000 "}));
    }

    void cursorAndReadout() {
        Graph g;
        g.Key(Qt::Key_Right);
        QCOMPARE(g.graph.CursorX(), -1);
        g.Press(10);
        QCOMPARE(g.graph.CursorX(), 10);
        QCOMPARE(g.Readout(), (QStringList{"Frequency: 0.00 kHz", "Magnitude: 1.00 ",
                                           "Phase: 0.00 (deg)", "Scale: 1.0000 "}));
        g.Key(Qt::Key_Left);
        QCOMPARE(g.graph.CursorX(), -1);
        g.Press(100);
        g.Key(Qt::Key_Right);
        g.Key(Qt::Key_Right);
        g.Key(Qt::Key_Left);
        g.Key(Qt::Key_Up);
        QCOMPARE(g.graph.CursorX(), 101);
        g.Press(394, 200);
        QCOMPARE(g.graph.CursorX(), 394);
        g.Key(Qt::Key_Right);
        QCOMPARE(g.graph.CursorX(), -1);
        QCOMPARE(g.Readout(), kNoCursor);
        // Outside both plot areas: between the panels, and left of the axes.
        g.Press(200);
        g.Press(200, 128);
        QCOMPARE(g.graph.CursorX(), -1);
        QCOMPARE(g.Readout(), kNoCursor);
        g.Press(5, 50);
        QCOMPARE(g.graph.CursorX(), -1);
        // A zero at z = -1: |H| = 2 cos(w / 2), peak 2 at 0 Hz, phase -w / 2; here
        // w = 193 pi / 385.
        gNodeList.AddNode(FNode(kNodeZero, FComplex(-1.0, 0.0), false, 1));
        g.graph.UpdateFromNodeList();
        g.Press(10 + 385 / 2 + 1);
        QCOMPARE(g.Readout(), (QStringList{"Frequency: 2.01 kHz", "Magnitude: 0.71 ",
                                           "Phase: 45.12 (deg)", "Scale: 2.0000 "}));
        // A pole at z = 1 as well: H is infinite at 0 Hz, finite values read 0 beside it.
        gNodeList.AddNode(FNode(kNodePole, FComplex(1.0, 0.0), false, 1));
        g.graph.UpdateFromNodeList();
        g.Press(10);
        QCOMPARE(g.Readout()[1] + g.Readout()[3], QStringLiteral("Magnitude: inf Scale: inf "));
        g.Press(100);
        QCOMPARE(g.Readout()[1], QStringLiteral("Magnitude: 0.00 "));
    }

    void cursorLineIsInvertedAndRestored() {
        Graph g;
        const QImage before = g.graph.Picture();
        g.Press(150);
        const QImage& with = g.graph.Picture();
        for (const int y : {8, 60, 111, 135, 195, 254}) {
            QCOMPARE(Rgb(with, QPoint(150, y)), ~Rgb(before, QPoint(150, y)) & 0xFFFFFF);
        }
        for (const int y : {7, 112, 128, 134, 255}) {
            QCOMPARE(Rgb(with, QPoint(150, y)), Rgb(before, QPoint(150, y)));
        }
        g.Press(151);
        g.Key(Qt::Key_Right);
        g.Press(200, 128);
        QCOMPARE(g.graph.Picture(), before);
    }

    void phaseUnitsChangeOnlyTheReadout() {
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.0), false, 1));
        Graph g;
        g.Press(120);
        QStringList degrees = g.Readout();
        g.graph.SetPhaseUnits(kCmdRadians);
        // The read-out follows at once, without the cursor.
        QCOMPARE(g.Readout()[2], QStringLiteral("Phase: 0.00 (rad)"));
        g.Press(120);
        const QStringList radians = g.Readout();
        QVERIFY(degrees[2].endsWith(QStringLiteral(" (deg)")));
        const double deg = degrees[2].section(' ', 1, 1).toDouble();
        QVERIFY(qAbs(deg * kPi / 180.0 - radians[2].section(' ', 1, 1).toDouble()) < 0.01);
        degrees[2] = radians[2];
        QCOMPARE(radians, degrees);
        // So does the scale after a design change.
        gNodeList.AddNode(FNode(kNodeZero, FComplex(-1.0, 0.0), false, 1));
        g.graph.UpdateFromNodeList();
        QCOMPARE(g.Readout()[3], QStringLiteral("Scale: 4.0000 "));
    }
};

QTEST_MAIN(FreqGraphTest)
#include "FreqGraphTest.moc"
