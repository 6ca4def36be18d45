#include "XSession.h"

#include <QElapsedTimer>
#include <QStandardPaths>
#include <QThread>

namespace {

void Pause(int ms) {
    QThread::msleep(static_cast<unsigned long>(ms));
}

} // namespace

XSession::~XSession() {
    if (mServer) {
        mServer->terminate();
        if (!mServer->waitForFinished(5000)) {
            mServer->kill();
            mServer->waitForFinished(2000);
        }
    }
}

QStringList XSession::MissingTools() {
    QStringList missing;
    for (const char* tool : {"Xvfb", "xdotool", "xclip", "import"}) {
        if (QStandardPaths::findExecutable(tool).isEmpty()) {
            missing << tool;
        }
    }
    return missing;
}

bool XSession::Start(const QString& screenSize) {
    mServer = std::make_unique<QProcess>();
    mServer->setProcessChannelMode(QProcess::SeparateChannels);
    // -displayfd 1: the server picks a free display and writes its number to stdout.
    // A white root window leaves the programs' own black lines as the only black.
    mServer->start("Xvfb",
                   {"-displayfd", "1", "-screen", "0", screenSize, "-nolisten", "tcp", "-wr"});
    if (!mServer->waitForStarted(5000)) {
        return false;
    }
    QByteArray number;
    QElapsedTimer timer;
    timer.start();
    while (!number.contains('\n') && timer.elapsed() < 15000) {
        mServer->waitForReadyRead(500);
        number += mServer->readAllStandardOutput();
    }
    if (!number.contains('\n')) {
        return false;
    }
    mDisplay = ":" + QString::fromLatin1(number.trimmed());
    return true;
}

QProcessEnvironment XSession::Environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", mDisplay);
    env.remove("WAYLAND_DISPLAY");
    env.insert("QT_QPA_PLATFORM", "xcb");
    return env;
}

QByteArray XSession::Run(const QString& program, const QStringList& args, bool* ok,
                         int timeoutMs) const {
    QProcess process;
    process.setProcessEnvironment(Environment());
    process.start(program, args);
    const bool finished = process.waitForStarted(5000) && process.waitForFinished(timeoutMs);
    if (!finished) {
        process.kill();
        process.waitForFinished(2000);
    }
    if (ok != nullptr) {
        *ok = finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    }
    return process.readAllStandardOutput();
}

bool XSession::XDo(const QStringList& args) const {
    bool ok = false;
    Run("xdotool", args, &ok);
    return ok;
}

QImage XSession::Screenshot() const {
    return QImage::fromData(Run("import", {"-window", "root", "png:-"}), "PNG")
        .convertToFormat(QImage::Format_RGB32);
}

void XSession::MoveTo(QPoint p) const {
    XDo({"mousemove", "--sync", QString::number(p.x()), QString::number(p.y())});
    Pause(50);
}

void XSession::Click(QPoint p, int button) const {
    MoveTo(p);
    XDo({"click", QString::number(button)});
    Pause(300);
}

void XSession::DoubleClick(QPoint p) const {
    MoveTo(p);
    XDo({"click", "--repeat", "2", "--delay", "80", "1"});
    Pause(300);
}

void XSession::Drag(QPoint from, QPoint to) const {
    MoveTo(from);
    XDo({"mousedown", "1"});
    Pause(150);
    const int steps = 12;
    for (int s = 1; s <= steps; ++s) {
        MoveTo(from + (to - from) * s / steps);
        Pause(40);
    }
    Pause(150);
    XDo({"mouseup", "1"});
    Pause(400);
}

void XSession::Key(const QString& keys) const {
    XDo({"key", "--clearmodifiers", keys});
    Pause(300);
}

void XSession::Type(const QString& text) const {
    XDo({"type", "--delay", "40", text});
    Pause(200);
}

qulonglong XSession::WaitForWindow(const QString& namePattern, int timeoutMs) const {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        bool ok = false;
        const QByteArray ids =
            Run("xdotool", {"search", "--onlyvisible", "--name", namePattern}, &ok);
        if (ok && !ids.trimmed().isEmpty()) {
            return ids.trimmed().split('\n').first().toULongLong();
        }
        Pause(200);
    }
    return 0;
}

bool XSession::WaitForWindowGone(const QString& namePattern, int timeoutMs) const {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < timeoutMs) {
        bool ok = false;
        Run("xdotool", {"search", "--onlyvisible", "--name", namePattern}, &ok);
        if (!ok) {
            return true;
        }
        Pause(200);
    }
    return false;
}

bool XSession::Focus(const QString& namePattern) const {
    const bool ok =
        XDo({"search", "--onlyvisible", "--name", namePattern, "windowfocus", "--sync"});
    Pause(200);
    return ok;
}
