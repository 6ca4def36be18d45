#pragma once

#include <QApplication>

#include <memory>

class AboutWnd;
class CMainWindow;
class QtModalRunner;

// The application: numbers read and written in the "C" locale whatever the user's,
// dialogs on a light grey ground, the splash, then the main window.
class CQENApp : public QApplication {
    Q_OBJECT
public:
    CQENApp(int& argc, char** argv);
    ~CQENApp() override;

    // Shows the splash and the centred main window, with the design file named by the
    // first command-line argument when there is one.
    void InitInstance();

private:
    std::unique_ptr<QtModalRunner> mRunner;
    std::unique_ptr<AboutWnd> mSplash;
    std::unique_ptr<CMainWindow> mMainWindow;
};
