#include <QTest>
class HdrListCtrlTest : public QObject { Q_OBJECT };
QTEST_MAIN(HdrListCtrlTest)
#include "HdrListCtrlTest.moc"
