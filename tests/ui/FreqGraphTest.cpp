#include "ui/FreqGraph.h"
#include "PictureCheck.h"
#include "ViewDriver.h"
#include "ui/ZPlaneDesign.h"

#include <QTest>

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
        // The peak touches the top of the plot area, a magnitude of 0 lies on the axis,
        // and the last sample on the area's right edge.
        QCOMPARE(FreqGraph::MagPoint(m, 0, 1.0), QPoint(10, 8));
        QCOMPARE(FreqGraph::MagPoint(m, FreqGraph::kResolution, 0.0), QPoint(395, 112));
        const QRect p(10, 135, 385, 120);
        QCOMPARE(FreqGraph::PhasePoint(p, 0, 1.0), QPoint(10, 195 - 19));
        QCOMPARE(FreqGraph::PhasePoint(p, FreqGraph::kResolution, -1.0), QPoint(395, 195 + 19));
        QCOMPARE(FreqGraph::PhasePoint(p, 512, 0.0).y(), 195);
    }

    void drawsAxesTracesAndFrames() {
        Graph g;
        const QImage& pic = g.graph.Picture();
        // Axes, and the pi glyphs' bars.
        QCOMPARE(WrongPixels(pic, 0,
                             {QPoint(10, 60), QPoint(200, 112), QPoint(10, 240), QPoint(6, 135),
                              QPoint(6, 245), QPoint(3, 247)}),
                 "");
        // A flat response: the magnitude along the top of the plot area, the phase on
        // the zero line; lines end short of their last point.
        QCOMPARE(WrongPixels(pic, kGraphTrace, {QPoint(10, 8), QPoint(394, 8), QPoint(300, 195)}),
                 "");
        QCOMPARE(WrongPixels(pic, kGraphBack, {QPoint(395, 8), QPoint(394, 9), QPoint(395, 112)}),
                 "");
        QCOMPARE(Rgb(pic, QPoint(0, 3)), 0xA0A0A0u);
        QCOMPARE(Rgb(pic, QPoint(399, 126)), 0xFFFFFFu);
        QVERIFY(ShowsLabel(pic, QPoint(2, 3), QStringLiteral("1")));
        QVERIFY(ShowsLabel(pic, QPoint(192, 112), QStringLiteral("kHz")));
        QVERIFY(ShowsLabel(pic, QPoint(192, 245), QStringLiteral("kHz")));
    }

    void rateLabels_data() {
        QTest::addColumn<int>("rate");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("atRightEnd");
        QTest::newRow("8000 Hz") << 8000 << "4.0"
                                 << "Frequency: 3.99 kHz";
        QTest::newRow("44100 Hz") << 44100 << "22.1"
                                  << "Frequency: 21.99 kHz";
    }

    void rateLabels() {
        QFETCH(int, rate);
        QFETCH(QString, label);
        QFETCH(QString, atRightEnd);
        Graph g;
        g.graph.SetSampleRate(rate);
        QVERIFY(ShowsLabel(g.graph.Picture(), QPoint(370, 112), label));
        QVERIFY(ShowsLabel(g.graph.Picture(), QPoint(370, 195), label));
        g.Press(394);
        QCOMPARE(g.Readout()[0], atRightEnd);
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
        const QImage picture = g.graph.Picture();
        g.Press(120);
        QStringList degrees = g.Readout();
        g.graph.SetPhaseUnits(kCmdRadians);
        QCOMPARE(g.graph.Picture(), picture);
        g.Press(120);
        const QStringList radians = g.Readout();
        QVERIFY(degrees[2].endsWith(QStringLiteral(" (deg)")));
        QVERIFY(radians[2].endsWith(QStringLiteral(" (rad)")));
        const double deg = degrees[2].section(' ', 1, 1).toDouble();
        QVERIFY(qAbs(deg * kPi / 180.0 - radians[2].section(' ', 1, 1).toDouble()) < 0.01);
        degrees[2] = radians[2];
        QCOMPARE(radians, degrees);
    }
};

QTEST_MAIN(FreqGraphTest)
#include "FreqGraphTest.moc"
