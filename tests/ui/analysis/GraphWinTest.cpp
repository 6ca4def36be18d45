#include "ui/analysis/GraphWin.h"
#include "PictureCheck.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"
#include "ViewDriver.h"
#include "design/requirement/MinimumOrder.h"
#include "ui/DesignDocument.h"
#include "ui/analysis/AxisLimitsDialog.h"
#include "ui/analysis/MaxTimeDialog.h"
#include "ui/analysis/RequirementMask.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <complex>

namespace {

const std::vector<int> kGraphs = {kCmdFreqResponse, kCmdGroupDelay, kCmdImpulseResponse,
                                  kCmdStepResponse, kCmdRampResponse};
const std::vector<int> kScales = {kCmdScaleLinear, kCmdScaleLogLog, kCmdScaleLogLinear,
                                  kCmdScaleLinearLog};
const std::vector<int> kPhaseUnits = {kCmdDegrees, kCmdRadians};
const std::vector<int> kArithmetics = {kCmdArithmeticFirst, kCmdArithmeticFirst + 1,
                                       kCmdArithmeticFirst + 2, kCmdArithmeticLast};

// The group delay in samples of a cascade's sections at w, from the slope of their phase.
double SectionsDelay(const SosCascade& cascade, double w) {
    const auto response = [&cascade](double at) {
        const std::complex<double> z1 = std::polar(1.0, -at);
        std::complex<double> h = 1.0;
        for (const FBiquad& s : cascade.sections) {
            const auto poly = [z1](const std::array<FComplex, 3>& c) {
                return c[0].r + z1 * (c[1].r + z1 * c[2].r);
            };
            h *= poly(s.b) / poly(s.a);
        }
        return h;
    };
    const double h = 1e-6;
    return -std::arg(response(w + h) / response(w - h)) / (2 * h);
}

int LineCount(const std::string& path) {
    const std::string text = ReadFileBytes(path);
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

class GraphWinTest : public QObject {
    Q_OBJECT

private:
    ScriptedRunner mRunner;
    DesignDocument mDocument;
    std::unique_ptr<GraphWin> mWin;

    GraphWin& Win() {
        if (!mWin) {
            mWin = std::make_unique<GraphWin>(mRunner, mDocument);
            mWin->UpdateFromNodeList();
            mWin->show();
        }
        return *mWin;
    }
    int Marked(const std::vector<int>& group) { return ::Marked(Win(), group); }
    void Trigger(int id) { Win().Action(id)->trigger(); }
    // A file command answered with path.
    void Trigger(int id, const std::string& path) {
        mRunner.fileAnswers = {QString::fromStdString(path)};
        Trigger(id);
    }
    bool TimeShown() { return Win().centralWidget()->isVisible() && Win().Time().isVisible(); }

private slots:
    void init() {
        gNodeList.Clear(kNodeBoth);
        mRunner = ScriptedRunner();
        mDocument.SetArithmetic(Arithmetic::F64);
    }
    void cleanup() { mWin.reset(); }

    void startState() {
        GraphWin& w = Win();
        QCOMPARE(w.VisibleGraph(), kCmdFreqResponse);
        QVERIFY(w.Freq().isVisible());
        QVERIFY(!w.Time().isVisible());
        QCOMPARE(w.Freq().geometry(), w.centralWidget()->rect());
        QCOMPARE(Marked(kGraphs), kCmdFreqResponse);
        QCOMPARE(Marked(kPhaseUnits), kCmdDegrees);
        QCOMPARE(Marked(kScales), kCmdScaleLinear);
        // A scale is for the frequency and delay graphs alike, whichever is shown.
        Trigger(kCmdScaleLogLog);
        QCOMPARE(Marked(kScales), kCmdScaleLogLog);
        QCOMPARE(w.Freq().Scale(), kCmdScaleLogLog);
        Trigger(kCmdScaleLogLog);
        QCOMPARE(Marked(kScales), kCmdScaleLogLog);
        QCOMPARE(w.VisibleGraph(), kCmdFreqResponse);
    }

    void switchingGraphsAndPhaseUnits() {
        GraphWin& w = Win();
        Trigger(kCmdStepResponse);
        QCOMPARE(w.VisibleGraph(), kCmdStepResponse);
        QVERIFY(TimeShown());
        QVERIFY(!w.Freq().isVisible());
        QCOMPARE(Marked(kGraphs), kCmdStepResponse);
        // The step response of an empty design is 1 throughout.
        QCOMPARE(w.Time().Response().Samples().back(), FComplex(1.0, 0.0));
        Trigger(kCmdRampResponse);
        QCOMPARE(w.Time().Response().Samples().back(), FComplex(7.0, 0.0));
        // The phase units leave the shown graph.
        Trigger(kCmdRadians);
        QCOMPARE(Marked(kPhaseUnits), kCmdRadians);
        QCOMPARE(w.Freq().PhaseUnits(), kCmdRadians);
        QCOMPARE(w.VisibleGraph(), kCmdRampResponse);
        Trigger(kCmdDegrees);
        QCOMPARE(Marked(kPhaseUnits), kCmdDegrees);
        QCOMPARE(w.Freq().PhaseUnits(), kCmdDegrees);
        Trigger(kCmdFreqResponse);
        QCOMPARE(w.VisibleGraph(), kCmdFreqResponse);
        QVERIFY(w.Freq().isVisible());
        QCOMPARE(Marked(kGraphs), kCmdFreqResponse);
        // Choosing the shown graph again keeps its mark.
        Trigger(kCmdFreqResponse);
        QCOMPARE(Marked(kGraphs), kCmdFreqResponse);
    }

    void shortcutsSwitchGraphs_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("id");
        QTest::newRow("Ctrl+I") << int(Qt::Key_I) << kCmdImpulseResponse;
        QTest::newRow("Ctrl+T") << int(Qt::Key_T) << kCmdStepResponse;
        QTest::newRow("Ctrl+R") << int(Qt::Key_R) << kCmdRampResponse;
        QTest::newRow("Ctrl+Y") << int(Qt::Key_Y) << kCmdGroupDelay;
    }

    void shortcutsSwitchGraphs() {
        QFETCH(int, key);
        QFETCH(int, id);
        GraphWin& w = Win();
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(QApplication::focusWidget(), &w.Freq());
        QTest::keyClick(&w, static_cast<Qt::Key>(key), Qt::ControlModifier);
        QCOMPARE(w.VisibleGraph(), id);
        QCOMPARE(Marked(kGraphs), id);
        // The cursor keys reach the graph on show.
        QCOMPARE(QApplication::focusWidget(),
                 id == kCmdGroupDelay ? static_cast<QWidget*>(&w.Delay()) : &w.Time());
        QTest::keyClick(&w, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(w.VisibleGraph(), kCmdFreqResponse);
    }

    void nonCausalDesignsAndTimeGraphs() {
        GraphWin& w = Win();
        Trigger(kCmdImpulseResponse);
        // More zeros than poles.
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.5, 0.0), true, 1));
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.2, 0.0), false, 1));
        // A time graph already shown stays, while the frequency graph follows.
        w.UpdateFromNodeList();
        QCOMPARE(w.VisibleGraph(), kCmdImpulseResponse);
        QVERIFY(TimeShown());
        QVERIFY(w.Freq().Response().Scale() != 1.0);
        QVERIFY(mRunner.messages.empty());
        // A time graph asked for is refused.
        Trigger(kCmdFreqResponse);
        Trigger(kCmdStepResponse);
        QCOMPARE(mRunner.messages.size(), size_t(1));
        QCOMPARE(mRunner.messages[0].text,
                 QStringLiteral("Can't show time response of non-causal IIR filter"));
        QCOMPARE(mRunner.messages[0].caption, AppCaption());
        QCOMPARE(w.VisibleGraph(), kCmdFreqResponse);
        QVERIFY(w.Freq().isVisible());
        QCOMPARE(Marked(kGraphs), kCmdFreqResponse);
    }

    void copyChoosesThePanel_data() {
        QTest::addColumn<int>("graph");
        QTest::addColumn<int>("id");
        // 0 the magnitude panel, 1 the phase panel, 2 the time graph's panel, 3 the delay
        // graph's.
        QTest::addColumn<int>("panel");
        QTest::newRow("frequency, Copy Graph") << kCmdFreqResponse << kCmdCopyGraph << 0;
        QTest::newRow("frequency, Copy Phase") << kCmdFreqResponse << kCmdCopyPhase << 1;
        QTest::newRow("frequency, Copy Magnitude") << kCmdFreqResponse << kCmdCopyMagnitude << 0;
        QTest::newRow("step, Copy Phase") << kCmdStepResponse << kCmdCopyPhase << 2;
        QTest::newRow("step, Copy Magnitude") << kCmdStepResponse << kCmdCopyMagnitude << 2;
        QTest::newRow("delay, Copy Phase") << kCmdGroupDelay << kCmdCopyPhase << 3;
    }

    void copyChoosesThePanel() {
        QFETCH(int, graph);
        QFETCH(int, id);
        QFETCH(int, panel);
        GraphWin& w = Win();
        Trigger(graph);
        Trigger(id);
        const QRect panels[] = {w.Freq().MagRect(), w.Freq().PhaseRect(), w.Time().TraceRect(),
                                w.Delay().PanelRect()};
        QCOMPARE(QGuiApplication::clipboard()->image().size(), panels[panel].size());
    }

    void saveValues() {
        TempDir dir;
        GraphWin& w = Win();
        Trigger(kCmdSaveValues, dir.File("f.pts"));
        QCOMPARE(mRunner.fileDialogs.back().initialName, QStringLiteral("pzdplot"));
        QCOMPARE(mRunner.fileDialogs.back().defaultSuffix, QStringLiteral("pts"));
        QCOMPARE(mRunner.fileDialogs.back().filter,
                 QStringLiteral("PZD Points Files (*.pts);;All Files (*)"));
        QCOMPARE(LineCount(dir.File("f.pts")), 1024);
        Trigger(kCmdGroupDelay);
        Trigger(kCmdSaveValues, dir.File("d.txt"));
        QCOMPARE(LineCount(dir.File("d.txt")), 1024);
        // A pole at 0.5 delays 0 Hz by 1 / (1 - 0.5) samples.
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.0), false, 1));
        w.UpdateFromNodeList();
        Click(&w.Delay(), QPoint(10, 50));
        QCOMPARE(w.Delay().Status().Text(1), QStringLiteral("Delay: 2.00 samples"));
        QCOMPARE(w.Delay().Status().Text(2), QStringLiteral("Delay: 0.2500 ms"));
        Trigger(kCmdImpulseResponse);
        Trigger(kCmdSaveValues, dir.File("t.pts"));
        QCOMPARE(LineCount(dir.File("t.pts")), 8);
        Trigger(kCmdSaveValues);
        QVERIFY(mRunner.messages.empty());
        Trigger(kCmdSaveValues, dir.File("none/t.pts"));
        QCOMPARE(mRunner.messages.size(), size_t(1));
        QCOMPARE(mRunner.messages[0].text, QStringLiteral("Can't open file to save to"));
        QCOMPARE(w.VisibleGraph(), kCmdImpulseResponse);
    }

    // Markers for the graph on show (-3 dB for the frequency graph alone), a reference for
    // every graph, typed axis limits (a bad one keeps OK back) and the unwrapped phase.
    void graphOptions() {
        GraphWin& w = Win();
        QVERIFY(!w.Action(kCmdClearReference)->isEnabled());
        Trigger(kCmdHoldReference);
        const QString reference = QString::fromLatin1(AnalysisGraph::kReferenceKey);
        for (AnalysisGraph* graph :
             {static_cast<AnalysisGraph*>(&w.Freq()), static_cast<AnalysisGraph*>(&w.Delay()),
              static_cast<AnalysisGraph*>(&w.Time())}) {
            QVERIFY(graph->HasTrace(reference));
        }
        QVERIFY(w.Action(kCmdClearReference)->isEnabled());
        QVERIFY(w.Action(kCmdFindHalfPower)->isEnabled());
        Trigger(kCmdImpulseResponse);
        QVERIFY(!w.Action(kCmdFindHalfPower)->isEnabled());
        Trigger(kCmdFindPeak);
        QCOMPARE(w.Time().Markers().size(), size_t(1));
        QVERIFY(w.Freq().Markers().empty());
        Trigger(kCmdClearMarkers);
        Trigger(kCmdClearReference);
        QVERIFY(w.Time().Markers().empty() && !w.Time().HasTrace(reference));
        QVERIFY(!w.Action(kCmdClearReference)->isEnabled());

        Trigger(kCmdFreqResponse);
        bool refused = false;
        mRunner.onExec = [&refused](QDialog& dialog) {
            auto& limits = dynamic_cast<AxisLimitsDialog&>(dialog);
            limits.Low(0).setText(QStringLiteral("abc"));
            refused = !limits.OkButton().isEnabled();
            limits.Low(0).setText(QStringLiteral("1000"));
            limits.High(0).setText(QStringLiteral("2000"));
            // The phase in the units shown, degrees.
            limits.Low(2).setText(QStringLiteral("-90"));
            return limits.OkButton().isEnabled();
        };
        Trigger(kCmdAxisLimits);
        QVERIFY(refused);
        QCOMPARE(w.Freq().XRange(), AxisRange(1000, 2000, false));
        QCOMPARE(w.Freq().YRange(1), AxisRange(-kPi / 2, kPi, false));
        Trigger(kCmdUnwrappedPhase);
        QVERIFY(w.Freq().Unwrapped());
    }

    // The requirement's mask: each band's limit at its level below the passband's peak,
    // the graph's own level as the reference; none beside a pole on the circle. In the
    // frequency graph, shaded in every scale, named by the verdict, gone when the
    // requirement goes or the edges pass half the rate.
    void requirementMask() {
        Requirement req;
        req.band = Requirement::Band::Bandstop;
        req.passband = {500, 2500};
        req.stopband = {1000, 2000};
        const std::vector<ShadedRegion> mask = RequirementMask(req, 8000, 6.0, 10.0);
        const double floor = std::pow(10.0, -5.0 / 20);
        const double ceiling = std::pow(10.0, -44.0 / 20);
        QCOMPARE(mask.size(), size_t(3));
        for (size_t k = 0; k < 3; ++k) {
            const ShadedRegion expected[] = {
                {0, 500, 0, floor}, {1000, 2000, ceiling, INFINITY}, {2500, 4000, 0, floor}};
            QCOMPARE(mask[k].xLow, expected[k].xLow);
            QCOMPARE(mask[k].xHigh, expected[k].xHigh);
            QVERIFY(std::fabs(mask[k].yLow - expected[k].yLow) < 1e-12);
            QCOMPARE(mask[k].yHigh, expected[k].yHigh);
        }
        QVERIFY(RequirementMask(req, 8000, INFINITY, 10.0).empty());

        Requirement lowpass;
        Zpk zpk;
        MinimumOrderDesign(FStandardDesign::Family::Elliptic, lowpass, 8000)->Design(&zpk);
        zpk.AddToNodeList(&gNodeList);
        GraphWin& w = Win();
        mDocument.ChangeRequirement(lowpass, "Set Mask");
        QCOMPARE(w.Freq().LegendTexts().last(), QStringLiteral("Meets specification"));
        for (const int scale : kScales) {
            Trigger(scale);
            // Clear of the legend: the stopband's ceiling lies at -40 dB.
            const bool db = DecibelScale(scale);
            if (db) {
                w.Freq().SetYRange(0, AxisRange(-60, 0, false));
            }
            const QRect plot = FreqGraph::MagPlot(w.Freq().MagRect());
            const AxisScale x = AnalysisGraph::XScale(plot, w.Freq().XRange());
            const AxisScale y = AnalysisGraph::YScale(plot, w.Freq().YRange(0));
            // Masked in both bands, free between them, where the response is at -21 dB.
            const int level = int(y.ToPixel(db ? -35.0 : 0.5));
            QString shaded;
            for (const double hz : {500, 1250, 3000}) {
                const QRgb p = w.Freq().Picture().pixel(int(x.ToPixel(hz)), level);
                shaded += qRed(p) > qGreen(p) + 20 ? 'M' : '-';
            }
            QCOMPARE(shaded, QStringLiteral("M-M"));
        }
        w.ChangeSampleRate(2000);
        QVERIFY(w.Freq().LegendTexts().isEmpty());
        w.ChangeSampleRate(8000);
        mDocument.ChangeRequirement(std::nullopt, "Clear Specification");
        QVERIFY(w.Freq().LegendTexts().isEmpty());
    }

    // Graph Options > Arithmetic chooses the document's arithmetic, which the frequency
    // and delay graphs show the effect of and follow through edits; the delay read-out
    // gives the quantised sections' delay beside the design's.
    void arithmetic() {
        GraphWin& w = Win();
        QCOMPARE(Marked(kArithmetics), kCmdArithmeticFirst);
        mDocument.Add(FNode(kNodePole, FComplex(0.8, 0.3), true, 1));
        mDocument.Add(FNode(kNodeZero, FComplex(0.54, 0.84), true, 1));
        for (int k = 0; k < 2; ++k) {
            Trigger(kCmdArithmeticFirst + 2);
            QCOMPARE(mDocument.Arithmetic(), Arithmetic::Q15);
            QCOMPARE(Marked(kArithmetics), kCmdArithmeticFirst + 2);
        }
        const QString key = QString::fromLatin1(AnalysisGraph::kQuantizedKey);
        QVERIFY(w.Freq().HasTrace(key) && w.Delay().HasTrace(key) && !w.Time().HasTrace(key));
        Trigger(kCmdGroupDelay);
        for (const int poles : {2, 3}) {
            if (poles == 3) {
                mDocument.Add(FNode(kNodePole, FComplex(-0.7, 0.0), false, 1));
            }
            Click(&w.Delay(), QPoint(150, 50));
            const double omega = kPi * w.Delay().Cursor() / (w.Delay().SampleRate() / 2.0);
            const double delay = SectionsDelay(
                Quantize(Zpk::FromNodeList(gNodeList), Arithmetic::Q15).stored, omega);
            QCOMPARE(w.Delay().Status().Text(2), QString::asprintf("Q15: %.2f samples", delay));
        }
        mDocument.SetArithmetic(Arithmetic::F32);
        QCOMPARE(Marked(kArithmetics), kCmdArithmeticFirst + 1);
        QCOMPARE(w.Delay().LegendTexts()[1].left(9), QStringLiteral("Float32  "));
        Trigger(kCmdArithmeticFirst);
        QVERIFY(!w.Freq().HasTrace(key) && !w.Delay().HasTrace(key));
        QVERIFY(w.Delay().Status().Text(2).endsWith(" ms"));
    }

    void setMaxTime() {
        GraphWin& w = Win();
        QStringList shown;
        QStringList typed = {QStringLiteral("abc"), QStringLiteral("2.5")};
        mRunner.onExec = [&](QDialog& dialog) {
            auto& maxTime = dynamic_cast<MaxTimeDialog&>(dialog);
            for (const QString& text : typed) {
                shown << maxTime.Edit().text();
                maxTime.Edit().setText(text);
                maxTime.OkButton().click();
            }
            return maxTime.result() == QDialog::Accepted;
        };
        Trigger(kCmdSetMaxTime);
        QCOMPARE(shown, (QStringList{"1.000000", "0.0"}));
        QCOMPARE(mRunner.messages.size(), size_t(1));
        QCOMPARE(mRunner.messages[0].text, QStringLiteral("Not a valid time"));
        QCOMPARE(w.Time().Duration(), 2.625);
        QCOMPARE(w.Time().Response().CpxCount(), 21);
        // Cancelled: nothing changes.
        mRunner.onExec = [](QDialog&) { return false; };
        Trigger(kCmdSetMaxTime);
        QCOMPARE(w.Time().Duration(), 2.625);
    }
};

QTEST_MAIN(GraphWinTest)
#include "GraphWinTest.moc"
