#include "ui/analysis/MaxTimeDialog.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"

#include <QTest>

class MaxTimeDialogTest : public QObject {
    Q_OBJECT

private slots:
    void durations_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("rate");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<float>("time");
        QTest::newRow("2.5") << "2.5" << 8000 << true << 2.5f;
        QTest::newRow("negative") << "-5" << 8000 << true << -5.0f;
        QTest::newRow("just under a million samples") << "124999.8" << 8000 << true << 124999.8f;
        QTest::newRow("a million and one samples") << "125000" << 8000 << false << 0.0f;
        QTest::newRow("too long at 48000 Hz") << "30000" << 48000 << false << 0.0f;
        QTest::newRow("overflows a float") << "1e40" << 8000 << false << 0.0f;
        QTest::newRow("not a number") << "nan" << 8000 << false << 0.0f;
        QTest::newRow("letters") << "abc" << 8000 << false << 0.0f;
    }

    void durations() {
        QFETCH(QString, typed);
        QFETCH(int, rate);
        QFETCH(bool, accepted);
        QFETCH(float, time);
        ScriptedRunner runner;
        MaxTimeDialog dialog(runner, 1.0f, rate);
        dialog.Edit().setText(typed);
        dialog.OkButton().click();
        QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
        if (accepted) {
            QCOMPARE(dialog.Time(), time);
            QVERIFY(runner.messages.empty());
        } else {
            QCOMPARE(runner.messages.size(), size_t(1));
            QCOMPARE(runner.messages[0].text, QStringLiteral("Not a valid time"));
            QCOMPARE(dialog.Edit().text(), QStringLiteral("0.0"));
            QCOMPARE(dialog.Time(), 1.0f);
        }
    }

    void pointIsTheDecimalSeparatorInAnyLocale() {
        CommaLocale comma;
        if (!comma.Active()) {
            QSKIP("no comma-decimal locale installed");
        }
        ScriptedRunner runner;
        MaxTimeDialog dialog(runner, 1.5f, 8000);
        QCOMPARE(dialog.Edit().text(), QStringLiteral("1.500000"));
        dialog.Edit().setText(QStringLiteral("2.25"));
        dialog.OkButton().click();
        QCOMPARE(dialog.Time(), 2.25f);
    }
};

QTEST_MAIN(MaxTimeDialogTest)
#include "MaxTimeDialogTest.moc"
