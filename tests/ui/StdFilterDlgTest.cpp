#include "ui/StdFilterDlg.h"
#include "ScriptedRunner.h"
#include "analysis/FStandardDesign.h"
#include "persist/CDesignPersistence.h"
#include "ui/CMainWindow.h"
#include "ui/Drawing.h"

#include <QSignalSpy>
#include <QTest>

class StdFilterDlgTest : public QObject {
    Q_OBJECT

private slots:
    void init() { mPrefs.sampleFreqPref = 22050; }

    void initialState() {
        ScriptedRunner runner;
        StdFilterDlg dialog(runner);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Standard Filter Design"));
        QVERIFY(dialog.Lowpass().isChecked());
        QVERIFY(dialog.ClearExisting().isChecked());
        QStringList classes;
        for (int k = 0; k < dialog.ClassList().count(); ++k) {
            classes << dialog.ClassList().itemText(k);
        }
        QCOMPARE(classes, QStringList({"Butterworth", "Chebyshev", "Bessel", "Chebyshev II",
                                       "Elliptic", "Zuchini"}));
        QCOMPARE(dialog.FirstCorner().maximum(), 11025);
        QCOMPARE(dialog.Order().minimum(), 1);
        QCOMPARE(dialog.Order().maximum(), 10);
        // Every control lies inside the dialog, and each radio button's text fits.
        dialog.show();
        for (const QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QVERIFY(dialog.rect().contains(child->geometry()));
        }
        for (QRadioButton* type :
             {&dialog.Lowpass(), &dialog.Highpass(), &dialog.Bandstop(), &dialog.Bandpass()}) {
            QVERIFY2(type->width() >= type->sizeHint().width(), qPrintable(type->text()));
        }
    }

    // The track bars and their values move together; the second corner serves the band
    // types only, ripple and attenuation the classes that use them.
    void controlsFollowTheChoices() {
        ScriptedRunner runner;
        StdFilterDlg dialog(runner);
        dialog.show();
        dialog.FirstCorner().setValue(1234);
        QCOMPARE(dialog.FirstCornerValue().value(), 1234);
        QCOMPARE(dialog.FirstCornerValue().text(), QStringLiteral("1234 Hz"));
        dialog.SecondCornerValue().setValue(4321);
        QCOMPARE(dialog.SecondCorner().value(), 4321);
        QVERIFY(!dialog.SecondCorner().isEnabled());
        dialog.Bandstop().setChecked(true);
        QVERIFY(dialog.SecondCorner().isEnabled() && dialog.SecondCornerValue().isEnabled());
        const std::pair<const char*, std::pair<bool, bool>> rows[] = {
            {"Butterworth", {false, false}}, {"Chebyshev", {true, false}},
            {"Bessel", {false, false}},      {"Chebyshev II", {false, true}},
            {"Elliptic", {true, true}},      {"Zuchini", {false, false}}};
        for (const auto& [name, shown] : rows) {
            dialog.ClassList().setCurrentText(QString::fromLatin1(name));
            QCOMPARE(dialog.Ripple().isVisible(), shown.first);
            QCOMPARE(dialog.Attenuation().isVisible(), shown.second);
        }
    }

    // OK builds the design the generator makes from the controls and ends the dialog;
    // values that make no design are explained and the dialog stays.
    void okButton_data() {
        QTest::addColumn<QString>("filterClass");
        QTest::addColumn<int>("band");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<double>("attenuation");
        QTest::addColumn<QString>("message");
        const int pass = int(FStandardDesign::Band::Bandpass);
        const int low = int(FStandardDesign::Band::Lowpass);
        QTest::newRow("Zuchini") << "Zuchini" << low << 1000 << 0 << 40.0
                                 << "That type of filter is not yet supported";
        QTest::newRow("corner at 0 Hz")
            << "Butterworth" << low << 0 << 0 << 40.0
            << "The 1st corner must lie above 0 Hz and below 11025 Hz, half the sampling rate.";
        QTest::newRow("second corner below the first")
            << "Bessel" << pass << 3000 << 2000 << 40.0
            << "The 2nd corner must lie above the 1st corner and below 11025 Hz, half the "
               "sampling rate.";
        QTest::newRow("attenuation within the ripple")
            << "Elliptic" << pass << 1000 << 2000 << 0.5
            << "The attenuation must be above the ripple.";
        QTest::newRow("Butterworth") << "Butterworth" << low << 1000 << 0 << 40.0 << "";
        QTest::newRow("Chebyshev")
            << "Chebyshev" << int(FStandardDesign::Band::Highpass) << 5000 << 0 << 40.0 << "";
        QTest::newRow("Bessel") << "Bessel" << int(FStandardDesign::Band::Bandstop) << 1000 << 9000
                                << 40.0 << "";
        QTest::newRow("Chebyshev II") << "Chebyshev II" << low << 3000 << 0 << 60.0 << "";
        QTest::newRow("Elliptic") << "Elliptic" << pass << 1000 << 2000 << 40.0 << "";
    }

    void okButton() {
        QFETCH(QString, filterClass);
        QFETCH(int, band);
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(double, attenuation);
        QFETCH(QString, message);
        ScriptedRunner runner;
        StdFilterDlg dialog(runner);
        dialog.show();
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.ClassList().setCurrentText(filterClass);
        QRadioButton* types[] = {&dialog.Lowpass(), &dialog.Highpass(), &dialog.Bandpass(),
                                 &dialog.Bandstop()};
        types[band]->setChecked(true);
        dialog.FirstCorner().setValue(first);
        dialog.SecondCorner().setValue(second);
        dialog.Order().setValue(3);
        dialog.Attenuation().setValue(attenuation);
        QTest::mouseClick(&dialog.OkButton(), Qt::LeftButton);
        if (!message.isEmpty()) {
            QCOMPARE(runner.messages.size(), size_t(1));
            QCOMPARE(runner.messages[0].text, message);
            QCOMPARE(runner.messages[0].caption, AppCaption());
            QVERIFY(dialog.isVisible());
            QCOMPARE(finished.count(), 0);
            return;
        }
        QVERIFY(runner.messages.empty());
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        FStandardDesign expected;
        expected.family = filterClass == "Butterworth" ? FStandardDesign::Family::Butterworth
                          : filterClass == "Chebyshev" ? FStandardDesign::Family::Chebyshev
                          : filterClass == "Bessel"    ? FStandardDesign::Family::Bessel
                          : filterClass == "Chebyshev II"
                              ? FStandardDesign::Family::InverseChebyshev
                              : FStandardDesign::Family::Elliptic;
        expected.band = FStandardDesign::Band(band);
        expected.order = 3;
        expected.rate = 22050;
        expected.corner = first;
        expected.corner2 = second;
        expected.attenuationDb = attenuation;
        FNodeList list;
        QVERIFY(expected.Design(&list));
        QCOMPARE(CDesignPersistence::DesignText(dialog.Generated()),
                 CDesignPersistence::DesignText(list));
    }

    // Enter acts as OK; Cancel ends the dialog without a design.
    void endings() {
        ScriptedRunner runner;
        StdFilterDlg dialog(runner);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Generated().RootCount(kNodePole), 4);
        dialog.show();
        QTest::mouseClick(&dialog.CancelButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        QVERIFY(runner.messages.empty());
    }
};

QTEST_MAIN(StdFilterDlgTest)
#include "StdFilterDlgTest.moc"
