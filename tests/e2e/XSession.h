#pragma once

#include <QImage>
#include <QPoint>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

// A private X server (Xvfb) for end-to-end tests, with the tools that drive programs
// on it from outside: xdotool for real pointer and keyboard input, import for
// screenshots and xclip for the clipboard. Stops the server with itself.
class XSession {
public:
    XSession() = default;
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // The tools this session needs that are not installed; empty when all are.
    static QStringList MissingTools();
    // Starts the server on a free display; false when it does not come up.
    bool Start(const QString& screenSize = "1024x768x24");
    QString Display() const { return mDisplay; }
    // An environment for programs that should run on this display.
    QProcessEnvironment Environment() const;

    // Runs a tool to its end (at most timeoutMs) and gives its standard output; sets
    // ok to whether it exited with 0.
    QByteArray Run(const QString& program, const QStringList& args, bool* ok = nullptr,
                   int timeoutMs = 10000) const;
    bool XDo(const QStringList& args) const;
    QImage Screenshot() const;

    void MoveTo(QPoint p) const;
    void Click(QPoint p, int button = 1) const;
    void DoubleClick(QPoint p) const;
    // Presses at from, moves there in small steps so the program sees a real drag, and
    // releases at to.
    void Drag(QPoint from, QPoint to) const;
    void Key(const QString& keys) const;
    void Type(const QString& text) const;
    // Waits until a window whose name matches the pattern is mapped; 0 when none comes.
    qulonglong WaitForWindow(const QString& namePattern, int timeoutMs = 15000) const;
    bool WaitForWindowGone(const QString& namePattern, int timeoutMs = 15000) const;
    // Gives the keyboard focus to the window whose name matches. Without a window
    // manager nobody hands it back to a window when a dialog over it closes.
    bool Focus(const QString& namePattern) const;

private:
    std::unique_ptr<QProcess> mServer;
    QString mDisplay;
};
