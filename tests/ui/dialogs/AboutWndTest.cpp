#include "ui/dialogs/AboutWnd.h"
#include "resources/Artwork.h"

#include <QTest>
#include <QTimerEvent>

namespace {

void Tick(AboutWnd& splash) {
    QTimerEvent tick(splash.TimerId());
    QCoreApplication::sendEvent(&splash, &tick);
}

} // namespace

class AboutWndTest : public QObject {
    Q_OBJECT

private slots:
    void closesOnTheSixthTick() {
        AboutWnd splash;
        splash.Start();
        QVERIFY(splash.isVisible());
        QCOMPARE(splash.size(), QSize(320, 197));
        for (int i = 0; i < 5; ++i) {
            Tick(splash);
        }
        QVERIFY(splash.isVisible());
        Tick(splash);
        QCOMPARE(splash.Ticks(), 6);
        QVERIFY(!splash.isVisible());
    }

    // The first click or key anywhere closes the splash and still reaches the window it
    // was meant for; the splash itself takes no input.
    void firstClickOrKeyClosesItAndGoesOn() {
        struct Target : QWidget {
            int presses = 0;
            void mousePressEvent(QMouseEvent*) override { ++presses; }
            void keyPressEvent(QKeyEvent*) override { ++presses; }
        } target;
        target.show();
        AboutWnd clicked, keyed;
        QVERIFY(clicked.windowFlags().testFlag(Qt::WindowTransparentForInput));
        clicked.Start();
        QTest::mouseClick(&target, Qt::LeftButton);
        QVERIFY(!clicked.isVisible());
        keyed.Start();
        QTest::keyClick(&target, Qt::Key_A);
        QVERIFY(!keyed.isVisible());
        QCOMPARE(target.presses, 2);
    }

    void pictureInAFrame() {
        AboutWnd splash;
        splash.Start();
        const QImage shown = splash.grab().toImage();
        QCOMPARE(shown.pixel(100, 100), ArtworkBitmap(kBitmapSplash).pixel(100, 100));
        QCOMPARE(shown.pixel(0, 0) & 0xFFFFFF, 0xA0A0A0u);
        QCOMPARE(shown.pixel(319, 196) & 0xFFFFFF, 0xFFFFFFu);
    }

    void artwork() {
        QCOMPARE(ArtworkBitmap(kBitmapDesign).size(), QSize(30, 15));
        QVERIFY(ProgramIcon().availableSizes().contains(QSize(32, 32)));
        // The node tiles never use the list's transparent colour.
        for (const int id : {kBitmapPole, kBitmapPolePair, kBitmapZero, kBitmapZeroPair}) {
            const QImage tile = ArtworkBitmap(id);
            QCOMPARE(tile.size(), QSize(15, 15));
            for (int y = 0; y < 15; ++y) {
                for (int x = 0; x < 15; ++x) {
                    QVERIFY((tile.pixel(x, y) & 0xFFFFFF) != 0xC6C6C6u);
                }
            }
        }
    }
};

QTEST_MAIN(AboutWndTest)
#include "AboutWndTest.moc"
