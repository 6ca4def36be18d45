#include "ScriptedRunner.h"
#include "TestSupport.h"
#include "text/SectionText.h"
#include "ui/dialogs/DEDialog.h"
#include "ui/dialogs/HZDialog.h"
#include "ui/dialogs/SOSDialog.h"
#include "ui/mainwindow/ZPlaneDesign.h"

#include <QTest>

// The difference-equation, second-order-section and transfer-function dialogs of a
// one-pole design at 0.5: their texts and saved files.
class TextDialogsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDir> mDir;
    ScriptedRunner mRunner;

    // Clicks Save As, answered with name in the test's folder.
    void Save(QPushButton& button, const char* name) {
        mRunner.fileAnswers = {QString::fromStdString(mDir->File(name))};
        button.click();
    }
    void ExpectSaveFailure(QPushButton& button) {
        Save(button, "none/saved");
        QCOMPARE(mRunner.messages.size(), size_t(1));
        QCOMPARE(mRunner.messages[0].text, QStringLiteral("Can't open file to save to"));
    }

private slots:
    void init() {
        gNodeList.Clear(kNodeBoth);
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.0), false, 1));
        mDir = std::make_unique<TempDir>();
        mRunner = ScriptedRunner();
    }

    void differenceEquation() {
        DEDialog dialog(mRunner);
        QVERIFY(dialog.Ready());
        QCOMPARE(dialog.Text(),
                 QStringLiteral("y[n] = +0.0000*x[n] +1.0000*x[n-1] +0.5000*y[n-1] "));
        dialog.SaveButton().click();
        QVERIFY(mRunner.messages.empty());
        Save(dialog.SaveButton(), "eq.de");
        QCOMPARE(mRunner.fileDialogs.back().initialName, QStringLiteral("diffequ.de"));
        QCOMPARE(mRunner.fileDialogs.back().filter,
                 QStringLiteral("DE Files (*.de);;All Files (*)"));
        QCOMPARE(ReadFileBytes(mDir->File("eq.de")),
                 std::string("y[n] = +0.0000*x[n] \n\t+1.0000*x[n-1] \n\t+0.5000*y[n-1] "));
        ExpectSaveFailure(dialog.SaveButton());
        // A non-causal design has none.
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.5, 0.5), true, 1));
        QVERIFY(!DEDialog(mRunner).Ready());
    }

    void secondOrderSections() {
        SOSDialog dialog(mRunner);
        QVERIFY(dialog.Ready());
        Save(dialog.SaveButton(), "s.sos");
        QCOMPARE(mRunner.fileDialogs.back().initialName, QStringLiteral("sections.sos"));
        QCOMPARE(ReadFileBytes(mDir->File("s.sos")), std::string("0 1 0 1 -0.5 0\n"));
        ExpectSaveFailure(dialog.SaveButton());
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.5), false, 1));
        QCOMPARE(SOSDialog(mRunner).Refusal(), kUnpairedSectionsText);
    }

    void transferFunction() {
        HZDialog dialog(mRunner);
        QCOMPARE(dialog.Numerator(), QStringLiteral("+1.0000 "));
        QCOMPARE(dialog.Denominator(), QStringLiteral("+1.0000*z -0.5000 "));
        // Later edits do not reach an open dialog.
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.1, 0.0), false, 1));
        Save(dialog.SaveButton(), "h.hz");
        QCOMPARE(mRunner.fileDialogs.back().initialName, QStringLiteral("transferfunc.hz"));
        QCOMPARE(ReadFileBytes(mDir->File("h.hz")),
                 std::string("H(z) = +1.0000 \n      ---------\n       +1.0000*z -0.5000 \n"));
        ExpectSaveFailure(dialog.SaveButton());
    }

    void nonCausalTransferFunctionIsShown() {
        gNodeList.Clear(kNodeBoth);
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.0, 1.0), true, 1));
        HZDialog dialog(mRunner);
        QCOMPARE(dialog.Numerator(), QStringLiteral("+1.0000*z^2 +1.0000 "));
        QCOMPARE(dialog.Denominator(), QStringLiteral("+1.0000 "));
    }
};

QTEST_MAIN(TextDialogsTest)
#include "TextDialogsTest.moc"
