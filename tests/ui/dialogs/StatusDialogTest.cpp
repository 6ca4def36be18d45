#include "ui/dialogs/StatusDialog.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"
#include "audio/AudioFixtures.h"
#include "ui/DesignDocument.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

// A mono 16-bit WAV file at 8000 Hz of frames samples, a slow ramp.
std::string MonoWav(int frames) {
    std::string samples;
    for (int i = 0; i < frames; ++i) {
        samples += LE16(static_cast<uint32_t>(i * 7 % 20000 - 10000));
    }
    return WavFile(WavFormat(1, 16), "", samples);
}

const QString kCantProcess = QStringLiteral("Can't process the audio files.");

} // namespace

class StatusDialogTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempDir> mDir;
    ScriptedRunner mRunner;

    QString File(const char* name) const { return QString::fromStdString(mDir->File(name)); }
    QString WriteWav(const char* name, int frames) const {
        WriteFileBytes(mDir->File(name), MonoWav(frames));
        return File(name);
    }

private slots:
    void init() {
        gNodeList.Clear(kNodeBoth);
        mDir = std::make_unique<TempDir>();
        mRunner = ScriptedRunner();
    }

    void choosingTheFilesAndTheirRefusals() {
        const QString song = WriteWav("song.wav", 10);
        StatusDialog dialog(mRunner, gNodeList);
        QVERIFY(!dialog.ChooseFiles());
        mRunner.fileAnswers = {song};
        QVERIFY(!dialog.ChooseFiles());
        QCOMPARE(mRunner.fileDialogs.size(), size_t(3));
        QCOMPARE(mRunner.fileDialogs[2].initialName, File("pzd-song.wav"));
        QCOMPARE(mRunner.fileDialogs[2].filter,
                 QStringLiteral("Audio Files (*.wav *.aif *.aiff *.aifc *.flac *.rf64 *.w64 *.caf "
                                "*.ogg *.opus *.mp3);;All Files (*)"));
        QVERIFY(mRunner.messages.empty());
        // The input itself as the output is refused before anything is opened.
        mRunner.fileAnswers = {song, song};
        QVERIFY(!dialog.ChooseFiles());
        QCOMPARE(mRunner.messages.size(), size_t(1));
        QVERIFY(mRunner.messages[0].text.startsWith(
            QStringLiteral("The output file is the input file")));
        QCOMPARE(ReadFileBytes(mDir->File("song.wav")), MonoWav(10));
        // A non-causal design is refused before any file is asked for.
        gNodeList.AddNode(FNode(kNodeZero, FComplex(0.5, 0.0), false, 1));
        mRunner.fileAnswers = {song, File("out.wav")};
        QVERIFY(!dialog.ChooseFiles());
        QCOMPARE(mRunner.fileDialogs.size(), size_t(5));
        QCOMPARE(mRunner.messages.size(), size_t(2));
        QCOMPARE(mRunner.messages[1].text,
                 QStringLiteral("Can't filter audio using a non-causal IIR filter"));
    }

    // An unstable design is refused, naming why, before any file is asked for.
    void refusesUnstableDesigns() {
        const QString message =
            "Can't filter audio using an unstable IIR filter (largest pole radius 1.5)";
        gNodeList.AddNode(FNode(kNodePole, FComplex(0.0, 1.5), true, 1));
        StatusDialog dialog(mRunner, gNodeList);
        mRunner.fileAnswers = {WriteWav("in.wav", 10), File("out.wav")};
        QVERIFY(!dialog.ChooseFiles());
        QVERIFY(mRunner.fileDialogs.empty());
        QCOMPARE(mRunner.messages.size(), size_t(1));
        QCOMPARE(mRunner.messages[0].text, message);
    }

    void filtersWithProgress() {
        const QString in = WriteWav("in.wav", 6000);
        StatusDialog dialog(mRunner, gNodeList);
        QSignalSpy progress(&dialog.Progress(), &QProgressBar::valueChanged);
        mRunner.fileAnswers = {in, File("out.wav")};
        QVERIFY(dialog.ChooseFiles());
        dialog.Run();
        QVERIFY(mRunner.messages.empty());
        QCOMPARE(dialog.result(), 1);
        // Reports after 2500 and 5000 of 6000 frames; the flat design passes every
        // sample through unchanged.
        QCOMPARE(progress.count(), 2);
        QCOMPARE(progress[0][0].toInt(), 42);
        QCOMPARE(progress[1][0].toInt(), 84);
        QCOMPARE(ReadFileBytes(mDir->File("out.wav")), MonoWav(6000));
    }

    void stopEndsTheRunWithoutOutput_data() {
        QTest::addColumn<bool>("escape");
        QTest::newRow("Stop button") << false;
        QTest::newRow("Escape key") << true;
    }

    void stopEndsTheRunWithoutOutput() {
        QFETCH(bool, escape);
        const QString in = WriteWav("in.wav", 6000);
        StatusDialog dialog(mRunner, gNodeList);
        mRunner.fileAnswers = {in, File("out.wav")};
        QVERIFY(dialog.ChooseFiles());
        // Handled at the first progress report, as a click or key while the run goes on is.
        QMetaObject::invokeMethod(
            &dialog,
            [&dialog, escape] {
                if (escape) {
                    QTest::keyClick(&dialog, Qt::Key_Escape);
                } else {
                    dialog.StopButton().click();
                }
            },
            Qt::QueuedConnection);
        dialog.Run();
        QVERIFY(dialog.GetStop());
        QCOMPARE(dialog.Progress().value(), 42);
        QCOMPARE(mRunner.messages.size(), size_t(1));
        QCOMPARE(mRunner.messages[0].text, kCantProcess);
        QVERIFY(!QFile::exists(File("out.wav")));
        QCOMPARE(dialog.result(), 1);
    }

    void unreadableInput_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("not a sound file")
            << QByteArray("just some text, long enough to be read as a header")
            << "Can't prepare audio files to be processed.";
        QTest::newRow("missing") << QByteArray() << "Can't prepare audio files to be processed.";
    }

    void unreadableInput() {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        if (!content.isEmpty()) {
            WriteFileBytes(mDir->File("in.wav"), content.toStdString());
        }
        StatusDialog dialog(mRunner, gNodeList);
        mRunner.fileAnswers = {File("in.wav"), File("out.wav")};
        QVERIFY(dialog.ChooseFiles());
        dialog.Run();
        QCOMPARE(mRunner.messages.size(), size_t(1));
        QCOMPARE(mRunner.messages[0].text, message);
        // The details name the file and the reason.
        QVERIFY(mRunner.messages[0].details.startsWith(File("in.wav") + ": "));
        QVERIFY(!QFile::exists(File("out.wav")));
    }
};

QTEST_MAIN(StatusDialogTest)
#include "StatusDialogTest.moc"
