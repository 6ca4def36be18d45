#include "ui/analysis/GraphView.h"
#include "PictureCheck.h"
#include "design/requirement/MinimumOrder.h"
#include "ui/DesignDocument.h"
#include "ui/Drawing.h"

#include <QTest>

#include <cmath>

namespace {

constexpr uint32_t kTraceRef = 0x00008000;
constexpr QRgb kTrace = 0x008000;
constexpr QRgb kBack = 0xC0C0C0;

struct View {
    DesignDocument document;
    GraphView view{document};
    View() {
        view.SetBkColour(0xC0C0C0);
        view.SetGridColour(0);
        view.SetTraceColour(kTraceRef);
        view.resize(600, 100);
        view.show();
    }
    QRect Mag() const { return GraphView::MagRect(view.rect()); }
    QRect Phase() const { return GraphView::PhaseRect(view.rect()); }
};

QPoint At(QPointF p) {
    return p.toPoint();
}

} // namespace

class GraphViewTest : public QObject {
    Q_OBJECT

private slots:
    void init() { gNodeList.Clear(kNodeBoth); }

    void layout() {
        // An odd width gives the phase panel the extra pixel.
        QCOMPARE(GraphView::MagRect(QRect(0, 0, 201, 100)).right(), 96);
        QCOMPARE(GraphView::PhaseRect(QRect(0, 0, 201, 100)), QRect(100, 0, 101, 100));
        // On a screen scaled by 2 the trace points fall on half pixels.
        const QRect m(3, 0, 294, 100);
        QCOMPARE(GraphView::MagPoint(m, 1, 0.5, 2.0), QPointF(13 + 2.5, 85 - 40));
        QCOMPARE(GraphView::MagPoint(m, 1, 0.5, 1.0), QPointF(13 + 2, 85 - 40));
    }

    void tracesOfAFlatResponseAfterTheFirstUpdate() {
        View v;
        const QPoint middle = At(GraphView::MagPoint(v.Mag(), 50, 1.0));
        QCOMPARE(Rgb(v.view.Picture(), middle), kBack);
        v.view.UpdateFromNodeList();
        const QImage& pic = v.view.Picture();
        for (const int k : {0, 37, 99}) {
            QCOMPARE(Rgb(pic, At(GraphView::MagPoint(v.Mag(), k, 1.0))), kTrace);
            QCOMPARE(Rgb(pic, At(GraphView::PhasePoint(v.Phase(), k, 0.0))), kTrace);
        }
        QCOMPARE(Rgb(pic, middle + QPoint(0, 1)), kBack);
        // Axes in the grid colour.
        QCOMPARE(
            WrongPixels(pic, 0,
                        {QPoint(v.Mag().left() + 10, 40), QPoint(150, v.Mag().bottom() + 1 - 15),
                         QPoint(v.Phase().left() + 15, 30)}),
            "");
    }

    void traceFollowsTheDesignNotTheRate() {
        View v;
        // A zero at z = -1: the magnitude falls to 0 at half the sampling rate, and the
        // phase, w / 2 below it, is undefined there: the trace ends short of the edge
        // rather than dropping to 0 along it.
        gNodeList.AddNode(FNode(kNodeZero, FComplex(-1.0, 0.0), false, 1));
        v.view.UpdateFromNodeList();
        const QImage at8000 = v.view.Picture();
        QCOMPARE(WrongPixels(at8000, kTrace,
                             {At(GraphView::MagPoint(v.Mag(), 0, 1.0)),
                              At(GraphView::MagPoint(v.Mag(), 90, std::cos(0.45 * kPi))),
                              At(GraphView::PhasePoint(v.Phase(), 98, 0.98 * kPi / 2))}),
                 "");
        for (const double phase : {0.1, 0.5, 1.0}) {
            QVERIFY(Rgb(at8000, At(GraphView::PhasePoint(v.Phase(), 100, phase))) != kTrace);
        }
        // The rate changes only the labels.
        v.view.SetSampleRate(48000);
        const QImage& at48000 = v.view.Picture();
        for (int k = 0; k <= GraphView::kResolution; ++k) {
            const QPoint mag =
                At(GraphView::MagPoint(v.Mag(), k, v.view.Response().NormResponse(k).Mag()));
            QCOMPARE(Rgb(at48000, mag), Rgb(at8000, mag));
        }
        QVERIFY(at8000 != at48000);
    }

    // While the design has a requirement, the magnitude panel shades where the response
    // must not go, at every step of a drag: here at half the largest sample, in both
    // bands but not between them.
    void requirementMask() {
        View v;
        Zpk zpk;
        MinimumOrderDesign(FStandardDesign::Family::Elliptic, Requirement(), 8000)->Design(&zpk);
        zpk.AddToNodeList(&gNodeList);
        v.view.UpdateFromNodeList();
        const auto shaded = [&v] {
            QString seen;
            for (const double hz : {500, 1250, 3000}) {
                const QRgb p =
                    Rgb(v.view.Picture(), At(GraphView::MagPoint(v.Mag(), hz / 40, 0.5)));
                seen += qRed(p) > qGreen(p) + 20 ? 'M' : '-';
            }
            return seen;
        };
        v.document.ChangeRequirement(Requirement(), "Set Mask");
        QCOMPARE(shaded(), QStringLiteral("M-M"));
        v.document.BeginDrag();
        v.document.Change(kNodePole, 0, FNode(kNodePole, FComplex(0.1, 0.1), true, 1), "Move");
        QCOMPARE(shaded(), QStringLiteral("M-M"));
        v.document.EndDrag();
        v.document.ChangeRequirement(std::nullopt, "Clear Specification");
        QCOMPARE(shaded(), QStringLiteral("---"));
    }
};

QTEST_MAIN(GraphViewTest)
#include "GraphViewTest.moc"
