#include "ui/analysis/GraphView.h"
#include "PictureCheck.h"
#include "ui/DesignDocument.h"
#include "ui/Drawing.h"

#include <QTest>

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

} // namespace

class GraphViewTest : public QObject {
    Q_OBJECT

private slots:
    void init() { gNodeList.Clear(kNodeBoth); }

    void layout() {
        QCOMPARE(GraphView::MagRect(QRect(0, 0, 600, 100)), QRect(3, 0, 294, 100));
        QCOMPARE(GraphView::PhaseRect(QRect(0, 0, 600, 100)), QRect(300, 0, 300, 100));
        // An odd width gives the phase panel the extra pixel.
        QCOMPARE(GraphView::MagRect(QRect(0, 0, 201, 100)).right(), 96);
        QCOMPARE(GraphView::PhaseRect(QRect(0, 0, 201, 100)), QRect(100, 0, 101, 100));
        const QRect m(3, 0, 294, 100);
        QCOMPARE(GraphView::MagPoint(m, 0, 1.0), QPoint(13, 5));
        QCOMPARE(GraphView::MagPoint(m, 0, 0.0), QPoint(13, 85));
        QCOMPARE(GraphView::MagPoint(m, 100, 0.5), QPoint(3 + 10 + 279, 85 - 40));
        const QRect p(300, 0, 300, 100);
        QCOMPARE(GraphView::PhasePoint(p, 0, kPi), QPoint(315, 5));
        QCOMPARE(GraphView::PhasePoint(p, 0, 0.0), QPoint(315, 50));
        QCOMPARE(GraphView::PhasePoint(p, 100, -kPi), QPoint(315 + 280, 95));
    }

    void tracesOfAFlatResponseAfterTheFirstUpdate() {
        View v;
        const QPoint middle = GraphView::MagPoint(v.Mag(), 50, 1.0);
        QCOMPARE(Rgb(v.view.Picture(), middle), kBack);
        v.view.UpdateFromNodeList();
        const QImage& pic = v.view.Picture();
        for (const int k : {0, 37, 100}) {
            QCOMPARE(Rgb(pic, GraphView::MagPoint(v.Mag(), k, 1.0)), kTrace);
            QCOMPARE(Rgb(pic, GraphView::PhasePoint(v.Phase(), k, 0.0)), kTrace);
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
        // A zero at z = -1: the magnitude falls to 0 at half the sampling rate.
        gNodeList.AddNode(FNode(kNodeZero, FComplex(-1.0, 0.0), false, 1));
        v.view.UpdateFromNodeList();
        const QImage at8000 = v.view.Picture();
        QCOMPARE(WrongPixels(at8000, kTrace,
                             {GraphView::MagPoint(v.Mag(), 0, 1.0),
                              GraphView::MagPoint(v.Mag(), 100, 0.0)}),
                 "");
        QCOMPARE(Rgb(at8000, GraphView::MagPoint(v.Mag(), 100, 1.0)), kBack);
        // The rate changes only the labels.
        v.view.SetSampleRate(48000);
        const QImage& at48000 = v.view.Picture();
        for (int k = 0; k <= GraphView::kResolution; ++k) {
            const QPoint mag =
                GraphView::MagPoint(v.Mag(), k, v.view.Response().NormResponse(k).Mag());
            QCOMPARE(Rgb(at48000, mag), Rgb(at8000, mag));
        }
        QVERIFY(at8000 != at48000);
    }
};

QTEST_MAIN(GraphViewTest)
#include "GraphViewTest.moc"
