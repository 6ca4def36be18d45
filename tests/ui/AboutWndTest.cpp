#include <QTest>
class AboutWndTest : public QObject { Q_OBJECT };
QTEST_MAIN(AboutWndTest)
#include "AboutWndTest.moc"
