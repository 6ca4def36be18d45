#pragma once

#include <QBasicTimer>
#include <QImage>
#include <QWidget>

// The start-up splash: the program's picture, on top of every window, until it has
// seen six one-second ticks or is double-clicked or dismissed with Escape.
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
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QImage mBack;
    int mTimeCnt = 0;
    QBasicTimer mTimer;
};
