#include "ui/DEDialog.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"
#include "ui/ZPlaneDesign.h"

#include <QTest>

class DEDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() { gNodeList.Clear(kNodeBoth); }

    void showsAndSavesTheEquation() {
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.0), false, 1));
        TempDir dir;
        ScriptedRunner runner;
        DEDialog dialog(runner);
        QVERIFY(dialog.Ready());
        QCOMPARE(dialog.Text(),
                 QStringLiteral("y[n] = +0.0000*x[n] +1.0000*x[n-1] +0.5000*y[n-1] "));
        dialog.SaveButton().click();
        QVERIFY(runner.messages.empty());
        runner.fileAnswers = {QString::fromStdString(dir.File("eq.de"))};
        dialog.SaveButton().click();
        QCOMPARE(runner.fileDialogs.back().initialName, QStringLiteral("diffequ.de"));
        QCOMPARE(runner.fileDialogs.back().filter,
                 QStringLiteral("DE Files (*.de);;All Files (*)"));
        QCOMPARE(ReadFileBytes(dir.File("eq.de")),
                 std::string("y[n] = +0.0000*x[n] \n\t+1.0000*x[n-1] \n\t+0.5000*y[n-1] "));
        runner.fileAnswers = {QString::fromStdString(dir.File("none/eq.de"))};
        dialog.SaveButton().click();
        QCOMPARE(runner.messages.size(), size_t(1));
        QCOMPARE(runner.messages[0].text, QStringLiteral("Can't open file to save to"));
    }

    void nonCausalDesignIsNotReady() {
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.5, 0.5), true, 1));
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.0), false, 1));
        ScriptedRunner runner;
        DEDialog dialog(runner);
        QVERIFY(!dialog.Ready());
    }
};

QTEST_MAIN(DEDialogTest)
#include "DEDialogTest.moc"
