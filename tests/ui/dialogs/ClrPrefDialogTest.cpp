#include "ui/dialogs/ClrPrefDialog.h"
#include "PictureCheck.h"
#include "ScriptedRunner.h"
#include "ui/Drawing.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTest>

namespace {

QENColourPref SomeColours() {
    QENColourPref colours;
    colours.clrTrace = 0x000001;
    colours.clrBack = 0x000002;
    colours.clrGrid = 0x000003;
    colours.clrPole = 0x000004;
    colours.clrZero = 0x000005;
    return colours;
}

} // namespace

class ClrPrefDialogTest : public QObject {
    Q_OBJECT

private slots:
    void swatchesShowTheColoursInFrames() {
        ScriptedRunner runner;
        ClrPrefDialog dialog(runner, SomeColours());
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Colour Preferences"));
        QCOMPARE(dialog.Colours(), SomeColours());
        const QImage picture = dialog.grab().toImage();
        QCOMPARE(Rgb(picture, QPoint(0, 0)), 0xA0A0A0u);
        QCOMPARE(Rgb(picture, QPoint(dialog.width() - 1, dialog.height() - 1)), 0xFFFFFFu);
        // The style may tint the group box a shade over the frames: dark top and left
        // edges, light bottom and right edges, the colour inside.
        const auto grey = [&picture](QPoint p) { return qGray(picture.pixel(p)); };
        const std::pair<ClrCStatic*, uint32_t> swatches[] = {{&dialog.TraceSwatch(), 1},
                                                             {&dialog.BackSwatch(), 2},
                                                             {&dialog.GridSwatch(), 3},
                                                             {&dialog.PoleSwatch(), 4},
                                                             {&dialog.ZeroSwatch(), 5}};
        for (const auto& [swatch, colour] : swatches) {
            QCOMPARE(swatch->BkColour(), colour);
            const QRect frame = swatch->geometry().adjusted(-1, -1, 1, 1);
            QVERIFY(qAbs(grey(frame.topLeft()) - 0xA0) <= 4);
            QVERIFY(qAbs(grey(QPoint(frame.left(), frame.center().y())) - 0xA0) <= 4);
            QVERIFY(grey(frame.bottomRight()) >= 0xF8);
            QVERIFY(grey(QPoint(frame.center().x(), frame.bottom())) >= 0xF8);
            QCOMPARE(Rgb(picture, swatch->geometry().center()),
                     ColourFromRef(colour).rgb() & 0xFFFFFF);
        }
    }

    void swatchesChangeOnlyThroughApply() {
        ScriptedRunner runner;
        ClrPrefDialog dialog(runner, SomeColours());
        dialog.show();
        QSignalSpy applied(&dialog, &ClrPrefDialog::colourChange);
        runner.colourAnswers = {QColor(255, 0, 0)};
        QTest::mouseDClick(&dialog.GridSwatch(), Qt::LeftButton);
        QCOMPARE(runner.colourChoosers.size(), size_t(1));
        QCOMPARE(runner.colourChoosers[0], ColourFromRef(0x000003));
        QCOMPARE(dialog.GridSwatch().BkColour(), 0x0000FFu);
        // A cancelled chooser leaves the swatch.
        QTest::mouseDClick(&dialog.ZeroSwatch(), Qt::LeftButton);
        QCOMPARE(dialog.ZeroSwatch().BkColour(), 0x000005u);
        QCOMPARE(applied.count(), 0);
        dialog.ApplyButton().click();
        QCOMPARE(applied.count(), 1);
        QENColourPref expected = SomeColours();
        expected.clrGrid = 0x0000FF;
        QCOMPARE(applied[0][0].value<QENColourPref>(), expected);
        QVERIFY(dialog.isVisible());
    }

    void escapeDestroysTheDialog() {
        ScriptedRunner runner;
        QPointer<ClrPrefDialog> dialog = new ClrPrefDialog(runner, SomeColours());
        dialog->show();
        QTest::keyClick(dialog, Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(dialog.isNull());
    }
};

QTEST_MAIN(ClrPrefDialogTest)
#include "ClrPrefDialogTest.moc"
