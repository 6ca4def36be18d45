#include "ui/mainwindow/DragView.h"
#include "PictureCheck.h"
#include "ViewDriver.h"
#include "ui/dialogs/StdFilterDlg.h"
#include "ui/mainwindow/NodeDrag.h"

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
        QCOMPARE(w.design.PoleList().LineImage(0), 1);
    }

    // A cancelled dialog changes nothing; its design is added to the present one or
    // replaces it, and the lists, the plane and the compact response follow. The
    // dialog designs for the workspace's sampling rate.
    void designGlyphAppliesTheStandardDesign() {
        Workspace w;
        w.design.ChangeSampleRate(22050);
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.0), false, 1));
        DragView& palette = w.design.Palette();
        FNodeList generated;
        double middleCorner = 0;
        size_t wahoos = 0;
        for (const auto& [accepted, replace] :
             {std::pair(false, false), {true, false}, {true, true}}) {
            const int before = gNodeList.GetListCount(kNodePole);
            const double scaleBefore = w.design.Graph().Response().Scale();
            w.runner.onExec = [&](QDialog& dialog) {
                auto& filter = static_cast<StdFilterDlg&>(dialog);
                filter.FirstCorner().setValue(StdFilterDlg::kCornerSteps / 2);
                middleCorner = filter.FirstCornerValue().Value();
                filter.ClearExisting().setChecked(replace);
                filter.Order().setValue(accepted ? 5 : 4);
                filter.OnOKButton();
                generated = filter.Generated();
                return accepted;
            };
            QTest::mousePress(&palette, Qt::LeftButton, {},
                              palette.Layout().design + QPoint(25, 10));
            const int poles =
                accepted ? generated.GetListCount(kNodePole) + (replace ? 0 : before) : before;
            QCOMPARE(gNodeList.GetListCount(kNodePole), poles);
            QCOMPARE(middleCorner, 5512.5);
            // "Wahoo!" after each design.
            wahoos += accepted ? 1 : 0;
            QCOMPARE(w.runner.messages.size(), wahoos);
            if (accepted) {
                QCOMPARE(w.design.PoleList().LineCount(), poles);
                QCOMPARE(w.design.ZeroList().LineCount(), int(gNodeList.GetListCount(kNodeZero)));
                QVERIFY(w.design.Graph().Response().Scale() != scaleBefore);
                // The plane shows the design's first pole.
                const FNode p = generated.GetNodeByIndex(kNodePole, 0);
                QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0), p);
                QCOMPARE(Rgb(w.design.Target().Picture(),
                             w.design.Target().Geometry().Complex2Point(p.Value())),
                         0xFF0000u);
            }
        }
    }
};

QTEST_MAIN(DragViewTest)
#include "DragViewTest.moc"
