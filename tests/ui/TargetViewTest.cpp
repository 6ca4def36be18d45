#include <QTest>
class TargetViewTest : public QObject { Q_OBJECT };
QTEST_MAIN(TargetViewTest)
#include "TargetViewTest.moc"
