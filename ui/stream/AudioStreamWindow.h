#pragma once

#include "audio/live/CAudioDevice.h"
#include "audio/live/CLivePlayback.h"
#include "audio/live/CSoundDevice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QWidget>

#include <memory>

class DesignDocument;
class ModalRunner;

// The modeless "Audio Stream" window: plays a sound file in a loop, or the capture
// device, through a document's design while it is edited (also at every step of a
// drag, so that the user hears it), with Bypass, a choice of buffering, a level meter
// and a status line that also tells dropouts and a lost device. Without any sound
// device it says so and stays usable. Closing it stops the sound.
class AudioStreamWindow : public QWidget {
    Q_OBJECT
public:
    // On the machine's sound devices.
    AudioStreamWindow(ModalRunner& runner, const DesignDocument& document,
                      QWidget* parent = nullptr);
    // On the devices device reaches.
    AudioStreamWindow(ModalRunner& runner, const DesignDocument& document,
                      std::unique_ptr<CSoundDevice> device, QWidget* parent = nullptr);
    ~AudioStreamWindow() override;

    // Hands the design to the playing stream; cheap enough for every step of a drag.
    void UpdateFromNodeList();

    void OnBrowse();
    void OnPlay();
    void OnStop();

    bool Playing() const { return mPlayback.Playing(); }
    QString StatusText() const { return mStatus.text(); }
    QComboBox& Buffering() { return mBuffering; }
    QLineEdit& FilePath() { return mFilePath; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FillDevices();
    // Every tick while playing: watches the stream and shows the level.
    void OnTick();
    // The device line with what changes while playing, and the design's reason for
    // silence when it has one; or the problem given.
    void ShowStatus(const QString& problem = QString());

    ModalRunner& mRunner;
    QRadioButton mFileSource;
    QLineEdit mFilePath;
    QPushButton mBrowse;
    QRadioButton mCaptureSource;
    QComboBox mOutputs;
    QComboBox mBuffering;
    QPushButton mPlay;
    QPushButton mStop;
    QCheckBox mBypass;
    QProgressBar mMeter;
    QLabel mStatus;
    QTimer mTimer;
    QString mDesignStatus;
    double mShownLevel = 0.0;
    // What the status line last showed of the stream, to redraw it only on a change.
    QString mShownStream;
    int64_t mShownDropouts = 0;
    // The playback goes before the device it plays on.
    std::unique_ptr<CSoundDevice> mDevice;
    CLivePlayback mPlayback;
};
