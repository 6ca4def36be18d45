#include "ui/analysis/FreqGraph.h"
#include "PictureCheck.h"
#include "ViewDriver.h"
#include "arith/QuantizedCascade.h"
#include "design/iir/FStandardDesign.h"
#include "plot/ReadoutFormat.h"
#include "text/SectionText.h"
#include "ui/DesignDocument.h"
#include "ui/Drawing.h"

#include <QTest>
#include <QWheelEvent>

#include <cmath>
#include <complex>

namespace {

// A 400 x 300 graph: plot areas x 10 ... 394 (385 pixels, 0 ... 4000 Hz at 8000 Hz),
// magnitude y 8 ... 111, phase y 135 ... 254 about its zero line at 195.
using Graph = ShownGraph<FreqGraph>;

// Where a frequency lies on the full linear axis, and the frequency at a pixel.
double HzAt(double x) {
    return 4000.0 * (x - 10) / 385;
}

void Wheel(QWidget& w, QPoint at, int notches, Qt::KeyboardModifiers modifiers) {
    QWheelEvent wheel(at, w.mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(&w, &wheel);
}

void Drag(QWidget& w, QPoint from, QPoint to) {
    QTest::mousePress(&w, Qt::LeftButton, {}, from);
    MoveTo(&w, (from + to) / 2, Qt::LeftButton);
    MoveTo(&w, to, Qt::LeftButton);
    QTest::mouseRelease(&w, Qt::LeftButton, {}, to);
}

// |H(e^jw)| of a cascade's sections, its gain left out.
double SectionsMagnitude(const SosCascade& cascade, double w) {
    const std::complex<double> z1 = std::polar(1.0, -w);
    std::complex<double> h = 1.0;
    for (const FBiquad& s : cascade.sections) {
        const auto poly = [z1](const std::array<FComplex, 3>& c) {
            return c[0].r + z1 * (c[1].r + z1 * c[2].r);
        };
        h *= poly(s.b) / poly(s.a);
    }
    return std::abs(h);
}

void AddButterworthLowpass(double corner) {
    FStandardDesign request;
    request.corner = corner;
    Zpk zpk;
    request.Design(&zpk);
    zpk.AddToNodeList(&gNodeList);
}

} // namespace

class FreqGraphTest : public QObject {
    Q_OBJECT

private slots:
    void init() { gNodeList.Clear(kNodeBoth); }

    void drawsAxesTracesAndFrames() {
        Graph g;
        const QImage& pic = g.graph.Picture();
        // A flat response: the magnitude along the top of the plot area, the phase on the
        // zero line; axes and frames.
        QCOMPARE(WrongPixels(pic, kGraphTrace, {QPoint(60, 8), QPoint(394, 8), QPoint(300, 195)}),
                 "");
        QCOMPARE(WrongPixels(pic, 0, {QPoint(200, 112), QPoint(10, 240)}), "");
        QCOMPARE(Rgb(pic, QPoint(0, 3)), 0xA0A0A0u);
        QCOMPARE(Rgb(pic, QPoint(399, 126)), 0xFFFFFFu);
    }

    // The axis's high end is labelled with the digits it needs, also zoomed, and the last
    // label names the unit. The read-out's parts get what their texts need and share
    // the rest; where the strip is too narrow, they share it in proportion.
    void labelsAndReadoutParts() {
        QCOMPARE(FreqGraph::StatusEdges({100, 80, 120, 60}, 400),
                 (std::vector<int>{110, 200, 330}));
        QCOMPARE(FreqGraph::StatusEdges({100, 100, 100, 300}, 300),
                 (std::vector<int>{50, 100, 150}));
        struct Row {
            AxisScale axis;
            QString first;
            QString last;
        } rows[] = {{AxisScale::Linear(0, 4000, 10, 395), "0", "4 kHz"},
                    {AxisScale::Linear(0, 22050, 10, 395), "0", "22.05 kHz"},
                    {AxisScale::Log(4, 4000, 10, 395), "0.01", "4 kHz"},
                    {AxisScale::Linear(0, 0.5, 10, 395), "0", "0.5 Hz"},
                    {AxisScale::Log(95, 105, 10, 395), "96", "105 Hz"}};
        for (const Row& r : rows) {
            const std::vector<AxisTick> ticks = FreqGraph::FrequencyTicks(r.axis, 385);
            QCOMPARE(ticks.front().label, r.first);
            QCOMPARE(ticks.back().label, r.last);
        }
    }

    // Before any click the cursor stands at 0 Hz and reads what is there.
    void readoutBeforeAnyClick() {
        // A zero at 0.98: |H| is 0.02 at 0 Hz and 1.98 at the top of the band.
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.98, 0.0), false, 1));
        Graph g;
        QCOMPARE(g.Readout()[0], QStringLiteral("Frequency: 0 Hz"));
        QCOMPARE(g.Readout()[1], QString::asprintf("Magnitude: %.2f ", 0.02 / 1.98));
        g.graph.SetScale(kCmdScaleLogLinear);
        QCOMPARE(g.Readout()[1],
                 QString::asprintf("Magnitude: %.2f dB", 20 * std::log10(0.02 / 1.98)));
    }

    // The cursor keeps its frequency across a design change, a Scale change, a zoom and
    // a change of units, and the read-out is computed there at once.
    void cursorStaysAcrossChanges() {
        // A zero at z = -1: |H| / peak = cos(w / 2), phase w / 2.
        gNodeList.AddNode(FNode(kNodeZero, FComplex(-1.0, 0.0), false, 1));
        Graph g;
        g.Press(203);
        const double hz = HzAt(203);
        const double w = kPi * hz / 4000;
        QCOMPARE(g.graph.Cursor(), hz);
        const QString frequency = QStringLiteral("Frequency: 2005 Hz");
        QCOMPARE(g.Readout(),
                 (QStringList{frequency, QString::asprintf("Magnitude: %.2f ", std::cos(w / 2)),
                              QString::asprintf("Phase: %.2f (deg)", w / 2 * 180 / kPi),
                              "Scale: 2.0000 "}));
        // A pole at 0.5 too: |H| = |e^jw + 1| / |e^jw - 0.5|, its peak 4 at 0 Hz.
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.0), false, 1));
        g.graph.UpdateFromNodeList();
        const std::complex<double> z = std::polar(1.0, w);
        const double mag = std::abs((z + 1.0) / (z - 0.5)) / 4;
        QCOMPARE(g.Readout().mid(0, 2),
                 (QStringList{frequency, QString::asprintf("Magnitude: %.2f ", mag)}));
        g.graph.SetScale(kCmdScaleLogLog);
        QCOMPARE(g.Readout().mid(0, 2),
                 (QStringList{frequency,
                              QString::asprintf("Magnitude: %.2f dB", 20 * std::log10(mag))}));
        g.graph.SetScale(kCmdScaleLinear);
        g.graph.SetXRange(AxisRange(0, 2500, false));
        QCOMPARE(g.Readout()[0], frequency);
        QCOMPARE(g.graph.CursorX(), static_cast<int>(std::lround(10 + 385 * hz / 2500)));
        g.graph.SetPhaseUnits(kCmdRadians);
        const double phase = std::arg((z + 1.0) / (z - 0.5));
        QCOMPARE(g.Readout().mid(0, 3),
                 (QStringList{frequency, QString::asprintf("Magnitude: %.2f ", mag),
                              QString::asprintf("Phase: %.2f (rad)", phase)}));
        // The keys move it one pixel of the view; a press outside the plot areas leaves it.
        g.Key(Qt::Key_Right);
        const double moved = 2500.0 * (g.graph.CursorX() - 10) / 385;
        QVERIFY(std::abs(g.graph.Cursor() - moved) < 1e-9);
        g.Press(200, 128);
        QVERIFY(std::abs(g.graph.Cursor() - moved) < 1e-9);
    }

    // A dragged rectangle zooms both axes to it, the wheel zooms the axis under the
    // pointer about it, Shift+wheel pans, a double click or Home shows everything.
    void zoomPanAndReset() {
        Graph g;
        Drag(g.graph, QPoint(108, 30), QPoint(206, 90));
        QVERIFY(std::abs(g.graph.XRange().Low() - HzAt(108)) < 1e-9);
        QVERIFY(std::abs(g.graph.XRange().High() - HzAt(207)) < 1e-9);
        const AxisRange y = g.graph.YRange(0);
        QVERIFY(std::abs(y.High() - (112 - 30) / 104.0) < 1e-12);
        QVERIFY(std::abs(y.Low() - (112 - 91) / 104.0) < 1e-12);
        // A drag is no click: the cursor stays at 0 Hz.
        QCOMPARE(g.graph.Cursor(), 0.0);
        QTest::mouseDClick(&g.graph, Qt::LeftButton, {}, QPoint(200, 50));
        QCOMPARE(g.graph.XRange(), AxisRange(0, 4000, false));
        QCOMPARE(g.graph.YRange(0), AxisRange(0, 1, false));

        Wheel(g.graph, QPoint(108, 50), 2, Qt::NoModifier);
        const AxisRange zoomed = g.graph.XRange();
        QVERIFY(std::abs(zoomed.High() - zoomed.Low() - 4000 / 1.5625) < 1e-9);
        QVERIFY(std::abs(zoomed.Scale(10, 395).ToValue(108) - HzAt(108)) < 1e-9);
        Wheel(g.graph, QPoint(108, 50), 1, Qt::ShiftModifier);
        QVERIFY(std::abs(g.graph.XRange().Low() - (zoomed.Low() - 0.1 * 2560)) < 1e-9);
        // Over the vertical axis's labels the wheel zooms that axis.
        Wheel(g.graph, QPoint(20, 60), 1, Qt::NoModifier);
        QVERIFY(std::abs(g.graph.YRange(0).High() - g.graph.YRange(0).Low() - 0.8) < 1e-9);
        g.Key(Qt::Key_Home);
        QCOMPARE(g.graph.XRange(), AxisRange(0, 4000, false));
        QCOMPARE(g.graph.YRange(0), AxisRange(0, 1, false));
        // The log axis zooms by ratios.
        g.graph.SetScale(kCmdScaleLogLog);
        g.graph.SetXRange(AxisRange(100, 1000, true));
        QCOMPARE(g.graph.XRange(), AxisRange(100, 1000, true));
    }

    // Find Peak and Find -3 dB mark the true points, which follow the design until
    // cleared; a second cursor reads out the difference.
    void markersAndTheSecondCursor() {
        AddButterworthLowpass(1000.0);
        Graph g;
        g.graph.FindPeak();
        QVERIFY(g.graph.FindHalfPower());
        QCOMPARE(g.graph.Markers().size(), size_t(2));
        QCOMPARE(g.graph.Markers()[0].value, 1.0);
        QVERIFY(std::abs(g.graph.Markers()[1].x - 1000.0) < 1e-6);
        QVERIFY(std::abs(g.graph.Markers()[1].value - std::sqrt(0.5)) < 1e-15);
        gNodeList.Clear(kNodeBoth);
        AddButterworthLowpass(1500.0);
        g.graph.UpdateFromNodeList();
        QVERIFY(std::abs(g.graph.Markers()[1].x - 1500.0) < 1e-6);
        // Shift+click: the difference from the cursor at 0 Hz, in the scale's terms.
        g.graph.SetScale(kCmdScaleLogLinear);
        QTest::mouseClick(&g.graph, Qt::LeftButton, Qt::ShiftModifier, QPoint(164, 50));
        QCOMPARE(g.graph.SecondCursor().value_or(-1), HzAt(164));
        // A Butterworth design's |H|^2 is 1 / (1 + (tan(w / 2) / tan(wc / 2))^8).
        const double ratio = std::tan(kPi * HzAt(164) / 8000) / std::tan(kPi * 1500 / 8000);
        QCOMPARE(g.graph.DeltaText(), QString::asprintf("\u0394 1600 Hz, %.2f dB",
                                                        -10 * std::log10(1 + std::pow(ratio, 8))));
        g.graph.ClearMarkers();
        QVERIFY(g.graph.Markers().empty() && !g.graph.SecondCursor());
        g.graph.UpdateFromNodeList();
        QVERIFY(g.graph.Markers().empty());
    }

    // The held reference and other traces are drawn with the design's own, in their
    // colours, and named in the legend with their values at the cursor; regions are
    // shaded.
    void referenceTracesAndRegions() {
        gNodeList.AddNode(FNode(kNodeZero, FComplex(-1.0, 0.0), false, 1));
        Graph g;
        g.graph.HoldReference();
        gNodeList.Clear(kNodeBoth);
        g.graph.UpdateFromNodeList();
        g.Press(203);
        const double w = kPi * HzAt(203) / 4000;
        QCOMPARE(
            g.graph.LegendTexts(),
            (QStringList{"Design  1.0000", QString::asprintf("Reference  %.4f", std::cos(w / 2))}));
        const QColor blue(0, 0, 255);
        g.graph.SetTrace("quantised", GraphTrace{"Quantised", blue, {[](double) { return 0.5; }}});
        g.graph.SetRegions("mask", "Mask", QColor(255, 0, 0), 0,
                           {{3000, INFINITY, 0.25, INFINITY}});
        QCOMPARE(g.graph.LegendTexts().mid(2), (QStringList{"Quantised  0.5000", "Mask"}));
        const QImage& pic = g.graph.Picture();
        QCOMPARE(Rgb(pic, QPoint(100, 112 - 52)), 0x0000FFu);
        QCOMPARE(Rgb(pic, QPoint(10 + 385 * 3 / 8, 112 - int(104 * std::cos(3 * kPi / 16)))),
                 0x707070u);
        QCOMPARE(Rgb(pic, QPoint(330, 80)), 0xFF0000u);
        g.graph.ClearReference();
        g.graph.RemoveTrace("quantised");
        g.graph.RemoveRegions("mask");
        QVERIFY(g.graph.LegendTexts().isEmpty());
    }

    // A quantised design's response is drawn over the design's and read out beside it:
    // at every cursor, as far above or below the design's as its sections' response is
    // above or below the exact sections'. f64 shows nothing; a refusal is named.
    void quantisedResponse() {
        FStandardDesign request;
        request.family = FStandardDesign::Family::Elliptic;
        request.order = 6;
        request.corner = 50.0;
        request.attenuationDb = 60.0;
        Zpk zpk;
        request.Design(&zpk);
        zpk.AddToNodeList(&gNodeList);
        const Zpk design = Zpk::FromNodeList(gNodeList);
        const QuantizedCascade q15 = Quantize(design, Arithmetic::Q15);
        const SosCascade exact = Quantize(design, Arithmetic::F64).stored;
        Graph g;
        g.graph.ShowQuantized(q15);
        for (const int x : {11, 12, 13, 14, 15}) {
            g.Press(x);
            const QStringList legend = g.graph.LegendTexts();
            QCOMPARE(legend.size(), 2);
            QVERIFY(legend[0].startsWith("Design  ") && legend[1].startsWith("Q15  "));
            const double own = legend[0].mid(8).toDouble();
            const double quantised = legend[1].mid(5).toDouble();
            const double w = kPi * g.graph.Cursor() / 4000;
            QVERIFY2(std::fabs(quantised - own * SectionsMagnitude(q15.stored, w) /
                                               SectionsMagnitude(exact, w)) < 2e-4,
                     qPrintable(legend.join(", ")));
            QCOMPARE(g.Readout()[1],
                     QString::fromStdString("Magnitude: " + FormatValue(own, 2) + ", Q15 " +
                                            FormatValue(quantised, 2) + " "));
            QVERIFY(g.Readout()[2].contains(", Q15 "));
        }
        int purple = 0;
        for (int x = 10; x < 395; ++x) {
            for (int y = 8; y < 255; ++y) {
                purple += Rgb(g.graph.Picture(), QPoint(x, y)) == 0xB000B0u;
            }
        }
        QVERIFY(purple > 100);
        g.graph.ShowQuantized(Quantize(design, Arithmetic::F64));
        QVERIFY(g.graph.LegendTexts().isEmpty());
        QVERIFY(!g.Readout()[1].contains("Q15"));
        // A complex root without its conjugate has no real sections to quantise.
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.5), false, 1));
        g.graph.UpdateFromNodeList();
        g.graph.ShowQuantized(Quantize(Zpk::FromNodeList(gNodeList), Arithmetic::Q15));
        QCOMPARE(g.graph.LegendTexts()[1],
                 QStringLiteral("Q15: ") + QString::fromLatin1(kUnpairedSectionsText) + "  ");
        QVERIFY(!g.Readout()[1].contains("Q15"));
    }

    // The phase breaks only where it jumps: at a zero on the circle (here at the band's
    // top), never with a line across the panel; unwrapped, it runs on past +-pi.
    void phaseBreaksOnlyWhereItJumps() {
        // Three poles at 0 and a zero at -1: the phase is w / 2 - 3 w.
        for (int k = 0; k < 3; ++k) {
            gNodeList.AddNode(FNode(kNodePole, FComplex(0.0, 0.0), false, 1));
        }
        gNodeList.AddNode(FNode(kNodeZero, FComplex(-1.0, 0.0), false, 1));
        Graph g;
        int traced = 0;
        for (int y = 135; y < 255; ++y) {
            traced += Rgb(g.graph.Picture(), QPoint(394, y)) == kGraphTrace;
        }
        QVERIFY(traced <= 2);
        g.Press(394);
        const double w = kPi * HzAt(394) / 4000;
        const double phase = w / 2 - 3 * w;
        QCOMPARE(g.Readout()[2], QString::asprintf("Phase: %.2f (deg)",
                                                   std::remainder(phase, 2 * kPi) * 180 / kPi));
        g.graph.SetUnwrapped(true);
        QCOMPARE(g.Readout()[2], QString::asprintf("Phase: %.2f (deg)", phase * 180 / kPi));
        QVERIFY(g.graph.YRange(1).Low() <= phase);
    }
};

QTEST_MAIN(FreqGraphTest)
#include "FreqGraphTest.moc"
