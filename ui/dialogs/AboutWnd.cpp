#include "ui/dialogs/AboutWnd.h"

#include "resources/Artwork.h"
#include "ui/Drawing.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

AboutWnd::AboutWnd(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      mBack(ArtworkBitmap(kBitmapSplash)) {
    setFixedSize(kWidth, kHeight);
}

void AboutWnd::Start() {
    if (const QScreen* screen = this->screen()) {
        move(screen->geometry().center() - rect().center());
    }
    show();
    mTimer.start(1000, this);
}

void AboutWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, mBack);
    Draw3dFrame(painter, rect());
}

void AboutWnd::timerEvent(QTimerEvent* event) {
    if (event->timerId() != mTimer.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    ++mTimeCnt;
    if (mTimeCnt > 5) {
        mTimer.stop();
        close();
    }
}

void AboutWnd::mouseDoubleClickEvent(QMouseEvent*) {
    mTimer.stop();
    close();
}

void AboutWnd::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        mTimer.stop();
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
