#include <QTest>
class DragViewTest : public QObject { Q_OBJECT };
QTEST_MAIN(DragViewTest)
#include "DragViewTest.moc"
