#include "ui/dialogs/StdFilterDlg.h"
#include "ScriptedRunner.h"
#include "design/iir/FStandardDesign.h"
#include "persist/CDesignPersistence.h"
#include "ui/Drawing.h"

#include <QSignalSpy>
#include <QTest>

class StdFilterDlgTest : public QObject {
    Q_OBJECT

private slots:
    void initialState() {
        ScriptedRunner runner;
        StdFilterDlg dialog(runner, 22050);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Standard Filter Design"));
        QVERIFY(dialog.Lowpass().isChecked());
        QVERIFY(dialog.ClearExisting().isChecked());
        QCOMPARE(dialog.ClassList().count(), 6);
        QCOMPARE(dialog.ClassList().itemText(3), QStringLiteral("Chebyshev II"));
        QCOMPARE(dialog.FirstCorner().maximum(), 11025);
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
    // types only, ripple and attenuation the classes that use them; Enter acts as OK.
    void controlsFollowTheChoices() {
        ScriptedRunner runner;
        StdFilterDlg dialog(runner, 22050);
        dialog.show();
        dialog.FirstCorner().setValue(1234);
        QCOMPARE(dialog.FirstCornerValue().value(), 1234);
        QCOMPARE(dialog.FirstCornerValue().text(), QStringLiteral("1234 Hz"));
        QVERIFY(!dialog.SecondCorner().isEnabled());
        dialog.Bandstop().setChecked(true);
        QVERIFY(dialog.SecondCorner().isEnabled() && dialog.SecondCornerValue().isEnabled());
        // Class by class in list order: ripple shown, attenuation shown.
        const bool shown[][2] = {{0, 0}, {1, 0}, {0, 0}, {0, 1}, {1, 1}, {0, 0}};
        for (int k = 0; k < 6; ++k) {
            dialog.ClassList().setCurrentIndex(k);
            QCOMPARE(dialog.Ripple().isVisible(), shown[k][0]);
            QCOMPARE(dialog.Attenuation().isVisible(), shown[k][1]);
        }
        dialog.ClassList().setCurrentIndex(0);
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Generated().RootCount(kNodePole), 8);
    }

    // OK builds the design the generator makes from the controls and ends the dialog;
    // values that make no design are explained and the dialog stays.
    void okButton_data() {
        QTest::addColumn<int>("classIndex");
        QTest::addColumn<int>("band");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("second");
        QTest::addColumn<double>("attenuation");
        QTest::addColumn<QString>("message");
        QTest::newRow("Zuchini") << 5 << 0 << 1000 << 0 << 40.0
                                 << "That type of filter is not yet supported";
        QTest::newRow("corner at 0 Hz")
            << 0 << 0 << 0 << 0 << 40.0
            << "The 1st corner must lie above 0 Hz and below 11025 Hz, half the sampling rate.";
        QTest::newRow("second corner below the first")
            << 2 << 2 << 3000 << 2000 << 40.0
            << "The 2nd corner must lie above the 1st corner and below 11025 Hz, half the "
               "sampling rate.";
        QTest::newRow("attenuation within the ripple")
            << 4 << 2 << 1000 << 2000 << 0.5 << "The attenuation must be above the ripple.";
        QTest::newRow("Butterworth lowpass") << 0 << 0 << 1000 << 0 << 40.0 << "";
        QTest::newRow("Chebyshev highpass") << 1 << 1 << 5000 << 0 << 40.0 << "";
        QTest::newRow("Bessel bandstop") << 2 << 3 << 1000 << 9000 << 40.0 << "";
        QTest::newRow("Chebyshev II lowpass") << 3 << 0 << 3000 << 0 << 60.0 << "";
        QTest::newRow("Elliptic bandpass") << 4 << 2 << 1000 << 2000 << 40.0 << "";
    }

    void okButton() {
        QFETCH(int, classIndex);
        QFETCH(int, band);
        QFETCH(int, first);
        QFETCH(int, second);
        QFETCH(double, attenuation);
        QFETCH(QString, message);
        ScriptedRunner runner;
        StdFilterDlg dialog(runner, 22050);
        dialog.show();
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.ClassList().setCurrentIndex(classIndex);
        QRadioButton* types[] = {&dialog.Lowpass(), &dialog.Highpass(), &dialog.Bandpass(),
                                 &dialog.Bandstop()};
        types[band]->setChecked(true);
        dialog.FirstCorner().setValue(first);
        dialog.SecondCorner().setValue(second);
        dialog.Order().setValue(3);
        dialog.Attenuation().setValue(attenuation);
        QTest::mouseClick(&dialog.OkButton(), Qt::LeftButton);
        QCOMPARE(runner.messages.size(), size_t(message.isEmpty() ? 0 : 1));
        QCOMPARE(finished.count(), message.isEmpty() ? 1 : 0);
        if (!message.isEmpty()) {
            QCOMPARE(runner.messages[0].text, message);
            QCOMPARE(runner.messages[0].caption, AppCaption());
            return;
        }
        using Family = FStandardDesign::Family;
        const Family families[] = {Family::Butterworth, Family::Chebyshev, Family::Bessel,
                                   Family::InverseChebyshev, Family::Elliptic};
        const FStandardDesign expected{families[classIndex],
                                       FStandardDesign::Band(band),
                                       3,
                                       double(first),
                                       double(second),
                                       22050,
                                       1.0,
                                       attenuation};
        Zpk zpk;
        QCOMPARE(expected.Design(&zpk), FStandardDesign::Problem::None);
        FNodeList list;
        zpk.AddToNodeList(&list);
        QCOMPARE(CDesignPersistence::DesignText(dialog.Generated()),
                 CDesignPersistence::DesignText(list));
    }
};

QTEST_MAIN(StdFilterDlgTest)
#include "StdFilterDlgTest.moc"
