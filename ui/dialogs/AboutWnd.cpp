#include "ui/dialogs/AboutWnd.h"

#include "resources/Artwork.h"
#include "ui/Drawing.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>

AboutWnd::AboutWnd(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowTransparentForInput | Qt::WindowDoesNotAcceptFocus),
      mBack(ArtworkBitmap(kBitmapSplash, devicePixelRatioF())) {
    setFixedSize(kWidth, kHeight);
}

void AboutWnd::Start() {
    if (const QScreen* screen = this->screen()) {
        move(screen->geometry().center() - rect().center());
    }
    show();
    mTimer.start(1000, this);
    // Every click and key of the program passes here first.
    QCoreApplication::instance()->installEventFilter(this);
}

void AboutWnd::Dismiss() {
    QCoreApplication::instance()->removeEventFilter(this);
    mTimer.stop();
    close();
}

bool AboutWnd::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::MouseButtonPress || type == QEvent::KeyPress) {
        Dismiss();
    }
    // The click or key goes on to where it was meant.
    return QWidget::eventFilter(watched, event);
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
        Dismiss();
    }
}
