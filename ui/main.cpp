#include "ui/QENApp.h"

int main(int argc, char** argv) {
    CQENApp app(argc, argv);
    if (!app.InitInstance()) {
        return 1;
    }
    return CQENApp::exec();
}
