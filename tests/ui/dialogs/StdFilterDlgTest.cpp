#include "ui/dialogs/StdFilterDlg.h"
#include "ScriptedRunner.h"
#include "design/iir/FStandardDesign.h"
#include "persist/CDesignPersistence.h"
#include "ui/Drawing.h"

#include <QSignalSpy>
#include <QTest>

class StdFilterDlgTest : public QObject {
    Q_OBJECT

private:
    static void Choose(StdFilterDlg& dialog, int classIndex, int band) {
        dialog.ClassList().setCurrentIndex(classIndex);
        QRadioButton* types[] = {&dialog.Lowpass(), &dialog.Highpass(), &dialog.Bandpass(),
                                 &dialog.Bandstop()};
        types[band]->setChecked(true);
    }

private slots:
    void initialState() {
        ScriptedRunner runner;
        StdFilterDlg dialog(runner, 22050);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Standard Filter Design"));
        QVERIFY(dialog.Lowpass().isChecked());
        QVERIFY(dialog.ClearExisting().isChecked());
        QCOMPARE(dialog.ClassList().count(), 6);
        QCOMPARE(dialog.ClassList().itemText(3), QStringLiteral("Chebyshev II"));
        QVERIFY(dialog.OkButton().isEnabled());
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

    // The track bars span the band and their boxes show the frequency; the corners are
    // named as the class means them; the second corner serves the band types only,
    // ripple and attenuation the classes that use them; Enter acts as OK.
    void controlsFollowTheChoices() {
        ScriptedRunner runner;
        StdFilterDlg dialog(runner, 22050);
        dialog.show();
        dialog.FirstCorner().setValue(StdFilterDlg::kCornerSteps / 2);
        QCOMPARE(dialog.FirstCornerValue().text(), QStringLiteral("5512.5"));
        dialog.FirstCornerValue().setText(QStringLiteral("1000"));
        QCOMPARE(dialog.FirstCorner().value(), 91);
        QCOMPARE(dialog.FirstCornerValue().text(), QStringLiteral("1000"));
        QVERIFY(!dialog.SecondCorner().isEnabled());
        // Class by class in list order: ripple shown, attenuation shown, the corners' name.
        const struct {
            bool ripple, attenuation;
            const char* corner;
        } classes[] = {{false, false, "-3 dB point"}, {true, false, "passband edge"},
                       {false, false, "-3 dB point"}, {false, true, "stopband edge"},
                       {true, true, "passband edge"}, {false, false, "-3 dB point"}};
        for (int k = 0; k < 6; ++k) {
            dialog.ClassList().setCurrentIndex(k);
            QCOMPARE(dialog.Ripple().isVisible(), classes[k].ripple);
            QCOMPARE(dialog.Attenuation().isVisible(), classes[k].attenuation);
            QCOMPARE(dialog.FirstCornerLabel().text().toLower(),
                     QString(classes[k].corner).toLower());
        }
        dialog.Bandstop().setChecked(true);
        QVERIFY(dialog.SecondCorner().isEnabled() && dialog.SecondCornerValue().isEnabled());
        QCOMPARE(dialog.FirstCornerLabel().text(), QStringLiteral("1st -3 dB point"));
        QCOMPARE(dialog.SecondCornerLabel().text(), QStringLiteral("2nd -3 dB point"));
        dialog.ClassList().setCurrentIndex(0);
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.Generated().RootCount(kNodePole), 8);
    }

    // A bad entry is shown as bad, its tooltip giving what is valid, and neither OK nor
    // Enter acts until it is mended; nothing is replaced by a value of the dialog's own.
    void badEntries_data() {
        QTest::addColumn<int>("classIndex");
        QTest::addColumn<int>("band");
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("tooltip");
        const QString corner = "A frequency above 0 Hz and below 11025 Hz, half the sampling rate";
        const QString second =
            "A frequency above the 1st corner and below 11025 Hz, half the sampling rate";
        const QString order = "A whole number from 1 to 40";
        QTest::newRow("corner not a number") << 0 << 0 << 0 << "abc" << corner;
        QTest::newRow("corner at 0 Hz") << 0 << 0 << 0 << "0" << corner;
        QTest::newRow("corner at half the rate") << 0 << 0 << 0 << "11025" << corner;
        QTest::newRow("second corner below the first") << 2 << 2 << 1 << "100" << second;
        QTest::newRow("order 41") << 0 << 0 << 2 << "41" << order;
        QTest::newRow("order 2.5") << 0 << 0 << 2 << "2.5" << order;
        QTest::newRow("ripple 0 dB") << 1 << 0 << 3 << "0"
                                     << "Decibels above 0, at most 300";
        QTest::newRow("attenuation within the ripple") << 4 << 0 << 4 << "0.5"
                                                       << "Decibels above 1, at most 300";
        QTest::newRow("attenuation of Chebyshev II") << 3 << 0 << 4 << "-3"
                                                     << "Decibels above 0, at most 300";
    }

    void badEntries() {
        QFETCH(int, classIndex);
        QFETCH(int, band);
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, tooltip);
        ScriptedRunner runner;
        StdFilterDlg dialog(runner, 22050);
        dialog.show();
        Choose(dialog, classIndex, band);
        CheckedField* fields[] = {&dialog.FirstCornerValue(), &dialog.SecondCornerValue(),
                                  &dialog.OrderValue(), &dialog.Ripple(), &dialog.Attenuation()};
        const QString good = fields[field]->text();
        QTest::keyClick(fields[field], Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(fields[field], text);
        QCOMPARE(fields[field]->text(), text);
        QVERIFY(!fields[field]->IsValid());
        QCOMPARE(fields[field]->toolTip(), tooltip);
        QVERIFY(!dialog.OkButton().isEnabled());
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(runner.messages.empty());
        fields[field]->setText(good);
        QVERIFY(fields[field]->IsValid() && fields[field]->toolTip().isEmpty());
        QVERIFY(dialog.OkButton().isEnabled());
    }

    // OK builds the design the generator makes from the entries and ends the dialog; a
    // class without a generator is explained and the dialog stays.
    void okButton_data() {
        QTest::addColumn<int>("classIndex");
        QTest::addColumn<int>("band");
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("second");
        QTest::addColumn<QString>("order");
        QTest::addColumn<QString>("message");
        QTest::newRow("Zuchini") << 5 << 0 << "1000"
                                 << "2000"
                                 << "3"
                                 << "That type of filter is not yet supported";
        QTest::newRow("Butterworth lowpass, order 15") << 0 << 0 << "1000.5"
                                                       << "2000"
                                                       << "15"
                                                       << "";
        QTest::newRow("Chebyshev highpass") << 1 << 1 << "5000"
                                            << "2000"
                                            << "3"
                                            << "";
        QTest::newRow("Bessel bandstop") << 2 << 3 << "1000"
                                         << "9000"
                                         << "3"
                                         << "";
        QTest::newRow("Chebyshev II lowpass") << 3 << 0 << "3000"
                                              << "2000"
                                              << "3"
                                              << "";
        QTest::newRow("Elliptic bandpass") << 4 << 2 << "1000"
                                           << "2000"
                                           << "3"
                                           << "";
    }

    void okButton() {
        QFETCH(int, classIndex);
        QFETCH(int, band);
        QFETCH(QString, first);
        QFETCH(QString, second);
        QFETCH(QString, order);
        QFETCH(QString, message);
        ScriptedRunner runner;
        StdFilterDlg dialog(runner, 22050);
        dialog.show();
        QSignalSpy finished(&dialog, &QDialog::finished);
        Choose(dialog, classIndex, band);
        dialog.FirstCornerValue().setText(first);
        dialog.SecondCornerValue().setText(second);
        dialog.OrderValue().setText(order);
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
                                       order.toInt(),
                                       first.toDouble(),
                                       second.toDouble(),
                                       22050,
                                       1.0,
                                       40.0};
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
