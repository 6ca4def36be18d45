#include "ui/HdrListCtrl.h"
#include "ScriptedRunner.h"
#include "resources/Artwork.h"
#include "ui/NodeUpdateMsg.h"
#include "ui/ZPlaneDesign.h"

#include <QLineEdit>
#include <QTest>

#include <vector>

Q_DECLARE_METATYPE(FComplex)

namespace {

// A pole list alone, with its notifications recorded.
struct PoleList {
    ScriptedRunner runner;
    HdrListCtrl list{runner};
    std::vector<NodeUpdateMsg> sent;

    explicit PoleList(int units = 125) {
        QObject::connect(&list, &HdrListCtrl::nodeUpdate,
                         [this](const NodeUpdateMsg& m) { sent.push_back(m); });
        list.SetBitmapResID(kNodePole, kBitmapPole, kBitmapPolePair);
        list.SetUnits(units);
        list.resize(150, 278);
        list.show();
    }
    QLineEdit* Editor() { return list.List().viewport()->findChild<QLineEdit*>(); }
};

} // namespace

class HdrListCtrlTest : public QObject {
    Q_OBJECT

private slots:
    void init() { gNodeList.Clear(kNodeBoth); }

    void layout() {
        PoleList p;
        QCOMPARE(p.list.Header().text(), QStringLiteral("Poles"));
        QCOMPARE(p.list.Header().geometry(), QRect(2, 0, 146, 18));
        p.list.Header().SetBkColour(0x00336699);
        QCOMPARE(p.list.Header().palette().color(QPalette::Window), QColor(0x99, 0x66, 0x33));
        QCOMPARE(p.list.List().geometry(), QRect(2, 19, 146, 257));
        QCOMPARE(p.list.List().columnWidth(0), p.list.List().viewport()->width());
    }

    void lineText_data() {
        QTest::addColumn<int>("units");
        QTest::addColumn<FComplex>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("cartesian") << 126 << FComplex(0.5, -0.25) << "0.5000 -0.2500j";
        QTest::newRow("degrees") << 125 << FComplex(0.0, 1.0) << "1.0000 90.0000 deg";
        QTest::newRow("radians") << 124 << FComplex(0.0, 1.0) << "1.0000 1.5708 rad";
        QTest::newRow("huge value keeps every digit")
            << 126 << FComplex(1e30, 0.0) << "1000000000000000019884624838656.0000 +0.0000j";
    }

    void lineText() {
        QFETCH(int, units);
        QFETCH(FComplex, value);
        QFETCH(QString, text);
        PoleList p(units);
        gNodeList.AddNode(FNode(kNodePole, value, true, 1));
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.1, 0.0), false, 1));
        p.list.UpdateFromNodeList();
        QCOMPARE(p.list.LineCount(), 2);
        QCOMPARE(p.list.LineText(1), text);
        QCOMPARE(p.list.LineImage(1), 1);
        QCOMPARE(p.list.LineImage(0), 0);
    }

    void typedValue_data() {
        QTest::addColumn<int>("units");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<FComplex>("value");
        QTest::newRow("cartesian") << 126 << "  0.3 +  0.4j"
                                   << "0.3000 +0.4000j" << FComplex(0.3, 0.4);
        QTest::newRow("degrees") << 125 << "0.5 90"
                                 << "0.5000 90.0000 deg" << FComplex(0, 0.5);
        QTest::newRow("radians") << 124 << "2 3.141592653589793"
                                 << "2.0000 3.1416 rad" << FComplex(-2, 0);
    }

    void typedValue() {
        QFETCH(int, units);
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(FComplex, value);
        PoleList p(units);
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.9, 0.0), true, 1));
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.1, 0.1), false, 1));
        p.list.UpdateFromNodeList();
        p.list.HighlightNode(1, false);
        QLineEdit* editor = p.Editor();
        QVERIFY(editor != nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QVERIFY(p.runner.messages.empty());
        QCOMPARE(p.list.LineText(1), shown);
        const FNode node = gNodeList.GetNodeByIndex(kNodePole, 1);
        QCOMPARE(node.Value(), value);
        QVERIFY(node.Conjugate());
        QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0).Value(), FComplex(0.1, 0.1));
        QCOMPARE(p.sent.size(), size_t(1));
        QCOMPARE(p.sent[0].who, &p.list);
        QCOMPARE(p.sent[0].what, 32 | 2);
        QCOMPARE(p.sent[0].index, 1);
    }

    void rejectedValue_data() {
        QTest::addColumn<int>("units");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("message");
        const QString cartesian = QStringLiteral("Complex Value must be in\nform: X + Yj");
        const QString degrees = QStringLiteral("Complex Value must be in\nform: Mag Angle deg");
        const QString radians = QStringLiteral("Complex Value must be in\nform: Mag Angle rad");
        QTest::newRow("cartesian, bad text") << 126 << false << cartesian;
        QTest::newRow("degrees, bad text") << 125 << false << degrees;
        QTest::newRow("radians, bad text") << 124 << false << radians;
        QTest::newRow("cartesian, escape") << 126 << true << cartesian;
        QTest::newRow("degrees, escape") << 125 << true << degrees;
        QTest::newRow("radians, escape") << 124 << true << radians;
    }

    void rejectedValue() {
        QFETCH(int, units);
        QFETCH(bool, cancel);
        QFETCH(QString, message);
        PoleList p(units);
        const FNode node(kNodePole, FComplex(0.5, 0.5), false, 1);
        gNodeList.AddNode(node);
        p.list.UpdateFromNodeList();
        const QString before = p.list.LineText(0);
        p.list.HighlightNode(0, false);
        QLineEdit* editor = p.Editor();
        QVERIFY(editor != nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("abc"));
        QTest::keyClick(editor, cancel ? Qt::Key_Escape : Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(p.runner.messages.size(), size_t(1));
        QCOMPARE(p.runner.messages[0].caption, QStringLiteral("Hey Buddy!"));
        QCOMPARE(p.runner.messages[0].text, message);
        QVERIFY(p.runner.messages[0].icon == ModalRunner::Icon::Error);
        QCOMPARE(p.list.LineText(0), before);
        QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0), node);
        QVERIFY(p.sent.empty());
    }

    void untypedEditNeverWritesBack() {
        PoleList p;
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.123456, 0.2), false, 1));
        p.list.UpdateFromNodeList();
        p.list.HighlightNode(0, false);
        QLineEdit* editor = p.Editor();
        QVERIFY(editor != nullptr);
        // The node moves while the edit, started by a selection, is still open.
        const FNode moved(kNodePole, FComplex(-0.7, 0.3), false, 1);
        gNodeList.ReplaceNode(gNodeList.GetNodeByIndex(kNodePole, 0), moved);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0), moved);
        QVERIFY(p.sent.empty());
        QVERIFY(p.runner.messages.empty());
    }

    void rebuildEndsAnOpenEditSilently() {
        PoleList p;
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.2), false, 1));
        p.list.UpdateFromNodeList();
        p.list.HighlightNode(0, false);
        QTest::keyClicks(p.Editor(), QStringLiteral("7"));
        const FNode moved(kNodePole, FComplex(-0.7, 0.3), false, 1);
        gNodeList.ReplaceNode(gNodeList.GetNodeByIndex(kNodePole, 0), moved);
        p.list.UpdateFromNodeList();
        QCoreApplication::processEvents();
        QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0), moved);
        QVERIFY(p.sent.empty());
        QVERIFY(p.runner.messages.empty());
    }

    void rightClickOnTheGlyphTogglesThePair() {
        PoleList p;
        const FNode single(kNodePole, FComplex(0.5, 0.2), false, 1);
        gNodeList.AddNode(single);
        p.list.UpdateFromNodeList();
        const QRect glyph = p.list.GlyphRect(0);
        QVERIFY(glyph.width() >= 15);
        QTest::mousePress(p.list.List().viewport(), Qt::RightButton, {}, glyph.center());
        QCOMPARE(p.list.LineImage(0), 1);
        QVERIFY(gNodeList.GetNodeByIndex(kNodePole, 0).Conjugate());
        QCOMPARE(p.sent.size(), size_t(1));
        QCOMPARE(p.sent[0].what, 32 | 2);
        QCOMPARE(p.sent[0].index, 0);
        QTest::mousePress(p.list.List().viewport(), Qt::RightButton, {}, glyph.center());
        QCOMPARE(p.list.LineImage(0), 0);
        QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0), single);
    }

    void rightClickBesideTheGlyphChangesNothing() {
        PoleList p;
        const FNode single(kNodePole, FComplex(0.5, 0.2), false, 1);
        gNodeList.AddNode(single);
        p.list.UpdateFromNodeList();
        const QRect line = p.list.List().visualItemRect(p.list.List().topLevelItem(0));
        QTest::mousePress(p.list.List().viewport(), Qt::RightButton, {},
                          QPoint(line.left() + 80, line.center().y()));
        QTest::mousePress(p.list.List().viewport(), Qt::RightButton, {}, QPoint(70, 200));
        QCOMPARE(p.list.LineImage(0), 0);
        QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0), single);
        QVERIFY(p.sent.empty());
    }

    void highlightStaysVisibleOverARebuild() {
        PoleList p;
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.1, 0.0), false, 1));
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.2, 0.0), false, 1));
        p.list.UpdateFromNodeList();
        p.list.HighlightNode(1, true);
        p.list.UpdateFromNodeList();
        QCOMPARE(p.list.HighlightIndex(), 1);
        QVERIFY(p.list.LineHighlighted(1));
        gNodeList.RemoveNode(kNodePole, 1);
        p.list.UpdateFromNodeList();
        QCOMPARE(p.list.HighlightIndex(), -1);
        p.list.DeleteHighlighted(true);
        QVERIFY(p.runner.questions.isEmpty());
    }
};

QTEST_MAIN(HdrListCtrlTest)
#include "HdrListCtrlTest.moc"
