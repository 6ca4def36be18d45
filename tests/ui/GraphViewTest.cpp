#include <QTest>
class GraphViewTest : public QObject { Q_OBJECT };
QTEST_MAIN(GraphViewTest)
#include "GraphViewTest.moc"
