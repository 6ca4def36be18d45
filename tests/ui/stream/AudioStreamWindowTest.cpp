#include "ui/stream/AudioStreamWindow.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"
#include "audio/AudioFixtures.h"
#include "audio/live/FakeSoundDevice.h"
#include "ui/DesignDocument.h"

#include <QTest>

class AudioStreamWindowTest : public QObject {
    Q_OBJECT

private slots:
    // The buffering chosen reaches the device, dropouts and the audio thread's priority
    // show in the status line, and a device lost under the stream stops it with the
    // reason; the window then plays again.
    void playsAndSurvivesALostDevice() {
        const TempDir dir;
        WriteFileBytes(dir.File("in.wav"),
                       WavFile(WavFormat(1, 16, 48000), "", std::string(9600, '\x10')));
        gNodeList.Clear(kNodeBoth);
        DesignDocument document;
        ScriptedRunner runner;
        auto owned = std::make_unique<FakeSoundDevice>();
        FakeSoundDevice& device = *owned;
        AudioStreamWindow window(runner, document, std::move(owned));
        window.FilePath().setText(QString::fromStdString(dir.File("in.wav")));
        window.Buffering().setCurrentIndex(2);
        window.OnPlay();
        QVERIFY(window.Playing());
        QCOMPARE(device.opened.latency, 0.05);
        QCOMPARE(window.StatusText(), QStringLiteral("Playing on Fake: 48000 Hz, latency 50 ms"));
        for (int i = 0; i < 3; ++i) {
            device.Pull(256, true);
        }
        QTRY_COMPARE(window.StatusText(),
                     QStringLiteral("Playing on Fake: 48000 Hz, latency 50 ms, not at real-time "
                                    "priority, 3 dropouts"));
        device.failure = "device unplugged";
        QTRY_VERIFY(!window.Playing());
        QCOMPARE(window.StatusText(),
                 QStringLiteral("Sound device lost: device unplugged. Stopped."));
        device.failure.clear();
        window.OnPlay();
        QVERIFY(window.Playing());
    }
};

QTEST_MAIN(AudioStreamWindowTest)
#include "AudioStreamWindowTest.moc"
