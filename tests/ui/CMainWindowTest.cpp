#include <QTest>
class CMainWindowTest : public QObject { Q_OBJECT };
QTEST_MAIN(CMainWindowTest)
#include "CMainWindowTest.moc"
