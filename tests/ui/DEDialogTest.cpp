#include "ui/DEDialog.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"
#include "ui/Drawing.h"
#include "ui/ZPlaneDesign.h"

#include <QTest>

class DEDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() { gNodeList.Clear(kNodeBoth); }

    void layout() {
        ScriptedRunner runner;
        DEDialog dialog(runner);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Difference Equation"));
        const QFontMetrics metrics(dialog.font());
        QCOMPARE(dialog.size(), DluRect(0, 0, 217, 124, metrics).size());
        QCOMPARE(dialog.SaveButton().geometry(), DluRect(129, 106, 40, 14, metrics));
        QCOMPARE(dialog.SaveButton().text(), QStringLiteral("Save As"));
    }

    void showsAndSavesTheEquation_data() {
        QTest::addColumn<QList<FNode>>("nodes");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("saved");
        QTest::newRow("one real pole")
            << QList<FNode>{FNode(kNodePole, FComplex(0.5, 0.0), false, 1)}
            << "y[n] = +0.0000*x[n] +1.0000*x[n-1] +0.5000*y[n-1] "
            << "y[n] = +0.0000*x[n] \n\t+1.0000*x[n-1] \n\t"
               "+0.5000*y[n-1] ";
        QTest::newRow("empty design") << QList<FNode>{} << "y[n] = +1.0000*x[n] "
                                      << "y[n] = +1.0000*x[n] \n\t\n\t";
        QTest::newRow("negative coefficient")
            << QList<FNode>{FNode(kNodePole, FComplex(0.5, 0.0), false, 1),
                            FNode(kNodeZero, FComplex(0.25, 0.0), false, 1)}
            << "y[n] = +1.0000*x[n] +-0.2500*x[n-1] +0.5000*y[n-1] "
            << "y[n] = +1.0000*x[n] \n\t-0.2500*x[n-1] \n\t+0.5000*y[n-1] ";
    }

    void showsAndSavesTheEquation() {
        QFETCH(QList<FNode>, nodes);
        QFETCH(QString, shown);
        QFETCH(QString, saved);
        for (const FNode& n : nodes) {
            gNodeList.AddNode(n);
        }
        TempDir dir;
        ScriptedRunner runner;
        DEDialog dialog(runner);
        QVERIFY(dialog.Ready());
        QCOMPARE(dialog.Text(), shown);
        runner.fileAnswers = {QString::fromStdString(dir.File("eq.de"))};
        dialog.SaveButton().click();
        QCOMPARE(runner.fileDialogs.back().initialName, QStringLiteral("diffequ.de"));
        QCOMPARE(runner.fileDialogs.back().defaultSuffix, QStringLiteral("de"));
        QCOMPARE(runner.fileDialogs.back().filter,
                 QStringLiteral("DE Files (*.de);;All Files (*)"));
        QCOMPARE(QString::fromStdString(ReadFileBytes(dir.File("eq.de"))), saved);
        QVERIFY(runner.messages.empty());
    }

    void nonCausalDesignIsNotReady() {
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.5, 0.5), true, 1));
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.0), false, 1));
        ScriptedRunner runner;
        DEDialog dialog(runner);
        QVERIFY(!dialog.Ready());
    }

    void failedSaveSaysSo() {
        TempDir dir;
        ScriptedRunner runner;
        DEDialog dialog(runner);
        dialog.SaveButton().click();
        QVERIFY(runner.messages.empty());
        runner.fileAnswers = {QString::fromStdString(dir.File("none/eq.de"))};
        dialog.SaveButton().click();
        QCOMPARE(runner.messages.size(), size_t(1));
        QCOMPARE(runner.messages[0].text, QStringLiteral("Can't open file to save to"));
    }
};

QTEST_MAIN(DEDialogTest)
#include "DEDialogTest.moc"
