#include "ui/HZDialog.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"
#include "ui/ZPlaneDesign.h"

#include <QTest>

class HZDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init() { gNodeList.Clear(kNodeBoth); }

    void showsAndSavesTheFraction() {
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.0), false, 1));
        TempDir dir;
        ScriptedRunner runner;
        HZDialog dialog(runner);
        QCOMPARE(dialog.Numerator(), QStringLiteral("+1.0000 "));
        QCOMPARE(dialog.Denominator(), QStringLiteral("+1.0000*z -0.5000 "));
        // Later edits do not reach an open dialog.
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.1, 0.0), false, 1));
        runner.fileAnswers = {QString::fromStdString(dir.File("h.hz"))};
        dialog.SaveButton().click();
        QCOMPARE(runner.fileDialogs.back().initialName, QStringLiteral("transferfunc.hz"));
        QCOMPARE(ReadFileBytes(dir.File("h.hz")),
                 std::string("H(z) = +1.0000 \n      ---------\n       +1.0000*z -0.5000 \n"));
        runner.fileAnswers = {QString::fromStdString(dir.File("none/h.hz"))};
        dialog.SaveButton().click();
        QCOMPARE(runner.messages.size(), size_t(1));
        QCOMPARE(runner.messages[0].text, QStringLiteral("Can't open file to save to"));
    }

    void nonCausalDesignIsShown() {
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.0, 1.0), true, 1));
        ScriptedRunner runner;
        HZDialog dialog(runner);
        QCOMPARE(dialog.Numerator(), QStringLiteral("+1.0000*z^2 +1.0000 "));
        QCOMPARE(dialog.Denominator(), QStringLiteral("+1.0000 "));
    }
};

QTEST_MAIN(HZDialogTest)
#include "HZDialogTest.moc"
