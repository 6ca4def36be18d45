#include "ui/HZDialog.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"
#include "ui/Drawing.h"
#include "ui/ZPlaneDesign.h"

#include <QTest>

class HZDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() { gNodeList.Clear(kNodeBoth); }

    void layout() {
        ScriptedRunner runner;
        HZDialog dialog(runner);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Difference Equation"));
        const QFontMetrics metrics(dialog.font());
        QCOMPARE(dialog.size(), DluRect(0, 0, 217, 124, metrics).size());
        QCOMPARE(dialog.SaveButton().geometry(), DluRect(129, 106, 40, 14, metrics));
    }

    void showsTheFraction_data() {
        QTest::addColumn<QList<FNode>>("nodes");
        QTest::addColumn<QString>("numerator");
        QTest::addColumn<QString>("denominator");
        QTest::newRow("one real pole")
            << QList<FNode>{FNode(kNodePole, FComplex(0.5, 0.0), false, 1)} << "+1.0000 "
            << "+1.0000*z -0.5000 ";
        QTest::newRow("conjugate pole pair")
            << QList<FNode>{FNode(kNodePole, FComplex(0.5, 0.5), true, 1)} << "+1.0000 "
            << "+1.0000*z^2 -1.0000*z +0.5000 ";
        QTest::newRow("zeros at +j and -j")
            << QList<FNode>{FNode(kNodeZero, FComplex(0.0, 1.0), true, 1)} << "+1.0000*z^2 +1.0000 "
            << "+1.0000 ";
        QTest::newRow("zero at +j alone")
            << QList<FNode>{FNode(kNodeZero, FComplex(0.0, 1.0), false, 1)} << "+1.0000*z "
            << "+1.0000 ";
        QTest::newRow("empty design") << QList<FNode>{} << "+1.0000 "
                                      << "+1.0000 ";
    }

    void showsTheFraction() {
        QFETCH(QList<FNode>, nodes);
        QFETCH(QString, numerator);
        QFETCH(QString, denominator);
        for (const FNode& n : nodes) {
            gNodeList.AddNode(n);
        }
        ScriptedRunner runner;
        HZDialog dialog(runner);
        QCOMPARE(dialog.Numerator(), numerator);
        QCOMPARE(dialog.Denominator(), denominator);
    }

    void savesTheFraction() {
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.0), false, 1));
        TempDir dir;
        ScriptedRunner runner;
        HZDialog dialog(runner);
        // Later edits do not reach an open dialog.
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.1, 0.0), false, 1));
        runner.fileAnswers = {QString::fromStdString(dir.File("h.hz"))};
        dialog.SaveButton().click();
        QCOMPARE(runner.fileDialogs.back().initialName, QStringLiteral("transferfunc.hz"));
        QCOMPARE(runner.fileDialogs.back().filter,
                 QStringLiteral("Transfer Function Files (*.hz);;All Files (*)"));
        QCOMPARE(ReadFileBytes(dir.File("h.hz")),
                 std::string("H(z) = +1.0000 \n      ---------\n       +1.0000*z -0.5000 \n"));
        runner.fileAnswers = {QString::fromStdString(dir.File("none/h.hz"))};
        dialog.SaveButton().click();
        QCOMPARE(runner.messages.size(), size_t(1));
        QCOMPARE(runner.messages[0].text, QStringLiteral("Can't open file to save to"));
    }

    void nonCausalDesignIsShown() {
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.5, 0.0), false, 1));
        ScriptedRunner runner;
        HZDialog dialog(runner);
        QCOMPARE(dialog.Numerator(), QStringLiteral("+1.0000*z -0.5000 "));
        QVERIFY(runner.messages.empty());
    }
};

QTEST_MAIN(HZDialogTest)
#include "HZDialogTest.moc"
