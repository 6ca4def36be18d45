#include "ui/dialogs/TextDialog.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"
#include "arith/FourDecimalEffect.h"
#include "text/SectionText.h"
#include "ui/DesignDocument.h"
#include "ui/Drawing.h"

#include <QTest>

// The difference-equation, second-order-section and transfer-function dialogs of a
// one-pole design at 0.5: their texts, layouts and saved files.
class TextDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDir> mDir;
    ScriptedRunner mRunner;

    // Clicks Save As, answered with name in the test's folder.
    void Save(QPushButton& button, const char* name) {
        mRunner.fileAnswers = {QString::fromStdString(mDir->File(name))};
        button.click();
    }

private slots:
    void init() {
        gNodeList.Clear(kNodeBoth);
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.0), false, 1));
        mDir = std::make_unique<TempDir>();
        mRunner = ScriptedRunner();
    }

    void showsAndSaves_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("offered");
        QTest::addColumn<QString>("saved");
        const auto row = [](const char* name, int kind, const char* title, const QStringList& texts,
                            int width, const char* filter, const char* offered, const char* saved) {
            QTest::newRow(name) << kind << QString(title) << texts << width << QString(filter)
                                << QString(offered) << QString(saved);
        };
        row("difference equation", 0, "Difference Equation",
            {"y[n] = +0.0000*x[n] +1.0000*x[n-1] +0.5000*y[n-1] "}, 217,
            "DE Files (*.de);;All Files (*)", "diffequ.de",
            "y[n] = +0.0000*x[n] \n\t+1.0000*x[n-1] \n\t+0.5000*y[n-1] ");
        // The transfer function shares its title with the difference equation.
        row("transfer function", 1, "Difference Equation", {"+1.0000 ", "+1.0000*z -0.5000 "}, 217,
            "Transfer Function Files (*.hz);;All Files (*)", "transferfunc.hz",
            "H(z) = +1.0000 \n      ---------\n       +1.0000*z -0.5000 \n");
        // On screen under a header, in columns; in the file as qen sos writes it.
        row("second-order sections", 2, "Second-Order Sections",
            {"b0    b1    b2    a0    a1    a2\n0     1     0     1     -0.5  0\n"}, 317,
            "SOS Files (*.sos);;All Files (*)", "sections.sos", "0 1 0 1 -0.5 0\n");
    }

    void showsAndSaves() {
        QFETCH(int, kind);
        QFETCH(QString, title);
        QFETCH(QStringList, texts);
        QFETCH(int, width);
        QFETCH(QString, filter);
        QFETCH(QString, offered);
        QFETCH(QString, saved);
        const TextDialog::Page page = kind == 0   ? TextDialog::DifferenceEquation(gNodeList)
                                      : kind == 1 ? TextDialog::TransferFunction(gNodeList)
                                                  : TextDialog::SecondOrderSections(gNodeList);
        TextDialog dialog(mRunner, page);
        QVERIFY(dialog.Ready());
        QCOMPARE(dialog.windowTitle(), title);
        QCOMPARE(dialog.Texts(), texts);
        QCOMPARE(dialog.size(), DluRect(0, 0, width, 124, QFontMetrics(dialog.font())).size());
        // Later edits do not reach an open dialog.
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.1, 0.0), false, 1));
        dialog.SaveButton().click();
        QVERIFY(mRunner.messages.empty());
        Save(dialog.SaveButton(), "saved");
        QCOMPARE(mRunner.fileDialogs.back().initialName, offered);
        QCOMPARE(mRunner.fileDialogs.back().filter, filter);
        QCOMPARE(ReadFileBytes(mDir->File("saved")), saved.toStdString());
        Save(dialog.SaveButton(), "none/saved");
        QCOMPARE(mRunner.messages.size(), size_t(1));
        QCOMPARE(mRunner.messages[0].text, QStringLiteral("Can't open file to save to"));
    }

    // Ten poles at 0.9: rounded to four decimals their polynomial's coefficients scatter
    // them. Both four-decimal texts say so under the text, the buttons below; the files
    // are as always.
    void fourDecimalNote() {
        gNodeList.Clear(kNodeBoth);
        for (int k = 0; k < 10; ++k) {
            gNodeList.AddNode(FNode(kNodePole, FComplex(0.9, 0.0), false, 1));
        }
        const QString note =
            QString::fromStdString(FourDecimalWarning(Zpk::FromNodeList(gNodeList)));
        QVERIFY(note.startsWith("Rounded to four decimals these coefficients make a different "
                                "filter (largest pole radius "));
        for (const TextDialog::Page& page :
             {TextDialog::DifferenceEquation(gNodeList), TextDialog::TransferFunction(gNodeList)}) {
            TextDialog dialog(mRunner, page);
            dialog.show();
            QCOMPARE(dialog.Note(), note);
            // The whole note shows, above the buttons.
            QLabel* label = nullptr;
            for (QLabel* l : dialog.findChildren<QLabel*>()) {
                label = l->text() == note ? l : label;
            }
            QVERIFY(label != nullptr);
            QVERIFY(label->height() >= label->heightForWidth(label->width()));
            QVERIFY(label->geometry().bottom() < dialog.SaveButton().geometry().top());
            QVERIFY(dialog.SaveButton().geometry().bottom() < dialog.height());
            Save(dialog.SaveButton(), "saved");
            QVERIFY(
                !QString::fromStdString(ReadFileBytes(mDir->File("saved"))).contains("Rounded"));
        }
        QCOMPARE(TextDialog(mRunner, TextDialog::SecondOrderSections(gNodeList)).Note(), QString());
    }

    void refusals() {
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.5, 0.5), false, 1));
        QCOMPARE(TextDialog(mRunner, TextDialog::SecondOrderSections(gNodeList)).Refusal(),
                 QString::fromLatin1(kUnpairedSectionsText));
        // A non-causal design has no difference equation, but its H(z) is shown.
        gNodeList.Clear(kNodeBoth);
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.0, 1.0), true, 1));
        QVERIFY(!TextDialog(mRunner, TextDialog::DifferenceEquation(gNodeList)).Ready());
        QCOMPARE(TextDialog(mRunner, TextDialog::TransferFunction(gNodeList)).Texts(),
                 (QStringList{"+1.0000*z^2 +1.0000 ", "+1.0000 "}));
    }
};

QTEST_MAIN(TextDialogTest)
#include "TextDialogTest.moc"
