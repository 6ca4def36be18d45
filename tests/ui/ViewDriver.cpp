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

QString NodeLabel(int type, int index) {
    return (type == kNodePole ? QStringLiteral("P") : QStringLiteral("Z")) + QString::number(index);
}

DocumentLog::DocumentLog(const DesignDocument& document) {
    QObject::connect(&document, &DesignDocument::nodeChanged,
                     [this](int type, int index, DesignDocument::NodeEdit edit) {
                         const char* names[] = {"added ", "changed ", "removed "};
                         seen << names[static_cast<int>(edit)] + NodeLabel(type, index);
                     });
    QObject::connect(&document, &DesignDocument::nodeDragged, [this](int type, int index) {
        seen << QStringLiteral("dragged ") + NodeLabel(type, index);
    });
    QObject::connect(&document, &DesignDocument::designReplaced,
                     [this] { seen << QStringLiteral("replaced"); });
}

Workspace::Workspace() {
    design.resize(600, 400);
    design.show();
}
