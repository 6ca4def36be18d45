#include "ui/mainwindow/QENApp.h"

#include "ui/QtModalRunner.h"
#include "ui/dialogs/AboutWnd.h"
#include "ui/mainwindow/CMainWindow.h"

#include <QDialog>
#include <QPalette>
#include <QScreen>

#include <clocale>

CQENApp::CQENApp(int& argc, char** argv) : QApplication(argc, argv) {
    // Qt has just taken the user's locale; the scanf and printf family must keep '.' as
    // the decimal point for typed values and files.
    std::setlocale(LC_NUMERIC, "C");
}

CQENApp::~CQENApp() = default;

void CQENApp::InitInstance() {
    QPalette dialogs = palette();
    dialogs.setColor(QPalette::Window, QColor(192, 192, 192));
    dialogs.setColor(QPalette::WindowText, Qt::black);
    setPalette(dialogs, "QDialog");

    mRunner = std::make_unique<QtModalRunner>();
    mSplash = std::make_unique<AboutWnd>();
    mSplash->Start();
    mMainWindow = std::make_unique<CMainWindow>(*mRunner);
    if (const QScreen* screen = mMainWindow->screen()) {
        const QRect frame = mMainWindow->frameGeometry();
        mMainWindow->move(screen->availableGeometry().center() - frame.center() + frame.topLeft());
    }
    mMainWindow->show();
    mSplash->raise();
    // winqen FILE.pzd opens the design given, as a file manager asks it to.
    const QStringList args = arguments();
    if (args.size() > 1) {
        mMainWindow->OpenDesign(args.at(1));
    }
}
