#include "ui/TargetView.h"
#include "ScriptedRunner.h"
#include "ui/NodeUpdateMsg.h"
#include "ui/StatusBar.h"
#include "ui/ZPlaneDesign.h"

#include <QMimeData>
#include <QMouseEvent>
#include <QTest>

#include <vector>

Q_DECLARE_METATYPE(FComplex)

namespace {

constexpr QRgb kRed = 0xFF0000;
constexpr QRgb kGrey = 0xC0C0C0;

QRgb Rgb(const QImage& image, QPoint p) {
    return image.pixel(p) & 0xFFFFFF;
}

// A z-plane view alone, with its notifications recorded.
struct View {
    ScriptedRunner runner;
    StatusBar status{2};
    TargetView view{runner};
    std::vector<NodeUpdateMsg> sent;

    explicit View(QSize size = QSize(300, 256)) {
        QObject::connect(&view, &TargetView::nodeUpdate,
                         [this](const NodeUpdateMsg& m) { sent.push_back(m); });
        view.SetStatusBar(&status);
        view.SetBkColour(0xC0C0C0);
        view.resize(size);
        view.show();
    }
    QPoint At(FComplex z) const { return view.Geometry().Complex2Point(z); }
    void Move(QPoint p) {
        QMouseEvent move(QEvent::MouseMove, p, view.mapToGlobal(p), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&view, &move);
    }
};

bool SameMsg(const NodeUpdateMsg& m, const QObject* who, int what, int index) {
    return m.who == who && m.what == what && m.index == index;
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
        QCOMPARE(PlaneGeometry::ForSize(220, 300).PickTolerance(), 0.05);
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

    void pictureOfAConjugatePolePair() {
        View v;
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.5), true, 1));
        gNodeList.AddNode(FNode(kNodeZero, FComplex(-0.5, 0.0), true, 1));
        v.view.UpdateFromNodeList();
        const QImage& pic = v.view.Picture();
        for (const QPoint c : {QPoint(209, 69), QPoint(209, 187)}) {
            for (const QPoint p : NodeGlyphPixels(c, kDragPole, 128)) {
                QCOMPARE(Rgb(pic, p), kRed);
            }
            QCOMPARE(Rgb(pic, c + QPoint(-5, -5)), kGrey);
            QCOMPARE(Rgb(pic, c + QPoint(5, 5)), kGrey);
        }
        // The zero pair on the real axis is drawn once, over the axis.
        QCOMPARE(Rgb(pic, QPoint(91 + 4, 128)), 0x0000FFu);
        QCOMPARE(Rgb(pic, QPoint(91, 128 - 4)), 0x0000FFu);
        QCOMPARE(Rgb(pic, QPoint(91, 128 + 4)), 0x0000FFu);
    }

    void pictureOfTheBareTarget() {
        View v;
        const QImage& pic = v.view.Picture();
        // Frame: grey top and left, white bottom and right.
        QCOMPARE(Rgb(pic, QPoint(0, 0)), 0xA0A0A0u);
        QCOMPARE(Rgb(pic, QPoint(0, 254)), 0xA0A0A0u);
        QCOMPARE(Rgb(pic, QPoint(298, 0)), 0xA0A0A0u);
        QCOMPARE(Rgb(pic, QPoint(299, 0)), 0xFFFFFFu);
        QCOMPARE(Rgb(pic, QPoint(0, 255)), 0xFFFFFFu);
        QCOMPARE(Rgb(pic, QPoint(299, 255)), 0xFFFFFFu);
        // Axes through the centre, edge to edge inside the frame.
        QCOMPARE(Rgb(pic, QPoint(150, 30)), 0u);
        QCOMPARE(Rgb(pic, QPoint(150, 250)), 0u);
        QCOMPARE(Rgb(pic, QPoint(60, 128)), 0u);
        QCOMPARE(Rgb(pic, QPoint(290, 128)), 0u);
        QCOMPARE(Rgb(pic, QPoint(60, 127)), kGrey);
        // The unit circle passes within a pixel of radius 118 at 45 degrees.
        bool onCircle = false;
        for (int dx = -1; dx <= 1; ++dx) {
            for (int dy = -1; dy <= 1; ++dy) {
                onCircle = onCircle || Rgb(pic, QPoint(150 + 83 + dx, 128 - 83 + dy)) == 0;
            }
        }
        QVERIFY(onCircle);
        QCOMPARE(Rgb(pic, QPoint(150 + 70, 128 - 70)), kGrey);
        // "Im(z)" right of the vertical axis at the top, "Re(z)" under the left axis.
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
        QVERIFY(inked(QRect(155, 1, 25, 10)));
        QVERIFY(inked(QRect(1, 130, 25, 10)));
        QVERIFY(!inked(QRect(60, 1, 25, 8)));
    }

    void statusText_data() {
        QTest::addColumn<int>("units");
        QTest::addColumn<QString>("text");
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
        v.Move(QPoint(268, 128));
        QCOMPARE(v.status.Text(0), text);
        QCOMPARE(v.status.Text(1), QStringLiteral("Causal"));
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.1, 0.0), false, 1));
        v.Move(QPoint(150, 10));
        QCOMPARE(v.status.Text(1), QStringLiteral("Non-Causal"));
    }

    void pressSelectsWithinFivePixels_data() {
        QTest::addColumn<int>("pressX");
        QTest::addColumn<bool>("selected");
        // Radius 128: five pixels are exactly 0.0390625.
        QTest::newRow("five pixels away") << 207 << true;
        QTest::newRow("six pixels away") << 208 << false;
    }

    void pressSelectsWithinFivePixels() {
        QFETCH(int, pressX);
        QFETCH(bool, selected);
        View v(QSize(276, 276));
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.5, 0.0), false, 1));
        gNodeList.AddNode(FNode(kNodeZero, FComplex(-0.5, 0.0), true, 1));
        QTest::mousePress(&v.view, Qt::LeftButton, {}, QPoint(pressX, 138));
        QTest::mouseRelease(&v.view, Qt::LeftButton, {}, QPoint(pressX, 138));
        QCOMPARE(v.sent.size(), selected ? size_t(1) : size_t(0));
        if (selected) {
            QVERIFY(SameMsg(v.sent[0], &v.view, 64 | 8, 1));
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
        QVERIFY(SameMsg(v.sent.at(0), &v.view, 32 | 8, 0));
        // Moving past the drag distance starts the drag.
        QTest::mouseMove(&v.view, QPoint(230, 187));
        QCOMPARE(v.runner.drags, 1);
        QTest::mouseRelease(&v.view, Qt::LeftButton, {}, QPoint(230, 187));
    }

    void dragOfAnExistingNode() {
        View v;
        const FNode pole(kNodePole, FComplex(0.5, 0.5), true, 1);
        gNodeList.AddNode(FNode(kNodePole, FComplex(-0.2, 0.1), false, 1));
        gNodeList.AddNode(pole);
        v.view.UpdateFromNodeList();
        QTest::mousePress(&v.view, Qt::LeftButton, {}, QPoint(209, 69));
        QTest::mouseRelease(&v.view, Qt::LeftButton, {}, QPoint(209, 69));
        v.sent.clear();
        const QImage before = v.view.Picture();
        RkDropTarget& drop = v.view.DropTarget();
        const QPoint p1 = v.At(FComplex(0.25, 0.5));
        QCOMPARE(drop.OnDragEnter(&v.view), Qt::MoveAction);
        QCOMPARE(drop.OnDragOver(&v.view, p1), Qt::MoveAction);
        QCOMPARE(drop.OnDragOver(&v.view, p1), Qt::MoveAction);
        QCOMPARE(v.sent.size(), size_t(1));
        QVERIFY(SameMsg(v.sent[0], &v.view, 32 | 16, 0));
        QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0).Value(),
                 v.view.Geometry().Point2Complex(p1));
        QCOMPARE(gNodeList.GetListCount(kNodePole), short(2));
        // The moving glyph is XORed on; the node's old glyph stays until the drop.
        QCOMPARE(Rgb(v.view.Picture(), p1 + QPoint(2, 2)), kGrey ^ kRed);
        QCOMPARE(Rgb(v.view.Picture(), QPoint(209, 69)), kRed);

        const QPoint p2 = v.At(FComplex(0.0, 0.75));
        QVERIFY(drop.OnDrop(&v.view, p2));
        QVERIFY(SameMsg(v.sent.back(), &v.view, 32 | 2, 0));
        const FNode placed = gNodeList.GetNodeByIndex(kNodePole, 0);
        QCOMPARE(placed.Value(), v.view.Geometry().Point2Complex(p2));
        QVERIFY(placed.Conjugate());
        QCOMPARE(placed.Order(), short(1));
        QCOMPARE(Rgb(v.view.Picture(), p1 + QPoint(2, 2)), kGrey);
        QCOMPARE(Rgb(v.view.Picture(), p2 + QPoint(2, 2)), kRed);
        QCOMPARE(Rgb(before, p2 + QPoint(2, 2)), kGrey);
    }

    void cancelledDragRestoresDesignAndPicture() {
        View v;
        const FNode zero(kNodeZero, FComplex(0.5, 0.5), true, 1);
        gNodeList.AddNode(zero);
        v.view.UpdateFromNodeList();
        QTest::mousePress(&v.view, Qt::LeftButton, {}, QPoint(209, 69));
        QTest::mouseRelease(&v.view, Qt::LeftButton, {}, QPoint(209, 69));
        v.sent.clear();
        const QImage before = v.view.Picture();
        RkDropTarget& drop = v.view.DropTarget();
        drop.OnDragEnter(&v.view);
        drop.OnDragOver(&v.view, QPoint(100, 100));
        drop.OnDragOver(&v.view, QPoint(103, 101));
        drop.OnDragLeave(&v.view);
        QCOMPARE(v.view.Picture(), before);
        QCOMPARE(gNodeList.GetNodeByIndex(kNodeZero, 0), zero);
        QCOMPARE(v.sent.size(), size_t(3));
        QVERIFY(SameMsg(v.sent.back(), &v.view, 64 | 16, 0));
        QVERIFY(!drop.PointDrawn());
    }

    void paletteDragEnteringTwiceAddsOneNode() {
        View v;
        gDragType = kDragPolePair;
        gDragIndex = -1;
        const QImage before = v.view.Picture();
        RkDropTarget& drop = v.view.DropTarget();
        drop.OnDragEnter(&v.view);
        drop.OnDragOver(&v.view, QPoint(60, 60));
        QCOMPARE(gNodeList.GetListCount(kNodePole), short(1));
        drop.OnDragLeave(&v.view);
        QCOMPARE(gNodeList.GetListCount(kNodePole), short(0));
        QCOMPARE(gDragIndex, -1);
        QCOMPARE(v.view.Picture(), before);
        drop.OnDragEnter(&v.view);
        drop.OnDragOver(&v.view, QPoint(60, 60));
        drop.OnDragOver(&v.view, QPoint(80, 90));
        QVERIFY(drop.OnDrop(&v.view, v.At(FComplex(0.3, 0.4))));
        QCOMPARE(gNodeList.GetListCount(kNodePole), short(1));
        const FNode placed = gNodeList.GetNodeByIndex(kNodePole, 0);
        QCOMPARE(placed.Value(), v.view.Geometry().Point2Complex(v.At(FComplex(0.3, 0.4))));
        QVERIFY(placed.Conjugate());
        QVERIFY(SameMsg(v.sent.back(), &v.view, 32 | 2, 0));
        // Both members of the pair are drawn.
        QCOMPARE(Rgb(v.view.Picture(), v.At(FComplex(0.3, 0.4)) + QPoint(1, 1)), kRed);
        QCOMPARE(Rgb(v.view.Picture(), QPoint(v.At(FComplex(0.3, 0.4)).x() + 1,
                                              2 * 128 - v.At(FComplex(0.3, 0.4)).y() + 1)),
                 kRed);
    }

    void dropWithoutMovementAddsTheNode() {
        View v;
        gDragType = kDragZero;
        gDragIndex = -1;
        v.view.DropTarget().OnDragEnter(&v.view);
        QVERIFY(v.view.DropTarget().OnDrop(&v.view, QPoint(150, 128)));
        QCOMPARE(gNodeList.GetNodeByIndex(kNodeZero, 0), FNode(kNodeZero, FComplex(), false, 1));
        QVERIFY(SameMsg(v.sent.back(), &v.view, 64 | 1, -1));
    }

    void dropOnAnotherWindowIsRefused() {
        View v;
        QWidget other;
        gDragType = kDragZero;
        gDragIndex = -1;
        QVERIFY(!v.view.DropTarget().OnDrop(&other, QPoint(10, 10)));
        QCOMPARE(v.runner.messages.size(), size_t(1));
        QCOMPARE(v.runner.messages[0].text, QStringLiteral("Dropped out of bounds"));
        QCOMPARE(gNodeList.GetListCount(kNodeZero), short(0));
        QVERIFY(v.sent.empty());
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
        QTest::addColumn<int>("choice");
        QTest::addColumn<short>("polesLeft");
        QTest::newRow("delete chosen") << 0 << short(1);
        QTest::newRow("menu dismissed") << -1 << short(2);
    }

    void popupDeletion() {
        QFETCH(int, choice);
        QFETCH(short, polesLeft);
        View v;
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.5), true, 1));
        gNodeList.AddNode(FNode(kNodePole, FComplex(-0.5, 0.0), false, 1));
        v.runner.popupChoice = choice;
        QTest::mousePress(&v.view, Qt::RightButton, {}, QPoint(209, 187));
        QCOMPARE(v.runner.popupItems, QStringList{QStringLiteral("&Delete")});
        QCOMPARE(gNodeList.GetListCount(kNodePole), polesLeft);
        if (choice == 0) {
            QCOMPARE(v.sent.size(), size_t(1));
            QVERIFY(SameMsg(v.sent[0], nullptr, 32 | 4, 1));
            QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0).Value(), FComplex(-0.5, 0.0));
        } else {
            QVERIFY(v.sent.empty());
        }
    }

    void rightPressOnEmptyPlaneShowsNoMenu() {
        View v;
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.5), true, 1));
        QTest::mousePress(&v.view, Qt::RightButton, {}, QPoint(20, 20));
        QVERIFY(v.runner.popupItems.isEmpty());
    }
};

QTEST_MAIN(TargetViewTest)
#include "TargetViewTest.moc"
