#include "ui/DragView.h"
#include "ScriptedRunner.h"
#include "ui/NodeUpdateMsg.h"
#include "ui/StdFilterDlg.h"
#include "ui/ZPlaneDesign.h"

#include <QMouseEvent>
#include <QTest>

namespace {

QRgb Rgb(const QImage& image, QPoint p) {
    return image.pixel(p) & 0xFFFFFF;
}

void MoveTo(QWidget* w, QPoint p, Qt::MouseButtons buttons = Qt::NoButton) {
    QMouseEvent move(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

// The palette in its workspace, whose notifications come back to it.
struct Workspace {
    ScriptedRunner runner;
    ZPlaneDesign design{runner};
    DragView& palette = design.Palette();
    Workspace() {
        QObject::connect(&design, &ZPlaneDesign::nodeUpdate, &design, &ZPlaneDesign::OnNodeUpdate);
        design.resize(600, 400);
        design.show();
    }
};

} // namespace

class DragViewTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        gNodeList.Clear(kNodeBoth);
        gDragIndex = 0;
    }

    void glyphPositions() {
        const PaletteLayout l = PaletteLayout::ForClient(QRect(0, 0, 300, 20));
        QCOMPARE(l.zero, QPoint(10, 2));
        QCOMPARE(l.zeroPair, QPoint(30, 2));
        QCOMPARE(l.design, QPoint(135, 2));
        QCOMPARE(l.polePair, QPoint(255, 2));
        QCOMPARE(l.pole, QPoint(275, 2));
    }

    void glyphsAreDrawnWhereTheyStand() {
        Workspace w;
        const QImage& pic = w.palette.Picture();
        const PaletteLayout& l = w.palette.Layout();
        QCOMPARE(w.palette.width(), 299);
        // Each node tile has a white top-left corner and a black bottom-right corner.
        for (const QPoint at : {l.zero, l.zeroPair, l.polePair, l.pole}) {
            QCOMPARE(Rgb(pic, at), 0xFFFFFFu);
            QCOMPARE(Rgb(pic, at + QPoint(14, 14)), 0u);
            QCOMPARE(Rgb(pic, at + QPoint(15, 15)) == 0u, false);
        }
        // The pole's cross and the zero's ring are dark red.
        QCOMPARE(Rgb(pic, l.pole + QPoint(7, 7)), 0x800000u);
        QCOMPARE(Rgb(pic, l.zero + QPoint(7, 3)), 0x800000u);
        QCOMPARE(Rgb(pic, l.zero + QPoint(7, 7)), 0xCECECEu);
        QCOMPARE(w.palette.toolTip(), QStringLiteral("Drag the highlighted nodes onto the target"));
    }

    void highlightFollowsThePointer() {
        Workspace w;
        const PaletteLayout l = w.palette.Layout();
        const QImage plain = w.palette.Picture();
        MoveTo(&w.palette, l.zero + QPoint(3, 3));
        QCOMPARE(w.palette.Highlight(), QRect(l.zero, QSize(15, 15)));
        const QPoint probe = l.zero + QPoint(7, 7);
        QCOMPARE(Rgb(w.palette.Picture(), probe), ~Rgb(plain, probe) & 0xFFFFFF);
        MoveTo(&w.palette, l.zeroPair + QPoint(3, 3));
        QCOMPARE(w.palette.Highlight(), QRect(l.zeroPair, QSize(15, 15)));
        QCOMPARE(Rgb(w.palette.Picture(), probe), Rgb(plain, probe));
        // The design glyph is never highlighted; the empty strip clears it.
        MoveTo(&w.palette, l.design + QPoint(3, 3));
        QVERIFY(w.palette.Highlight().isEmpty());
        QCOMPARE(w.palette.Picture(), plain);
        MoveTo(&w.palette, l.pole + QPoint(14, 14));
        QVERIFY(!w.palette.Highlight().isEmpty());
        // A new picture has no highlight.
        w.design.resize(640, 400);
        QVERIFY(w.palette.Highlight().isEmpty());
    }

    void pressAndReleaseStartsNoDrag() {
        Workspace w;
        const QPoint at = w.palette.Layout().pole + QPoint(5, 5);
        QTest::mousePress(&w.palette, Qt::LeftButton, {}, at);
        MoveTo(&w.palette, at + QPoint(1, 0), Qt::LeftButton);
        QTest::mouseRelease(&w.palette, Qt::LeftButton, {}, at);
        QCOMPARE(w.runner.drags, 0);
        QCOMPARE(gNodeList.GetListCount(kNodePole), short(0));
    }

    void dragThePolePairOntoThePlane() {
        Workspace w;
        TargetView& target = w.design.Target();
        const QPoint drop = target.Geometry().Complex2Point(FComplex(0.3, 0.4));
        w.runner.onDrag = [&](QWidget* source) {
            QCOMPARE(source, &w.palette);
            QCOMPARE(gDragType, kDragPolePair);
            QCOMPARE(gDragIndex, -1);
            RkDropTarget& t = target.DropTarget();
            t.OnDragEnter(&target);
            t.OnDragOver(&target, QPoint(40, 40));
            t.OnDragOver(&target, drop);
            t.OnDrop(&target, drop);
        };
        const QPoint at = w.palette.Layout().polePair + QPoint(5, 5);
        QTest::mousePress(&w.palette, Qt::LeftButton, {}, at);
        MoveTo(&w.palette, at + QPoint(20, 20), Qt::LeftButton);
        QTest::mouseRelease(&w.palette, Qt::LeftButton, {}, at + QPoint(20, 20));
        QCOMPARE(w.runner.drags, 1);
        QCOMPARE(gNodeList.GetListCount(kNodePole), short(1));
        const FNode added = gNodeList.GetNodeByIndex(kNodePole, 0);
        QVERIFY(added.Conjugate());
        QCOMPARE(added.Value(), target.Geometry().Point2Complex(drop));
        // The workspace rebuilt the pole list and redrew both crosses.
        QCOMPARE(w.design.PoleList().LineCount(), 1);
        QCOMPARE(w.design.PoleList().LineImage(0), 1);
        const QImage& pic = target.Picture();
        QCOMPARE(Rgb(pic, drop + QPoint(2, 2)), 0xFF0000u);
        QCOMPARE(Rgb(pic, QPoint(drop.x() + 2, 2 * target.Geometry().cy - drop.y() + 2)),
                 0xFF0000u);
        QCOMPARE(Rgb(pic, QPoint(42, 42)), Rgb(pic, QPoint(30, 30)));
    }

    void designGlyphOpensTheStandardFilterDialog_data() {
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<int>("messages");
        QTest::newRow("ended with OK") << true << 1;
        QTest::newRow("cancelled") << false << 0;
    }

    void designGlyphOpensTheStandardFilterDialog() {
        QFETCH(bool, accepted);
        QFETCH(int, messages);
        Workspace w;
        QString title;
        w.runner.onExec = [&](QDialog& dialog) {
            title = dialog.windowTitle();
            return accepted;
        };
        QTest::mousePress(&w.palette, Qt::LeftButton, {},
                          w.palette.Layout().design + QPoint(25, 10));
        QCOMPARE(title, QStringLiteral("Standard Filter Design"));
        QCOMPARE(int(w.runner.messages.size()), messages);
        if (messages > 0) {
            QCOMPARE(w.runner.messages[0].text, QStringLiteral("Wahoo!"));
            QCOMPARE(w.runner.messages[0].caption, AppCaption());
        }
        QCOMPARE(gNodeList.GetListCount(kNodePole), short(0));
    }
};

QTEST_MAIN(DragViewTest)
#include "DragViewTest.moc"
