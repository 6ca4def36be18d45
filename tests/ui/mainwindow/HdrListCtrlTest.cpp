#include "ui/mainwindow/HdrListCtrl.h"
#include "ScriptedRunner.h"
#include "ViewDriver.h"
#include "resources/Artwork.h"

#include <QLineEdit>
#include <QTest>

#include <vector>

Q_DECLARE_METATYPE(FComplex)

namespace {

// The workspace's pole list, with the document's notifications recorded.
struct PoleList {
    Workspace w;
    ScriptedRunner& runner = w.runner;
    HdrListCtrl& list = w.design.PoleList();
    DocumentLog log{w.document};
    QStringList& sent = log.seen;

    explicit PoleList(int units = 125) { w.design.ChangeUnits(units); }
    // Starts editing line index, as selecting it does.
    QLineEdit* Edit(int index) {
        list.HighlightNode(index, false);
        return list.List().viewport()->findChild<QLineEdit*>();
    }
    void RightClick(QPoint at) {
        QTest::mousePress(list.List().viewport(), Qt::RightButton, {}, at);
    }
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
        // A line is never cut short, beside its glyph and in bold while highlighted, and
        // its tooltip holds the value at full precision.
        gNodeList.AddNode(FNode(kNodePole, FComplex(-12345.1, 0.1), false, 1));
        p.list.UpdateFromNodeList();
        const QTreeWidget& tree = p.list.List();
        QFont bold = tree.font();
        bold.setBold(true);
        for (const bool highlighted : {false, true}) {
            p.list.HighlightNode(highlighted ? 0 : -1, true);
            const QFontMetrics metrics(highlighted ? bold : tree.font());
            QVERIFY(tree.columnWidth(0) >
                    p.list.GlyphRect(0).right() + metrics.horizontalAdvance(p.list.LineText(0)));
        }
        PoleList cartesian(126);
        cartesian.list.AddItemByIndex(0, FNode(kNodePole, FComplex(0.1, -0.25), false, 1));
        QCOMPARE(cartesian.list.List().topLevelItem(0)->toolTip(0),
                 QStringLiteral("0.10000000000000001 -0.25j"));
    }

    void editedValue_data() {
        QTest::addColumn<int>("units");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("key");
        // Empty when the value is refused.
        QTest::addColumn<QString>("shown");
        QTest::addColumn<FComplex>("value");
        QTest::addColumn<QString>("message");
        const int enter = Qt::Key_Return;
        QTest::newRow("cartesian") << 126 << "  0.3 +  0.4j" << enter << "0.3000 +0.4000j"
                                   << FComplex(0.3, 0.4) << QString();
        QTest::newRow("degrees") << 125 << "0.5 90" << enter << "0.5000 90.0000 deg"
                                 << FComplex(0, 0.5) << QString();
        QTest::newRow("radians") << 124 << "2 3.141592653589793" << enter << "2.0000 3.1416 rad"
                                 << FComplex(-2, 0) << QString();
        const QString cartesian = QStringLiteral("Complex Value must be in\nform: X + Yj");
        const QString degrees = QStringLiteral("Complex Value must be in\nform: Mag Angle deg");
        QTest::newRow("cartesian, bad text")
            << 126 << "abc" << enter << QString() << FComplex() << cartesian;
        QTest::newRow("degrees, bad text")
            << 125 << "abc" << enter << QString() << FComplex() << degrees;
        QTest::newRow("radians, bad text")
            << 124 << "abc" << enter << QString() << FComplex()
            << QStringLiteral("Complex Value must be in\nform: Mag Angle rad");
        QTest::newRow("escape cancels silently")
            << 126 << "abc" << int(Qt::Key_Escape) << QString() << FComplex() << QString();
    }

    void editedValue() {
        QFETCH(int, units);
        QFETCH(QString, typed);
        QFETCH(int, key);
        QFETCH(QString, shown);
        QFETCH(FComplex, value);
        QFETCH(QString, message);
        PoleList p(units);
        const FNode edited(kNodePole, FComplex(0.9, 0.0), true, 1);
        gNodeList.AddNode(edited);
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.1, 0.1), false, 1));
        p.list.UpdateFromNodeList();
        const QString before = p.list.LineText(1);
        QLineEdit* editor = p.Edit(1);
        QVERIFY(editor != nullptr);
        editor->selectAll();
        QTest::keyClicks(editor, typed);
        QTest::keyClick(editor, Qt::Key(key));
        QCoreApplication::processEvents();
        QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0).Value(), FComplex(0.1, 0.1));
        if (!shown.isEmpty()) {
            QVERIFY(p.runner.messages.empty());
            QCOMPARE(p.list.LineText(1), shown);
            QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 1), FNode(kNodePole, value, true, 1));
            QCOMPARE(p.sent, QStringList{"changed P1"});
        } else {
            QCOMPARE(p.runner.messages.size(), size_t(message.isEmpty() ? 0 : 1));
            if (!message.isEmpty()) {
                QCOMPARE(p.runner.messages[0].caption, QStringLiteral("Hey Buddy!"));
                QCOMPARE(p.runner.messages[0].text, message);
                QVERIFY(p.runner.messages[0].icon == ModalRunner::Icon::Error);
            }
            QCOMPARE(p.list.LineText(1), before);
            QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 1), edited);
            QVERIFY(p.sent.empty());
        }
    }

    // The node moves while the edit, started by a selection, is still open.
    void staleEditNeverOverwritesAMovedNode() {
        PoleList p;
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.123456, 0.2), false, 1));
        p.list.UpdateFromNodeList();
        QLineEdit* editor = p.Edit(0);
        QVERIFY(editor != nullptr);
        const FNode moved(kNodePole, FComplex(-0.7, 0.3), false, 1);
        gNodeList.ReplaceNode(gNodeList.GetNodeByIndex(kNodePole, 0), moved);
        QTest::keyClick(editor, Qt::Key_Return);
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
        // Beside the glyph, and below the lines, nothing changes.
        const QRect line = p.list.List().visualItemRect(p.list.List().topLevelItem(0));
        p.RightClick(QPoint(line.left() + 80, line.center().y()));
        p.RightClick(QPoint(70, 200));
        QCOMPARE(p.list.LineImage(0), 0);
        QVERIFY(p.sent.empty());
        const QRect glyph = p.list.GlyphRect(0);
        QVERIFY(glyph.width() >= 15);
        p.RightClick(glyph.center());
        QCOMPARE(p.list.LineImage(0), 1);
        QVERIFY(gNodeList.GetNodeByIndex(kNodePole, 0).Conjugate());
        QCOMPARE(p.sent, QStringList{"changed P0"});
        p.RightClick(glyph.center());
        QCOMPARE(p.list.LineImage(0), 0);
        QCOMPARE(gNodeList.GetNodeByIndex(kNodePole, 0), single);
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
