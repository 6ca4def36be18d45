#include "ui/mainwindow/ZPlaneDesign.h"
#include "PictureCheck.h"
#include "ViewDriver.h"
#include "text/NodeValueText.h"
#include "ui/mainwindow/NodeDrag.h"

#include "persist/CDesignPersistence.h"

#include <QLineEdit>
#include <QTest>

#include <functional>

namespace {

// The design's text, each pair by its upper member: pressing a pair's lower member
// turns which member is stored, but not the design.
std::string Design() {
    FNodeList upper;
    for (const int type : {kNodePole, kNodeZero}) {
        for (short i = gNodeList.GetListCount(type) - 1; i >= 0; --i) {
            FNode n = gNodeList.GetNodeByIndex(type, i);
            if (n.Conjugate() && n.Value().i < 0) {
                n.SetValue(n.Value().Conj());
            }
            upper.AddNode(n);
        }
    }
    return CDesignPersistence::DesignText(upper);
}

// A press of the left button on line index of a list.
void ClickLine(HdrListCtrl& list, int index) {
    const QRect line = list.List().visualItemRect(list.List().topLevelItem(index));
    QTest::mouseClick(list.List().viewport(), Qt::LeftButton, {}, line.center());
}

// A drag over the z-plane from one plane point to another; from none, a drag from
// the palette of the kind paletteCode.
void DragOnPlane(TargetView& view, std::optional<FComplex> from, FComplex to, int paletteCode) {
    const PlaneGeometry& g = view.Geometry();
    if (from) {
        QTest::mousePress(&view, Qt::LeftButton, {}, g.Complex2Point(*from));
        QTest::mouseRelease(&view, Qt::LeftButton, {}, g.Complex2Point(*from));
    } else {
        gDragType = paletteCode;
        gDragIndex = -1;
    }
    view.DropTarget().OnDragEnter(&view);
    view.DropTarget().OnDragOver(&view, g.Complex2Point(FComplex(to.r / 2, to.i / 2)));
    view.DropTarget().OnDrop(&view, g.Complex2Point(to));
}

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
        w.document.Add(FNode(kNodePole, FComplex(0.0, 1.0), true, 1));
        QCOMPARE(bar.Text(2), QStringLiteral("Unstable"));
        w.document.UndoStack().undo();
        QCOMPARE(bar.Text(2), QString());
    }

    // The stability part with an arithmetic: a pole pair 1e-5 inside the circle lands
    // on it in q15 (a2 = 0.99998 rounds to 1 in its 14 fraction bits) but not in f32.
    void stabilityWithAnArithmetic_data() {
        QTest::addColumn<QString>("nodes");
        QTest::addColumn<int>("arithmetic");
        QTest::addColumn<QString>("text");
        const QString nearCircle = QStringLiteral("P0.99999,0.001~");
        QTest::newRow("stable") << "P0.5,0" << 2 << "";
        QTest::newRow("unstable anyway") << "P1.2,0" << 2 << "Unstable";
        QTest::newRow("q15 unstable") << nearCircle << 2 << "Q15: unstable";
        QTest::newRow("f32 stable") << nearCircle << 1 << "";
        QTest::newRow("double") << nearCircle << 0 << "";
        QTest::newRow("unpaired") << "P0.5,0.5" << 3 << "Q31: refused";
        QTest::newRow("non-causal, said beside") << "Z0.5,0" << 2 << "";
    }

    void stabilityWithAnArithmetic() {
        QFETCH(QString, nodes);
        QFETCH(int, arithmetic);
        QFETCH(QString, text);
        Workspace w;
        const QStringList value = nodes.mid(1).remove('~').split(',');
        w.document.Add(FNode(nodes[0] == 'P' ? kNodePole : kNodeZero,
                             FComplex(value[0].toDouble(), value[1].toDouble()),
                             nodes.endsWith('~'), 1));
        w.document.SetArithmetic(static_cast<Arithmetic>(arithmetic));
        QCOMPARE(w.design.Status().Text(2), text);
    }

    void viewsFollowTheDocument_data() {
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("type");
        // Z: the zero list rebuilt, P: the pole list rebuilt, T: the z-plane redrawn,
        // G: the compact response recomputed, H: the zero list's highlight kept.
        QTest::addColumn<QString>("followed");
        const int pole = kNodePole;
        const int zero = kNodeZero;
        // Signals: the three kinds of nodeChanged, nodeDragged and designReplaced.
        QTest::newRow("pole changed") << 1 << pole << "PTGH";
        QTest::newRow("zero changed") << 1 << zero << "ZTGH";
        QTest::newRow("pole added") << 0 << pole << "PTG";
        QTest::newRow("zero removed") << 2 << zero << "ZTG";
        QTest::newRow("pole dragged") << 3 << pole << "GH";
        QTest::newRow("design replaced") << 4 << pole << "ZPTG";
    }

    void viewsFollowTheDocument() {
        QFETCH(int, signal);
        QFETCH(int, type);
        QFETCH(QString, followed);
        Workspace w;
        w.document.Add(FNode(kNodePole, FComplex(-0.5, -0.3), false, 1));
        w.document.Add(FNode(kNodeZero, FComplex(-0.4, 0.2), false, 1));
        w.design.ZeroList().HighlightNode(0, true);
        const double magnitude = w.design.Graph().Response().NormResponse(50).Mag();
        // Change the design behind every view's back, then tell them.
        const FComplex pole(0.5, 0.3);
        const FComplex zero(0.1, 0.6);
        gNodeList.ReplaceNodeValue(kNodePole, 0, pole);
        gNodeList.ReplaceNodeValue(kNodeZero, 0, zero);
        using Edit = DesignDocument::NodeEdit;
        const Edit edits[] = {Edit::Added, Edit::Changed, Edit::Removed};
        if (signal < 3) {
            emit w.document.nodeChanged(type, 0, edits[signal]);
        } else if (signal == 3) {
            emit w.document.nodeDragged(type, 0);
        } else {
            emit w.document.designReplaced();
        }
        const auto shows = [](const HdrListCtrl& list, FComplex z) {
            return list.LineText(0) == QString::fromStdString(NodeValueText(z, 125));
        };
        QString seen;
        seen += shows(w.design.ZeroList(), zero) ? "Z" : "";
        seen += shows(w.design.PoleList(), pole) ? "P" : "";
        seen += PixelAt(w.design.Target(), pole) == 0xFF0000 ? "T" : "";
        seen += w.design.Graph().Response().NormResponse(50).Mag() != magnitude ? "G" : "";
        seen += w.design.ZeroList().LineHighlighted(0) ? "H" : "";
        QCOMPARE(seen, followed);
    }

    // A node chosen on the plane, then another in the other list: Delete takes the
    // node chosen last, and only its line is highlighted. A refused question, or
    // nothing chosen, deletes nothing.
    void deleteTakesTheNodeChosenLast() {
        Workspace w;
        QVERIFY(w.document.Open(QT_TESTCASE_SOURCEDIR "/../../examples/bandpass.pzd"));
        // A press on a pair's lower member shows the pair by that member.
        Click(&w.design.Target(),
              w.design.Target().Geometry().Complex2Point(FComplex(0.45, -0.779423)));
        QVERIFY(w.design.PoleList().LineHighlighted(0));
        QCOMPARE(w.design.PoleList().LineText(0), QStringLiteral("0.9000 -60.0000 deg"));
        ClickLine(w.design.ZeroList(), 0);
        QVERIFY(w.design.ZeroList().LineHighlighted(0));
        QVERIFY(!w.design.PoleList().LineHighlighted(0));
        const FNode kept = gNodeList.GetNodeByIndex(kNodeZero, 1);
        w.runner.yesNoAnswers = {false, true};
        for (int press = 0; press < 3; ++press) {
            QTest::keyClick(&w.design, Qt::Key_Backspace);
            QCOMPARE(gNodeList.GetListCount(kNodeZero), short(press == 0 ? 2 : 1));
        }
        QCOMPARE(w.runner.questions.size(), 2);
        QCOMPARE(w.runner.questions[0], QStringLiteral("Sure you want to delete that node?"));
        QCOMPARE(gNodeList.GetListCount(kNodePole), short(1));
        QCOMPARE(gNodeList.GetNodeByIndex(kNodeZero, 0), kept);
    }

    // Every kind of edit, made as the user makes it, then all undone and redone: after
    // each step the design is the one before or after that edit, and the lists and
    // the status follow it.
    void editsUndoAndRedo() {
        Workspace w;
        HdrListCtrl& poles = w.design.PoleList();
        TargetView& plane = w.design.Target();
        const std::vector<std::pair<QString, std::function<void()>>> edits = {
            {"Add Pole", [&] { DragOnPlane(plane, {}, FComplex(0.5, 0.5), kDragPolePair); }},
            {"Add Zero", [&] { DragOnPlane(plane, {}, FComplex(-0.5, 0.0), kDragZero); }},
            {"Add Zero", [&] { DragOnPlane(plane, {}, FComplex(0.0, 0.5), kDragZero); }},
            {"Move Pole",
             [&] { DragOnPlane(plane, FComplex(0.5, -0.5), FComplex(0.25, -0.75), 0); }},
            {"Edit Pole",
             [&] {
                 // The first key typed opens the line, which takes the rest.
                 poles.HighlightNode(0, true);
                 QTest::keyClick(&w.design, Qt::Key_0);
                 auto* editor = poles.List().viewport()->findChild<QLineEdit*>();
                 QTest::keyClicks(editor, ".5 60");
                 QTest::keyClick(editor, Qt::Key_Return);
                 QCoreApplication::processEvents();
             }},
            {"Move Pole", [&] { QTest::keyClick(&w.design, Qt::Key_Up, Qt::ShiftModifier); }},
            {"Toggle Pole Pair",
             [&] {
                 QTest::mousePress(poles.List().viewport(), Qt::RightButton, {},
                                   poles.GlyphRect(0).center());
             }},
            {"Delete Zero",
             [&] {
                 w.runner.popupChoice = 0;
                 QTest::mousePress(&plane, Qt::RightButton, {},
                                   plane.Geometry().Complex2Point(FComplex(-0.5, 0.0)));
             }},
            {"Delete Pole",
             [&] {
                 w.design.SetConfirm(false);
                 Click(&plane, plane.Geometry().Complex2Point(FComplex(0.25, 0.443)));
                 QTest::keyClick(&w.design, Qt::Key_Delete);
             }},
            {"Standard Design",
             [&] {
                 FNodeList generated;
                 generated.AddNode(FNode(kNodeZero, FComplex(-1.0, 0.0), false, 1));
                 w.design.ApplyDesign(generated, false);
             }},
        };
        QUndoStack& stack = w.document.UndoStack();
        std::vector<std::string> designs = {Design()};
        for (const auto& [name, edit] : edits) {
            edit();
            QCOMPARE(stack.undoText(), name);
            QVERIFY2(Design() != designs.back(), qPrintable(name));
            designs.push_back(Design());
        }
        // Each undo and redo goes back or forth exactly one edit; the lists follow.
        for (int step = stack.count() - 1; step >= -1; --step) {
            QCOMPARE(Design(), designs[static_cast<size_t>(step + 1)]);
            QCOMPARE(poles.LineCount(), int(gNodeList.GetListCount(kNodePole)));
            QCOMPARE(w.design.ZeroList().LineCount(), int(gNodeList.GetListCount(kNodeZero)));
            stack.undo();
        }
        while (stack.canRedo()) {
            stack.redo();
        }
        QCOMPARE(Design(), designs.back());
    }
};

QTEST_MAIN(ZPlaneDesignTest)
#include "ZPlaneDesignTest.moc"
