#include "ui/DragView.h"
#include "PictureCheck.h"
#include "ViewDriver.h"
#include "ui/NodeUpdateMsg.h"
#include "ui/StdFilterDlg.h"

#include <QTest>

class DragViewTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        gNodeList.Clear(kNodeBoth);
        gDragIndex = 0;
    }

    void glyphsAreDrawnWhereTheyStand() {
        const PaletteLayout l = PaletteLayout::ForClient(QRect(0, 0, 300, 20));
        QCOMPARE(l.zero, QPoint(10, 2));
        QCOMPARE(l.zeroPair, QPoint(30, 2));
        QCOMPARE(l.design, QPoint(135, 2));
        QCOMPARE(l.polePair, QPoint(255, 2));
        QCOMPARE(l.pole, QPoint(275, 2));
        Workspace w;
        const DragView& palette = w.design.Palette();
        const QImage& pic = palette.Picture();
        const PaletteLayout& shown = palette.Layout();
        QCOMPARE(palette.width(), 299);
        // Each node tile has a white top-left corner and a black bottom-right corner.
        for (const QPoint at : {shown.zero, shown.zeroPair, shown.polePair, shown.pole}) {
            QCOMPARE(Rgb(pic, at), 0xFFFFFFu);
            QCOMPARE(Rgb(pic, at + QPoint(14, 14)), 0u);
            QVERIFY(Rgb(pic, at + QPoint(15, 15)) != 0u);
        }
        // The pole's cross and the zero's ring are dark red.
        QCOMPARE(Rgb(pic, shown.pole + QPoint(7, 7)), 0x800000u);
        QCOMPARE(Rgb(pic, shown.zero + QPoint(7, 3)), 0x800000u);
        QCOMPARE(Rgb(pic, shown.zero + QPoint(7, 7)), 0xCECECEu);
        QCOMPARE(palette.toolTip(), QStringLiteral("Drag the highlighted nodes onto the target"));
    }

    void highlightFollowsThePointer() {
        Workspace w;
        DragView& palette = w.design.Palette();
        const PaletteLayout l = palette.Layout();
        const QImage plain = palette.Picture();
        MoveTo(&palette, l.zero + QPoint(3, 3));
        QCOMPARE(palette.Highlight(), QRect(l.zero, QSize(15, 15)));
        const QPoint probe = l.zero + QPoint(7, 7);
        QCOMPARE(Rgb(palette.Picture(), probe), ~Rgb(plain, probe) & 0xFFFFFF);
        MoveTo(&palette, l.zeroPair + QPoint(3, 3));
        QCOMPARE(palette.Highlight(), QRect(l.zeroPair, QSize(15, 15)));
        QCOMPARE(Rgb(palette.Picture(), probe), Rgb(plain, probe));
        // The design glyph is never highlighted; the empty strip clears it.
        MoveTo(&palette, l.design + QPoint(3, 3));
        QVERIFY(palette.Highlight().isEmpty());
        QCOMPARE(palette.Picture(), plain);
        MoveTo(&palette, l.pole + QPoint(14, 14));
        QVERIFY(!palette.Highlight().isEmpty());
        // A new picture has no highlight.
        w.design.resize(640, 400);
        QVERIFY(palette.Highlight().isEmpty());
    }

    void dragThePolePairOntoThePlane() {
        Workspace w;
        DragView& palette = w.design.Palette();
        TargetView& target = w.design.Target();
        const QPoint drop = target.Geometry().Complex2Point(FComplex(0.3, 0.4));
        w.runner.onDrag = [&](QWidget* source) {
            QCOMPARE(source, &palette);
            QCOMPARE(gDragType, kDragPolePair);
            QCOMPARE(gDragIndex, -1);
            RkDropTarget& t = target.DropTarget();
            t.OnDragEnter(&target);
            t.OnDragOver(&target, QPoint(40, 40));
            t.OnDragOver(&target, drop);
            t.OnDrop(&target, drop);
        };
        const QPoint at = palette.Layout().polePair + QPoint(5, 5);
        const auto pressMoveRelease = [&](QPoint by) {
            QTest::mousePress(&palette, Qt::LeftButton, {}, at);
            MoveTo(&palette, at + by, Qt::LeftButton);
            QTest::mouseRelease(&palette, Qt::LeftButton, {}, at + by);
        };
        // A one-pixel wobble starts no drag.
        pressMoveRelease(QPoint(1, 0));
        QCOMPARE(w.runner.drags, 0);
        pressMoveRelease(QPoint(20, 20));
        QCOMPARE(w.runner.drags, 1);
        QCOMPARE(gNodeList.GetListCount(kNodePole), short(1));
        QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0),
                 FNode(kNodePole, target.Geometry().Point2Complex(drop), true, 1));
        // The workspace rebuilt the pole list and redrew both crosses.
        QCOMPARE(w.design.PoleList().LineCount(), 1);
        QCOMPARE(w.design.PoleList().LineImage(0), 1);
        const QImage& pic = target.Picture();
        const QPoint mirror(drop.x(), 2 * target.Geometry().cy - drop.y());
        QCOMPARE(WrongPixels(pic, 0xFF0000, {drop + QPoint(2, 2), mirror + QPoint(2, 2)}), "");
        QCOMPARE(Rgb(pic, QPoint(42, 42)), Rgb(pic, QPoint(30, 30)));
    }

    // The dialog's design replaces the present one or is added to it, and the lists,
    // the plane and the compact response follow; a cancelled dialog changes nothing.
    void designGlyphAppliesTheStandardDesign_data() {
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("replace");
        QTest::newRow("replaced") << true << true;
        QTest::newRow("added") << true << false;
        QTest::newRow("cancelled") << false << true;
    }

    void designGlyphAppliesTheStandardDesign() {
        QFETCH(bool, accepted);
        QFETCH(bool, replace);
        Workspace w;
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.0), false, 1));
        w.design.OnNodeUpdate(NodeUpdateMsg{nullptr, kUpdateAdded | kUpdatePoles, 0});
        const double scaleBefore = w.design.Graph().Response().Scale();
        DragView& palette = w.design.Palette();
        FNodeList generated;
        w.runner.onExec = [&](QDialog& dialog) {
            auto& filter = static_cast<StdFilterDlg&>(dialog);
            filter.ClearExisting().setChecked(replace);
            if (accepted) {
                filter.OnOKButton();
                generated = filter.Generated();
            }
            return accepted;
        };
        QTest::mousePress(&palette, Qt::LeftButton, {}, palette.Layout().design + QPoint(25, 10));
        QCOMPARE(int(w.runner.messages.size()), accepted ? 1 : 0);
        if (!accepted) {
            QCOMPARE(gNodeList.RootCount(kNodePole), 1);
            return;
        }
        QCOMPARE(w.runner.messages[0].text, QStringLiteral("Wahoo!"));
        const int kept = replace ? 0 : 1;
        QCOMPARE(gNodeList.GetListCount(kNodePole), generated.GetListCount(kNodePole) + kept);
        QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0), generated.GetNodeByIndex(kNodePole, 0));
        QCOMPARE(w.design.PoleList().LineCount(), int(gNodeList.GetListCount(kNodePole)));
        QCOMPARE(w.design.ZeroList().LineCount(), int(gNodeList.GetListCount(kNodeZero)));
        QVERIFY(w.design.Graph().Response().Scale() != scaleBefore);
        // The plane shows a pole of the design.
        const FComplex p = generated.GetNodeByIndex(kNodePole, 0).Value();
        const QPoint at = w.design.Target().Geometry().Complex2Point(p);
        QCOMPARE(Rgb(w.design.Target().Picture(), at), 0xFF0000u);
    }
};

QTEST_MAIN(DragViewTest)
#include "DragViewTest.moc"
