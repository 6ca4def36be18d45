#include "ui/mainwindow/QENApp.h"
#include "ui/ModalRunner.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <clocale>
#include <cstdlib>
#include <cstring>

// Starts the real application object under a comma-decimal locale.
class QENAppTest : public QObject {
    Q_OBJECT

private slots:
    void numbersUseTheDecimalPoint() {
        if (std::strncmp(std::setlocale(LC_MONETARY, nullptr), "de_DE", 5) != 0) {
            QSKIP("no comma-decimal locale installed");
        }
        QCOMPARE(std::localeconv()->decimal_point, ".");
        QCOMPARE(std::strtod("0.25", nullptr), 0.25);
    }

    void startUpShowsTheMainWindow() {
        auto* app = static_cast<CQENApp*>(QCoreApplication::instance());
        QTemporaryDir dir;
        const QString home = QDir::currentPath();
        QDir::setCurrent(dir.path());
        app->InitInstance();
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        bool mainShown = false;
        for (const QWidget* w : QApplication::topLevelWidgets()) {
            mainShown = mainShown || (w->isVisible() && w->windowTitle() == "WinQEN Untitled");
        }
        QVERIFY(mainShown);
        QCOMPARE(AppCaption(), QStringLiteral("QENAppTest"));
        QDir::setCurrent(home);
    }
};

int main(int argc, char** argv) {
    // Qt takes the process's locale from the environment when the application starts.
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    CQENApp app(argc, argv);
    QENAppTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "QENAppTest.moc"
