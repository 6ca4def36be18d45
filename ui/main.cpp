#include "ui/mainwindow/QENApp.h"

int main(int argc, char** argv) {
    CQENApp app(argc, argv);
    app.InitInstance();
    return CQENApp::exec();
}
