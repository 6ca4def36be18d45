#include "ViewDriver.h"

#include <QMouseEvent>
#include <QTest>

void MoveTo(QWidget* w, QPoint p, Qt::MouseButtons buttons) {
    QMouseEvent move(QEvent::MouseMove, p, w->mapToGlobal(p), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(w, &move);
}

void Click(QWidget* w, QPoint p) {
    QTest::mousePress(w, Qt::LeftButton, Qt::NoModifier, p);
    QTest::mouseRelease(w, Qt::LeftButton, Qt::NoModifier, p);
}

Workspace::Workspace() {
    QObject::connect(&design, &ZPlaneDesign::nodeUpdate, &design, &ZPlaneDesign::OnNodeUpdate);
    design.resize(600, 400);
    design.show();
}
