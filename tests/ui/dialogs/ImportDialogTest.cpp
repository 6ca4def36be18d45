#include "ui/dialogs/ImportDialog.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"
#include "filter/Zpk.h"

#include <QTest>

// The import dialog: what each kind of text makes, or why it makes nothing, as the kind
// chosen changes; texts loaded from files.
class ImportDialogTest : public QObject {
    Q_OBJECT

private:
    ScriptedRunner mRunner;

private slots:
    void init() { mRunner = ScriptedRunner(); }

    void readsCoefficients_data() {
        QTest::addColumn<bool>("sections");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("summary");
        QTest::addColumn<int>("nodes");
        QTest::newRow("b, a") << false << "1 -1\n1 -0.5"
                              << "1 zero and 1 pole." << 2;
        // b is one coefficient shorter than a: a zero at the origin keeps the delay.
        QTest::newRow("b, a with a gain") << false << "0.5, 0.5\n1, 0, 0.25"
                                          << "2 zeros and 2 poles. The gain 0.5 is not kept "
                                             "(designs carry no gain)."
                                          << 3;
        QTest::newRow("JSON b, a") << false << " {\"a\": [1, -0.9], \"b\": [2]}"
                                   << "1 zero and 1 pole. The gain 2 is not kept (designs "
                                      "carry no gain)."
                                   << 2;
        QTest::newRow("sections") << true << "# two\n1 2 1 1 -1 0.5\n1 -1 0 1 -0.5 0"
                                  << "3 zeros and 3 poles." << 5;
        QTest::newRow("JSON sections") << true << "{\"sos\": [[1, 0, -1, 1, 0, 0.81]]}"
                                       << "2 zeros and 2 poles." << 3;
        QTest::newRow("one line of b, a")
            << false << "1 2 1"
            << "Line 1: only one line of numbers: give b, then a on the next" << 0;
        QTest::newRow("a0 of 0") << false << "1\n\n0 1"
                                 << "Line 3: a0 is 0" << 0;
        QTest::newRow("b, a as sections")
            << true << "1 -1\n1 -0.5"
            << "Line 1: a section has six numbers, b0 b1 b2 a0 a1 a2, not 2" << 0;
        QTest::newRow("JSON without sections") << true << "{\"b\": [1]}"
                                               << "Line 1: no \"sos\" in the JSON object" << 0;
        QTest::newRow("blank") << false << " \n\t"
                               << "" << 0;
    }

    void readsCoefficients() {
        QFETCH(bool, sections);
        QFETCH(QString, text);
        QFETCH(QString, summary);
        QFETCH(int, nodes);
        ImportDialog dialog(mRunner);
        dialog.Text().setPlainText(text);
        // Choosing the kind after the text reads it again.
        (sections ? dialog.Sections() : dialog.TransferFunction()).setChecked(true);
        QCOMPARE(dialog.Summary(), summary);
        QCOMPARE(dialog.OkButton().isEnabled(), nodes > 0);
        QCOMPARE(dialog.Design().GetListCount(kNodePole) + dialog.Design().GetListCount(kNodeZero),
                 nodes);
    }

    // Load puts a file's text in the box; a file that cannot be read is reported and
    // leaves the text as it was, as does a cancelled choice.
    void loadsFiles() {
        TempDir dir;
        const std::string path = dir.File("ba.txt");
        WriteFileBytes(path, "1 1\n1 -0.5\n");
        ImportDialog dialog(mRunner);
        mRunner.fileAnswers = {QString::fromStdString(path)};
        dialog.LoadButton().click();
        QCOMPARE(dialog.Text().toPlainText(), QStringLiteral("1 1\n1 -0.5\n"));
        QCOMPARE(dialog.Summary(), QStringLiteral("1 zero and 1 pole."));
        for (const std::string& bad : {dir.File("missing.txt"), dir.Path()}) {
            mRunner.fileAnswers = {QString::fromStdString(bad)};
            dialog.LoadButton().click();
        }
        dialog.LoadButton().click();
        QCOMPARE(mRunner.messages.size(), size_t(2));
        QVERIFY(mRunner.messages[0].text.startsWith("Can't read file"));
        QCOMPARE(dialog.Text().toPlainText(), QStringLiteral("1 1\n1 -0.5\n"));
    }
};

QTEST_MAIN(ImportDialogTest)
#include "ImportDialogTest.moc"
