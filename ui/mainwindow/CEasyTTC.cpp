#include "ui/mainwindow/CEasyTTC.h"

#include <QString>
#include <QWidget>

int CEasyTTC::AddWindowTool(QWidget* w, const char* text) {
    if (w == nullptr || text == nullptr) {
        return 0;
    }
    w->setToolTip(QString::fromUtf8(text));
    return 1;
}
