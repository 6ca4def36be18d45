#include "ui/mainwindow/TargetView.h"
#include "PictureCheck.h"
#include "ScriptedRunner.h"
#include "ViewDriver.h"
#include "ui/DesignDocument.h"
#include "ui/mainwindow/NodeDrag.h"
#include "ui/widgets/NodeDragFormat.h"
#include "ui/widgets/StatusBar.h"

#include <QMimeData>
#include <QTest>
#include <QWheelEvent>

Q_DECLARE_METATYPE(FComplex)

#include <vector>

namespace {

constexpr QRgb kRed = 0xFF0000;
constexpr QRgb kGrey = 0xC0C0C0;

// A z-plane view alone, with its selections and its document's notifications recorded
// in DocumentLog's words ("selected P0" for a selection).
struct View {
    ScriptedRunner runner;
    StatusBar status{2};
    DesignDocument document;
    TargetView view{runner, document};
    DocumentLog log{document};
    QStringList& sent = log.seen;
    RkDropTarget& drop = view.DropTarget();

    explicit View(QSize size = QSize(300, 256)) {
        QObject::connect(&view, &TargetView::nodeSelected, [this](int type, int index) {
            sent << QStringLiteral("selected ") + NodeLabel(type, index);
        });
        view.SetStatusBar(&status);
        view.SetBkColour(0xC0C0C0);
        view.resize(size);
        view.show();
    }
    QPoint At(FComplex z) const { return view.Geometry().Complex2Point(z); }
    // The mirror image of p in the real axis.
    QPoint Mirror(QPoint p) const { return QPoint(p.x(), 2 * view.Geometry().cy - p.y()); }
    // Selects the node at p by a click, forgetting the notifications so far.
    void Select(QPoint p) {
        Click(&view, p);
        sent.clear();
    }
};

// A drag of a new node of the kind type from the palette.
void FromPalette(int type) {
    gDragType = type;
    gDragIndex = -1;
}

} // namespace

class TargetViewTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        gNodeList.Clear(kNodeBoth);
        gDragIndex = 0;
        gDragType = 0;
    }

    void geometryBothWays() {
        const PlaneGeometry g = PlaneGeometry::ForSize(300, 256);
        QCOMPARE(g.cx, 150);
        QCOMPARE(g.cy, 128);
        QCOMPARE(g.radius, 118);
        QCOMPARE(g.Point2Complex(QPoint(268, 128)), FComplex(1.0, 0.0));
        QCOMPARE(g.Point2Complex(QPoint(150, 10)), FComplex(0.0, 1.0));
        for (const QPoint p : {QPoint(0, 0), QPoint(299, 255), QPoint(151, 127), QPoint(37, 200)}) {
            QCOMPARE(g.Complex2Point(g.Point2Complex(p)), p);
        }
        // Truncation toward zero, as the picture rounds.
        QCOMPARE(g.Complex2Point(FComplex(0.5, 0.5)), QPoint(209, 69));
        QCOMPARE(g.Complex2Point(FComplex(-0.5, -0.5)), QPoint(91, 187));
        QCOMPARE(PlaneGeometry::ForSize(301, 257).cx, 150);
        const PlaneGeometry tiny = PlaneGeometry::ForSize(15, 100);
        QCOMPARE(tiny.radius, 0);
        QCOMPARE(tiny.Point2Complex(QPoint(3, 3)), FComplex());
        QCOMPARE(PlaneGeometry::ForSize(220, 300).PickTolerance(), 0.08);
    }

    // Zooming keeps the point under the pointer, panning moves with it, Fit All
    // shows every point, and the unzoomed view is the plain one.
    void zoomPanAndFit() {
        const QSize size(300, 256);
        const PlaneView zoomed = ZoomedAbout(PlaneView(), size, QPoint(40, 200), 3.0);
        const PlaneView panned = Panned(zoomed, size, QPoint(12, -7));
        const auto at = [size](const PlaneView& v) {
            return PlaneGeometry::ForView(size.width(), size.height(), v.zoom, v.centre);
        };
        const FComplex held = at(PlaneView()).Point2Complex(QPoint(40, 200));
        QVERIFY(at(zoomed).Point2Complex(QPoint(40, 200)).MagDifference(held) < 1e-12);
        QVERIFY(at(panned).Point2Complex(QPoint(52, 193)).MagDifference(held) < 1e-12);
        QCOMPARE(at(Fitting(size, {FComplex(0.9, -0.3)})).radius, 118.0);
        for (const FComplex far : {FComplex(2, 3), FComplex(-1e100, 1e99)}) {
            const QPointF p = at(Fitting(size, {far})).ToPixel(far);
            QVERIFY2(p.x() >= 9.9 && p.y() >= 9.9 && p.x() <= 290.1 && p.y() <= 246.1,
                     qPrintable(QString("%1 %2").arg(p.x()).arg(p.y())));
        }
        // A node far off the view is marked at the edge, pointing towards it.
        const EdgeArrow right = EdgeArrowFor(size, QPointF(1e9, 128), 4);
        QCOMPARE(right.tip, QPointF(296, 128));
        QCOMPARE(right.angle, 0.0);
        QCOMPARE(EdgeArrowFor(size, QPointF(150, -1e300), 4).tip, QPointF(150, 4));
        // The view follows the wheel and the middle button.
        View v;
        QWheelEvent wheel(QPointF(40, 200), QPointF(), {}, QPoint(0, 120), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(&v.view, &wheel);
        QCOMPARE(v.view.View().zoom, 1.25);
        QTest::mousePress(&v.view, Qt::MiddleButton, {}, QPoint(100, 100));
        MoveTo(&v.view, QPoint(112, 93), Qt::MiddleButton);
        const PlaneView moved =
            Panned(ZoomedAbout(PlaneView(), size, QPoint(40, 200), 1.25), size, QPoint(12, -7));
        QVERIFY(v.view.View().centre.MagDifference(moved.centre) < 1e-12);
    }

    void snapping_data() {
        QTest::addColumn<FComplex>("z");
        QTest::addColumn<FComplex>("snapped");
        QTest::newRow("unit circle") << FComplex(0.62, 0.8) << FComplex(0.612571, 0.790415);
        QTest::newRow("real axis") << FComplex(0.5, -0.04) << FComplex(0.5, 0.0);
        QTest::newRow("imaginary axis") << FComplex(0.03, 0.4) << FComplex(0.0, 0.4);
        QTest::newRow("nearest wins") << FComplex(0.99, 0.005) << FComplex(0.99, 0.0);
        QTest::newRow("none near") << FComplex(0.4, 0.3) << FComplex(0.4, 0.3);
    }

    void snapping() {
        QFETCH(FComplex, z);
        QFETCH(FComplex, snapped);
        QVERIFY(SnapToGuides(z, 0.05).MagDifference(snapped) < 1e-4);
    }

    void glyphPixels() {
        const std::vector<QPoint> cross = NodeGlyphPixels(QPoint(50, 20), kDragPole, 100);
        QCOMPARE(cross.size(), size_t(17));
        for (int k = -4; k <= 4; ++k) {
            QVERIFY(std::count(cross.begin(), cross.end(), QPoint(50 + k, 20 + k)) == 1);
            QVERIFY(std::count(cross.begin(), cross.end(), QPoint(50 + k, 20 - k)) == 1);
        }
        QCOMPARE(NodeGlyphPixels(QPoint(50, 20), kDragPolePair, 100).size(), size_t(34));
        // A pair on the mirror row is one glyph.
        QCOMPARE(NodeGlyphPixels(QPoint(50, 100), kDragPolePair, 100).size(), size_t(17));
        const std::vector<QPoint> ring = NodeGlyphPixels(QPoint(50, 20), kDragZero, 100);
        for (const QPoint p : ring) {
            const QPoint d = p - QPoint(50, 20);
            const double r = std::hypot(d.x(), d.y());
            QVERIFY(r > 3.4 && r < 4.6);
        }
        QVERIFY(std::count(ring.begin(), ring.end(), QPoint(54, 20)) == 1);
        QCOMPARE(NodeGlyphPixels(QPoint(50, 20), kDragZeroPair, 100).size(), 2 * ring.size());
        QVERIFY(NodeGlyphPixels(QPoint(50, 20), 17, 100).empty());
    }

    void picture() {
        View v;
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.5), true, 1));
        gNodeList.AddNode(FNode(kNodeZero, FComplex(-0.5, 0.0), true, 1));
        // Far above the view: an arrow at the top edge points up to it.
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.0, 40.0), false, 1));
        v.view.UpdateFromNodeList();
        const QImage& pic = v.view.Picture();
        QCOMPARE(WrongPixels(pic, kRed, {QPoint(150, 6), QPoint(148, 11), QPoint(152, 11)}), "");
        // Frame grey at the top and left, white at the bottom and right; the axes through
        // the centre, edge to edge inside the frame.
        QCOMPARE(WrongPixels(pic, 0xA0A0A0, {QPoint(0, 0), QPoint(0, 254), QPoint(298, 0)}), "");
        QCOMPARE(WrongPixels(pic, 0xFFFFFF, {QPoint(299, 0), QPoint(0, 255), QPoint(299, 255)}),
                 "");
        QCOMPARE(
            WrongPixels(pic, 0,
                        {QPoint(150, 30), QPoint(150, 250), QPoint(60, 128), QPoint(290, 128)}),
            "");
        QCOMPARE(WrongPixels(pic, kGrey, {QPoint(60, 127), QPoint(150 + 70, 128 - 70)}), "");
        const auto inked = [&pic](QRect r) {
            for (int y = r.top(); y <= r.bottom(); ++y) {
                for (int x = r.left(); x <= r.right(); ++x) {
                    if (Rgb(pic, QPoint(x, y)) == 0) {
                        return true;
                    }
                }
            }
            return false;
        };
        // The unit circle passes within a pixel of radius 118 at 45 degrees.
        QVERIFY(inked(QRect(150 + 83 - 1, 128 - 83 - 1, 3, 3)));
        // "Im(z)" inside the circle right of the top of the vertical axis, "Re(z)" under
        // the right end of the real axis; the corners stay clear.
        QVERIFY(inked(QRect(157, 16, 20, 10)));
        QVERIFY(inked(QRect(240, 132, 20, 10)));
        QVERIFY(!inked(QRect(1, 130, 25, 10)));
        QVERIFY(!inked(QRect(60, 1, 25, 8)));
        // Both members of the pole pair.
        for (const QPoint c : {QPoint(209, 69), QPoint(209, 187)}) {
            for (const QPoint p : NodeGlyphPixels(c, kDragPole, 128)) {
                QCOMPARE(Rgb(pic, p), kRed);
            }
            QCOMPARE(WrongPixels(pic, kGrey, {c + QPoint(-5, -5), c + QPoint(5, 5)}), "");
        }
        // The zero pair on the real axis is drawn once, over the axis.
        QCOMPARE(WrongPixels(pic, 0x0000FF, {QPoint(95, 128), QPoint(91, 124), QPoint(91, 132)}),
                 "");
    }

    // With an arithmetic other than f64 a dot marks each root of the design as the
    // arithmetic stores it; none for f64 or a design the arithmetic refuses.
    void quantisedRootsAsDots() {
        View v;
        const auto dots = [&v] {
            int count = 0;
            for (const FComplex& z : v.document.Quantized().roots.poles) {
                const QPointF at = v.view.Geometry().ToPixel(z);
                count += Rgb(v.view.Picture(), QPoint(int(at.x()), int(at.y()))) == 0xB000B0u;
            }
            return count;
        };
        v.document.Add(FNode(kNodePole, FComplex(0.6, 0.3), true, 1));
        v.document.Add(FNode(kNodePole, FComplex(-0.4, 0.0), false, 1));
        v.document.Add(FNode(kNodeZero, FComplex(-1.0, 0.0), false, 1));
        QCOMPARE(dots(), 0);
        v.document.SetArithmetic(Arithmetic::Q15);
        QCOMPARE(dots(), 3);
        QCOMPARE(Rgb(v.view.Picture(), v.At(FComplex(-1.0, 0.0))), 0xB000B0u);
        v.document.SetArithmetic(Arithmetic::F64);
        QCOMPARE(dots(), 0);
        v.document.SetArithmetic(Arithmetic::Q31);
        v.document.Add(FNode(kNodePole, FComplex(0.2, 0.2), false, 1));
        QCOMPARE(v.document.Quantized().problem, QuantizeProblem::Unpaired);
        QVERIFY(Rgb(v.view.Picture(), v.At(FComplex(-1.0, 0.0))) != 0xB000B0u);
    }

    void statusText_data() {
        QTest::addColumn<int>("units");
        QTest::addColumn<QString>("text");
        // The real axis reads +0, not -0.
        QTest::newRow("cartesian") << 126 << "1.0000 +0.0000j";
        QTest::newRow("degrees") << 125 << "1.0000 0.0000 deg";
        QTest::newRow("radians") << 124 << "1.0000 0.0000 rad";
        QTest::newRow("unknown code shows degrees") << 7 << "1.0000 0.0000 deg";
    }

    void statusText() {
        QFETCH(int, units);
        QFETCH(QString, text);
        View v;
        v.view.SetUnits(units);
        MoveTo(&v.view, QPoint(268, 128));
        QCOMPARE(v.status.Text(0), text);
        QCOMPARE(v.status.Text(1), QStringLiteral("Causal"));
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.1, 0.0), false, 1));
        MoveTo(&v.view, QPoint(150, 10));
        QCOMPARE(v.status.Text(1), QStringLiteral("Non-Causal"));
    }

    void pressSelectsWithinEightPixels_data() {
        QTest::addColumn<int>("pressX");
        QTest::addColumn<bool>("selected");
        // Radius 128: eight pixels are exactly 0.0625.
        QTest::newRow("eight pixels away") << 210 << true;
        QTest::newRow("nine pixels away") << 211 << false;
    }

    void pressSelectsWithinEightPixels() {
        QFETCH(int, pressX);
        QFETCH(bool, selected);
        View v(QSize(276, 276));
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.5, 0.0), false, 1));
        gNodeList.AddNode(FNode(kNodeZero, FComplex(-0.5, 0.0), true, 1));
        Click(&v.view, QPoint(pressX, 138));
        QCOMPARE(v.sent, selected ? QStringList{"selected Z1"} : QStringList());
        if (selected) {
            QCOMPARE(gDragType, kDragZero);
            QCOMPARE(gDragIndex, 1);
        }
        QCOMPARE(v.runner.drags, 0);
    }

    void pressOnTheLowerMemberTurnsThePair() {
        View v;
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.5), true, 1));
        QTest::mousePress(&v.view, Qt::LeftButton, {}, QPoint(209, 187));
        QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0).Value(), FComplex(0.5, -0.5));
        QCOMPARE(gDragType, kDragPolePair);
        QCOMPARE(v.sent, QStringList{"selected P0"});
        // Moving past the drag distance starts the drag.
        QTest::mouseMove(&v.view, QPoint(230, 187));
        QCOMPARE(v.runner.drags, 1);
        QTest::mouseRelease(&v.view, Qt::LeftButton, {}, QPoint(230, 187));
    }

    void dragOfAnExistingNode() {
        View v;
        gNodeList.AddNode(FNode(kNodePole, FComplex(-0.2, 0.1), false, 1));
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.5), true, 1));
        v.view.UpdateFromNodeList();
        v.Select(QPoint(209, 69));
        const QImage before = v.view.Picture();
        const QPoint p1 = v.At(FComplex(0.25, 0.5));
        QCOMPARE(v.drop.OnDragEnter(&v.view), Qt::MoveAction);
        QCOMPARE(v.drop.OnDragOver(&v.view, p1), Qt::MoveAction);
        QCOMPARE(v.drop.OnDragOver(&v.view, p1), Qt::MoveAction);
        QCOMPARE(v.sent, QStringList{"dragged P0"});
        QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0).Value(),
                 v.view.Geometry().Point2Complex(p1));
        QCOMPARE(gNodeList.GetListCount(kNodePole), short(2));
        // The moving glyph is XORed on; the node's old glyph stays until the drop.
        QCOMPARE(Rgb(v.view.Picture(), p1 + QPoint(2, 2)), kGrey ^ kRed);
        QCOMPARE(Rgb(v.view.Picture(), QPoint(209, 69)), kRed);

        const QPoint p2 = v.At(FComplex(0.0, 0.75));
        QVERIFY(v.drop.OnDrop(&v.view, p2));
        QCOMPARE(v.sent.back(), QStringLiteral("changed P0"));
        // The whole drag is one step to undo.
        QCOMPARE(v.document.UndoStack().count(), 1);
        QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0),
                 FNode(kNodePole, v.view.Geometry().Point2Complex(p2), true, 1));
        QCOMPARE(Rgb(v.view.Picture(), p1 + QPoint(2, 2)), kGrey);
        QCOMPARE(Rgb(v.view.Picture(), p2 + QPoint(2, 2)), kRed);
        QCOMPARE(Rgb(before, p2 + QPoint(2, 2)), kGrey);
    }

    void cancelledDragRestoresDesignAndPicture() {
        View v;
        const FNode zero(kNodeZero, FComplex(0.5, 0.5), true, 1);
        gNodeList.AddNode(zero);
        v.view.UpdateFromNodeList();
        v.Select(QPoint(209, 69));
        const QImage before = v.view.Picture();
        v.drop.OnDragEnter(&v.view);
        v.drop.OnDragOver(&v.view, QPoint(100, 100));
        v.drop.OnDragOver(&v.view, QPoint(103, 101));
        v.drop.OnDragLeave(&v.view);
        QCOMPARE(v.view.Picture(), before);
        QCOMPARE(gNodeList.GetNodeByIndex(kNodeZero, 0), zero);
        QCOMPARE(v.sent, (QStringList{"dragged Z0", "dragged Z0", "dragged Z0", "changed Z0"}));
        QCOMPARE(v.document.UndoStack().count(), 0);
        QVERIFY(!v.drop.PointDrawn());
    }

    void paletteDragEnteringTwiceAddsOneNode() {
        View v;
        FromPalette(kDragPolePair);
        const QImage before = v.view.Picture();
        v.drop.OnDragEnter(&v.view);
        v.drop.OnDragOver(&v.view, QPoint(60, 60));
        QCOMPARE(gNodeList.GetListCount(kNodePole), short(1));
        v.drop.OnDragLeave(&v.view);
        QCOMPARE(gNodeList.GetListCount(kNodePole), short(0));
        QCOMPARE(gDragIndex, -1);
        QCOMPARE(v.view.Picture(), before);
        v.drop.OnDragEnter(&v.view);
        v.drop.OnDragOver(&v.view, QPoint(60, 60));
        v.drop.OnDragOver(&v.view, QPoint(80, 90));
        const QPoint at = v.At(FComplex(0.3, 0.4));
        QVERIFY(v.drop.OnDrop(&v.view, at));
        QCOMPARE(gNodeList.GetListCount(kNodePole), short(1));
        QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0),
                 FNode(kNodePole, v.view.Geometry().Point2Complex(at), true, 1));
        QCOMPARE(v.sent.back(), QStringLiteral("added P0"));
        QCOMPARE(v.document.UndoStack().count(), 1);
        // Both members of the pair are drawn.
        QCOMPARE(Rgb(v.view.Picture(), at + QPoint(1, 1)), kRed);
        QCOMPARE(Rgb(v.view.Picture(), v.Mirror(at) + QPoint(1, 1)), kRed);
    }

    void paletteDropWithoutMovement() {
        View v;
        QWidget other;
        FromPalette(kDragZero);
        QVERIFY(!v.drop.OnDrop(&other, QPoint(10, 10)));
        QCOMPARE(v.runner.messages.size(), size_t(1));
        QCOMPARE(v.runner.messages[0].text, QStringLiteral("Dropped out of bounds"));
        QCOMPARE(gNodeList.GetListCount(kNodeZero), short(0));
        QVERIFY(v.sent.empty());
        // On the plane it adds the node.
        v.drop.OnDragEnter(&v.view);
        QVERIFY(v.drop.OnDrop(&v.view, QPoint(150, 128)));
        QCOMPARE(gNodeList.GetNodeByIndex(kNodeZero, 0), FNode(kNodeZero, FComplex(), false, 1));
        QCOMPARE(v.sent.back(), QStringLiteral("added Z0"));
    }

    void foreignDragsAreRefused() {
        View v;
        QMimeData text;
        text.setText(QStringLiteral("0.5"));
        QDragEnterEvent enter(QPoint(50, 50), Qt::MoveAction, &text, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&v.view, &enter);
        QVERIFY(!enter.isAccepted());
        QMimeData ours;
        ours.setData(kNodeDragFormat, QByteArray());
        // Without a source widget the drag comes from another program.
        QDragEnterEvent outside(QPoint(50, 50), Qt::MoveAction, &ours, Qt::LeftButton, {});
        QCoreApplication::sendEvent(&v.view, &outside);
        QVERIFY(!outside.isAccepted());
    }

    void popupDeletion_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<int>("choice");
        QTest::addColumn<bool>("menu");
        QTest::addColumn<short>("polesLeft");
        QTest::newRow("delete chosen") << QPoint(209, 187) << 0 << true << short(1);
        QTest::newRow("menu dismissed") << QPoint(209, 187) << -1 << true << short(2);
        QTest::newRow("no menu on the empty plane") << QPoint(20, 20) << 0 << false << short(2);
    }

    void popupDeletion() {
        QFETCH(QPoint, at);
        QFETCH(int, choice);
        QFETCH(bool, menu);
        QFETCH(short, polesLeft);
        View v;
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.5), true, 1));
        gNodeList.AddNode(FNode(kNodePole, FComplex(-0.5, 0.0), false, 1));
        v.runner.popupChoice = choice;
        QTest::mousePress(&v.view, Qt::RightButton, {}, at);
        QCOMPARE(v.runner.popupItems, menu ? QStringList{"&Delete"} : QStringList());
        QCOMPARE(gNodeList.GetListCount(kNodePole), polesLeft);
        if (polesLeft == 1) {
            QCOMPARE(v.sent, QStringList{"removed P1"});
            QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0).Value(), FComplex(-0.5, 0.0));
        } else {
            QVERIFY(v.sent.empty());
        }
    }
};

QTEST_MAIN(TargetViewTest)
#include "TargetViewTest.moc"
