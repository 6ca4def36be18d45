#include "ui/dialogs/ExportDialog.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"
#include "arith/QuantizedCascade.h"
#include "export/ExportText.h"
#include "text/SectionText.h"

#include <QSignalSpy>
#include <QTest>

// The export dialog of a design of two pole pairs and a zero pair, saved as
// /designs/lowpass.pzd: each format and arithmetic previewed and saved as qen export
// writes it, and what keeps a text from being saved.
class ExportDialogTest : public QObject {
    Q_OBJECT

private:
    ScriptedRunner mRunner;
    std::unique_ptr<TempDir> mDir;
    Zpk mDesign;

private slots:
    void init() {
        mRunner = ScriptedRunner();
        mDir = std::make_unique<TempDir>();
        mDesign.poles = {FComplex(0.8, 0.3), FComplex(0.8, -0.3), FComplex(0.6, 0.5),
                         FComplex(0.6, -0.5)};
        mDesign.zeros = {FComplex(-0.2, 0.98), FComplex(-0.2, -0.98)};
    }

    void previewsAndSaves_data() {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("arithmetic");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("offered");
        QTest::newRow("C, q15") << 0 << 2 << "lp_q15"
                                << "lp_q15.h";
        // Only C uses the name; the file is named after the design where it is no
        // identifier.
        QTest::newRow("Python, f32") << 1 << 1 << ""
                                     << "lowpass.py";
        QTest::newRow("JSON, q31") << 2 << 3 << "lowpass"
                                   << "lowpass.json";
        QTest::newRow("CSV, f64") << 3 << 0 << "9"
                                  << "lowpass.csv";
    }

    void previewsAndSaves() {
        QFETCH(int, format);
        QFETCH(int, arithmetic);
        QFETCH(QString, name);
        QFETCH(QString, offered);
        ExportDialog dialog(mRunner, mDesign, "/designs/lowpass.pzd", Arithmetic::F64);
        QCOMPARE(dialog.Name().text(), QStringLiteral("lowpass"));
        dialog.Format().setCurrentIndex(format);
        dialog.ArithmeticChoice().setCurrentIndex(arithmetic);
        dialog.Name().setText(name);
        const std::string text =
            ExportText(Quantize(mDesign, static_cast<Arithmetic>(arithmetic)),
                       static_cast<ExportFormat>(format), name.toStdString(), "lowpass.pzd");
        QCOMPARE(dialog.Preview(), QString::fromStdString(text));
        QCOMPARE(dialog.Name().isEnabled(), format == 0);
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        mRunner.fileAnswers = {QString::fromStdString(mDir->File("saved"))};
        dialog.SaveButton().click();
        QCOMPARE(mRunner.fileDialogs.back().initialName, offered);
        QCOMPARE(ReadFileBytes(mDir->File("saved")), text);
        QCOMPARE(accepted.count(), 1);
    }

    // A name that is no C identifier and a design with complex sections leave nothing
    // to save; a file that cannot be written is
    // reported and the dialog stays.
    void nothingToSave() {
        ExportDialog dialog(mRunner, mDesign, "Untitled", Arithmetic::Q31);
        QCOMPARE(dialog.ArithmeticChoice().currentText(), QStringLiteral("Q31"));
        dialog.Name().setText("2nd");
        QVERIFY(dialog.Problem().startsWith("The name must be a C identifier"));
        QVERIFY(dialog.Preview().isEmpty() && !dialog.SaveButton().isEnabled());
        dialog.Name().setText("second");
        QVERIFY(dialog.Problem().isEmpty() && dialog.SaveButton().isEnabled());
        QSignalSpy accepted(&dialog, &QDialog::accepted);
        mRunner.fileAnswers = {QString::fromStdString(mDir->File("none/second.h"))};
        dialog.SaveButton().click();
        QCOMPARE(mRunner.messages.size(), size_t(1));
        QCOMPARE(accepted.count(), 0);

        Zpk unpaired;
        unpaired.poles = {FComplex(0.5, 0.5)};
        ExportDialog refused(mRunner, unpaired, "u.pzd", Arithmetic::F64);
        QCOMPARE(refused.Problem(), QString::fromLatin1(kUnpairedSectionsText));
        QVERIFY(!refused.SaveButton().isEnabled());
    }
};

QTEST_MAIN(ExportDialogTest)
#include "ExportDialogTest.moc"
