#include <QTest>
class StdFilterDlgTest : public QObject { Q_OBJECT };
QTEST_MAIN(StdFilterDlgTest)
#include "StdFilterDlgTest.moc"
