#include "ui/StdFilterDlg.h"
#include "ScriptedRunner.h"
#include "ui/CMainWindow.h"
#include "ui/Drawing.h"

#include <QSignalSpy>
#include <QTest>

class StdFilterDlgTest : public QObject {
    Q_OBJECT

private slots:
    void initialState() {
        ScriptedRunner runner;
        mPrefs.sampleFreqPref = 22050;
        StdFilterDlg dialog(runner);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Standard Filter Design"));
        QVERIFY(dialog.Lowpass().isChecked());
        QVERIFY(dialog.ClearExisting().isChecked());
        QCOMPARE(dialog.ClassList().currentText(), QStringLiteral("Butterworth"));
        QCOMPARE(dialog.FirstCorner().maximum(), 11025);
        QCOMPARE(dialog.Order().maximum(), 10);
        const QFontMetrics metrics(dialog.font());
        QCOMPARE(dialog.size(), DluRect(0, 0, 217, 140, metrics).size());
        QCOMPARE(dialog.OkButton().geometry(), DluRect(127, 122, 40, 14, metrics));
        // Every control lies inside the dialog.
        for (const QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            QVERIFY(dialog.rect().contains(child->geometry()));
        }
    }

    // Every class the list offers refuses, and the dialog stays.
    void okButton_data() {
        QTest::addColumn<QString>("filterClass");
        QTest::addColumn<QString>("message");
        const QString sorry = QStringLiteral(
            "Sorry: Standard filter design not available\n       with this product yet.");
        QTest::newRow("Butterworth") << "Butterworth" << sorry;
        QTest::newRow("Chebyshev") << "Chebyshev" << sorry;
        QTest::newRow("Bessel") << "Bessel" << sorry;
        QTest::newRow("Zuchini") << "Zuchini"
                                 << "That type of filter is not yet supported";
    }

    void okButton() {
        QFETCH(QString, filterClass);
        QFETCH(QString, message);
        ScriptedRunner runner;
        StdFilterDlg dialog(runner);
        dialog.show();
        QSignalSpy finished(&dialog, &QDialog::finished);
        dialog.ClassList().setCurrentText(filterClass);
        QTest::mouseClick(&dialog.OkButton(), Qt::LeftButton);
        QCOMPARE(runner.messages.size(), size_t(1));
        QCOMPARE(runner.messages[0].text, message);
        QCOMPARE(runner.messages[0].caption, AppCaption());
        QVERIFY(dialog.isVisible());
        QCOMPARE(finished.count(), 0);
    }

    void endings() {
        ScriptedRunner runner;
        StdFilterDlg dialog(runner);
        dialog.show();
        QTest::keyClick(&dialog, Qt::Key_Return);
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        dialog.show();
        QTest::mouseClick(&dialog.CancelButton(), Qt::LeftButton);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
        QVERIFY(!dialog.isVisible());
        QVERIFY(runner.messages.empty());
    }
};

QTEST_MAIN(StdFilterDlgTest)
#include "StdFilterDlgTest.moc"
