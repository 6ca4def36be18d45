#include "ui/ZPlaneDesign.h"
#include "PictureCheck.h"
#include "ViewDriver.h"
#include "ui/NodeUpdateMsg.h"

#include <QTest>

namespace {

QRgb PixelAt(const TargetView& view, FComplex z) {
    return Rgb(view.Picture(), view.Geometry().Complex2Point(z));
}

} // namespace

class ZPlaneDesignTest : public QObject {
    Q_OBJECT

private slots:
    void init() { gNodeList.Clear(kNodeBoth); }

    void layout() {
        const WorkspaceLayout l = WorkspaceLayout::ForClient(QRect(0, 0, 600, 400));
        QCOMPARE(l.zeroList, QRect(QPoint(0, 0), QPoint(149, 277)));
        QCOMPARE(l.poleList, QRect(QPoint(449, 0), QPoint(598, 277)));
        QCOMPARE(l.palette, QRect(QPoint(150, 0), QPoint(448, 19)));
        QCOMPARE(l.target, QRect(QPoint(150, 21), QPoint(448, 277)));
        QCOMPARE(l.statusBar, QRect(QPoint(150, 278), QPoint(448, 297)));
        QCOMPARE(l.graph, QRect(QPoint(0, 300), QPoint(599, 399)));
        // The children take their places, and follow a resize.
        Workspace w;
        QCOMPARE(w.design.Target().geometry(), QRect(150, 21, 299, 257));
        QCOMPARE(w.design.Graph().geometry(), QRect(0, 300, 600, 100));
        // The causality and stability parts fit their words; the position takes the rest.
        const StatusBar& bar = w.design.Status();
        QVERIFY(bar.PartRect(1).width() > bar.fontMetrics().horizontalAdvance("Non-Causal"));
        QCOMPARE(bar.PartRect(2).right(), 298);
        w.design.resize(700, 500);
        QCOMPARE(w.design.Target().geometry(), QRect(150, 21, 399, 357));
        QCOMPARE(bar.PartRect(2).right(), 398);
        // The last part says when a design change leaves a pole on or outside the circle.
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.0, 1.0), true, 1));
        w.design.OnNodeUpdate(NodeUpdateMsg{nullptr, kUpdatePoles | kUpdateAdded, 0});
        QCOMPARE(bar.Text(2), QStringLiteral("Unstable"));
        gNodeList.Clear(kNodeBoth);
        w.design.OnNodeUpdate(NodeUpdateMsg{nullptr, kUpdatePoles | kUpdateRemoved, 0});
        QCOMPARE(bar.Text(2), QString());
    }

    void routing_data() {
        QTest::addColumn<int>("sender");
        QTest::addColumn<int>("what");
        // Z: the zero list rebuilt, P: the pole list rebuilt, T: the z-plane redrawn,
        // G: the compact response recomputed.
        QTest::addColumn<QString>("followed");
        // Senders: 0 none, 1 z-plane view, 2 zero list, 3 pole list, 4 another object.
        QTest::newRow("moved pole dropped") << 1 << (32 | 2) << "PTG";
        QTest::newRow("pole placed from palette") << 1 << (32 | 1) << "PG";
        QTest::newRow("zero list edit") << 2 << (64 | 2) << "TG";
        QTest::newRow("pole list deletion") << 3 << (32 | 4) << "TG";
        QTest::newRow("live drag") << 1 << (32 | 16) << "G";
        QTest::newRow("new or open") << 4 << 100 << "ZPTG";
        QTest::newRow("popup deletion") << 0 << (64 | 4) << "ZTG";
        QTest::newRow("removed by the z-plane view") << 1 << (64 | 4) << "ZG";
        QTest::newRow("select only") << 1 << (32 | 8) << "";
        QTest::newRow("no kind") << 1 << 96 << "";
    }

    void routing() {
        QFETCH(int, sender);
        QFETCH(int, what);
        QFETCH(QString, followed);
        Workspace w;
        QObject other;
        const QObject* senders[] = {nullptr, &w.design.Target(), &w.design.ZeroList(),
                                    &w.design.PoleList(), &other};
        // Change the design behind every view's back, then tell them.
        const FComplex pole(0.5, 0.3);
        gNodeList.AddNode(FNode(kNodePole, pole, false, 1));
        gNodeList.AddNode(FNode(kNodeZero, FComplex(-0.4, 0.2), false, 1));
        w.design.OnNodeUpdate(NodeUpdateMsg{senders[sender], what, 0});
        QString seen;
        seen += w.design.ZeroList().LineCount() == 1 ? "Z" : "";
        seen += w.design.PoleList().LineCount() == 1 ? "P" : "";
        seen += PixelAt(w.design.Target(), pole) == 0xFF0000 ? "T" : "";
        seen += w.design.Graph().Response().CpxCount() > 0 ? "G" : "";
        QCOMPARE(seen, followed);
    }

    void selectHighlightsInItsListOnly() {
        Workspace w;
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.1, 0.1), false, 1));
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.2, 0.1), false, 1));
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.3, 0.1), false, 1));
        w.design.OnNodeUpdate(NodeUpdateMsg{nullptr, 100, -1});
        w.design.OnNodeUpdate(NodeUpdateMsg{nullptr, 64 | 8, 0});
        QCOMPARE(w.design.ZeroList().HighlightIndex(), 0);
        w.design.OnNodeUpdate(NodeUpdateMsg{nullptr, 32 | 8, 1});
        QCOMPARE(w.design.ZeroList().HighlightIndex(), -1);
        QCOMPARE(w.design.PoleList().HighlightIndex(), 1);
        QVERIFY(w.design.PoleList().LineHighlighted(1));
        QVERIFY(!w.design.PoleList().LineHighlighted(0));
    }

    void keyDeletion_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("highlight");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<bool>("answer");
        QTest::addColumn<int>("questionsAsked");
        QTest::addColumn<int>("polesLeft");
        const int backspace = Qt::Key_Backspace;
        QTest::newRow("backspace, confirmed") << backspace << true << true << true << 1 << 1;
        QTest::newRow("backspace, refused") << backspace << true << true << false << 1 << 2;
        QTest::newRow("delete, no confirmation")
            << int(Qt::Key_Delete) << true << false << false << 0 << 1;
        QTest::newRow("other key") << int(Qt::Key_X) << true << true << true << 0 << 2;
        QTest::newRow("nothing highlighted") << backspace << false << true << true << 0 << 2;
    }

    void keyDeletion() {
        QFETCH(int, key);
        QFETCH(bool, highlight);
        QFETCH(bool, confirm);
        QFETCH(bool, answer);
        QFETCH(int, questionsAsked);
        QFETCH(int, polesLeft);
        Workspace w;
        w.design.SetConfirm(confirm);
        w.runner.yesNoAnswers = {answer};
        const FNode kept(kNodePole, FComplex(0.1, 0.1), false, 1);
        gNodeList.AddNode(kept);
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.2, 0.1), true, 1));
        w.design.OnNodeUpdate(NodeUpdateMsg{nullptr, 100, -1});
        if (highlight) {
            w.design.PoleList().HighlightNode(0, true);
        }
        QTest::keyClick(&w.design, Qt::Key(key));
        QCOMPARE(w.runner.questions.size(), questionsAsked);
        if (questionsAsked > 0) {
            QCOMPARE(w.runner.questions.front(),
                     QStringLiteral("Sure you want to delete that node?"));
        }
        QCOMPARE(int(gNodeList.GetListCount(kNodePole)), polesLeft);
        QCOMPARE(w.design.PoleList().LineCount(), polesLeft);
        if (polesLeft == 1) {
            QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0), kept);
            // The picture and the compact view follow the deletion.
            QVERIFY(PixelAt(w.design.Target(), FComplex(0.2, 0.1)) != 0xFF0000);
            QVERIFY(w.design.Graph().Response().CpxCount() > 0);
        }
    }
};

QTEST_MAIN(ZPlaneDesignTest)
#include "ZPlaneDesignTest.moc"
