#pragma once

#include <QBasicTimer>
#include <QImage>
#include <QWidget>

// The start-up splash: the program's picture, on top of every window, until it has
// seen six one-second ticks or the first click or key anywhere in the program. It takes
// no input itself: a click over it goes to the window under it (the plane, as the
// splash stands over the main window's middle) and closes it on the way.
class AboutWnd : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 197;

    explicit AboutWnd(QWidget* parent = nullptr);

    // Centres the splash on the screen, shows it and starts the ticks.
    void Start();
    int TimerId() const { return mTimer.timerId(); }
    int Ticks() const { return mTimeCnt; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Dismiss();

    QImage mBack;
    int mTimeCnt = 0;
    QBasicTimer mTimer;
};
